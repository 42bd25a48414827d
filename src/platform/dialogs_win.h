// Message boxes and input boxes behind an interface, so that tests script the
// answers and nothing ever waits for a person.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace trevalon {

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // Shows `text` with `caption`; `type` holds the MB_* button and icon flags.
    // Returns the button chosen: IDOK, IDYES, IDNO, IDCANCEL, ...
    virtual int message_box(std::string_view text, std::string_view caption, UINT type) = 0;

    // Asks for one line of text. Returns what was typed, empty on cancel.
    virtual std::string input_box(std::string_view title, std::string_view prompt,
                                  std::string_view default_text) = 0;

    // The system's folder chooser titled `title`, opened at `start_folder`
    // and owned by `owner` (null: the boxes' owner). Returns the chosen
    // folder, empty when cancelled. Answers as cancelled unless overridden.
    virtual std::string choose_folder(std::string_view title, std::string_view start_folder,
                                      HWND owner);

    // The system's short sound for `type` (an MB_ICON* flag), where a peer
    // stays quiet rather than open a box. Test doubles count it.
    virtual void beep(UINT type);

    // The window the boxes belong to from now on (the main window once it
    // exists); test doubles ignore it.
    virtual void set_owner(HWND) {}
};

// The real boxes, owned by the given window (none: no owner). While one is
// up, a busy frame is lifted: the user answers with the arrow, not the wait
// cursor, and the window behind draws.
class SystemDialogs final : public Dialogs {
  public:
    void set_owner(HWND owner) override { owner_ = owner; }

    int message_box(std::string_view text, std::string_view caption, UINT type) override;
    // A modal box owned by the owner window; empty when cancelled.
    std::string input_box(std::string_view title, std::string_view prompt,
                          std::string_view default_text) override;
    // The shell's folder browser, limited to file-system folders.
    std::string choose_folder(std::string_view title, std::string_view start_folder,
                              HWND owner) override;

  private:
    HWND owner_ = nullptr;
};

}  // namespace trevalon
