// The settings file and the launch counts survive the program being killed
// in the middle of a save: a second process saves in a loop and is ended at
// random points of many save cycles; after every end the file must be the
// complete old or the complete new version, never empty, partial or mixed.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <string>

#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "settings/settings.h"
#include "support/launch_counts_versions.h"
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

// Runs the saver (`mode`: "" for the settings, "counts" for the launch
// counts) and ends it at random points until `cycles` saves ran. After every
// end `check(content, kill)` looks at what the file holds. Returns how often
// the content changed from one end to the next.
int kill_while_saving(const std::string& mode, const std::string& file, long cycles,
                      const std::function<void(const std::string&, int)>& check) {
    const std::wstring mapping_name = L"TrevalonSaveCrash" + std::to_wstring(GetCurrentProcessId());
    UniqueHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096,
                                            mapping_name.c_str()));
    EXPECT_TRUE(mapping);
    auto* counter = static_cast<volatile LONG*>(
        MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
    EXPECT_TRUE(counter);
    if (!counter)
        return 0;

    const unsigned seed = static_cast<unsigned>(GetTickCount64());
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> cycles_before(0, kMostCyclesPerRun);
    std::uniform_int_distribution<int> extra_wait(0, kLongestExtraWaitUs);

    long total = 0;
    int kills = 0, changes = 0;
    std::optional<std::string> last = read_file(file);
    const std::string arguments = (mode.empty() ? "" : mode + " ") + "\"" + file + "\" " +
                                  std::string(mapping_name.begin(), mapping_name.end());
    while (total < cycles && !testing::Test::HasFatalFailure()) {
        *counter = 0;
        const test::ChildProcess saver =
            test::start_process(test::build_tree_path(TREVALON_SETTINGS_SAVER_PATH), arguments);
        EXPECT_TRUE(saver.process);
        if (!saver.process)
            break;
        const long target = cycles_before(random);
        EXPECT_TRUE(test::wait_until(
            [&] {
                return *counter >= target ||
                       saver.wait(std::chrono::milliseconds(0)) != STILL_ACTIVE;
            },
            std::chrono::seconds(60)));
        EXPECT_EQ(saver.wait(std::chrono::milliseconds(0)), STILL_ACTIVE)
            << "the saver ended by itself";
        wait_microseconds(extra_wait(random));
        TerminateProcess(saver.process.get(), 9);
        EXPECT_EQ(saver.wait(std::chrono::seconds(10)), 9u);
        total += *counter;
        ++kills;
        const std::optional<std::string> content = read_file(file);
        EXPECT_TRUE(content) << "after kill " << kills;
        if (!content)
            break;
        check(*content, kills);
        if (content != last)
            ++changes;
        last = content;
    }
    std::printf("crash safety%s%s: %ld save cycles, %d kills, seed %u\n",
                mode.empty() ? "" : " of the ", mode.c_str(), total, kills, seed);
    return changes;
}

TEST(SettingsCrashSafety, KilledAtRandomPointsOfAThousandSavesTheFileIsAlwaysWholeOldOrNew) {
    const test::TempDir dir;
    const std::string file = dir.str() + "Trevalon.prefs";
    const Settings versions[2] = {test::old_settings_version(), test::new_settings_version()};
    const std::string texts[2] = {format_settings(versions[0]), format_settings(versions[1])};
    ASSERT_TRUE(write_file_atomically(file, texts[0]));
    const int changes =
        kill_while_saving("", file, kSaveCycles, [&](const std::string& content, int kill) {
            const bool old_version = content == texts[0];
            const bool new_version = content == texts[1];
            ASSERT_TRUE(old_version || new_version)
                << "after kill " << kill << " the file holds " << content.size() << " bytes:\n"
                << content;
            EXPECT_EQ(parse_settings(content, "X:\\"), versions[new_version ? 1 : 0]);
        });
    // The kills left both versions at times: saves really ran between them.
    EXPECT_GT(changes, 0);
}

// The launch counts likewise: after every kill the file reads as the whole
// old or the whole new record, never as a damaged (and so empty) one.
TEST(SettingsCrashSafety, KilledWhileSavingTheLaunchCountsTheFileIsAlwaysWholeOldOrNew) {
    const test::TempDir dir;
    const std::string file = dir.str() + "Launch Counts.txt";
    const std::string texts[2] = {test::old_launch_counts().format(),
                                  test::new_launch_counts().format()};
    ASSERT_NE(texts[0].size(), texts[1].size());
    ASSERT_TRUE(write_file_atomically(file, texts[0]));
    const int changes = kill_while_saving(
        "counts", file, kSaveCycles / 2, [&](const std::string& content, int kill) {
            ASSERT_TRUE(content == texts[0] || content == texts[1])
                << "after kill " << kill << " the file holds " << content.size() << " bytes";
            EXPECT_EQ(LaunchUsage::parse(content).format(), content);
        });
    EXPECT_GT(changes, 0);
}

}  // namespace
}  // namespace trevalon
