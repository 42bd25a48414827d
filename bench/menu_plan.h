// Synthetic start menus for the benchmarks: a fixed number of links spread
// over a fixed number of folders (at most three levels deep), named like the
// programs of a real start menu, some of them in non-Latin scripts. The same
// seed always gives the same menu, on every platform.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trevalon::bench {

struct MenuShape {
    std::string_view name;
    int links = 0;
    int folders = 0;
};

inline constexpr MenuShape kMenuSmall{"S", 150, 20};
inline constexpr MenuShape kMenuMedium{"M", 600, 80};
inline constexpr MenuShape kMenuLarge{"L", 3000, 400};

// "S", "M" or "L" (any letter case).
std::optional<MenuShape> menu_shape(std::string_view name);

// The deepest level a generated folder sits at (1: directly in the menu).
inline constexpr int kMaxFolderLevel = 3;

// The word every generated menu holds in some link names, for search runs.
inline constexpr std::string_view kSearchWord = "editor";

// Relative paths joined with "/", folders before anything inside them. Names
// are unique within their folder without regard to letter case. Besides the
// links ("….lnk") a few folders hold a desktop.ini, as real start menus do.
struct MenuPlan {
    std::vector<std::string> folders;
    std::vector<std::string> links;
    std::vector<std::string> other_files;
};

MenuPlan plan_menu(const MenuShape& shape, std::uint64_t seed);

// The relative path with the platform's separator, below root (which ends in
// a separator or is empty).
std::string native_path(std::string_view root, std::string_view relative);

// Writes the plan below root (created if missing) with placeholder files of
// about the size of a shell link instead of real links: enough where only
// names and folders matter. Returns false when a folder or file could not be
// made.
bool write_placeholder_menu(const MenuPlan& plan, std::string_view root);

// The content of a placeholder link, the same for every file of one plan.
std::string placeholder_content();

// Deterministic pseudo-random numbers (SplitMix64), identical everywhere:
// the standard library's distributions may differ between implementations.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // A number in [0, bound); 0 when bound is 0.
    std::uint32_t below(std::uint32_t bound);
    bool chance(std::uint32_t percent) { return below(100) < percent; }

  private:
    std::uint64_t state_;
};

}  // namespace trevalon::bench
