// Acting on a keyboard movement only once the keys rest: each key press moves
// the deadline on, so holding a key acts once, for where it stopped.
#pragma once

#include <chrono>
#include <optional>

namespace trevalon {

// How long the keys must rest before the tree's keyboard selection opens.
inline constexpr std::chrono::milliseconds kTreeKeyRest{150};

class KeyRest {
  public:
    explicit KeyRest(std::chrono::milliseconds rest) : rest_(rest) {}

    // A key moved something at `now`: the action waits until the keys have
    // rested from now on.
    void note_key(std::chrono::milliseconds now) {
        deadline_ = now + rest_;
        waiting_ = true;
    }

    // True once, when the keys have rested long enough at `now`.
    bool take_due(std::chrono::milliseconds now) {
        if (!waiting_ || now < deadline_)
            return false;
        waiting_ = false;
        return true;
    }

    // How long from `now` until the action is due; nothing when none waits.
    std::optional<std::chrono::milliseconds> remaining(std::chrono::milliseconds now) const {
        if (!waiting_)
            return std::nullopt;
        return deadline_ > now ? deadline_ - now : std::chrono::milliseconds{0};
    }

  private:
    std::chrono::milliseconds rest_;
    // A flag beside the time rather than an optional time: the optimiser
    // warns of an optional's value read behind its own check.
    bool waiting_ = false;
    std::chrono::milliseconds deadline_{0};
};

}  // namespace trevalon
