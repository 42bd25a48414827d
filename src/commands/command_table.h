// Commands as data: number, the text key of its caption or tooltip, and the
// handler. Each subsystem contributes its rows; the dispatcher looks them up.
#pragma once

#include <span>
#include <string_view>

#include "platform/event.h"

namespace trevalon {

struct App;

using EventHandler = void (*)(App& app, const Event& event);

struct CommandEntry {
    int command;
    std::string_view text_key;  // empty for commands without a caption (44)
    EventHandler handler;       // null: the command only closes its menu
};

}  // namespace trevalon
