#include "window/edge_trigger.h"

#include <cstdlib>

namespace trevalon {
namespace {

bool swipe_mode(EdgeTriggers triggers) {
    return triggers.vertical != 0 && triggers.horizontal != 0;
}

bool inside_any(std::span<const ScreenRect> monitors, int x, int y) {
    for (const ScreenRect& monitor : monitors) {
        if (monitor.contains(x, y))
            return true;
    }
    return false;
}

}  // namespace

bool on_top_edge(int x, int y, std::span<const ScreenRect> monitors) {
    if (monitors.empty())
        return y == 0;
    for (const ScreenRect& monitor : monitors) {
        // y - 1 cannot overflow: a monitor containing y has a top below it.
        if (monitor.contains(x, y) && y == monitor.top)
            return !inside_any(monitors, x, y - 1);
    }
    return false;
}

bool full_screen(ScreenRect window, bool has_title_bar, ScreenRect monitor) {
    return !has_title_bar && monitor.right > monitor.left && monitor.bottom > monitor.top &&
           window.left <= monitor.left && window.top <= monitor.top &&
           window.right >= monitor.right && window.bottom >= monitor.bottom;
}

std::optional<std::chrono::milliseconds> edge_check_wait(EdgeTriggers triggers, PointerSample first,
                                                         std::span<const ScreenRect> monitors) {
    if (triggers.vertical == 0 || first.button_held || !on_top_edge(first.x, first.y, monitors))
        return std::nullopt;
    return swipe_mode(triggers) ? kEdgeSwipeTime : kEdgeRestTime;
}

bool edge_check_fires(EdgeTriggers triggers, PointerSample first, PointerSample second,
                      std::span<const ScreenRect> monitors) {
    if (!edge_check_wait(triggers, first, monitors) || second.button_held)
        return false;
    if (swipe_mode(triggers)) {
        // Widened before subtracting: far-apart monitors cannot overflow it.
        const long long moved = static_cast<long long>(second.x) - first.x;
        const long long below = static_cast<long long>(second.y) - first.y;
        return below < kEdgeSwipeBand && std::llabs(moved) > kEdgeSwipeDistance;
    }
    return on_top_edge(second.x, second.y, monitors);
}

void EdgeWatch::on_pointer_event(EdgeWatchEnvironment& environment, long long now,
                                 bool look_again) {
    if (due_)
        return;
    const EdgeTriggers triggers = environment.triggers();
    if (triggers.vertical == 0) {
        last_.reset();
        return;
    }
    PointerSample sample = environment.pointer_position();
    monitors_ = environment.monitors();
    if (!on_top_edge(sample.x, sample.y, monitors_)) {
        last_.reset();
        return;
    }
    sample.button_held = environment.button_held();
    if (last_ == sample && !look_again)
        return;
    last_ = sample;
    if (const auto wait = edge_check_wait(triggers, sample, monitors_)) {
        triggers_ = triggers;
        first_ = sample;
        due_ = now + wait->count();
    }
}

void EdgeWatch::on_due(EdgeWatchEnvironment& environment, long long now) {
    if (!due_ || now < *due_)
        return;
    due_.reset();
    PointerSample second = environment.pointer_position();
    second.button_held = environment.button_held();
    last_ = second;
    if (edge_check_fires(triggers_, first_, second, monitors_) &&
        !environment.full_screen_in_front())
        environment.bring_forward();
}

}  // namespace trevalon
