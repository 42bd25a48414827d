// The real input box, answered from a second thread the way a person would:
// typing into the field, pressing Enter or Esc, clicking the buttons.
#include "platform/input_box_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "platform/wide_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

// Finds the box by its title, lets act answer it, and notes what it saw.
class Answerer {
  public:
    Answerer(std::wstring title, std::function<void(HWND)> act)
        : thread_([this, title = std::move(title), act = std::move(act)] {
              const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
              while (std::chrono::steady_clock::now() < limit) {
                  HWND box = FindWindowW(L"#32770", title.c_str());
                  if (box && IsWindowVisible(box)) {
                      found_ = box;
                      owner_ = GetWindow(box, GW_OWNER);
                      wchar_t text[200] = {};
                      GetDlgItemTextW(box, kInputBoxEditId, text, 200);
                      preset_ = text;
                      GetDlgItemTextW(box, kInputBoxPromptId, text, 200);
                      prompt_ = text;
                      act(box);
                      return;
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
              // Nobody found it: close whatever is there so the test cannot hang.
              if (HWND box = FindWindowW(L"#32770", nullptr))
                  PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
          }) {}
    ~Answerer() {
        if (thread_.joinable())
            thread_.join();
    }

    HWND found() {
        if (thread_.joinable())
            thread_.join();
        return found_;
    }
    HWND owner_ = nullptr;
    std::wstring preset_;
    std::wstring prompt_;

  private:
    HWND found_ = nullptr;
    std::thread thread_;
};

void type_into_field(HWND box, const std::wstring& text) {
    SendMessageW(GetDlgItem(box, kInputBoxEditId), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void press_key(HWND box, WPARAM key) {
    HWND field = GetDlgItem(box, kInputBoxEditId);
    PostMessageW(field, WM_KEYDOWN, key, 0);
    PostMessageW(field, WM_KEYUP, key, 0xC0000000);
}

class InputBox : public testing::Test {
  protected:
    void SetUp() override {
        if (!texts().contains("Program_Name"))
            load_builtin_texts(texts());
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 200, 100, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }
    HWND owner_ = nullptr;
};

TEST_F(InputBox, EnterTakesTheTypedTextInUtf8AndTheOwnerIsTheGivenWindow) {
    Answerer answer(L"Neuer Ordner ✓", [](HWND box) {
        type_into_field(box, L"Übersicht ✓ 文件");
        press_key(box, VK_RETURN);
    });
    const std::string typed =
        run_input_box(owner_, "Neuer Ordner ✓", "Name des Ordners:", "Vorgabe");
    ASSERT_NE(answer.found(), nullptr);
    EXPECT_EQ(typed, "Übersicht ✓ 文件");
    EXPECT_EQ(answer.owner_, owner_);
    EXPECT_EQ(answer.preset_, L"Vorgabe");
    EXPECT_EQ(answer.prompt_, L"Name des Ordners:");
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(InputBox, TheOkButtonTakesTheDefaultTextAsItStands) {
    Answerer answer(L"Rename", [](HWND box) {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    });
    EXPECT_EQ(run_input_box(owner_, "Rename", "New name:", "Editor"), "Editor");
    EXPECT_NE(answer.found(), nullptr);
}

TEST_F(InputBox, EscAndCancelGiveTheEmptyText) {
    {
        Answerer answer(L"Esc", [](HWND box) {
            type_into_field(box, L"typed");
            press_key(box, VK_ESCAPE);
        });
        EXPECT_EQ(run_input_box(owner_, "Esc", "Prompt:", "preset"), "");
        EXPECT_NE(answer.found(), nullptr);
    }
    {
        Answerer answer(L"Cancel", [](HWND box) {
            type_into_field(box, L"typed");
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, IDCANCEL)));
        });
        EXPECT_EQ(run_input_box(owner_, "Cancel", "Prompt:", "preset"), "");
        EXPECT_NE(answer.found(), nullptr);
    }
}

TEST_F(InputBox, TheButtonsAreLabelledFromTheTextTable) {
    std::wstring ok, cancel;
    Answerer answer(L"Labels", [&](HWND box) {
        wchar_t label[50] = {};
        GetDlgItemTextW(box, IDOK, label, 50);
        ok = label;
        GetDlgItemTextW(box, IDCANCEL, label, 50);
        cancel = label;
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    run_input_box(owner_, "Labels", "Prompt:", "");
    ASSERT_NE(answer.found(), nullptr);
    EXPECT_EQ(ok, utf8_to_wide(text("Input_OK")));
    EXPECT_EQ(cancel, utf8_to_wide(text("Input_Cancel")));
}

}  // namespace
}  // namespace trevalon
