#include "support/scripted_dialogs_win.h"

namespace trevalon::test {
namespace {

int cautious_answer(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OK:
            return IDOK;
        case MB_YESNO:
            return IDNO;
        default:
            return IDCANCEL;
    }
}

}  // namespace

int ScriptedDialogs::message_box(std::string_view text, std::string_view caption, UINT type) {
    calls_.push_back(DialogCall{false, std::string(text), std::string(caption), type, {}});
    if (message_answers_.empty())
        return cautious_answer(type);
    const int answer = message_answers_.front();
    message_answers_.pop_front();
    return answer;
}

std::string ScriptedDialogs::input_box(std::string_view title, std::string_view prompt,
                                       std::string_view default_text) {
    calls_.push_back(
        DialogCall{true, std::string(prompt), std::string(title), 0, std::string(default_text)});
    if (input_answers_.empty())
        return {};
    std::string answer = std::move(input_answers_.front());
    input_answers_.pop_front();
    return answer;
}

std::string ScriptedDialogs::choose_folder(std::string_view title, std::string_view start_folder,
                                           HWND) {
    calls_.push_back(DialogCall{false, {}, std::string(title), 0, std::string(start_folder), true});
    if (folder_answers_.empty())
        return {};
    std::string answer = std::move(folder_answers_.front());
    folder_answers_.pop_front();
    return answer;
}

}  // namespace trevalon::test
