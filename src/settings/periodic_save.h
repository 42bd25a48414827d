// When the event loop saves the settings: after an event, once more than the
// interval has passed since the last save. A function of the time it is given,
// so callers inject the clock.
#pragma once

#include <cstdint>

namespace trevalon {

struct SaveSchedule {
    std::int64_t last_save = 0;  // seconds
    std::int64_t interval = 60;  // seconds
};

// True when a save is due at `now`; the schedule then notes `now` as the time
// of the save the caller is about to make. A clock set back (now earlier than
// the last save) also makes a save due, so saving never stalls until the old
// time comes round again.
bool take_due_save(SaveSchedule& schedule, std::int64_t now);

}  // namespace trevalon
