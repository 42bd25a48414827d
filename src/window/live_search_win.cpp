#include "window/live_search_win.h"

#include "menu/file_list_cleanup.h"
#include "menu/live_matches.h"
#include "texts/text_table.h"
#include "window/list_views_win.h"
#include "window/main_window_win.h"
#include "window/search_text.h"
#include "window/view_changes.h"
#include "window/view_frame_win.h"
#include "window/view_texts.h"
#include "window/window_state_win.h"

namespace trevalon {
namespace {

// How long input that acts on the list waits for the current text's answer.
// The answer comes within milliseconds once the folders are indexed; only
// the first indexing after start-up takes longer.
constexpr DWORD kInputWait = 3000;

// The captions the results name their folders by, in the order of
// searched_roots.
std::vector<std::string> root_captions(const WindowState& state) {
    std::vector<std::string> captions{text("TXT00206"), text("TXT00361"), text("TXT00362")};
    if (state.settings.search_recent_documents > 0)
        captions.push_back(text("TXT00202"));
    return captions;
}

bool input_waiting() {
    return HIWORD(GetQueueStatus(QS_KEY | QS_MOUSEBUTTON)) != 0;
}

// Keys that only edit the field's text or move its caret.
bool is_typing_key(WPARAM key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return true;
    if ((key >= VK_NUMPAD0 && key <= VK_DIVIDE) || (key >= VK_OEM_1 && key <= VK_OEM_3) ||
        (key >= VK_OEM_4 && key <= VK_OEM_8) || key == VK_OEM_102)
        return true;
    switch (key) {
        case VK_SPACE:
        case VK_BACK:
        case VK_DELETE:
        case VK_INSERT:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_HOME:
        case VK_END:
        case VK_SHIFT:
        case VK_LSHIFT:
        case VK_RSHIFT:
        case VK_CONTROL:
        case VK_LCONTROL:
        case VK_RCONTROL:
        case VK_CAPITAL:
        case VK_PROCESSKEY:
        case VK_PACKET:
            return true;
        default:
            return false;
    }
}

LiveSearch::Before current_view(const WindowState& state) {
    return LiveSearch::Before{state.view, state.window.tree.selected(), state.window.list.text(),
                              window_text(state.main_window),
                              window_text(state.window.list_caption)};
}

void go_back_to(WindowState& state, const LiveSearch::Before& before) {
    ViewChangeFrame frame(state);
    state.view = before.view;
    state.window.tree.select(before.tree_item);
    if (before.list_folder.empty()) {
        state.window.list.set_text("");
        state.entry_names.clear();
    } else {
        open_folder_in_list(state, before.list_folder);
    }
    set_window_text(state.main_window, before.title);
    set_window_text(state.window.list_caption, before.caption);
}

bool shows_this_search(const WindowState& state, const LiveSearch& live) {
    return live.before && state.window.list.serial() == live.list_serial;
}

void show_answer(WindowState& state, LiveSearch& live, const SearchAnswer& answer) {
    enter_list(state.view, ListView::search_results);
    state.window.tree.select(-1);

    std::vector<ListRow> rows;
    rows.reserve(answer.matches.size());
    state.entry_names.clear();
    for (const LiveMatch& match : answer.matches) {
        const std::string& caption =
            match.root < live.captions.size() ? live.captions[match.root] : std::string();
        rows.push_back(ListRow{
            match.path(), display_name(match.shown_name),
            location_text(caption, folder_below_root(answer.roots[match.root], match.folder))});
        state.entry_names.names.push_back(match.name);
        state.entry_names.folders.push_back(match.folder);
    }
    FileList& list = state.window.list;
    const bool nothing = rows.empty();
    list.show_rows(std::move(rows));
    if (nothing)
        list.add_note(search_caption(text("TXT00360"), answer.text));
    const std::string heading = text("TXT00204");
    set_window_text(state.main_window, joined_text(find_text("Program_Name"), heading));
    set_window_text(state.window.list_caption, search_caption(heading, answer.text));
    live.list_serial = list.serial();
}

}  // namespace

std::vector<std::string> searched_roots(const WindowState& state) {
    std::vector<std::string> roots{state.settings.my_own_menu, state.folders.common_programs,
                                   state.folders.user_programs};
    if (state.settings.search_recent_documents > 0)
        roots.push_back(state.folders.recent);
    return roots;
}

void start_live_search(WindowState& state) {
    // Every folder a search may cover, the Recent folder too: switching
    // SearchRecentDocuments on then needs no new walk.
    std::vector<std::string> roots{state.settings.my_own_menu, state.folders.common_programs,
                                   state.folders.user_programs, state.folders.recent};
    state.live_search = std::make_unique<LiveSearch>(
        std::make_unique<SearchIndexer>(std::move(roots), state.main_window, kSearchAnswerMessage));
}

void live_search_text_changed(WindowState& state, DWORD idle_wait) {
    if (!state.live_search)
        return;
    LiveSearch& live = *state.live_search;
    const std::string wanted = trimmed_search_text(window_text(state.window.search_field));
    ++live.generation;
    if (wanted.empty()) {
        live.text.clear();
        live.shown = live.generation;
        if (shows_this_search(state, live))
            go_back_to(state, *live.before);
        live.before.reset();
        return;
    }
    if (!shows_this_search(state, live)) {
        live.before = current_view(state);
        live.list_serial = state.window.list.serial();
    } else if (wanted == live.text && live.shown == live.generation - 1) {
        // Only blanks at the ends changed: the list already shows this text.
        live.shown = live.generation;
        return;
    }
    live.text = wanted;
    live.captions = root_captions(state);
    live.indexer->ask(SearchQuestion{live.generation, wanted, searched_roots(state)});
    if (!input_waiting())
        settle_live_search(state, idle_wait);
}

void live_search_answer_arrived(WindowState& state) {
    if (!state.live_search)
        return;
    LiveSearch& live = *state.live_search;
    const std::optional<SearchAnswer> answer = live.indexer->take_answer();
    if (!answer || answer->generation != live.generation || !live.due())
        return;
    // The field may have changed with its change not yet handled (the answer
    // came first in the queue): an answer is only ever shown for the text
    // the field holds now.
    if (answer->text != trimmed_search_text(window_text(state.window.search_field)))
        return;
    show_answer(state, live, *answer);
    live.shown = live.generation;
}

bool settle_live_search(WindowState& state, DWORD milliseconds) {
    if (!state.live_search)
        return true;
    LiveSearch& live = *state.live_search;
    if (!live.due())
        return true;
    if (!live.indexer->wait_for_answer(live.generation, milliseconds))
        return false;
    live_search_answer_arrived(state);
    return !live.due();
}

bool input_needs_settled_list(const WindowState& state, const MSG& message) {
    if (!state.live_search || !state.live_search->due())
        return false;
    switch (message.message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_SYSKEYDOWN:
            return true;
        case WM_KEYDOWN:
            return message.hwnd != state.window.search_field || !is_typing_key(message.wParam);
        default:
            return false;
    }
}

void search_command_shown(WindowState& state) {
    if (!state.live_search)
        return;
    LiveSearch& live = *state.live_search;
    live.shown = live.generation;
    if (live.before)
        live.list_serial = state.window.list.serial();
}

void settle_before_input(WindowState& state, const MSG& message) {
    if (input_needs_settled_list(state, message))
        settle_live_search(state, kInputWait);
}

}  // namespace trevalon
