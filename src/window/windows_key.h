// When a press of the Windows key alone opens the program instead of the
// system's start menu: the key goes down and up again with no other key in
// between and none held before. Every combination with the Windows key stays
// the system's. Fed with every key of a low-level keyboard hook.
#pragma once

#include <bitset>
#include <functional>

namespace trevalon {

inline constexpr int kLeftWindowsKey = 0x5B;
inline constexpr int kRightWindowsKey = 0x5C;

// What the hook does with one key event.
struct WindowsKeyDecision {
    // Before this release reaches the system: press and release a key that
    // means nothing, so the system sees a combination and opens no start
    // menu. The release itself always goes on, so no key stays down.
    bool mask = false;
    bool open = false;  // bring the program forward
};

class WindowsKeyAlone {
  public:
    // `injected`: the event came from a program, not the keyboard (the
    // mask key among them): it is let through and does not count.
    WindowsKeyDecision on_key(int key, bool down, bool injected);

    // Drops the keys the system says are up: a release the hook never saw
    // (the secure desktop of Ctrl+Alt+Del takes them) must not leave a key
    // held for ever.
    void forget_released(const std::function<bool(int)>& still_down);

  private:
    std::bitset<256> held_;  // keys down from the keyboard, as far as seen
    bool alone_ = false;     // a Windows key went down alone and nothing followed yet
};

}  // namespace trevalon
