// The benchmark programs' command line as UTF-8 arguments, the program's own
// path first.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/wide_win.h"

namespace trevalon::bench {

inline std::vector<std::string> utf8_arguments() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; wide && i < count; ++i)
        arguments.push_back(wide_to_utf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

}  // namespace trevalon::bench
