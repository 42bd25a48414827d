// The settings file survives the program being killed in the middle of a
// save: a second process saves in a loop and is ended at random points of a
// thousand save cycles; after every end the file must be the complete old or
// the complete new version, never empty, partial or mixed.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "settings/settings.h"
#include "support/process_win.h"
#include "support/settings_versions.h"
#include "support/temp_dir.h"
#include "support/wait_win.h"

namespace trevalon {
namespace {

constexpr long kSaveCycles = 1000;
constexpr int kMostCyclesPerRun = 40;
constexpr int kLongestExtraWaitUs = 3000;

void wait_microseconds(int microseconds) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const LONGLONG ticks = frequency.QuadPart * microseconds / 1000000;
    do {
        QueryPerformanceCounter(&now);
    } while (now.QuadPart - start.QuadPart < ticks);
}

TEST(SettingsCrashSafety, KilledAtRandomPointsOfAThousandSavesTheFileIsAlwaysWholeOldOrNew) {
    const test::TempDir dir;
    const std::string file = dir.str() + "Trevalon.prefs";
    const Settings versions[2] = {test::old_settings_version(), test::new_settings_version()};
    const std::string texts[2] = {format_settings(versions[0]), format_settings(versions[1])};
    ASSERT_TRUE(write_file_atomically(file, texts[0]));

    const std::wstring mapping_name =
        L"TrevalonSettingsCrash" + std::to_wstring(GetCurrentProcessId());
    UniqueHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096,
                                            mapping_name.c_str()));
    ASSERT_TRUE(mapping);
    auto* counter = static_cast<volatile LONG*>(
        MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
    ASSERT_TRUE(counter);

    const unsigned seed = static_cast<unsigned>(GetTickCount64());
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> cycles_before(0, kMostCyclesPerRun);
    std::uniform_int_distribution<int> extra_wait(0, kLongestExtraWaitUs);

    long total = 0;
    int kills = 0, version_changes = 0;
    std::string last = texts[0];
    const std::string arguments =
        "\"" + file + "\" " + std::string(mapping_name.begin(), mapping_name.end());
    while (total < kSaveCycles) {
        *counter = 0;
        const test::ChildProcess saver =
            test::start_process(test::build_tree_path(TREVALON_SETTINGS_SAVER_PATH), arguments);
        ASSERT_TRUE(saver.process);
        const long target = cycles_before(random);
        ASSERT_TRUE(test::wait_until(
            [&] {
                return *counter >= target ||
                       saver.wait(std::chrono::milliseconds(0)) != STILL_ACTIVE;
            },
            std::chrono::seconds(60)));
        ASSERT_EQ(saver.wait(std::chrono::milliseconds(0)), STILL_ACTIVE)
            << "the saver ended by itself";
        wait_microseconds(extra_wait(random));
        TerminateProcess(saver.process.get(), 9);
        ASSERT_EQ(saver.wait(std::chrono::seconds(10)), 9u);
        total += *counter;
        ++kills;

        const auto content = read_file(file);
        ASSERT_TRUE(content) << "after kill " << kills;
        const bool old_version = *content == texts[0];
        const bool new_version = *content == texts[1];
        ASSERT_TRUE(old_version || new_version)
            << "after kill " << kills << " the file holds " << content->size() << " bytes:\n"
            << *content;
        const Settings read = parse_settings(*content, "X:\\");
        EXPECT_EQ(read, versions[new_version ? 1 : 0]);
        if (*content != last)
            ++version_changes;
        last = *content;
    }
    RecordProperty("kills", kills);
    RecordProperty("save_cycles", static_cast<int>(total));
    // The kills left both versions at times: saves really ran between them.
    EXPECT_GT(version_changes, 0);
    std::printf("settings crash safety: %ld save cycles, %d kills, seed %u\n", total, kills, seed);
}

}  // namespace
}  // namespace trevalon
