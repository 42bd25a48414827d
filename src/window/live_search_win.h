// Search results as the user types. Every change of the search field's text
// asks the index's thread for the matches of the whole text; the list shows
// the answer to the field's current text only, best first. Answers carry the
// generation of their text, so an answer to an older text is dropped, and
// before any input that could act on the list (a click, a key that leaves
// the field) the answer to the current text is waited for: the list never
// holds the results of an older text than the field when the user acts on
// it. Meanwhile the window keeps painting. Clearing the field returns to
// what the list showed before the search.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "menu/launch_usage.h"
#include "menu/live_ranking.h"
#include "platform/search_indexer_win.h"
#include "window/file_list_win.h"
#include "window/view_state.h"

namespace trevalon {

struct WindowState;

// The ranked answer as the list's rows: the best first, each row asked for
// when the list draws it.
class LiveResultRows final : public ListRows {
  public:
    LiveResultRows(SearchAnswer answer, std::vector<std::string> captions);

    std::size_t count() const override { return answer_.ranked.size(); }
    ListRow row(std::size_t index) override;
    // The path of the result at a rank, without working out its texts.
    std::string path(std::size_t index);
    const std::string& text() const { return answer_.text; }

  private:
    SearchAnswer answer_;
    std::vector<std::string> captions_;  // of the roots, in their order
};

struct LiveSearch {
    LiveSearch(std::unique_ptr<SearchIndexer> index, std::vector<std::string> indexed)
        : indexer(std::move(index)), index_roots(std::move(indexed)) {}

    std::unique_ptr<SearchIndexer> indexer;
    std::vector<std::string> index_roots;  // what the thread indexes first
    std::uint64_t generation = 0;          // of the field's text; counts every change
    std::uint64_t shown = 0;               // the generation the list is up to date with
    std::string text;                      // the field's trimmed text of that generation
    std::vector<std::string> captions;     // of the roots asked for the current text

    // The natural order of names, and the launch counts as the index's
    // thread reads them (made again when the counts change).
    std::shared_ptr<const NameOrder> names;
    std::shared_ptr<const UsageScores> usage;
    std::uint64_t usage_version = 0;

    // What the window showed before the search, to go back to.
    struct Before {
        ViewState view;
        int tree_item = -1;
        std::string list_folder;
        std::string title;
        std::string caption;
    };
    std::optional<Before> before;
    std::uint64_t list_serial = 0;         // the list's serial while it shows this search's results
    std::shared_ptr<LiveResultRows> rows;  // what the list shows of this search

    bool due() const { return shown != generation && !text.empty(); }
};

// Posted by the index's thread to the main window when an answer waits.
inline constexpr UINT kSearchAnswerMessage = WM_APP + 19;

// How long input that acts on the list waits for the current text's answer.
// The answer comes within milliseconds once the folders are indexed; only
// the first indexing after start-up takes longer.
inline constexpr DWORD kInputWait = 3000;

// The folders searched, in the search command's order: the own menu, the
// common and the user programs, and the Recent folder when
// SearchRecentDocuments is on. Empty entries stand for missing folders.
std::vector<std::string> searched_roots(const WindowState& state);

// Starts the index's thread on every folder a search may cover (start-up,
// once the window is shown), and reads the launch counts.
void start_live_search(WindowState& state);

// The search field's text changed: asks for the new text's matches, or, when
// the field is empty, goes back to what was shown before the search. When
// no input waits, it waits for the answer, at most `idle_wait` ms.
void live_search_text_changed(WindowState& state, DWORD idle_wait = 100);

// An answer arrived: the list shows it if it is the current text's.
void live_search_answer_arrived(WindowState& state);

// Waits for the answer to the current text (at most `milliseconds`, the
// window painting meanwhile) and shows it. True when the list is up to date
// with the field.
bool settle_live_search(WindowState& state, DWORD milliseconds);

// Whether the list shows live results for the field's current text.
bool live_results_shown(const WindowState& state);

// Whether the message must find the list up to date with the field: mouse
// buttons anywhere, and keys other than typing in the search field.
bool input_needs_settled_list(const WindowState& state, const MSG& message);

// What the event loop calls before it hands on any message: input that
// needs the list up to date with the field waits for the current answer.
void settle_before_input(WindowState& state, const MSG& message);

// The search command showed its results for the field's text: an answer
// still due is not needed any more, and clearing the field still returns to
// what was shown before the search.
void search_command_shown(WindowState& state);

// A launch of the file at path at `now` (seconds since 1970): counted, and
// the counts saved, unless launches are not kept (KeepRecentObjectsDays 0).
void count_launch(WindowState& state, const std::string& path, std::int64_t now);
// Forgets every count, in memory and on disk.
void clear_launch_counts(WindowState& state);

}  // namespace trevalon
