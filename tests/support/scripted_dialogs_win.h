// A Dialogs double: answers from a queue the test fills, every call recorded.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs_win.h"

namespace trevalon::test {

struct DialogCall {
    bool input = false;  // an input box; otherwise a message box
    std::string text;    // message text, or the input box's prompt
    std::string caption;
    UINT type = 0;
    std::string default_text;  // the input box's text, or the folder chooser's start
    bool folder_chooser = false;
};

class ScriptedDialogs final : public Dialogs {
  public:
    void answer_message(int button) { message_answers_.push_back(button); }
    void answer_input(std::string text) { input_answers_.push_back(std::move(text)); }
    void answer_folder(std::string folder) { folder_answers_.push_back(std::move(folder)); }

    const std::vector<DialogCall>& calls() const { return calls_; }
    // The beeps asked for, by their MB_ICON* type, none of them sounded.
    const std::vector<UINT>& beeps() const { return beeps_; }

    // The next queued answer; without one, OK for a box that has only OK and
    // the cautious answer (No, Cancel) otherwise.
    int message_box(std::string_view text, std::string_view caption, UINT type) override;
    // The next queued text; without one, empty (cancelled).
    std::string input_box(std::string_view title, std::string_view prompt,
                          std::string_view default_text) override;
    // The next queued folder; without one, empty (cancelled).
    std::string choose_folder(std::string_view title, std::string_view start_folder,
                              HWND owner) override;
    void beep(UINT type) override { beeps_.push_back(type); }

  private:
    std::deque<int> message_answers_;
    std::deque<std::string> input_answers_;
    std::deque<std::string> folder_answers_;
    std::vector<DialogCall> calls_;
    std::vector<UINT> beeps_;
};

}  // namespace trevalon::test
