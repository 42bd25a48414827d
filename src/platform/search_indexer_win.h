// The search index's own thread: it indexes the menu folders it is given,
// keeps each index current from the system's change reports (no polling:
// while nothing changes and nobody asks, it waits), and answers search
// questions from memory, the first screen of each answer already ranked.
// Only the newest question is answered; each answer carries the generation
// of its question, so the asker can drop the answers to texts it no longer
// shows.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "menu/launch_usage.h"
#include "menu/live_matches.h"
#include "menu/live_ranking.h"
#include "platform/handles_win.h"

namespace trevalon {

struct SearchQuestion {
    std::uint64_t generation = 0;
    std::string text;
    std::vector<std::string> roots;            // searched in this order; empty ones are skipped
    std::shared_ptr<const UsageScores> usage;  // how much each entry is started; may be null
    std::shared_ptr<const NameOrder> names;    // natural order; null for the portable one
};

struct SearchAnswer {
    std::uint64_t generation = 0;
    std::string text;
    std::vector<std::string> roots;  // as asked, so each match's root can be named
    RankedResults ranked;
};

// Roots kept indexed at most: beyond them the one asked for least recently
// is dropped (the own-menu folder can be changed again and again).
inline constexpr std::size_t kIndexedRootLimit = 24;
// Ranks worked out before an answer is handed over: more than the largest
// list shows at once.
inline constexpr std::size_t kFirstRanks = 200;

class SearchIndexer {
  public:
    // Starts the thread, which first indexes the roots. After each answer it
    // posts `message` to `window` (when there is one).
    SearchIndexer(std::vector<std::string> roots, HWND window, UINT message);
    // Stops the thread (after the walk or answer it is busy with).
    ~SearchIndexer();
    SearchIndexer(const SearchIndexer&) = delete;
    SearchIndexer& operator=(const SearchIndexer&) = delete;

    // Replaces any question not taken up yet. A root not indexed yet is
    // indexed (and watched) before the answer.
    void ask(SearchQuestion question);

    // The newest answer not taken yet.
    std::optional<SearchAnswer> take_answer();

    // Waits until the answer to the question of `generation` (or a later
    // one) can be taken; false when the time ran out first or the thread
    // has ended. With `paint`, the windows of this thread are repainted
    // and sent messages answered meanwhile; input stays queued, in order.
    bool wait_for_answer(std::uint64_t generation, DWORD milliseconds, bool paint = false);

    // Whether the roots given at the start are indexed.
    bool ready() const { return ready_.load(); }
    // False once the thread has ended for good (it never ends on its own
    // but when it cannot wait for anything at all); the owner starts a new
    // one then.
    bool running() const { return !ended_.load(); }

    // Files in the index and its size in memory, over every root; for the
    // benchmark. Asked while the thread waits, or the figures may be stale.
    struct Totals {
        std::size_t files = 0;
        std::size_t bytes = 0;
        std::size_t roots = 0;
    };
    Totals totals() const;

  private:
    struct Root;

    void run(std::vector<std::string> roots);
    Root& root_for(const std::string& path, const std::vector<std::string>& asked);
    void apply_changes();
    bool wait_for_work();
    void answer(const SearchQuestion& question);
    void count();

    HWND window_;
    UINT message_;
    UniqueHandle stop_;      // manual reset: set once, when the owner ends
    UniqueHandle asked_;     // auto reset: a question is waiting
    UniqueHandle answered_;  // auto reset: an answer was stored

    mutable std::mutex mutex_;  // guards the two slots and the totals
    std::optional<SearchQuestion> question_;
    std::optional<SearchAnswer> answer_;
    std::uint64_t answered_generation_ = 0;
    Totals totals_;

    // The thread's own.
    std::vector<std::unique_ptr<Root>> roots_;
    std::uint64_t asked_count_ = 0;
    LiveMatcher matcher_;

    std::atomic<bool> ready_{false};
    std::atomic<bool> ended_{false};
    std::thread thread_;  // last: it starts once everything above exists
};

}  // namespace trevalon
