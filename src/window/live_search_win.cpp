#include "window/live_search_win.h"

#include "menu/file_list_cleanup.h"
#include "menu/live_matches.h"
#include "menu/path_text.h"
#include "platform/file_ops_win.h"
#include "platform/name_order_win.h"
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
    set_window_text(state.window.list.window(), before.caption);
}

bool shows_this_search(const WindowState& state, const LiveSearch& live) {
    return live.before && state.window.list.serial() == live.list_serial;
}

void show_answer(WindowState& state, LiveSearch& live, SearchAnswer answer) {
    enter_list(state.view, ListView::search_results);
    state.window.tree.select(-1);
    state.entry_names.clear();
    const std::string searched = answer.text;
    const bool nothing = answer.ranked.empty();
    live.rows = std::make_shared<LiveResultRows>(std::move(answer), live.captions);
    FileList& list = state.window.list;
    list.show_rows(live.rows);
    if (nothing)
        list.add_note(search_caption(text("TXT00360"), searched));
    const std::string heading = text("TXT00204");
    // The title is the same for every key: set once (the system hands it on
    // to the window manager each time).
    const std::string title = joined_text(find_text("Program_Name"), heading);
    if (window_text(state.main_window) != title)
        set_window_text(state.main_window, title);
    set_window_text(state.window.list_caption, search_caption(heading, searched));
    // The list's own text is its name for a screen reader: what it shows and
    // how many results, said again as the user types.
    set_window_text(list.window(),
                    joined_text(search_caption(heading, searched),
                                text("TXT00370") + " " + std::to_string(list.row_total())));
    live.list_serial = list.serial();
}

SearchIndexer& running_indexer(WindowState& state, LiveSearch& live) {
    // A thread that could not go on is replaced rather than left silent.
    if (!live.indexer->running()) {
        live.indexer = std::make_unique<SearchIndexer>(live.index_roots, state.main_window,
                                                       kSearchAnswerMessage);
    }
    return *live.indexer;
}

// The launch counts as of their last change, for the index's thread.
std::shared_ptr<const UsageScores> usage_scores(WindowState& state, LiveSearch& live) {
    if (!live.usage || live.usage_version != state.launch_usage_version) {
        // Weights fade alike for every name: their order is the same seen
        // from any moment after the last launch.
        live.usage = std::make_shared<const UsageScores>(
            state.launch_usage.scores(state.launch_usage.latest()));
        live.usage_version = state.launch_usage_version;
    }
    return live.usage;
}

void ask(WindowState& state, LiveSearch& live) {
    running_indexer(state, live)
        .ask(SearchQuestion{live.generation, live.text, searched_roots(state),
                            usage_scores(state, live), live.names});
}

void save_launch_counts(const WindowState& state) {
    if (!state.folders.usage_file.empty())
        write_file_atomically(state.folders.usage_file, state.launch_usage.format());
}

}  // namespace

LiveResultRows::LiveResultRows(SearchAnswer answer, std::vector<std::string> captions)
    : answer_(std::move(answer)), captions_(std::move(captions)) {}

ListRow LiveResultRows::row(std::size_t index) {
    const LiveMatch& match = answer_.ranked.at(index);
    const LiveResults& results = answer_.ranked.results();
    const std::string& caption =
        match.root < captions_.size() ? captions_[match.root] : std::string();
    const std::string& root =
        match.root < answer_.roots.size() ? answer_.roots[match.root] : std::string();
    return ListRow{results.path_of(match), display_name(results.shown_name_of(match)),
                   location_text(caption, folder_below_root(root, results.folder_of(match)))};
}

std::string LiveResultRows::path(std::size_t index) {
    const LiveMatch& match = answer_.ranked.at(index);
    return answer_.ranked.results().path_of(match);
}

std::vector<std::string> searched_roots(const WindowState& state) {
    std::vector<std::string> roots{state.settings.my_own_menu, state.folders.common_programs,
                                   state.folders.user_programs};
    if (state.settings.search_recent_documents > 0)
        roots.push_back(state.folders.recent);
    return roots;
}

void start_live_search(WindowState& state) {
    if (!state.folders.usage_file.empty()) {
        if (const auto bytes = read_file(state.folders.usage_file, kUsageFileLimit))
            state.launch_usage = LaunchUsage::parse(*bytes);
        ++state.launch_usage_version;
    }
    // Every folder a search may cover, the Recent folder too: switching
    // SearchRecentDocuments on then needs no new walk.
    std::vector<std::string> roots{state.settings.my_own_menu, state.folders.common_programs,
                                   state.folders.user_programs, state.folders.recent};
    state.live_search = std::make_unique<LiveSearch>(
        std::make_unique<SearchIndexer>(roots, state.main_window, kSearchAnswerMessage), roots);
    state.live_search->names = std::make_shared<SystemNameOrder>();
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
        live.rows.reset();
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
    ask(state, live);
    if (!input_waiting())
        settle_live_search(state, idle_wait);
}

void live_search_answer_arrived(WindowState& state) {
    if (!state.live_search)
        return;
    LiveSearch& live = *state.live_search;
    if (!live.indexer->running()) {
        // The thread ended: a new one answers the question still open.
        if (live.due())
            ask(state, live);
        return;
    }
    std::optional<SearchAnswer> answer = live.indexer->take_answer();
    if (!answer || answer->generation != live.generation || !live.due())
        return;
    // The field may have changed with its change not yet handled (the answer
    // came first in the queue): an answer is only ever shown for the text
    // the field holds now.
    if (answer->text != trimmed_search_text(window_text(state.window.search_field)))
        return;
    show_answer(state, live, std::move(*answer));
    live.shown = live.generation;
}

bool settle_live_search(WindowState& state, DWORD milliseconds) {
    if (!state.live_search)
        return true;
    LiveSearch& live = *state.live_search;
    if (!live.due())
        return true;
    const bool answered = live.indexer->wait_for_answer(live.generation, milliseconds, true);
    live_search_answer_arrived(state);
    return answered && !live.due();
}

bool live_results_shown(const WindowState& state) {
    const LiveSearch* live = state.live_search.get();
    return live && live->rows && !live->due() && shows_this_search(state, *live) &&
           state.window.list.showing_rows() && live->rows->text() == live->text;
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
    live.rows.reset();
    if (live.before)
        live.list_serial = state.window.list.serial();
}

void settle_before_input(WindowState& state, const MSG& message) {
    if (input_needs_settled_list(state, message))
        settle_live_search(state, kInputWait);
}

void count_launch(WindowState& state, const std::string& path, std::int64_t now) {
    if (state.settings.keep_recent_objects_days < 1)
        return;
    state.launch_usage.record(file_name_part(path), now);
    ++state.launch_usage_version;
    save_launch_counts(state);
}

void clear_launch_counts(WindowState& state) {
    state.launch_usage.clear();
    ++state.launch_usage_version;
    save_launch_counts(state);
}

}  // namespace trevalon
