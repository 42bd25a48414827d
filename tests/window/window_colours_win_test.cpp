// The window's colours under Wine: the apps theme set in the test's own
// prefix, the setting-change broadcast, the Theme setting and high contrast,
// read back from the controls and from the screen.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry_win.h"
#include "window/button_images_win.h"
#include "window/image_buttons_win.h"
#include "window/picture_contrast.h"
#include "support/screenshot_win.h"
#include "window/window_colours_win.h"
#include "window/window_fixture_win.h"

namespace trevalon {
namespace {

constexpr char kPersonalize[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

class WindowColours : public test::WindowTest {
  protected:
    void TearDown() override {
        if (UniqueKey key = open_registry_key(HKEY_CURRENT_USER, kPersonalize, KEY_SET_VALUE))
            delete_registry_value(key.get(), "AppsUseLightTheme");
        test::WindowTest::TearDown();
    }

    // What the system settings do: the value, then the broadcast.
    static void set_apps_theme(std::uint32_t light) {
        UniqueKey key = create_registry_key(HKEY_CURRENT_USER, kPersonalize);
        ASSERT_TRUE(key);
        ASSERT_TRUE(write_registry_dword(key.get(), "AppsUseLightTheme", light));
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                            reinterpret_cast<LPARAM>(L"ImmersiveColorSet"), SMTO_ABORTIFHUNG, 1000,
                            &answer);
    }

    COLORREF tree_background() const {
        return static_cast<COLORREF>(SendMessageW(app_.window.tree.window(), TVM_GETBKCOLOR, 0, 0));
    }
    COLORREF list_background() const {
        return static_cast<COLORREF>(SendMessageW(app_.window.list.window(), LVM_GETBKCOLOR, 0, 0));
    }

    // The luma of the screen's pixel in the middle of the control's lower
    // right quarter, where no text stands in an empty view.
    int luma_in(HWND control) {
        RedrawWindow(app_.main_window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        test::pump_messages();
        const auto screen = test::capture_screen(control);
        if (!screen)
            return -1;
        const std::size_t at = (static_cast<std::size_t>(screen->height * 3 / 4) * screen->width +
                                static_cast<std::size_t>(screen->width * 7 / 8)) *
                               4;
        return (299 * screen->rgba[at] + 587 * screen->rgba[at + 1] + 114 * screen->rgba[at + 2]) /
               1000;
    }
};

TEST_F(WindowColours, TheAppsThemeTurnsTheWindowDarkAndBackWhileItRuns) {
    ASSERT_EQ(tree_background(), RGB(250, 250, 250));
    set_apps_theme(0);
    // The broadcast is answered at once; a second is the most a user waits.
    EXPECT_TRUE(test::wait_until([&] { return tree_background() == RGB(25, 25, 25); },
                                 std::chrono::milliseconds(1000)));
    EXPECT_EQ(list_background(), RGB(32, 32, 32));
    EXPECT_EQ(SendMessageW(app_.window.tree.window(), TVM_GETTEXTCOLOR, 0, 0),
              static_cast<LRESULT>(RGB(224, 224, 224)));
    EXPECT_EQ(app_.window.palette.kind, PaletteKind::dark);
    EXPECT_EQ(SendMessageW(app_.window.tooltips, TTM_GETTIPBKCOLOR, 0, 0),
              static_cast<LRESULT>(RGB(43, 43, 43)));
    EXPECT_TRUE(test::save_artifact_screenshot(app_.main_window, "dark_window"));
    for (HWND control :
         {app_.window.tree.window(), app_.window.list.window(), app_.window.tree_caption,
          app_.window.search_field, app_.window.search_button})
        EXPECT_LT(luma_in(control), 60) << "a control stayed light";

    set_apps_theme(1);
    EXPECT_TRUE(test::wait_until([&] { return tree_background() == RGB(250, 250, 250); },
                                 std::chrono::milliseconds(1000)));
    EXPECT_EQ(list_background(), RGB(255, 255, 255));
    EXPECT_EQ(SendMessageW(app_.window.tooltips, TTM_GETTIPBKCOLOR, 0, 0),
              static_cast<LRESULT>(GetSysColor(COLOR_INFOBK)));
    EXPECT_GT(luma_in(app_.window.list.window()), 240);
    EXPECT_GT(luma_in(app_.window.tree.window()), 240);
}

// The pictures of both strips and of the bottom row's buttons, as the
// controls hold them now.
std::vector<Image> pictures_shown(const WindowControls& controls) {
    std::vector<Image> pictures;
    for (HWND strip : {controls.upper_toolbar, controls.lower_toolbar}) {
        const auto list = reinterpret_cast<HIMAGELIST>(SendMessageW(strip, TB_GETIMAGELIST, 0, 0));
        for (int i = 0; i < ImageList_GetImageCount(list); ++i) {
            const UniqueIcon icon(ImageList_GetIcon(list, i, ILD_NORMAL));
            if (auto image = image_from_icon(icon.get()))
                pictures.push_back(std::move(*image));
        }
    }
    for (HWND button : {controls.back_button, controls.bookmarks_button, controls.search_button}) {
        if (auto image = image_from_icon(button_picture(button)))
            pictures.push_back(std::move(*image));
    }
    return pictures;
}

// The fully opaque pixels short of the contrast a picture needs.
int faint_pixels(const std::vector<Image>& pictures, Colour face) {
    int faint = 0;
    for (const Image& picture : pictures) {
        for (std::size_t at = 0; at + 3 < picture.rgba.size(); at += 4) {
            const std::uint8_t* pixel = &picture.rgba[at];
            if (pixel[3] == 255 &&
                contrast_ratio(rgb(pixel[0], pixel[1], pixel[2]), face) < kPictureContrast - 0.01)
                ++faint;
        }
    }
    return faint;
}

TEST_F(WindowColours, ThePicturesStandOutOnTheDarkFaceAndComeBackAsDrawn) {
    const std::vector<Image> light = pictures_shown(app_.window);
    ASSERT_GE(light.size(), 20u);
    ASSERT_GT(faint_pixels(light, rgb(43, 43, 43)), 0) << "no picture was faint on the dark face";

    set_apps_theme(0);
    ASSERT_TRUE(test::wait_until([&] { return app_.window.palette.kind == PaletteKind::dark; },
                                 std::chrono::milliseconds(1000)));
    const std::vector<Image> dark = pictures_shown(app_.window);
    ASSERT_EQ(dark.size(), light.size());
    EXPECT_EQ(faint_pixels(dark, app_.window.palette.face), 0);
    EXPECT_TRUE(test::save_artifact_screenshot(app_.main_window, "dark_pictures"));

    set_apps_theme(1);
    ASSERT_TRUE(test::wait_until([&] { return app_.window.palette.kind == PaletteKind::light; },
                                 std::chrono::milliseconds(1000)));
    const std::vector<Image> again = pictures_shown(app_.window);
    ASSERT_EQ(again.size(), light.size());
    for (std::size_t i = 0; i < light.size(); ++i)
        EXPECT_EQ(again[i].rgba, light[i].rgba) << "picture " << i << " not as drawn";
}

TEST_F(WindowColours, ThemeOneStaysLightAndThemeTwoDarkWhateverTheSystemSays) {
    app_.settings.theme = kThemeLight;
    set_apps_theme(0);
    EXPECT_EQ(tree_background(), RGB(250, 250, 250));
    EXPECT_EQ(list_background(), RGB(255, 255, 255));
    EXPECT_GT(luma_in(app_.window.tree.window()), 240);

    app_.settings.theme = kThemeDark;
    set_apps_theme(1);
    EXPECT_EQ(tree_background(), RGB(25, 25, 25));
    EXPECT_LT(luma_in(app_.window.list.window()), 60);
}

TEST_F(WindowColours, HighContrastShowsTheSystemsOwnColours) {
    app_.settings.theme = kThemeDark;
    SystemLook look = read_system_look();
    look.high_contrast = true;
    apply_palette(app_, look);
    HWND tree = app_.window.tree.window();
    HWND list = app_.window.list.window();
    EXPECT_EQ(tree_background(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(tree, TVM_GETTEXTCOLOR, 0, 0)),
              GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(list_background(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0)),
              GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0)),
              GetSysColor(COLOR_WINDOW));
    // The captions on the button face in the window's text colour.
    HDC dc = GetDC(app_.window.tree_caption);
    const LRESULT brush =
        SendMessageW(app_.main_window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(app_.window.tree_caption));
    EXPECT_NE(brush, 0);
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(app_.window.tree_caption, dc);
}

// The system's colours of a high-contrast scheme for the test, and the
// colours of before again afterwards: the prefix is shared by the tests.
class SchemeColours {
  public:
    SchemeColours(COLORREF window, COLORREF text, COLORREF highlight, COLORREF highlight_text) {
        const COLORREF wanted[] = {window, text, highlight, highlight_text,
                                   window, text, window,    text};
        for (std::size_t i = 0; i < std::size(kElements); ++i)
            before_[i] = GetSysColor(kElements[i]);
        SetSysColors(static_cast<int>(std::size(kElements)), kElements, wanted);
    }
    ~SchemeColours() { SetSysColors(static_cast<int>(std::size(kElements)), kElements, before_); }
    SchemeColours(const SchemeColours&) = delete;
    SchemeColours& operator=(const SchemeColours&) = delete;

  private:
    static constexpr INT kElements[] = {COLOR_WINDOW,        COLOR_WINDOWTEXT, COLOR_HIGHLIGHT,
                                        COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE,    COLOR_BTNTEXT,
                                        COLOR_INFOBK,        COLOR_INFOTEXT};
    COLORREF before_[std::size(kElements)]{};
};

TEST_F(WindowColours, HighContrastOnBlackAndOnWhiteUsesTheSchemeAndKeepsThePicturesVisible) {
    struct Scheme {
        COLORREF window, text, highlight, highlight_text;
    };
    for (const Scheme scheme :
         {Scheme{RGB(0, 0, 0), RGB(255, 255, 255), RGB(26, 235, 255), RGB(0, 0, 0)},
          Scheme{RGB(255, 255, 255), RGB(0, 0, 0), RGB(55, 0, 110), RGB(255, 255, 255)}}) {
        const SchemeColours colours(scheme.window, scheme.text, scheme.highlight,
                                    scheme.highlight_text);
        SystemLook look = read_system_look();
        look.high_contrast = true;  // Wine cannot turn it on
        apply_palette(app_, look);
        HWND tree = app_.window.tree.window();
        HWND list = app_.window.list.window();
        EXPECT_EQ(tree_background(), scheme.window);
        EXPECT_EQ(static_cast<COLORREF>(SendMessageW(tree, TVM_GETTEXTCOLOR, 0, 0)), scheme.text);
        EXPECT_EQ(list_background(), scheme.window);
        EXPECT_EQ(static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0)), scheme.text);
        EXPECT_EQ(
            static_cast<COLORREF>(SendMessageW(app_.window.tooltips, TTM_GETTIPBKCOLOR, 0, 0)),
            scheme.window);
        HDC dc = GetDC(app_.window.search_field);
        SendMessageW(app_.main_window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(app_.window.search_field));
        EXPECT_EQ(GetTextColor(dc), scheme.text);
        EXPECT_EQ(GetBkColor(dc), scheme.window);
        ReleaseDC(app_.window.search_field, dc);
        // The selection and the hover row in the scheme's highlight.
        EXPECT_EQ(app_.window.palette.hover_background, scheme.highlight);
        EXPECT_EQ(app_.window.palette.inactive_selection_text, scheme.highlight_text);
        EXPECT_EQ(faint_pixels(pictures_shown(app_.window), scheme.window), 0)
            << "a picture is faint on " << scheme.window;
        EXPECT_LT(luma_in(list) - (scheme.window == 0 ? 0 : 255), 8);
        EXPECT_GT(luma_in(list) - (scheme.window == 0 ? 0 : 255), -8);
    }
}

TEST_F(WindowColours, OnlyColourMessagesChooseAgain) {
    EXPECT_TRUE(is_colour_change(WM_SYSCOLORCHANGE, 0, 0));
    EXPECT_TRUE(is_colour_change(WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0));
    EXPECT_TRUE(
        is_colour_change(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet")));
    EXPECT_FALSE(is_colour_change(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment")));
    EXPECT_FALSE(is_colour_change(WM_SETTINGCHANGE, SPI_SETWORKAREA, 0));
    EXPECT_FALSE(is_colour_change(WM_PAINT, 0, 0));
}

}  // namespace
}  // namespace trevalon
