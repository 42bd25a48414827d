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

void edge_watch_pass(EdgeWatchEnvironment& environment) {
    const EdgeTriggers triggers = environment.triggers();
    const PointerSample first = environment.pointer();
    const std::vector<ScreenRect> monitors = first.button_held || triggers.vertical == 0
                                                 ? std::vector<ScreenRect>{}
                                                 : environment.monitors();
    if (const auto wait = edge_check_wait(triggers, first, monitors)) {
        environment.wait(*wait);
        if (edge_check_fires(triggers, first, environment.pointer(), monitors) &&
            !environment.full_screen_in_front())
            environment.bring_forward();
    }
    environment.wait(kEdgePollInterval);
}

}  // namespace trevalon
