// settings_saver.exe: saves the settings (or the launch counts) in a loop for
// the crash-safety harness, which ends it at random points.
//
//   settings_saver FILE MAPPING
//   settings_saver counts FILE MAPPING
//
// Alternates between the old and the new test version of the settings (of
// the launch counts), saving each as the program saves it. After every
// complete save it adds 1 to the counter at the start of the named shared
// memory, so the harness knows how many cycles ran. Runs until it is ended.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/settings_store_win.h"
#include "platform/wide_win.h"
#include "support/launch_counts_versions.h"
#include "support/settings_versions.h"

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const bool counts = argv && argc == 4 && std::wstring(argv[1]) == L"counts";
    if (!argv || argc != (counts ? 4 : 3))
        return 2;
    const std::string file = trevalon::wide_to_utf8(argv[counts ? 2 : 1]);
    trevalon::UniqueHandle mapping(OpenFileMappingW(FILE_MAP_WRITE, FALSE, argv[counts ? 3 : 2]));
    if (!mapping)
        return 3;
    auto* counter = static_cast<volatile LONG*>(
        MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
    if (!counter)
        return 3;
    if (counts) {
        const std::string versions[2] = {trevalon::test::old_launch_counts().format(),
                                         trevalon::test::new_launch_counts().format()};
        for (unsigned cycle = 1;; ++cycle) {
            trevalon::write_file_atomically(file, versions[cycle % 2]);
            InterlockedIncrement(counter);
        }
    }
    // No registry key and no autostart name: only the file is written.
    trevalon::SettingsTargets targets;
    targets.settings_file = file;
    const trevalon::Settings versions[2] = {trevalon::test::old_settings_version(),
                                            trevalon::test::new_settings_version()};
    for (unsigned cycle = 1;; ++cycle) {
        trevalon::save_settings_to(versions[cycle % 2], targets, {});
        InterlockedIncrement(counter);
    }
}
