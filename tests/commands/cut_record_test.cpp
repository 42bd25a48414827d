// The note beside a waiting cut entry, as written and as read back after a
// run that ended without its clean-up.
#include "commands/cut_record.h"

#include <gtest/gtest.h>

namespace trevalon {
namespace {

TEST(CutRecord, ReadsBackWhatItWroteAndRefusesANoteWithoutOrigin) {
    const CutRecord written{"C:\\Menu\\Spiele & Ärger\\a=b.lnk", true};
    const std::optional<CutRecord> read = parse_cut_record(format_cut_record(written));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->origin, written.origin);
    EXPECT_TRUE(read->pasted);
    EXPECT_FALSE(parse_cut_record(format_cut_record({"C:\\m\\x.lnk", false}))->pasted);
    // Plain line feeds, and a note cut off before its second line.
    EXPECT_EQ(parse_cut_record("origin=C:\\m\\y.lnk\n")->origin, "C:\\m\\y.lnk");
    EXPECT_FALSE(parse_cut_record("origin=C:\\m\\y.lnk\n")->pasted);
    EXPECT_FALSE(parse_cut_record(""));
    EXPECT_FALSE(parse_cut_record("origin=\r\npasted=1\r\n"));
    EXPECT_FALSE(parse_cut_record("pasted=1\r\n"));
}

}  // namespace
}  // namespace trevalon
