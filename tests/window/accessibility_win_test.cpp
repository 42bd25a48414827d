// What assistive technology learns of the main window through the system's
// accessibility interfaces (oleacc, loaded as a screen reader loads it): each
// control's name and role, and the number of results as the user types.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/wide_win.h"
#include "texts/text_table.h"
#include "window/image_buttons_win.h"
#include "window/list_views_win.h"
#include "window/main_window_win.h"
#include "window/window_controls_win.h"
#include "window/window_fixture_win.h"
#include "window/window_numbers.h"

namespace trevalon {
namespace {

// {618736E0-3C3D-11CF-810C-00AA00389B71}
constexpr IID kAccessibleId{
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct Described {
    bool found = false;
    std::string name;
    long role = 0;
};

class Accessibility : public test::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        oleacc_ = LoadLibraryW(L"oleacc.dll");
        ASSERT_TRUE(oleacc_);
        from_window_ = reinterpret_cast<FromWindow>(
            reinterpret_cast<void*>(GetProcAddress(oleacc_, "AccessibleObjectFromWindow")));
        ASSERT_TRUE(from_window_);
    }
    void TearDown() override {
        if (oleacc_)
            FreeLibrary(oleacc_);
        CoUninitialize();
        WindowTest::TearDown();
    }

    // The control's own object: its name and role as a reader hears them.
    Described describe(HWND window) const {
        Described described;
        IAccessible* object = nullptr;
        if (FAILED(from_window_(window, static_cast<DWORD>(OBJID_CLIENT), kAccessibleId,
                                reinterpret_cast<void**>(&object))) ||
            !object)
            return described;
        described.found = true;
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        if (object->get_accName(self, &name) == S_OK && name) {
            described.name = wide_to_utf8(std::wstring(name, SysStringLen(name)));
            SysFreeString(name);
        }
        VARIANT role{};
        if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4)
            described.role = role.lVal;
        object->Release();
        return described;
    }

  private:
    using FromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    HMODULE oleacc_ = nullptr;
    FromWindow from_window_ = nullptr;
};

TEST_F(Accessibility, EveryImageButtonIsAPushButtonNamedByItsTooltip) {
    for (const ImageButton& button : kImageButtons) {
        HWND control = app_.window.control(button.control);
        const Described described = describe(control);
        ASSERT_TRUE(described.found) << button.control;
        // A push button by its class; Wine's proxy gives every control the
        // client role, the system's gives a button's.
        EXPECT_TRUE(described.role == ROLE_SYSTEM_PUSHBUTTON ||
                    described.role == ROLE_SYSTEM_CLIENT)
            << described.role;
        wchar_t window_class[32] = {};
        GetClassNameW(control, window_class, 32);
        EXPECT_EQ(std::wstring(window_class), L"Button");
        EXPECT_FALSE(described.name.empty()) << button.control;
        EXPECT_EQ(described.name.rfind(text(button.tooltip_key), 0), 0u) << described.name;
        // Reachable by Tab, unlike a picture.
        EXPECT_TRUE(GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP) << button.control;
    }
    EXPECT_EQ(describe(app_.window.bookmarks_button).name, text("TXT00131") + " (Ctrl+5)");
}

TEST_F(Accessibility, TheListIsNamedByWhatItShowsAndHowManyResults) {
    make_fixture_menu();
    show_menu(app_, app_.folders.own_menu, "My Menu");
    const Described folder = describe(app_.window.list.window());
    ASSERT_TRUE(folder.found);
    EXPECT_TRUE(folder.role == ROLE_SYSTEM_LIST || folder.role == ROLE_SYSTEM_CLIENT)
        << folder.role;
    EXPECT_EQ(folder.name, window_text(app_.window.list_caption));
    EXPECT_FALSE(folder.name.empty());
}

TEST_F(Accessibility, TheSearchFieldIsNamedByItsPurposeWhateverItHolds) {
    const std::string name = text(kSearchFieldNameKey);
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(describe(app_.window.search_field).name, name);
    set_window_text(app_.window.search_field, "calc");
    const Described typed = describe(app_.window.search_field);
    EXPECT_EQ(typed.name, name);
    // The rest is the system's: an editable text.
    EXPECT_TRUE(typed.role == ROLE_SYSTEM_TEXT || typed.role == ROLE_SYSTEM_CLIENT) << typed.role;
}

TEST_F(Accessibility, TheSearchFieldShowsItsGreyHintWhileEmpty) {
    wchar_t hint[100] = {};
    ASSERT_TRUE(SendMessageW(app_.window.search_field, EM_GETCUEBANNER,
                             reinterpret_cast<WPARAM>(hint), 100));
    EXPECT_EQ(wide_to_utf8(hint), text(kSearchFieldHintKey));
    EXPECT_FALSE(text(kSearchFieldHintKey).empty());
}

}  // namespace
}  // namespace trevalon
