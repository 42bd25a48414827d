// What trevalon.exe loads when it starts: the libraries in its import table.
// The network libraries are imported when a bookmark first calls them
// (cmake/delay-import.cmake); a function of theirs that the program starts to
// use without its list being extended would quietly bring them back to every
// start.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_ops_win.h"
#include "support/process_win.h"

namespace trevalon {
namespace {

// The names of the libraries a PE file imports at load time, or nothing when
// the file is not one.
std::optional<std::vector<std::string>> imported_libraries(const std::string& file) {
    const auto read = [&file](std::size_t at, void* out, std::size_t size) {
        if (at > file.size() || size > file.size() - at)
            return false;
        std::memcpy(out, file.data() + at, size);
        return true;
    };
    IMAGE_DOS_HEADER dos{};
    IMAGE_NT_HEADERS64 nt{};
    if (!read(0, &dos, sizeof(dos)) || dos.e_magic != IMAGE_DOS_SIGNATURE ||
        !read(static_cast<std::size_t>(dos.e_lfanew), &nt, sizeof(nt)) ||
        nt.Signature != IMAGE_NT_SIGNATURE)
        return std::nullopt;
    std::vector<IMAGE_SECTION_HEADER> sections(nt.FileHeader.NumberOfSections);
    const std::size_t section_table = static_cast<std::size_t>(dos.e_lfanew) +
                                      offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                                      nt.FileHeader.SizeOfOptionalHeader;
    if (!read(section_table, sections.data(), sections.size() * sizeof(IMAGE_SECTION_HEADER)))
        return std::nullopt;
    const auto file_offset = [&sections](DWORD rva) -> std::optional<std::size_t> {
        for (const IMAGE_SECTION_HEADER& section : sections) {
            if (rva >= section.VirtualAddress &&
                rva < section.VirtualAddress + section.SizeOfRawData)
                return rva - section.VirtualAddress + section.PointerToRawData;
        }
        return std::nullopt;
    };
    std::vector<std::string> names;
    const IMAGE_DATA_DIRECTORY imports =
        nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto at = file_offset(imports.VirtualAddress);
    for (IMAGE_IMPORT_DESCRIPTOR entry{}; at && read(*at, &entry, sizeof(entry)) && entry.Name;
         *at += sizeof(entry)) {
        const auto name = file_offset(entry.Name);
        if (!name)
            return std::nullopt;
        std::string text(file.c_str() + *name);
        for (char& c : text)
            c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        names.push_back(text);
    }
    return names;
}

TEST(Imports, TheNetworkLibrariesAreNotLoadedAtStart) {
    const auto program = read_file(test::build_tree_path(TREVALON_EXE_PATH));
    ASSERT_TRUE(program);
    const auto names = imported_libraries(*program);
    ASSERT_TRUE(names);
    // The reading is right: what every start needs is there.
    EXPECT_NE(std::find(names->begin(), names->end(), "user32.dll"), names->end());
    EXPECT_NE(std::find(names->begin(), names->end(), "comctl32.dll"), names->end());
    for (const char* network : {"ws2_32.dll", "crypt32.dll", "bcrypt.dll", "secur32.dll"})
        EXPECT_EQ(std::find(names->begin(), names->end(), network), names->end()) << network;
}

}  // namespace
}  // namespace trevalon
