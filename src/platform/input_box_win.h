// The input box: a small modal dialog that asks for one line of text.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace trevalon {

// The text field's control id (the buttons are IDOK and IDCANCEL).
inline constexpr int kInputBoxEditId = 100;
inline constexpr int kInputBoxPromptId = 101;

// Shows title, prompt and a text field preset to default_text, owned by
// owner (disabled meanwhile), and waits for OK (or Enter) or Cancel (or Esc,
// or the close box). Returns the field's text; empty when cancelled.
std::string run_input_box(HWND owner, std::string_view title, std::string_view prompt,
                          std::string_view default_text);

}  // namespace trevalon
