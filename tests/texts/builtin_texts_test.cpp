// Checks the content of the built-in texts: every key the program reads has a
// value, and each value suits the way it is shown or used.
#include "texts/text_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <set>
#include <span>
#include <string>
#include <string_view>

#include "version.h"

namespace trevalon {
namespace {

using namespace std::string_view_literals;

// Every TXT key the program reads.
constexpr std::array kTxtKeys{
    "TXT00001"sv,
    "TXT00002"sv,
    "TXT00013"sv,
    "TXT00030"sv,
    "TXT00031"sv,
    "TXT00032"sv,
    "TXT00033"sv,
    "TXT00034"sv,
    "TXT00035"sv,
    "TXT00040"sv,
    "TXT00042"sv,
    "TXT00050"sv,
    "TXT00051"sv,
    "TXT00053"sv,
    "TXT00054"sv,
    "TXT00055"sv,
    "TXT00056"sv,
    "TXT00057"sv,
    "TXT00058"sv,
    "TXT00060"sv,
    "TXT00061"sv,
    "TXT00062"sv,
    "TXT00070"sv,
    "TXT00071"sv,
    "TXT00072"sv,
    "TXT00073"sv,
    "TXT00075"sv,
    "TXT00076"sv,
    "TXT00080"sv,
    "TXT00081"sv,
    "TXT00082"sv,
    "TXT00083"sv,
    "TXT00084"sv,
    "TXT00085"sv,
    "TXT00090"sv,
    "TXT00091"sv,
    "TXT00092"sv,
    "TXT00093"sv,
    "TXT00094"sv,
    "TXT00095"sv,
    "TXT00096"sv,
    "TXT00100"sv,
    "TXT00101"sv,
    "TXT00102"sv,
    "TXT00103"sv,
    "TXT00104"sv,
    "TXT00105"sv,
    "TXT00106"sv,
    "TXT00107"sv,
    "TXT00110"sv,
    "TXT00111"sv,
    "TXT00112"sv,
    "TXT00113"sv,
    "TXT00114"sv,
    "TXT00115"sv,
    "TXT00116"sv,
    "TXT00117"sv,
    "TXT00118"sv,
    "TXT00119"sv,
    "TXT00120"sv,
    "TXT00121"sv,
    "TXT00130"sv,
    "TXT00131"sv,
    "TXT00133"sv,
    "TXT00134"sv,
    "TXT00135"sv,
    "TXT00136"sv,
    "TXT00140"sv,
    "TXT00141"sv,
    "TXT00142"sv,
    "TXT00143"sv,
    "TXT00144"sv,
    "TXT00145"sv,
    "TXT00146"sv,
    "TXT00147"sv,
    "TXT00148"sv,
    "TXT00149"sv,
    "TXT00150"sv,
    "TXT00151"sv,
    "TXT00152"sv,
    "TXT00153"sv,
    "TXT00154"sv,
    "TXT00155"sv,
    "TXT00156"sv,
    "TXT00157"sv,
    "TXT00158"sv,
    "TXT00159"sv,
    "TXT00160"sv,
    "TXT00161"sv,
    "TXT00162"sv,
    "TXT00163"sv,
    "TXT00164"sv,
    "TXT00165"sv,
    "TXT00167"sv,
    "TXT00168"sv,
    "TXT00169"sv,
    "TXT00169a"sv,
    "TXT00172"sv,
    "TXT00173"sv,
    "TXT00174"sv,
    "TXT00175"sv,
    "TXT00176"sv,
    "TXT00200"sv,
    "TXT00201"sv,
    "TXT00202"sv,
    "TXT00203"sv,
    "TXT00204"sv,
    "TXT00205"sv,
    "TXT00206"sv,
    "TXT00207"sv,
    "TXT00220"sv,
    "TXT00221"sv,
    "TXT00222"sv,
    "TXT00223"sv,
    "TXT00224"sv,
    "TXT00225"sv,
    "TXT00226"sv,
    "TXT00227"sv,
    "TXT00228"sv,
    "TXT00229"sv,
    "TXT00230"sv,
    "TXT00231"sv,
    "TXT00232"sv,
    "TXT00233"sv,
    "TXT00234"sv,
    "TXT00235"sv,
    "TXT00236"sv,
    "TXT00237"sv,
    "TXT00238"sv,
    "TXT00239"sv,
    "TXT00240"sv,
    "TXT00241"sv,
    "TXT00242"sv,
    "TXT00243"sv,
    "TXT00244"sv,
    "TXT00245"sv,
    "TXT00300"sv,
    "TXT00301"sv,
    "TXT00302"sv,
    "TXT00303"sv,
    "TXT00304"sv,
    "TXT00305"sv,
    "TXT00306"sv,
    "TXT00307"sv,
    "TXT00308"sv,
    "TXT00309"sv,
    "TXT00310"sv,
    "TXT00311"sv,
    "TXT00312"sv,
    "TXT00313"sv,
    "TXT00320"sv,
    "TXT00321"sv,
    "TXT00340"sv,
    "TXT00341"sv,
    "TXT00342"sv,
    "TXT00343"sv,
    "TXT00344"sv,
    "TXT00345"sv,
    "TXT00346"sv,
    "TXT00347"sv,
    "TXT00348"sv,
    "TXT00349"sv,
    "TXT00350"sv,
    "TXT00351"sv,
    "TXT00352"sv,
    "TXT00353"sv,
    "TXT00360"sv,
    "TXT00361"sv,
    "TXT00362"sv,
    "TXT00363"sv,
    "TXT00364"sv,
    "TXT00365"sv,
    "TXT00366"sv,
    "TXT00367"sv,
    "TXT00368"sv,
    "TXT00369"sv,
    "TXT00370"sv,
    "TXT00371"sv,
    "TXT00372"sv,
    "TXT00373"sv,
    "TXT00374"sv,
    "TXT00375"sv,
    "TXT00376"sv,
    // Nothing lost: recovered entries, left-out items, names read as devices.
    "TXT00400"sv,
    "TXT00401"sv,
    "TXT00402"sv,
    "TXT00403"sv,
    "TXT00404"sv,
    "TXT00405"sv,
    "TXT00406"sv,
    "TXT00407"sv,
    "TXT00408"sv,
    "TXT00409"sv,
    "TXT00410"sv,
    "TXT00411"sv,
    "TXT00412"sv,
    "TXT00413"sv,
    "TXT00414"sv,
    "TXT00415"sv,
    "TXT00416"sv,
    "TXT00417"sv,
    "TXT00418"sv,
};
static_assert(kTxtKeys.size() == 202);

// The named keys of the English list, in their built-in order.
constexpr std::array kNamedEnglishKeys{
    "Online_Adresse"sv, "Online_MoreTools"sv, "Digital_Sinatures"sv, "Universal_App"sv,
    "Input_OK"sv,       "Input_Cancel"sv,     "Column_Name"sv,       "Column_Size"sv,
    "Column_Type"sv,    "Column_Modified"sv};

// The constants, in their built-in order.
constexpr std::array kConstantKeys{
    "RecentSearch_Subdir"sv, "RecentPrograms_Subdir"sv,
    "Registry_Subkey"sv,     "RecentDocuments_Subdir"sv,
    "Offline_PDF"sv,         "Program_Name"sv,
    "Velmora_Subdir"sv,      "AppData_Subdir"sv,
    "Version_Name"sv,        "IconCache_Subdir"sv,
    "Copyright_Text"sv,      "Offline_Hilfe"sv,
    "Temp_Subdir"sv,         "WindowsMenu_Subdir"sv,
    "Settings_File"sv,       "Bookmarks_Subdir"sv,
    "Clipboard_Subdir"sv,    "Usage_File"sv,
};

// Subfolders of the data folder. The program deletes some of them at exit, so
// two of them sharing a name would lose the other's content.
constexpr std::array kDataSubfolderKeys{
    "RecentSearch_Subdir"sv, "RecentPrograms_Subdir"sv, "RecentDocuments_Subdir"sv,
    "Velmora_Subdir"sv,      "IconCache_Subdir"sv,      "WindowsMenu_Subdir"sv,
    "Bookmarks_Subdir"sv,    "Settings_File"sv,         "Clipboard_Subdir"sv,
    "Usage_File"sv,
};

// Names that become folder or file names on disk.
constexpr std::array kFileNameKeys{
    "RecentSearch_Subdir"sv,
    "RecentPrograms_Subdir"sv,
    "RecentDocuments_Subdir"sv,
    "Velmora_Subdir"sv,
    "IconCache_Subdir"sv,
    "WindowsMenu_Subdir"sv,
    "Bookmarks_Subdir"sv,
    "AppData_Subdir"sv,
    "Temp_Subdir"sv,
    "Settings_File"sv,
    "Offline_PDF"sv,
    "Offline_Hilfe"sv,
    "Clipboard_Subdir"sv,
    "Usage_File"sv,
};

// Texts by the way they are shown.
constexpr std::array kQuestionKeys{"TXT00226"sv, "TXT00232"sv, "TXT00240"sv,
                                   "TXT00241"sv, "TXT00242"sv, "TXT00312"sv};
// Prompts of name boxes, and labels followed by a line break or a blank line
// and a value.
constexpr std::array kLabelKeys{"TXT00220"sv, "TXT00221"sv, "TXT00222"sv, "TXT00223"sv,
                                "TXT00224"sv, "TXT00225"sv, "TXT00229"sv, "TXT00233"sv,
                                "TXT00234"sv, "TXT00237"sv, "TXT00238"sv, "TXT00310"sv,
                                "TXT00311"sv, "TXT00320"sv};
// Message texts made of whole sentences.
constexpr std::array kSentenceKeys{
    "TXT00002"sv, "TXT00040"sv, "TXT00042"sv, "TXT00135"sv, "TXT00173"sv,
    "TXT00174"sv, "TXT00175"sv, "TXT00176"sv, "TXT00227"sv, "TXT00228"sv,
    "TXT00231"sv, "TXT00235"sv, "TXT00236"sv, "TXT00239"sv, "TXT00243"sv,
    "TXT00244"sv, "TXT00309"sv, "TXT00313"sv, "TXT00321"sv,
};
// Menu items, tooltips, tabs and buttons.
constexpr std::array kCaptionKeys{
    "TXT00030"sv, "TXT00031"sv, "TXT00032"sv, "TXT00033"sv, "TXT00034"sv, "TXT00035"sv,
    "TXT00050"sv, "TXT00051"sv, "TXT00053"sv, "TXT00054"sv, "TXT00055"sv, "TXT00056"sv,
    "TXT00057"sv, "TXT00058"sv, "TXT00060"sv, "TXT00061"sv, "TXT00062"sv, "TXT00070"sv,
    "TXT00071"sv, "TXT00072"sv, "TXT00073"sv, "TXT00075"sv, "TXT00076"sv, "TXT00080"sv,
    "TXT00081"sv, "TXT00082"sv, "TXT00083"sv, "TXT00084"sv, "TXT00085"sv, "TXT00090"sv,
    "TXT00091"sv, "TXT00092"sv, "TXT00093"sv, "TXT00094"sv, "TXT00095"sv, "TXT00096"sv,
    "TXT00100"sv, "TXT00101"sv, "TXT00102"sv, "TXT00103"sv, "TXT00104"sv, "TXT00105"sv,
    "TXT00106"sv, "TXT00107"sv, "TXT00110"sv, "TXT00111"sv, "TXT00112"sv, "TXT00113"sv,
    "TXT00114"sv, "TXT00115"sv, "TXT00116"sv, "TXT00117"sv, "TXT00118"sv, "TXT00119"sv,
    "TXT00120"sv, "TXT00121"sv, "TXT00130"sv, "TXT00131"sv, "TXT00133"sv, "TXT00134"sv,
    "TXT00136"sv, "TXT00141"sv, "TXT00150"sv, "TXT00151"sv, "TXT00154"sv, "TXT00159"sv,
    "TXT00164"sv, "TXT00165"sv, "TXT00300"sv, "TXT00301"sv, "TXT00302"sv, "TXT00303"sv,
    "TXT00304"sv, "TXT00305"sv, "TXT00306"sv, "TXT00307"sv, "TXT00308"sv, "TXT00360"sv,
    "TXT00361"sv, "TXT00362"sv, "TXT00363"sv, "TXT00364"sv, "TXT00365"sv, "TXT00366"sv,
    "TXT00367"sv, "TXT00368"sv, "TXT00369"sv, "TXT00370"sv, "TXT00371"sv, "TXT00374"sv,
    "TXT00375"sv,
};

TextTable loaded_table() {
    TextTable table;
    load_builtin_texts(table);
    return table;
}

bool is_valid_utf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80                   ? 1
                             : lead >= 0xC2 && lead < 0xE0 ? 2
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5 ? 4
                                                           : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

bool is_space(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string upper(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

// A name Windows accepts as one component of a path.
testing::AssertionResult is_windows_file_name(std::string_view name) {
    if (name.empty() || name.size() > 255)
        return testing::AssertionFailure() << "bad length";
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 32 ||
            std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
            return testing::AssertionFailure() << "forbidden character '" << c << "'";
        }
    }
    if (name.back() == '.' || name.back() == ' ') {
        return testing::AssertionFailure() << "ends in a dot or space";
    }
    const std::string stem = upper(name.substr(0, name.find('.')));
    static const std::set<std::string> reserved{
        "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
        "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    if (reserved.contains(stem))
        return testing::AssertionFailure() << "reserved device name";
    return testing::AssertionSuccess();
}

TEST(BuiltinTexts, EveryKeyTheProgramReadsHasAValue) {
    const TextTable table = loaded_table();
    for (auto list : {std::span<const std::string_view>(kTxtKeys),
                      std::span<const std::string_view>(kNamedEnglishKeys),
                      std::span<const std::string_view>(kConstantKeys)}) {
        for (std::string_view key : list) {
            EXPECT_TRUE(table.contains(key)) << key;
            EXPECT_FALSE(table.find(key).empty()) << key;
        }
    }
    EXPECT_EQ(table.size(), kTxtKeys.size() + kNamedEnglishKeys.size() + kConstantKeys.size());
}

TEST(BuiltinTexts, ListsKeepTheirOrderAndHoldNoUnknownKey) {
    const auto constants = builtin_constants();
    ASSERT_EQ(constants.size(), kConstantKeys.size());
    for (std::size_t i = 0; i < constants.size(); ++i) {
        EXPECT_EQ(constants[i].key, kConstantKeys[i]) << "constant " << i;
    }

    // The named English keys first, then the TXT keys in ascending order; a
    // misspelt key would be a text nobody reads.
    const auto english = builtin_english();
    ASSERT_EQ(english.size(), kNamedEnglishKeys.size() + kTxtKeys.size());
    for (std::size_t i = 0; i < kNamedEnglishKeys.size(); ++i) {
        EXPECT_EQ(english[i].key, kNamedEnglishKeys[i]);
    }
    for (std::size_t i = 0; i < kTxtKeys.size(); ++i) {
        EXPECT_EQ(english[kNamedEnglishKeys.size() + i].key, kTxtKeys[i]);
    }
    EXPECT_TRUE(std::is_sorted(kTxtKeys.begin(), kTxtKeys.end()));
}

TEST(BuiltinTexts, ValuesAreTrimmedSingleLinesOfUtf8) {
    const TextTable table = loaded_table();
    for (auto list : {builtin_constants(), builtin_english()}) {
        for (const auto& entry : list) {
            const std::string value = table.find(entry.key);
            ASSERT_FALSE(value.empty()) << entry.key;
            EXPECT_FALSE(is_space(value.front()) || is_space(value.back()))
                << entry.key << ": \"" << value << '"';
            EXPECT_EQ(value.find_first_of("\r\n\t"), std::string::npos) << entry.key;
            EXPECT_EQ(value.find("  "), std::string::npos) << entry.key;
            EXPECT_TRUE(is_valid_utf8(value)) << entry.key;
        }
    }
}

TEST(BuiltinTexts, EachTextFitsHowItIsShown) {
    const TextTable table = loaded_table();
    for (std::string_view key : kQuestionKeys) {
        EXPECT_EQ(table.find(key).back(), '?') << key;
    }
    for (std::string_view key : kLabelKeys) {
        EXPECT_EQ(table.find(key).back(), ':') << key;
    }
    for (std::string_view key : kSentenceKeys) {
        EXPECT_EQ(table.find(key).back(), '.') << key;
    }
    for (std::string_view key : kCaptionKeys) {
        const std::string value = table.find(key);
        // "&" would underline the next letter of a menu item.
        EXPECT_EQ(value.find('&'), std::string::npos) << key;
        EXPECT_NE(value.back(), '.') << key;
        EXPECT_LE(value.size(), 50u) << key << ": too long for a menu or tooltip";
    }
}

TEST(BuiltinTexts, NamesAreUsableOnDisk) {
    const TextTable table = loaded_table();
    for (std::string_view key : kFileNameKeys) {
        EXPECT_TRUE(is_windows_file_name(table.find(key))) << key << ": " << table.find(key);
    }
    std::set<std::string> seen;
    for (std::string_view key : kDataSubfolderKeys) {
        EXPECT_TRUE(seen.insert(upper(table.find(key))).second)
            << key << " shares its name with another entry of the data folder";
    }
    // The migration renames the predecessor's settings file to this name.
    EXPECT_EQ(table.find("Settings_File"), "Trevalon.prefs");

    const std::string subkey = table.find("Registry_Subkey");
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = subkey.find('\\', start);
        const std::string_view part =
            std::string_view(subkey).substr(start, end == std::string::npos ? end : end - start);
        EXPECT_FALSE(part.empty()) << subkey;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    EXPECT_EQ(subkey.rfind("Software\\", 0), 0u) << subkey;
}

TEST(BuiltinTexts, ProductLineFollowsTheBuildAndAddressesAreHttps) {
    const TextTable table = loaded_table();
    EXPECT_EQ(table.find("Program_Name"), TREVALON_PRODUCT_NAME);
    EXPECT_NE(table.find("Version_Name").find(TREVALON_VERSION), std::string::npos);
    EXPECT_NE(table.find("Copyright_Text").find("Quorvane"), std::string::npos);
    for (std::string_view key : {"Online_Adresse"sv, "Online_MoreTools"sv}) {
        const std::string address = table.find(key);
        EXPECT_EQ(address.rfind("https://", 0), 0u) << key;
        EXPECT_EQ(address.find_first_of(" \"'"), std::string::npos) << key;
    }
}

}  // namespace
}  // namespace trevalon
