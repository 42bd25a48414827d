#include "window/windows_key.h"

namespace trevalon {
namespace {

bool is_windows_key(int key) {
    return key == kLeftWindowsKey || key == kRightWindowsKey;
}

}  // namespace

WindowsKeyDecision WindowsKeyAlone::on_key(int key, bool down, bool injected) {
    if (injected || key < 0 || key >= static_cast<int>(held_.size()))
        return {};
    const auto index = static_cast<std::size_t>(key);
    if (down) {
        const bool repeat = held_[index];
        if (is_windows_key(key)) {
            // Held auto-repeat changes nothing; a fresh press counts only
            // with no other key down.
            if (!repeat)
                alone_ = held_.none();
        } else {
            alone_ = false;
        }
        held_[index] = true;
        return {};
    }
    held_[index] = false;
    if (!is_windows_key(key) || !alone_)
        return {};
    alone_ = false;
    return {.mask = true, .open = true};
}

void WindowsKeyAlone::forget_released(const std::function<bool(int)>& still_down) {
    for (std::size_t key = 0; key < held_.size(); ++key) {
        if (held_[key] && !still_down(static_cast<int>(key)))
            held_[key] = false;
    }
}

}  // namespace trevalon
