// settings_saver.exe: saves the settings in a loop for the crash-safety
// harness, which ends it at random points.
//
//   settings_saver FILE MAPPING
//
// Alternates between the old and the new test version of the settings,
// saving each with the program's own save. After every complete save it adds
// 1 to the counter at the start of the named shared memory, so the harness
// knows how many cycles ran. Runs until it is ended.
#include <windows.h>
#include <shellapi.h>

#include "platform/handles_win.h"
#include "platform/settings_store_win.h"
#include "platform/wide_win.h"
#include "support/settings_versions.h"

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 3)
        return 2;
    trevalon::UniqueHandle mapping(OpenFileMappingW(FILE_MAP_WRITE, FALSE, argv[2]));
    if (!mapping)
        return 3;
    auto* counter = static_cast<volatile LONG*>(
        MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
    if (!counter)
        return 3;
    // No registry key and no autostart name: only the file is written.
    trevalon::SettingsTargets targets;
    targets.settings_file = trevalon::wide_to_utf8(argv[1]);
    const trevalon::Settings versions[2] = {trevalon::test::old_settings_version(),
                                            trevalon::test::new_settings_version()};
    for (unsigned cycle = 1;; ++cycle) {
        trevalon::save_settings_to(versions[cycle % 2], targets, {});
        InterlockedIncrement(counter);
    }
}
