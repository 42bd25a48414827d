#include "settings/periodic_save.h"

namespace trevalon {

bool take_due_save(SaveSchedule& schedule, std::int64_t now) {
    if (now > schedule.last_save + schedule.interval || now < schedule.last_save) {
        schedule.last_save = now;
        return true;
    }
    return false;
}

}  // namespace trevalon
