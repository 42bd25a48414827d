// The order of the results within the tiers, and the ranking that works out
// only the ranks asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "menu/live_ranking.h"

namespace trevalon {
namespace {

// A match of "<name>.lnk" added to the results.
struct Made {
    std::string name;
    MatchTier tier;
    float usage = 0;
};

LiveResults results_of(const std::vector<Made>& made) {
    LiveResults results;
    results.folders.push_back("F/");
    for (const Made& m : made) {
        LiveMatch& match = results.add(0, 0, m.name + ".lnk");
        match.tier = m.tier;
        match.usage = m.usage;
        match.length = static_cast<std::uint16_t>(m.name.size());
    }
    return results;
}

std::vector<std::string> ranked_names(const std::vector<Made>& made) {
    RankedResults ranked(results_of(made), nullptr);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < ranked.size(); ++i)
        names.push_back(std::string(ranked.shown_name(i)));
    return names;
}

TEST(NameOrder, ReadsDigitsAsNumbersAndIgnoresCaseAndDiacritics) {
    const PortableNameOrder order;
    EXPECT_LT(order.compare("Notes 16", "Notes 100"), 0);
    EXPECT_LT(order.compare("Notes 9", "Notes 16"), 0);
    EXPECT_LT(order.compare("a9bc", "a10b"), 0);
    EXPECT_LT(order.compare("Notes 007", "Notes 8"), 0);
    EXPECT_LT(order.compare("éclair", "Eden"), 0);
    EXPECT_LT(order.compare("apple", "Banana"), 0);
    EXPECT_GT(order.compare("Notes", "Note"), 0);
    // Names the same but for case still have an order, the same every time.
    EXPECT_NE(order.compare("Notes", "notes"), 0);
    EXPECT_EQ(order.compare("Notes", "notes"), -order.compare("notes", "Notes"));
    EXPECT_EQ(order.compare("Notes", "Notes"), 0);
}

TEST(RankedResults, OrderByTierThenUsageThenLengthThenNaturalOrder) {
    EXPECT_EQ(ranked_names({{"Notes 100", MatchTier::prefix},
                            {"Word", MatchTier::fuzzy, 50},
                            {"Notes 16", MatchTier::prefix},
                            {"Notes 2", MatchTier::prefix},
                            {"Notes 90", MatchTier::prefix, 0.5f},
                            {"Notepad", MatchTier::exact},
                            {"Notes 3", MatchTier::prefix}}),
              (std::vector<std::string>{"Notepad.lnk", "Notes 90.lnk", "Notes 2.lnk", "Notes 3.lnk",
                                        "Notes 16.lnk", "Notes 100.lnk", "Word.lnk"}));
}

// Ranking only what is asked for gives the same ranks as sorting it all.
TEST(RankedResults, RankLazilyAsAFullSortWould) {
    std::mt19937 random(7);
    std::vector<Made> made;
    for (int i = 0; i < 3000; ++i) {
        made.push_back({"Name " + std::to_string(random() % 500),
                        static_cast<MatchTier>(random() % 12),
                        random() % 4 == 0 ? static_cast<float>(random() % 5) : 0});
    }
    LiveResults results = results_of(made);
    std::vector<std::size_t> places(results.matches.size());
    for (std::size_t i = 0; i < places.size(); ++i)
        places[i] = i;
    const PortableNameOrder order;
    std::sort(places.begin(), places.end(),
              [&](std::size_t a, std::size_t b) { return ranks_before(results, a, b, order); });
    std::vector<LiveMatch> sorted;
    for (const std::size_t place : places)
        sorted.push_back(results.matches[place]);

    RankedResults ranked(std::move(results), nullptr);
    EXPECT_EQ(ranked.ranked(), 0u);
    ranked.rank_first(10);
    EXPECT_LT(ranked.ranked(), 200u);
    // Walking down the list in steps, then jumping to the end.
    for (std::size_t i = 0; i < 500; ++i)
        ASSERT_EQ(ranked.at(i), sorted[i]) << i;
    EXPECT_LT(ranked.ranked(), 1100u);
    EXPECT_EQ(ranked.at(2999), sorted[2999]);
    for (std::size_t i = 0; i < sorted.size(); ++i)
        ASSERT_EQ(ranked.at(i), sorted[i]) << i;
}

TEST(RankedResults, TakeTheUsageOfEachMatchByFileName) {
    LaunchUsage usage;
    usage.record("editor.LNK", 1000);
    LiveResults results = results_of({{"Editor", MatchTier::prefix}, {"Edge", MatchTier::prefix}});
    apply_usage(results, usage.scores(1000));
    EXPECT_FLOAT_EQ(results.matches[0].usage, 1.0f);
    EXPECT_FLOAT_EQ(results.matches[1].usage, 0.0f);
    RankedResults ranked(std::move(results), nullptr);
    EXPECT_EQ(ranked.shown_name(0), "Editor.lnk");
}

}  // namespace
}  // namespace trevalon
