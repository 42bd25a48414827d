#include "bookmarks/web_bookmark_win.h"

#include "bookmarks/page_title_win.h"
#include "platform/background_work_win.h"
#include "platform/shortcut_win.h"

namespace trevalon {

std::optional<std::string> make_web_bookmark(HWND window, const BookmarkDrop& drop,
                                             const NetworkConfig& config, const Clock& clock) {
    BookmarkSeams seams;
    seams.fetch_title = [&config](std::string_view address) {
        return fetch_page_title(address, config);
    };
    seams.run_network_steps = [window](const std::function<void()>& steps) {
        run_while_window_waits(window, steps);
    };
    seams.create_shortcut = [](const ShortcutContents& contents) {
        return create_shortcut(contents);
    };
    return make_web_bookmark(drop, config, clock, seams);
}

}  // namespace trevalon
