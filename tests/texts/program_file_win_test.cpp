// Looks at the built trevalon.exe: its texts are stored scrambled, and its
// version resource says the same as the text table.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "base/utf8_path.h"
#include "texts/scramble.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

std::string read_program_file() {
    std::ifstream in(utf8_to_path(TREVALON_EXE_PATH), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool contains(const std::string& bytes, std::string_view part) {
    return std::search(bytes.begin(), bytes.end(), part.begin(), part.end()) != bytes.end();
}

TEST(ProgramFile, HoldsTheEnglishTextsOnlyInScrambledForm) {
    const std::string image = read_program_file();
    ASSERT_GT(image.size(), 100000u) << TREVALON_EXE_PATH;

    TextTable table;
    load_builtin_texts(table);
    std::string longest;
    int checked = 0;
    for (const auto& entry : builtin_english()) {
        const std::string plain = table.find(entry.key);
        if (plain.size() < 20)
            continue;  // short words occur in any program
        ++checked;
        EXPECT_FALSE(contains(image, plain)) << entry.key << " is readable: " << plain;
        EXPECT_TRUE(contains(image, scramble(plain))) << entry.key << " is not stored";
        if (plain.size() > longest.size())
            longest = plain;
    }
    EXPECT_GT(checked, 20);
    EXPECT_GT(longest.size(), 100u);
}

// One string of the version resource's first language block.
std::string version_string(const std::vector<char>& block, const char* name) {
    struct Translation {
        WORD language;
        WORD code_page;
    }* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &size) ||
        size < sizeof(Translation)) {
        return {};
    }
    char path[128];
    std::snprintf(path, sizeof(path), "\\StringFileInfo\\%04x%04x\\%s", translation->language,
                  translation->code_page, name);
    char* value = nullptr;
    if (!VerQueryValueA(block.data(), path, reinterpret_cast<void**>(&value), &size) || !value) {
        return {};
    }
    return value;
}

TEST(ProgramFile, VersionResourceAgreesWithTheTextTable) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(TREVALON_EXE_PATH, &ignored);
    ASSERT_GT(size, 0u) << GetLastError();
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(TREVALON_EXE_PATH, 0, size, block.data()));

    TextTable table;
    load_builtin_texts(table);
    const std::string version_line = table.find("Version_Name");

    EXPECT_EQ(version_string(block, "ProductName"), table.find("Program_Name"));
    for (const char* name : {"ProductVersion", "FileVersion"}) {
        const std::string value = version_string(block, name);
        ASSERT_FALSE(value.empty()) << name;
        EXPECT_NE(version_line.find(value), std::string::npos) << name << " " << value;
    }

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixed_size = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixed_size));
    ASSERT_GE(fixed_size, sizeof(VS_FIXEDFILEINFO));
    const std::string numeric = std::to_string(HIWORD(fixed->dwProductVersionMS)) + "." +
                                std::to_string(LOWORD(fixed->dwProductVersionMS)) + "." +
                                std::to_string(HIWORD(fixed->dwProductVersionLS));
    EXPECT_NE(version_line.find(numeric), std::string::npos) << numeric;
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
}

}  // namespace
}  // namespace trevalon
