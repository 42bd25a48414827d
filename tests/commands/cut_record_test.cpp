// The note beside a waiting cut entry, as written and as read back after a
// run that ended without its clean-up.
#include "commands/cut_record.h"

#include <gtest/gtest.h>

namespace trevalon {
namespace {

CutRecord record(std::string origin, bool pasted) {
    CutRecord result;
    result.origin = std::move(origin);
    result.pasted = pasted;
    return result;
}

TEST(CutRecord, ReadsBackWhatItWroteAndRefusesANoteWithoutOrigin) {
    const CutRecord written = record("C:\\Menu\\Spiele & Ärger\\a=b.lnk", true);
    const std::optional<CutRecord> read = parse_cut_record(format_cut_record(written));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->origin, written.origin);
    EXPECT_TRUE(read->pasted);
    EXPECT_FALSE(parse_cut_record(format_cut_record(record("C:\\m\\x.lnk", false)))->pasted);
    // Plain line feeds, and a note cut off before its second line.
    EXPECT_EQ(parse_cut_record("origin=C:\\m\\y.lnk\n")->origin, "C:\\m\\y.lnk");
    EXPECT_FALSE(parse_cut_record("origin=C:\\m\\y.lnk\n")->pasted);
    EXPECT_FALSE(parse_cut_record(""));
    EXPECT_FALSE(parse_cut_record("origin=\r\npasted=1\r\n"));
    EXPECT_FALSE(parse_cut_record("pasted=1\r\n"));
}

TEST(CutRecord, TheFingerprintAndWhereTheEntryIsGoingSurviveAndAnOlderNoteHasNone) {
    CutRecord written = record("C:\\m\\a.lnk", false);
    written.fingerprint = Fingerprint{12345678901ull, 0xFEDCBA9876543210ull};
    written.placing = "C:\\m\\Games\\a (1).lnk";
    written.move = true;
    const std::optional<CutRecord> read = parse_cut_record(format_cut_record(written));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->fingerprint, written.fingerprint);
    EXPECT_EQ(read->placing, written.placing);
    EXPECT_TRUE(read->move);

    // A note of an older version, and one whose numbers are damaged.
    EXPECT_FALSE(parse_cut_record("origin=C:\\m\\a.lnk\r\npasted=0\r\n")->fingerprint);
    EXPECT_FALSE(parse_cut_record("origin=C:\\m\\a.lnk\r\nsize=12x\r\nhash=ff\r\n")->fingerprint);
    EXPECT_FALSE(parse_cut_record("origin=C:\\m\\a.lnk\r\nsize=12\r\nhash=\r\n")->fingerprint);
    EXPECT_FALSE(parse_cut_record("origin=C:\\m\\a.lnk\r\nsize=12\r\n")->fingerprint);
}

}  // namespace
}  // namespace trevalon
