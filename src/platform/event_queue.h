// The events the window procedures produced and the event loop has not taken
// yet, oldest first. The loop takes one per pass, so no handler ever runs
// inside a control's own notification.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <utility>

#include "platform/event.h"

namespace trevalon {

class EventQueue {
  public:
    void push(Event event) { events_.push_back(std::move(event)); }
    std::optional<Event> pop() {
        if (events_.empty())
            return std::nullopt;
        Event event = std::move(events_.front());
        events_.pop_front();
        return event;
    }
    bool empty() const { return events_.empty(); }
    std::size_t size() const { return events_.size(); }
    void clear() { events_.clear(); }

  private:
    std::deque<Event> events_;
};

}  // namespace trevalon
