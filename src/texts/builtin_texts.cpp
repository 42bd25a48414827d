// Every built-in text of the program, in one place. A translator reads and
// changes the quoted values; the keys stay. Values are scrambled while
// compiling (see scramble.h) and made readable once at start-up.
#include <array>

#include "texts/scramble.h"
#include "texts/text_table.h"
#include "version.h"

namespace trevalon {
namespace {

#define T(key, value) BuiltinText{key, stored_text<value>()}

// Names, addresses and the product line. Folder names carry no backslash.
constexpr std::array kConstants{
    T("RecentSearch_Subdir", "Search Results"),
    T("RecentPrograms_Subdir", "Recent Programs"),
    T("Registry_Subkey", "Software\\Quorvane\\Trevalon"),
    T("RecentDocuments_Subdir", "Recent Documents"),
    T("Offline_PDF", "Trevalon Manual.pdf"),
    T("Program_Name", TREVALON_PRODUCT_NAME),
    T("Velmora_Subdir", "My Menu"),
    T("AppData_Subdir", "Trevalon"),
    T("Version_Name", "Version " TREVALON_VERSION),
    T("IconCache_Subdir", "Icon Cache"),
    T("Copyright_Text", "Copyright \u00a9 2026 Quorvane. All rights reserved."),
    T("Offline_Hilfe", "Trevalon Help.html"),
    T("Temp_Subdir", "Trevalon"),
    T("WindowsMenu_Subdir", "Windows Menu"),
    T("Settings_File", "Trevalon.prefs"),
    T("Bookmarks_Subdir", "Bookmarks"),
};

// The English list.
constexpr std::array kEnglish{
    T("Online_Adresse", "https://www.quorvane.example/trevalon/"),
    T("Online_MoreTools", "https://www.quorvane.example/tools/"),
    T("Digital_Sinatures", "Digital Signatures"),
    T("TXT00040", "Trevalon is a 64-bit program and cannot run as a 32-bit process."),
};

#undef T

}  // namespace

std::span<const BuiltinText> builtin_constants() { return kConstants; }
std::span<const BuiltinText> builtin_english() { return kEnglish; }

}  // namespace trevalon
