#include "platform/search_indexer_win.h"

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

bool SearchIndexer::wait_for_answer(std::uint64_t generation, DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (answered_generation_ >= generation)
                return true;
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        WaitForSingleObject(answered_.get(), static_cast<DWORD>(deadline - now));
    }
}

SearchIndexer::Totals SearchIndexer::totals() const {
    std::lock_guard lock(mutex_);
    return totals_;
}

SearchIndexer::Root& SearchIndexer::root_for(const std::string& path) {
    const std::u16string key = root_key(path);
    for (const auto& root : roots_) {
        if (root->key == key) {
            root->revive();
            return *root;
        }
    }
    roots_.push_back(std::make_unique<Root>(path));
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

void SearchIndexer::answer(const SearchQuestion& question) {
    std::vector<const RootIndex*> indexes;
    for (const std::string& path : question.roots)
        indexes.push_back(path.empty() ? nullptr : &root_for(path).index);
    SearchAnswer found{question.generation, question.text, question.roots,
                       find_live_matches(indexes, question.text)};
    Totals totals;
    for (const auto& root : roots_) {
        totals.files += root->index.file_count();
        totals.bytes += root->index.approximate_bytes();
    }
    {
        std::lock_guard lock(mutex_);
        answered_generation_ = std::max(answered_generation_, question.generation);
        answer_ = std::move(found);
        totals_ = totals;
    }
    SetEvent(answered_.get());
    if (window_)
        PostMessageW(window_, message_, 0, 0);
}

void SearchIndexer::run(std::vector<std::string> roots) {
    for (const std::string& path : roots) {
        if (WaitForSingleObject(stop_.get(), 0) == WAIT_OBJECT_0)
            return;
        if (!path.empty())
            root_for(path);
    }
    {
        Totals totals;
        for (const auto& root : roots_) {
            totals.files += root->index.file_count();
            totals.bytes += root->index.approximate_bytes();
        }
        std::lock_guard lock(mutex_);
        totals_ = totals;
    }
    ready_ = true;
    for (;;) {
        std::vector<HANDLE> waits{stop_.get(), asked_.get()};
        for (const auto& root : roots_) {
            if (root->watch)
                waits.push_back(root->watch->event());
        }
        const DWORD woke =
            WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, INFINITE);
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED)
            return;
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
}

}  // namespace trevalon
