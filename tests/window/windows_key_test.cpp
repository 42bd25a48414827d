// The Windows key alone against sequences of key events as a low-level hook
// sees them.
#include "window/windows_key.h"

#include <gtest/gtest.h>

#include <vector>

namespace trevalon {
namespace {

constexpr int kWin = kLeftWindowsKey;
constexpr int kShift = 0x10;
constexpr int kE = 'E';

struct KeyEvent {
    int key;
    bool down;
    bool injected = false;
};

// How often the sequence opens the program, checking that every opening
// also masks the release and nothing else is ever held back.
int openings(const std::vector<KeyEvent>& events, WindowsKeyAlone& decider) {
    int opened = 0;
    for (const KeyEvent& event : events) {
        const WindowsKeyDecision decision = decider.on_key(event.key, event.down, event.injected);
        EXPECT_EQ(decision.mask, decision.open);
        if (decision.open) {
            EXPECT_TRUE(event.key == kLeftWindowsKey || event.key == kRightWindowsKey);
            EXPECT_FALSE(event.down);
            ++opened;
        }
    }
    return opened;
}

int openings(const std::vector<KeyEvent>& events) {
    WindowsKeyAlone decider;
    return openings(events, decider);
}

TEST(WindowsKeyAlone, APressAndReleaseAloneOpensOnRelease) {
    EXPECT_EQ(openings({{kWin, true}, {kWin, false}}), 1);
    EXPECT_EQ(openings({{kRightWindowsKey, true}, {kRightWindowsKey, false}}), 1);
    // Held with auto-repeat, still alone.
    EXPECT_EQ(openings({{kWin, true}, {kWin, true}, {kWin, true}, {kWin, false}}), 1);
    // Twice in a row: twice.
    EXPECT_EQ(openings({{kWin, true}, {kWin, false}, {kWin, true}, {kWin, false}}), 2);
}

TEST(WindowsKeyAlone, CombinationsStayTheSystems) {
    // Win+E, in either release order.
    EXPECT_EQ(openings({{kWin, true}, {kE, true}, {kE, false}, {kWin, false}}), 0);
    EXPECT_EQ(openings({{kWin, true}, {kE, true}, {kWin, false}, {kE, false}}), 0);
    // Shift held first, then the Windows key.
    EXPECT_EQ(openings({{kShift, true}, {kWin, true}, {kWin, false}, {kShift, false}}), 0);
    // A combination does not spoil the next press alone.
    EXPECT_EQ(
        openings(
            {{kWin, true}, {kE, true}, {kE, false}, {kWin, false}, {kWin, true}, {kWin, false}}),
        1);
    // Both Windows keys together: a combination.
    EXPECT_EQ(
        openings(
            {{kWin, true}, {kRightWindowsKey, true}, {kRightWindowsKey, false}, {kWin, false}}),
        0);
}

TEST(WindowsKeyAlone, InjectedKeysNeitherCountNorOpen) {
    // The mask key the hook sends itself, between the press and the release.
    EXPECT_EQ(openings({{kWin, true}, {0xE8, true, true}, {0xE8, false, true}, {kWin, false}}), 1);
    // A program pressing the Windows key opens nothing.
    EXPECT_EQ(openings({{kWin, true, true}, {kWin, false, true}}), 0);
    // A release without a press seen, and keys out of range, are nothing.
    EXPECT_EQ(openings({{kWin, false}, {-1, true}, {300, true}}), 0);
}

TEST(WindowsKeyAlone, AReleaseTheHookMissedIsForgottenWhenTheSystemSaysTheKeyIsUp) {
    WindowsKeyAlone decider;
    // Ctrl went down, its release was taken by another desktop.
    EXPECT_EQ(openings({{0x11, true}}, decider), 0);
    EXPECT_EQ(openings({{kWin, true}, {kWin, false}}, decider), 0);
    decider.forget_released([](int key) { return key == 'Q'; });
    EXPECT_EQ(openings({{kWin, true}, {kWin, false}}, decider), 1);
}

}  // namespace
}  // namespace trevalon
