#include "window/edge_trigger.h"

#include <cstdlib>

namespace trevalon {
namespace {

bool swipe_mode(EdgeTriggers triggers) {
    return triggers.vertical != 0 && triggers.horizontal != 0;
}

}  // namespace

std::optional<std::chrono::milliseconds> edge_check_wait(EdgeTriggers triggers,
                                                         PointerSample first) {
    if (triggers.vertical == 0 || first.y != 0)
        return std::nullopt;
    return swipe_mode(triggers) ? kEdgeSwipeTime : kEdgeRestTime;
}

bool edge_check_fires(EdgeTriggers triggers, PointerSample first, PointerSample second) {
    if (!edge_check_wait(triggers, first))
        return false;
    if (swipe_mode(triggers)) {
        // Widened before subtracting: far-apart monitors cannot overflow it.
        const long long moved = static_cast<long long>(second.x) - first.x;
        return second.y < kEdgeSwipeBand && std::llabs(moved) > kEdgeSwipeDistance;
    }
    return second.y == 0;
}

void edge_watch_pass(EdgeWatchEnvironment& environment) {
    const EdgeTriggers triggers = environment.triggers();
    const PointerSample first = environment.pointer();
    if (const auto wait = edge_check_wait(triggers, first)) {
        environment.wait(*wait);
        if (edge_check_fires(triggers, first, environment.pointer()))
            environment.bring_forward();
    }
    environment.wait(kEdgePollInterval);
}

}  // namespace trevalon
