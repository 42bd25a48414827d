// The search index's own thread: it indexes the menu folders it is given,
// keeps each index current from the system's change reports (no polling:
// while nothing changes and nobody asks, it waits), and answers search
// questions from memory. Only the newest question is answered; each answer
// carries the generation of its question, so the asker can drop the answers
// to texts it no longer shows.
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

#include "menu/live_matches.h"
#include "platform/handles_win.h"

namespace trevalon {

struct SearchQuestion {
    std::uint64_t generation = 0;
    std::string text;
    std::vector<std::string> roots;  // searched in this order; empty ones are skipped
};

struct SearchAnswer {
    std::uint64_t generation = 0;
    std::string text;
    std::vector<std::string> roots;  // as asked, so each match's root can be named
    std::vector<LiveMatch> matches;
};

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
    // one) can be taken; false when the time ran out first.
    bool wait_for_answer(std::uint64_t generation, DWORD milliseconds);

    // Whether the roots given at the start are indexed.
    bool ready() const { return ready_.load(); }

    // Files in the index and its size in memory, over every root; for the
    // benchmark. Asked while the thread waits, or the figures may be stale.
    struct Totals {
        std::size_t files = 0;
        std::size_t bytes = 0;
    };
    Totals totals() const;

  private:
    struct Root;

    void run(std::vector<std::string> roots);
    Root& root_for(const std::string& path);
    void apply_changes();
    void answer(const SearchQuestion& question);

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

    std::vector<std::unique_ptr<Root>> roots_;  // the thread's own
    std::atomic<bool> ready_{false};
    std::thread thread_;  // last: it starts once everything above exists
};

}  // namespace trevalon
