#include "platform/input_box_win.h"

#include <cstdint>
#include <vector>

#include "platform/wide_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

// A dialog template built in memory, so the box needs no resource script.
// Sizes are dialog units.
class DialogTemplate {
  public:
    DialogTemplate(DWORD style, std::wstring_view title, int items, short width, short height) {
        add_dword(style);
        add_dword(0);  // extended style
        words_.push_back(static_cast<WORD>(items));
        for (short value : {short{0}, short{0}, width, height})
            words_.push_back(static_cast<WORD>(value));
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the standard dialog class
        add_text(title);
        words_.push_back(8);  // font size (DS_SETFONT)
        add_text(L"MS Shell Dlg");
    }

    // class_atom: 0x0080 button, 0x0081 edit, 0x0082 static.
    void add_item(DWORD style, short x, short y, short width, short height, WORD id,
                  WORD class_atom, std::wstring_view text) {
        if (words_.size() % 2 != 0)
            words_.push_back(0);  // items start on a DWORD boundary
        add_dword(style | WS_CHILD | WS_VISIBLE);
        add_dword(0);
        for (short value : {x, y, width, height})
            words_.push_back(static_cast<WORD>(value));
        words_.push_back(id);
        words_.push_back(0xFFFF);
        words_.push_back(class_atom);
        add_text(text);
        words_.push_back(0);  // no creation data
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void add_dword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void add_text(std::wstring_view text) {
        words_.insert(words_.end(), text.begin(), text.end());
        words_.push_back(0);
    }

    std::vector<WORD> words_;
};

struct InputBoxState {
    std::wstring text;
};

std::wstring window_text(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

INT_PTR CALLBACK input_box_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lparam);
            const auto* state = reinterpret_cast<const InputBoxState*>(lparam);
            HWND edit = GetDlgItem(dialog, kInputBoxEditId);
            SetWindowTextW(edit, state->text.c_str());
            SendMessageW(edit, EM_SETSEL, 0, -1);
            SetFocus(edit);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) {
                auto* state =
                    reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
                state->text = window_text(GetDlgItem(dialog, kInputBoxEditId));
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wparam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

std::string run_input_box(HWND owner, std::string_view title, std::string_view prompt,
                          std::string_view default_text) {
    constexpr short kWidth = 240;
    constexpr short kHeight = 82;
    DialogTemplate dialog(
        DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
        utf8_to_wide(title), 4, kWidth, kHeight);
    dialog.add_item(SS_LEFT | SS_NOPREFIX, 7, 7, kWidth - 14, 26, kInputBoxPromptId, 0x0082,
                    utf8_to_wide(prompt));
    dialog.add_item(ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 36, kWidth - 14, 14,
                    kInputBoxEditId, 0x0081, L"");
    dialog.add_item(BS_DEFPUSHBUTTON | WS_TABSTOP, kWidth - 7 - 50 - 4 - 50, 60, 50, 14, IDOK,
                    0x0080, utf8_to_wide(text("Input_OK")));
    dialog.add_item(BS_PUSHBUTTON | WS_TABSTOP, kWidth - 7 - 50, 60, 50, 14, IDCANCEL, 0x0080,
                    utf8_to_wide(text("Input_Cancel")));

    InputBoxState state{utf8_to_wide(default_text)};
    const INT_PTR answer =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.get(), owner, input_box_proc,
                                reinterpret_cast<LPARAM>(&state));
    return answer == IDOK ? wide_to_utf8(state.text) : std::string();
}

}  // namespace trevalon
