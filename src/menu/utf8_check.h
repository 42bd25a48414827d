// The test applied to downloaded page titles before they are read as UTF-8.
#pragma once

namespace trevalon {

// True when the zero-terminated bytes have the structure of UTF-8: each lead
// byte announces as many continuation bytes as follow it. Only the structure
// is checked (overlong forms and surrogates pass). Never reads past the
// terminating zero, which is not a continuation byte.
bool check_utf8(const char* text);

}  // namespace trevalon
