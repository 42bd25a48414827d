#include "platform/search_indexer_win.h"

#include <algorithm>
#include <utility>

#include "menu/path_text.h"
#include "menu/search_index.h"
#include "menu/unicode_text.h"
#include "platform/folder_watch_win.h"
#include "platform/wide_win.h"

namespace trevalon {
namespace {

std::u16string root_key(std::string_view path) {
    return upper_case(utf8_to_utf16(with_trailing_separator(path)));
}

bool folder_exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(file_path_wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Repaints the windows of this thread and answers the messages sent to
// them; everything else (input above all) stays queued in its order.
void paint_waiting_windows() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT))
        DispatchMessageW(&message);
}

}  // namespace

// One indexed folder with its watch. The watch starts before the walk, so
// every folder the walk opens is watched (Wine watches a subfolder only once
// it was opened).
struct SearchIndexer::Root {
    explicit Root(const std::string& path) : key(root_key(path)), index(path) { start(); }

    void start() {
        watch.reset();
        if (folder_exists(index.root())) {
            watch = std::make_unique<FolderWatch>(index.root());
            if (!watch->watching())
                watch.reset();
        }
        index.rebuild();
    }

    // A folder that was missing (or lost its watch) is looked at again when
    // a question names it.
    void revive() {
        if (!watch && folder_exists(index.root()))
            start();
    }

    std::u16string key;
    RootIndex index;
    std::unique_ptr<FolderWatch> watch;
    std::uint64_t last_asked = 0;
};

SearchIndexer::SearchIndexer(std::vector<std::string> roots, HWND window, UINT message)
    : window_(window),
      message_(message),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      asked_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      answered_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      thread_([this, roots = std::move(roots)]() mutable { run(std::move(roots)); }) {}

SearchIndexer::~SearchIndexer() {
    SetEvent(stop_.get());
    if (thread_.joinable())
        thread_.join();
}

void SearchIndexer::ask(SearchQuestion question) {
    {
        std::lock_guard lock(mutex_);
        question_ = std::move(question);
    }
    SetEvent(asked_.get());
}

std::optional<SearchAnswer> SearchIndexer::take_answer() {
    std::lock_guard lock(mutex_);
    return std::exchange(answer_, std::nullopt);
}

bool SearchIndexer::wait_for_answer(std::uint64_t generation, DWORD milliseconds, bool paint) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    const HANDLE answered = answered_.get();
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (answered_generation_ >= generation)
                return true;
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline || ended_.load())
            return false;
        const auto left = static_cast<DWORD>(deadline - now);
        if (!paint) {
            WaitForSingleObject(answered, left);
            continue;
        }
        if (MsgWaitForMultipleObjects(1, &answered, FALSE, left, QS_PAINT | QS_SENDMESSAGE) ==
            WAIT_OBJECT_0 + 1) {
            paint_waiting_windows();
        }
    }
}

SearchIndexer::Totals SearchIndexer::totals() const {
    std::lock_guard lock(mutex_);
    return totals_;
}

SearchIndexer::Root& SearchIndexer::root_for(const std::string& path,
                                             const std::vector<std::string>& asked) {
    const std::u16string key = root_key(path);
    for (const auto& root : roots_) {
        if (root->key == key) {
            root->last_asked = asked_count_;
            root->revive();
            return *root;
        }
    }
    if (roots_.size() >= kIndexedRootLimit) {
        // The root asked for least recently, and not now, makes room.
        std::vector<std::u16string> wanted;
        for (const std::string& name : asked)
            wanted.push_back(root_key(name));
        auto oldest = roots_.end();
        for (auto it = roots_.begin(); it != roots_.end(); ++it) {
            if (std::find(wanted.begin(), wanted.end(), (*it)->key) != wanted.end())
                continue;
            if (oldest == roots_.end() || (*it)->last_asked < (*oldest)->last_asked)
                oldest = it;
        }
        if (oldest != roots_.end()) {
            matcher_.forget();
            roots_.erase(oldest);
        }
    }
    roots_.push_back(std::make_unique<Root>(path));
    roots_.back()->last_asked = asked_count_;
    return *roots_.back();
}

void SearchIndexer::apply_changes() {
    for (const auto& root : roots_) {
        if (!root->watch || WaitForSingleObject(root->watch->event(), 0) != WAIT_OBJECT_0)
            continue;
        const FolderChanges changes = root->watch->take();
        if (changes.ended) {
            // The folder went away: forget its watch until a question
            // finds it again.
            root->watch.reset();
            root->index.rebuild();
        } else if (changes.overflow) {
            root->index.rebuild();
        } else {
            for (const std::string& path : changes.paths)
                root->index.refresh(path);
        }
    }
}

void SearchIndexer::count() {
    Totals totals;
    for (const auto& root : roots_) {
        totals.files += root->index.file_count();
        totals.bytes += root->index.approximate_bytes();
    }
    totals.roots = roots_.size();
    std::lock_guard lock(mutex_);
    totals_ = totals;
}

void SearchIndexer::answer(const SearchQuestion& question) {
    ++asked_count_;
    std::vector<const RootIndex*> indexes;
    for (const std::string& path : question.roots)
        indexes.push_back(path.empty() ? nullptr : &root_for(path, question.roots).index);
    LiveResults found = matcher_.find(indexes, question.text);
    if (question.usage)
        apply_usage(found, *question.usage);
    SearchAnswer answer{question.generation, question.text, question.roots,
                        RankedResults(std::move(found), question.names)};
    answer.ranked.rank_first(kFirstRanks);
    count();
    {
        std::lock_guard lock(mutex_);
        answered_generation_ = std::max(answered_generation_, question.generation);
        answer_ = std::move(answer);
    }
    SetEvent(answered_.get());
    if (window_)
        PostMessageW(window_, message_, 0, 0);
}

// Waits for a question, a change on disk or the end. A wait the system
// refuses (a watch handle gone bad) drops the watches: each root is walked
// and watched again when a question names it. False when the thread is to
// end.
bool SearchIndexer::wait_for_work() {
    std::vector<HANDLE> waits{stop_.get(), asked_.get()};
    for (const auto& root : roots_) {
        if (root->watch && waits.size() < MAXIMUM_WAIT_OBJECTS)
            waits.push_back(root->watch->event());
    }
    const DWORD woke =
        WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, INFINITE);
    if (woke == WAIT_OBJECT_0)
        return false;
    if (woke != WAIT_FAILED)
        return true;
    if (waits.size() == 2)
        return false;  // not even the question can be waited for
    matcher_.forget();
    for (const auto& root : roots_)
        root->watch.reset();
    return true;
}

void SearchIndexer::run(std::vector<std::string> roots) {
    for (const std::string& path : roots) {
        if (WaitForSingleObject(stop_.get(), 0) == WAIT_OBJECT_0)
            return;
        if (!path.empty())
            root_for(path, roots);
    }
    count();
    ready_ = true;
    while (wait_for_work()) {
        // What changed on disk first, so the answer is as current as the disk.
        apply_changes();
        std::optional<SearchQuestion> question;
        {
            std::lock_guard lock(mutex_);
            question = std::exchange(question_, std::nullopt);
        }
        if (question)
            answer(*question);
    }
    ended_ = true;
    // Whoever waits for an answer learns at once that none will come.
    SetEvent(answered_.get());
    if (window_ && WaitForSingleObject(stop_.get(), 0) != WAIT_OBJECT_0)
        PostMessageW(window_, message_, 0, 0);
}

}  // namespace trevalon
