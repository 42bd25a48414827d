// The benchmark menus: sizes, determinism, names as a real menu has them, and
// the timing summaries the benchmark table is made of.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "base/utf8_path.h"
#include "bench_stats.h"
#include "menu/unicode_text.h"
#include "menu_plan.h"
#include "support/temp_dir.h"

namespace trevalon::bench {
namespace {

namespace fs = std::filesystem;

std::string parent_of(const std::string& relative) {
    const std::size_t slash = relative.rfind('/');
    return slash == std::string::npos ? std::string() : relative.substr(0, slash);
}

TEST(MenuPlan, HasExactlyTheLinksAndFoldersOfEachSize) {
    for (const MenuShape& shape : {kMenuSmall, kMenuMedium, kMenuLarge}) {
        const MenuPlan plan = plan_menu(shape, 7);
        EXPECT_EQ(static_cast<int>(plan.links.size()), shape.links) << shape.name;
        EXPECT_EQ(static_cast<int>(plan.folders.size()), shape.folders) << shape.name;
    }
    EXPECT_EQ(menu_shape("m")->links, 600);
    EXPECT_FALSE(menu_shape("XL"));
}

TEST(MenuPlan, TheSameSeedGivesTheSameMenuAndAnotherSeedAnother) {
    const MenuPlan a = plan_menu(kMenuMedium, 42);
    const MenuPlan b = plan_menu(kMenuMedium, 42);
    EXPECT_EQ(a.folders, b.folders);
    EXPECT_EQ(a.links, b.links);
    EXPECT_EQ(a.other_files, b.other_files);
    EXPECT_NE(plan_menu(kMenuMedium, 43).links, a.links);
}

TEST(MenuPlan, FoldersComeBeforeTheirContentAndNestAtMostThreeDeep) {
    const MenuPlan plan = plan_menu(kMenuLarge, 3);
    std::set<std::string> known{""};
    for (const std::string& folder : plan.folders) {
        EXPECT_TRUE(known.count(parent_of(folder))) << folder;
        EXPECT_LE(std::count(folder.begin(), folder.end(), '/'), kMaxFolderLevel - 1) << folder;
        known.insert(folder);
    }
    for (const std::string& link : plan.links)
        EXPECT_TRUE(known.count(parent_of(link))) << link;
    EXPECT_GT(std::count_if(plan.folders.begin(), plan.folders.end(),
                            [](const std::string& f) { return f.find('/') != std::string::npos; }),
              0);
}

TEST(MenuPlan, NamesAreUniqueIgnoringCaseAndSomeAreNonLatinOrSearchable) {
    const MenuPlan plan = plan_menu(kMenuMedium, 11);
    std::set<std::u16string> seen;
    auto unique = [&](const std::string& path) {
        return seen.insert(upper_case(utf8_to_utf16(path))).second;
    };
    for (const auto* list : {&plan.folders, &plan.links, &plan.other_files}) {
        for (const std::string& path : *list)
            EXPECT_TRUE(unique(path)) << path;
    }
    const auto non_latin = std::count_if(plan.links.begin(), plan.links.end(), [](const auto& p) {
        return std::any_of(p.begin(), p.end(), [](char c) { return (c & 0x80) != 0; });
    });
    EXPECT_GT(non_latin, 600 / 20);
    EXPECT_LT(non_latin, 600 / 3);
    const auto searchable = std::count_if(plan.links.begin(), plan.links.end(), [](const auto& p) {
        return contains_ignoring_case(p.substr(p.rfind('/') + 1), kSearchWord);
    });
    EXPECT_GT(searchable, 10);
    EXPECT_FALSE(plan.other_files.empty());
}

TEST(MenuPlan, PlaceholderMenuOnDiskHoldsExactlyThePlan) {
    test::TempDir dir;
    const MenuPlan plan = plan_menu(kMenuSmall, 5);
    ASSERT_TRUE(write_placeholder_menu(plan, dir.str() + "menu"));
    int folders = 0, files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path() / "menu")) {
        if (entry.is_directory()) {
            ++folders;
        } else {
            ++files;
            if (entry.path().extension() == ".lnk") {
                EXPECT_EQ(entry.file_size(), placeholder_content().size());
            }
        }
    }
    EXPECT_EQ(folders, static_cast<int>(plan.folders.size()));
    EXPECT_EQ(files, static_cast<int>(plan.links.size() + plan.other_files.size()));
    EXPECT_TRUE(fs::exists(utf8_to_path(native_path(dir.str() + "menu/", plan.links.back()))));
}

TEST(BenchStats, MedianAndNearestRankP95) {
    EXPECT_EQ(summarize({}).runs, 0);
    EXPECT_DOUBLE_EQ(summarize({3, 1, 2}).median, 2);
    EXPECT_DOUBLE_EQ(summarize({4, 1, 3, 2}).median, 2.5);
    std::vector<double> twenty;
    for (int i = 1; i <= 20; ++i)
        twenty.push_back(i);
    EXPECT_DOUBLE_EQ(summarize(twenty).p95, 19);
    EXPECT_DOUBLE_EQ(summarize({5}).p95, 5);
    EXPECT_EQ(result_line("2.ours", "search", "ms", summarize({1, 2, 3})),
              "result\t2.ours\tsearch\tms\t2.000\t3.000\t3");
}

}  // namespace
}  // namespace trevalon::bench
