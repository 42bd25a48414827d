// The file-drop block put on the clipboard: header, UTF-16 names, terminators.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "menu/file_drop_block.h"
#include "menu/path_text.h"
#include "menu/unicode_text.h"

namespace trevalon {
namespace {

std::uint32_t u32_at(const std::vector<std::byte>& block, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) |
                std::to_integer<std::uint32_t>(block[offset + static_cast<std::size_t>(i)]);
    return value;
}

// Reads the names back the way a reader of the list does.
std::vector<std::string> names_of(const std::vector<std::byte>& block) {
    std::vector<std::string> names;
    std::u16string name;
    for (std::size_t at = u32_at(block, 0); at + 1 < block.size(); at += 2) {
        const auto unit = static_cast<char16_t>(std::to_integer<unsigned>(block[at]) |
                                                (std::to_integer<unsigned>(block[at + 1]) << 8));
        if (unit == 0) {
            if (name.empty())
                break;
            names.push_back(utf16_to_utf8(name));
            name.clear();
        } else {
            name += unit;
        }
    }
    return names;
}

TEST(FileDropBlock, HeaderNamesTheOffsetAndWideNames) {
    const auto block = make_file_drop_block({"C:\\a.lnk"});
    ASSERT_GE(block.size(), 20u);
    EXPECT_EQ(u32_at(block, 0), 20u);
    EXPECT_EQ(u32_at(block, 4), 0u);
    EXPECT_EQ(u32_at(block, 8), 0u);
    EXPECT_EQ(u32_at(block, 12), 0u);
    EXPECT_EQ(u32_at(block, 16), 1u);
    // 8 characters, their terminator and the list's terminator, two bytes each.
    EXPECT_EQ(block.size(), 20u + (8 + 1 + 1) * 2);
    EXPECT_EQ(block[block.size() - 1], std::byte{0});
    EXPECT_EQ(block[block.size() - 4], std::byte{0});
}

TEST(FileDropBlock, CarriesSeveralNonLatinNamesAndDropsAFoldersTrailingSeparator) {
    const std::string folder = std::string("Z:") + kPathSeparator + "Папка" + kPathSeparator;
    const auto block = make_file_drop_block({"Z:\\メモ帳.lnk", folder});
    EXPECT_EQ(names_of(block),
              (std::vector<std::string>{"Z:\\メモ帳.lnk", without_trailing_separator(folder)}));
}

TEST(FileDropBlock, EmptyPathsDoNotCutTheListShort) {
    const std::string bare(1, kPathSeparator);
    EXPECT_EQ(names_of(make_file_drop_block({"", "a", bare, "b"})),
              (std::vector<std::string>{"a", "b"}));
}

TEST(FileDropBlock, APathHoldingAZeroIsLeftOutRatherThanReadAsTwoFiles) {
    const std::string smuggled("C:\\Menu\\a.lnk\0C:\\Windows\\win.ini", 32);
    EXPECT_EQ(names_of(make_file_drop_block({"first", smuggled, "last"})),
              (std::vector<std::string>{"first", "last"}));
}

TEST(FileDropBlock, EmptyListIsHeaderAndOneTerminator) {
    EXPECT_EQ(make_file_drop_block({}).size(), 22u);
}

}  // namespace
}  // namespace trevalon
