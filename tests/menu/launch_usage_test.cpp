// The launch counts: weights that fade, a bounded record, and a file that is
// read whole or not at all.
#include <gtest/gtest.h>

#include <string>

#include "menu/launch_usage.h"
#include "menu/unicode_text.h"

namespace trevalon {
namespace {

constexpr std::int64_t kNow = 1'800'000'000;

TEST(LaunchUsage, CountsLaunchesByNameAndLetsOldOnesFade) {
    LaunchUsage usage;
    usage.record("Editor.lnk", kNow - kUsageHalfLife);
    usage.record("EDITOR.LNK", kNow);
    usage.record("Chess.lnk", kNow - 2 * kUsageHalfLife);
    ASSERT_EQ(usage.entries().size(), 2u);
    EXPECT_EQ(usage.entries()[0].count, 2u);
    EXPECT_EQ(usage.entries()[0].name, "EDITOR.LNK");  // as started last
    EXPECT_DOUBLE_EQ(usage.weight("editor.lnk", kNow), 1.5);
    EXPECT_DOUBLE_EQ(usage.weight("Chess.lnk", kNow), 0.25);
    EXPECT_DOUBLE_EQ(usage.weight("Editor.lnk", kNow + kUsageHalfLife), 0.75);
    EXPECT_EQ(usage.weight("Paint.lnk", kNow), 0.0);
    // A clock set back makes nothing heavier than new.
    EXPECT_DOUBLE_EQ(usage.weight("Chess.lnk", kNow - 10 * kUsageHalfLife), 1.0);
    const UsageScores scores = usage.scores(kNow);
    EXPECT_FLOAT_EQ(scores.at(upper_case(utf8_to_utf16("Editor.lnk"))), 1.5f);
}

TEST(LaunchUsage, KeepsAtMostItsBoundDroppingTheLightest) {
    LaunchUsage usage;
    usage.record("Daily.lnk", kNow);
    usage.record("Daily.lnk", kNow);
    for (std::size_t i = 0; i < kUsageNamesKept + 50; ++i)
        usage.record("Entry " + std::to_string(i) + ".lnk", kNow - 1000 + static_cast<int>(i));
    EXPECT_EQ(usage.entries().size(), kUsageNamesKept);
    EXPECT_GT(usage.weight("Daily.lnk", kNow), 1.9);
    EXPECT_EQ(usage.weight("Entry 0.lnk", kNow), 0.0);
    EXPECT_GT(usage.weight("Entry 449.lnk", kNow), 0.9);
    EXPECT_LT(usage.format().size(), kUsageFileLimit);
}

TEST(LaunchUsage, RecordsNoNameItCouldNotWriteBack) {
    LaunchUsage usage;
    usage.record("", kNow);
    usage.record("Tab\there.lnk", kNow);
    usage.record("Line\nbreak.lnk", kNow);
    usage.record(std::string(2000, 'a'), kNow);
    usage.record("\xFF\xFE.lnk", kNow);
    EXPECT_TRUE(usage.empty());
}

TEST(LaunchUsage, ReadsBackWhatItWrote) {
    LaunchUsage usage;
    usage.record("Editor.lnk", kNow - 86400);
    usage.record("Editor.lnk", kNow);
    usage.record("Éditeur vidéo.lnk", kNow - 7);
    usage.record("微信.lnk", kNow);
    const LaunchUsage read = LaunchUsage::parse(usage.format());
    ASSERT_EQ(read.entries().size(), 3u);
    EXPECT_EQ(read.format(), usage.format());
    EXPECT_NEAR(read.weight("Editor.lnk", kNow), usage.weight("Editor.lnk", kNow), 1e-6);
    EXPECT_TRUE(LaunchUsage::parse(LaunchUsage().format()).empty());
}

// Anything but a whole, well-formed file reads as nothing at all.
TEST(LaunchUsage, ReadsADamagedFileAsEmpty) {
    LaunchUsage usage;
    usage.record("Editor.lnk", kNow);
    usage.record("Chess.lnk", kNow);
    const std::string good = usage.format();
    ASSERT_EQ(LaunchUsage::parse(good).entries().size(), 2u);

    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    for (std::size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_TRUE(LaunchUsage::parse(good.substr(0, cut)).empty()) << "cut at " << cut;
    for (const std::string& damaged :
         {replaced("launch counts 1", "launch counts 2"), replaced("Chess", "Chess\x80"),
          replaced("end\t2", "end\t3"), replaced("end\t2", "end\t1"), replaced("\r\n", "\n"),
          replaced("Chess.lnk", "EDITOR.lnk"), replaced("Chess.lnk", ""), replaced("\t", "\tx"),
          replaced("1\t", "0\t"), replaced("1\t", "-1\t"),
          replaced("end\t2\r\n", "end\t2\r\nmore\r\n"), good + good,
          std::string(kUsageFileLimit + 1, 'x'), std::string("\0\0\0", 3)}) {
        EXPECT_TRUE(LaunchUsage::parse(damaged).empty()) << damaged;
    }
}

}  // namespace
}  // namespace trevalon
