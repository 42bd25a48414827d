// Whether the search picks what people mean: a realistic start menu, the
// texts people type to find its entries, and what they start every day.
// Besides, the rule the tiers keep whatever the counts: no result of a worse
// tier ever stands above one of a better tier.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "menu/launch_usage.h"
#include "menu/live_matches.h"
#include "menu/live_ranking.h"
#include "menu/path_text.h"
#include "menu/search_index.h"
#include "support/realistic_start_menu.h"

namespace trevalon {
namespace {

constexpr std::int64_t kNow = 1'800'000'000;
constexpr std::int64_t kDay = 86400;

// A folder tree held in memory, listed as a file system lists it.
class MemoryTree {
  public:
    explicit MemoryTree(std::string root) : root_(std::move(root)) {}

    void add(std::string_view folder, std::string_view name) {
        std::string path = root_;
        for (std::size_t at = 0; at < folder.size();) {
            const std::size_t end = std::min(folder.find('/', at), folder.size());
            add_entry(path, folder.substr(at, end - at), true);
            path += std::string(folder.substr(at, end - at)) + kPathSeparator;
            at = end + 1;
        }
        if (!name.empty())
            add_entry(path, name, false);
    }

    const std::string& root() const { return root_; }
    FolderLister lister() const {
        return [this](std::string_view folder) -> std::optional<std::vector<DirectoryEntry>> {
            const auto found = folders_.find(std::string(folder));
            if (found == folders_.end())
                return std::vector<DirectoryEntry>{};
            std::vector<DirectoryEntry> entries = found->second;
            sort_entries(entries);
            return entries;
        };
    }

  private:
    void add_entry(const std::string& folder, std::string_view name, bool is_folder) {
        std::vector<DirectoryEntry>& entries = folders_[folder];
        for (const DirectoryEntry& entry : entries) {
            if (entry.name == name)
                return;
        }
        DirectoryEntry entry;
        entry.name = std::string(name);
        entry.is_directory = is_folder;
        entry.size = is_folder ? 0 : 1;
        entries.push_back(entry);
    }

    std::string root_;
    std::map<std::string, std::vector<DirectoryEntry>> folders_;
};

std::unique_ptr<MemoryTree> tree_of(std::string root, std::span<const test::MenuFolder> folders,
                                    std::size_t& links) {
    auto tree = std::make_unique<MemoryTree>(std::move(root));
    for (const test::MenuFolder& folder : folders) {
        tree->add(folder.path, "");
        std::string_view names = folder.names;
        while (!names.empty()) {
            const std::size_t bar = std::min(names.find('|'), names.size());
            const std::string_view name = names.substr(0, bar);
            names.remove_prefix(std::min(bar + 1, names.size()));
            const bool has_extension = name.ends_with(".url") || name.ends_with(".xlsx") ||
                                       name.ends_with(".docx") || name.ends_with(".ini");
            tree->add(folder.path, has_extension ? std::string(name) : std::string(name) + ".lnk");
            ++links;
        }
    }
    return tree;
}

// Where the meant entry stands among the ranked results; -1 when absent.
int rank_of(RankedResults& ranked, const std::vector<std::string>& roots, std::string_view meant) {
    for (std::size_t rank = 0; rank < ranked.size(); ++rank) {
        const LiveMatch& match = ranked.at(rank);
        std::string shown(split_extension(ranked.results().shown_name_of(match)).base);
        if (meant.find('/') != std::string_view::npos) {
            std::string folder =
                folder_below_root(roots[match.root], ranked.results().folder_of(match));
            std::replace(folder.begin(), folder.end(), kPathSeparator, '/');
            shown = folder + "/" + shown;
        }
        if (shown == meant)
            return static_cast<int>(rank);
    }
    return -1;
}

class RealisticStartMenu : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string base = std::string("M:") + kPathSeparator;
        all_users = tree_of(base + "All" + kPathSeparator, test::all_users_programs(), links);
        this_user = tree_of(base + "User" + kPathSeparator, test::this_users_programs(), links);
        for (const MemoryTree* tree : {all_users.get(), this_user.get()}) {
            indexes.push_back(std::make_unique<RootIndex>(tree->root(), tree->lister()));
            indexes.back()->rebuild();
            roots.push_back(tree->root());
        }
        for (const test::PastLaunch& launch : test::past_launches()) {
            for (int time = launch.times; time > 0; --time)
                usage.record(launch.name, kNow - (launch.days_ago + time - 1) * kDay);
        }
    }

    std::vector<const RootIndex*> index_list() const {
        std::vector<const RootIndex*> list;
        for (const auto& index : indexes)
            list.push_back(index.get());
        return list;
    }

    std::size_t links = 0;
    std::unique_ptr<MemoryTree> all_users, this_user;
    std::vector<std::unique_ptr<RootIndex>> indexes;
    std::vector<std::string> roots;
    LaunchUsage usage;
};

TEST_F(RealisticStartMenu, PutsTheEntryMeantFirstForNineteenTextsInTwenty) {
    ASSERT_GE(links, 600u);
    ASSERT_GE(test::typed_texts().size(), 150u);
    const UsageScores scores = usage.scores(kNow);
    const auto names = std::make_shared<PortableNameOrder>();
    LiveMatcher matcher;
    int first = 0;
    int in_three = 0;
    std::string missed;
    for (const test::TypedText& typed : test::typed_texts()) {
        LiveResults found = matcher.find(index_list(), typed.text);
        apply_usage(found, scores);
        RankedResults ranked(std::move(found), names);
        const int rank = rank_of(ranked, roots, typed.meant);
        first += rank == 0;
        in_three += rank >= 0 && rank < 3;
        if (rank != 0) {
            missed += "\n  \"" + std::string(typed.text) + "\": " + std::string(typed.meant) +
                      " at " + std::to_string(rank) + ", first: " +
                      (ranked.empty() ? std::string("nothing") : std::string(ranked.shown_name(0)));
        }
    }
    const auto total = static_cast<double>(test::typed_texts().size());
    std::printf("%zu links, %zu texts: first %d, among the first three %d%s\n", links,
                test::typed_texts().size(), first, in_three, missed.c_str());
    EXPECT_GE(first / total, 0.95) << missed;
    EXPECT_GE(in_three / total, 0.99) << missed;
}

// Typing a text letter by letter narrows the answer before; the answers are
// those of a fresh search at every step.
TEST_F(RealisticStartMenu, TypingOnFindsWhatAFreshSearchFinds) {
    LiveMatcher matcher;
    int narrowed = 0;
    for (const test::TypedText& typed : test::typed_texts()) {
        for (std::size_t length = 1; length <= typed.text.size(); ++length) {
            const std::string_view text = typed.text.substr(0, length);
            const LiveResults found = matcher.find(index_list(), text);
            narrowed += matcher.narrowed();
            const LiveResults fresh = find_live_matches(index_list(), text);
            ASSERT_EQ(found.matches, fresh.matches) << text;
            ASSERT_EQ(found.names, fresh.names) << text;
        }
    }
    EXPECT_GT(narrowed, 500);
}

TEST_F(RealisticStartMenu, NoResultOfAWorseTierStandsAboveOneOfABetterWhateverTheCounts) {
    std::mt19937 random(24);
    LiveMatcher matcher;
    for (const test::TypedText& typed : test::typed_texts()) {
        LiveResults found = matcher.find(index_list(), typed.text.substr(0, 2));
        // Counts far beyond any real use, on any result.
        for (LiveMatch& match : found.matches)
            match.usage = random() % 3 == 0 ? static_cast<float>(random() % 100000) : 0.0f;
        RankedResults ranked(std::move(found), nullptr);
        for (std::size_t rank = 1; rank < ranked.size(); ++rank) {
            const LiveMatch& above = ranked.at(rank - 1);
            const LiveMatch& below = ranked.at(rank);
            ASSERT_LE(above.tier, below.tier) << typed.text << ": " << ranked.shown_name(rank - 1)
                                              << " above " << ranked.shown_name(rank);
            if (above.tier == below.tier) {
                ASSERT_GE(above.usage, below.usage);
            }
        }
    }
}

}  // namespace
}  // namespace trevalon
