#include "settings/hotkey.h"

#include <gtest/gtest.h>

namespace trevalon {
namespace {

Hotkey parsed(std::string_view text) {
    Hotkey hotkey{-1, 99};
    EXPECT_TRUE(parse_hotkey(text, hotkey)) << text;
    return hotkey;
}

bool refused(std::string_view text) {
    Hotkey hotkey{'Q', kHotkeyAlt};
    const bool read = parse_hotkey(text, hotkey);
    // A refused text leaves what the caller had.
    EXPECT_EQ(hotkey, (Hotkey{'Q', kHotkeyAlt})) << text;
    return !read;
}

TEST(Hotkey, TheDefaultIsCtrlAltSpace) {
    EXPECT_EQ(format_hotkey(kDefaultHotkey), kDefaultHotkeyText);
    EXPECT_EQ(parsed(kDefaultHotkeyText), kDefaultHotkey);
}

TEST(Hotkey, EveryKindOfKeyIsWrittenAndReadBack) {
    const Hotkey keys[] = {
        {'K', kHotkeyCtrl | kHotkeyShift},
        {'7', kHotkeyAlt},
        {0x7B, kHotkeyWin | kHotkeyShift},
        {0x87, kHotkeyCtrl},  // F24
        {0x6B, kHotkeyCtrl | kHotkeyAlt},
        {0x63, kHotkeyAlt},  // Num+, Num3
        {0xBB, kHotkeyCtrl | kHotkeyAlt | kHotkeyWin},
        {0x2E, kHotkeyShift},
        {0x79, 0},
    };
    for (const Hotkey& hotkey : keys) {
        const std::string text = format_hotkey(hotkey);
        EXPECT_EQ(parsed(text), hotkey) << text;
    }
    EXPECT_EQ(format_hotkey({'K', kHotkeyWin | kHotkeyShift | kHotkeyAlt | kHotkeyCtrl}),
              "Ctrl+Alt+Shift+Win+K");
    EXPECT_EQ(format_hotkey({0xBB, kHotkeyCtrl}), "Ctrl+#187");
    EXPECT_EQ(format_hotkey({0x6B, kHotkeyCtrl}), "Ctrl+Num+");
    EXPECT_EQ(format_hotkey({}), "");
}

TEST(Hotkey, ReadsHandEditedSpellings) {
    EXPECT_EQ(parsed(" control + alt + space "), kDefaultHotkey);
    EXPECT_EQ(parsed("windows+x"), (Hotkey{'X', kHotkeyWin}));
    EXPECT_EQ(parsed("SHIFT+f5"), (Hotkey{0x74, kHotkeyShift}));
    EXPECT_EQ(parsed("Alt+Num+"), (Hotkey{0x6B, kHotkeyAlt}));
    EXPECT_TRUE(parsed("").none());
    EXPECT_TRUE(parsed("   ").none());
}

TEST(Hotkey, RefusesWhatNamesNoSingleKey) {
    for (const std::string_view text :
         {"Ctrl+", "Ctrl+Alt", "Ctrl+Ctrl+K", "Hyper+K", "Ctrl+F25", "Ctrl+F0", "Ctrl+#0",
          "Ctrl+#255", "Ctrl+#16", "Ctrl+#91", "K+Ctrl", "+", "Ctrl++K", "Ctrl+Spacebar"})
        EXPECT_TRUE(refused(text)) << text;
}

TEST(Hotkey, TheSettingFallsBackToTheDefaultOnlyWhenDamaged) {
    EXPECT_EQ(hotkey_setting("Shift+F9"), (Hotkey{0x78, kHotkeyShift}));
    EXPECT_TRUE(hotkey_setting("").none());
    EXPECT_EQ(hotkey_setting("Ctrl+Alt"), kDefaultHotkey);
}

TEST(Hotkey, TheFieldKeepsAWindowsKeyItCannotShow) {
    const Hotkey with_win{'K', kHotkeyWin | kHotkeyCtrl};
    // Unchanged in the field (shown without Win): the setting stays whole.
    EXPECT_EQ(hotkey_from_field({'K', kHotkeyCtrl}, with_win), with_win);
    // Changed, or cleared: what the field holds.
    EXPECT_EQ(hotkey_from_field({'J', kHotkeyCtrl}, with_win), (Hotkey{'J', kHotkeyCtrl}));
    EXPECT_TRUE(hotkey_from_field({}, with_win).none());
    EXPECT_EQ(hotkey_from_field(kDefaultHotkey, kDefaultHotkey), kDefaultHotkey);
}

}  // namespace
}  // namespace trevalon
