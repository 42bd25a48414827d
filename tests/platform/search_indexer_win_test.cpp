// The search index's thread on real folders: it follows files created,
// renamed and deleted in every root, stays right when a
// folder of a thousand links arrives at once, and answers only the newest
// question.
#include "platform/search_indexer_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "menu/search_index.h"
#include "platform/file_ops_win.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

SearchQuestion question(std::uint64_t generation, std::string text,
                        std::vector<std::string> roots) {
    return SearchQuestion{generation, std::move(text), std::move(roots), nullptr, nullptr};
}

// The paths of an answer, best first.
std::vector<std::string> paths_of(SearchAnswer& answer) {
    std::vector<std::string> paths;
    for (std::size_t rank = 0; rank < answer.ranked.size(); ++rank)
        paths.push_back(answer.ranked.results().path_of(answer.ranked.at(rank)));
    return paths;
}

class SearchIndexerTest : public testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"Own", "Common", "User", "Recent"}) {
            roots_.push_back(dir_.make_dir(name));
            dir_.write_file(std::string(name) + "\\Sub\\Deeper\\Existing.lnk", name);
        }
        indexer_ = std::make_unique<SearchIndexer>(roots_, nullptr, 0);
        ASSERT_TRUE(wait_ready());
    }

    bool wait_ready() {
        const ULONGLONG deadline = GetTickCount64() + 20000;
        while (!indexer_->ready() && GetTickCount64() < deadline)
            Sleep(5);
        return indexer_->ready();
    }

    // The paths the index answers for text now.
    std::vector<std::string> ask(const std::string& text) {
        const std::uint64_t generation = ++generation_;
        indexer_->ask(question(generation, text, roots_));
        if (!indexer_->wait_for_answer(generation, 5000))
            return {"(no answer)"};
        auto answer = indexer_->take_answer();
        if (!answer || answer->generation != generation)
            return {"(an older answer)"};
        return paths_of(*answer);
    }

    // Whether the answer for text comes to hold what is wanted. The deadline
    // only keeps a broken index from hanging the run: how soon it follows is
    // measured by the benchmark, not here, where a loaded machine may be slow.
    template <typename Wanted>
    bool until(const std::string& text, Wanted wanted) {
        const ULONGLONG start = GetTickCount64();
        while (GetTickCount64() - start < 20000) {
            if (wanted(ask(text)))
                return true;
            Sleep(2);
        }
        return false;
    }

    static bool holds(const std::vector<std::string>& paths, const std::string& path) {
        return std::find(paths.begin(), paths.end(), path) != paths.end();
    }

    test::TempDir dir_;
    std::vector<std::string> roots_;
    std::unique_ptr<SearchIndexer> indexer_;
    std::uint64_t generation_ = 0;
};

TEST_F(SearchIndexerTest, FollowsAFileCreatedRenamedAndDeletedInEachRootWithinASecond) {
    EXPECT_EQ(ask("existing"), std::vector<std::string>{roots_[3] + "Sub\\Deeper\\Existing.lnk"})
        << "one name in four roots: the last root's stays";
    for (std::size_t i = 0; i < roots_.size(); ++i) {
        SCOPED_TRACE(roots_[i]);
        const std::string created = roots_[i] + "Sub\\Deeper\\Fresh jotting.lnk";
        ASSERT_TRUE(write_file(created, "x"));
        const bool seen = until("jotting", [&](const auto& paths) {
            return paths == std::vector<std::string>{created};
        });
        EXPECT_TRUE(seen);

        const std::string renamed = roots_[i] + "Sub\\Deeper\\Renamed scribble.lnk";
        ASSERT_TRUE(rename_path(created, renamed));
        const bool moved = until("scribble", [&](const auto& paths) {
            return paths == std::vector<std::string>{renamed} && ask("jotting").empty();
        });
        EXPECT_TRUE(moved);

        ASSERT_TRUE(delete_file(renamed));
        const bool gone = until("scribble", [](const auto& paths) { return paths.empty(); });
        EXPECT_TRUE(gone);
    }
}

TEST_F(SearchIndexerTest, StaysRightAfterAFolderOfAThousandLinksIsCopiedIn) {
    const std::string pack = dir_.make_dir("Pack");
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(write_file(pack + "Tool " + std::to_string(i) + ".lnk", "x"));
    ASSERT_EQ(copy_tree(pack, roots_[1] + "Sub\\Pack", "*.*", true), 1000);
    // Whatever the reports said (or that they overflowed), the answer ends
    // up as a fresh walk of the roots gives it.
    RootIndex fresh(roots_[1]);
    fresh.rebuild();
    std::vector<std::string> walked;
    fresh.find(u"TOOL", [&](const std::string& folder, const IndexedEntry& entry) {
        walked.push_back(folder + entry.name);
    });
    ASSERT_EQ(walked.size(), 1000u);
    std::sort(walked.begin(), walked.end());
    const bool seen = until("tool", [&](std::vector<std::string> paths) {
        std::sort(paths.begin(), paths.end());
        return paths == walked;
    });
    EXPECT_TRUE(seen);

    // And the index still follows single changes afterwards.
    const std::string later = roots_[1] + "Sub\\Pack\\Tool later.lnk";
    ASSERT_TRUE(write_file(later, "x"));
    EXPECT_TRUE(until("tool later", [&](const auto& paths) { return holds(paths, later); }));
}

TEST_F(SearchIndexerTest, AFolderMadeAfterTheStartIsIndexedWhenAsked) {
    const std::string later = dir_.str() + "Later\\";
    std::vector<std::string> roots{later};
    indexer_->ask(question(++generation_, "late", roots));
    ASSERT_TRUE(indexer_->wait_for_answer(generation_, 5000));
    EXPECT_TRUE(indexer_->take_answer()->ranked.empty());
    dir_.write_file("Later\\A late entry.lnk", "x");
    indexer_->ask(question(++generation_, "late", roots));
    ASSERT_TRUE(indexer_->wait_for_answer(generation_, 5000));
    auto answer = indexer_->take_answer();
    EXPECT_EQ(paths_of(*answer), std::vector<std::string>{later + "A late entry.lnk"});
    // Then it is watched like the others.
    dir_.write_file("Later\\Another late one.lnk", "x");
    bool followed = false;
    for (const ULONGLONG start = GetTickCount64(); !followed && GetTickCount64() - start < 20000;) {
        indexer_->ask(question(++generation_, "late", roots));
        followed = indexer_->wait_for_answer(generation_, 5000) &&
                   indexer_->take_answer()->ranked.size() == 2;
    }
    EXPECT_TRUE(followed);
}

TEST_F(SearchIndexerTest, OnlyTheNewestQuestionIsAnsweredAndAnswersCarryTheirGeneration) {
    // Questions asked faster than answered: the last one wins.
    for (std::uint64_t g = 1; g <= 50; ++g)
        indexer_->ask(question(g, g % 2 ? "existing" : "nothing like it", roots_));
    ASSERT_TRUE(indexer_->wait_for_answer(50, 5000));
    const auto answer = indexer_->take_answer();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->generation, 50u);
    EXPECT_EQ(answer->text, "nothing like it");
    EXPECT_TRUE(answer->ranked.empty());
    EXPECT_FALSE(indexer_->take_answer()) << "an answer is taken once";
    EXPECT_FALSE(indexer_->wait_for_answer(51, 50)) << "nobody asked for 51";
    const SearchIndexer::Totals totals = indexer_->totals();
    EXPECT_EQ(totals.files, 4u);
    EXPECT_GT(totals.bytes, 0u);
}

// The own-menu folder may change again and again in one run: the thread
// keeps answering past the most handles one wait can take, and keeps a
// bounded number of roots.
TEST_F(SearchIndexerTest, KeepsAnsweringForSeventyFoldersAskedOneAfterAnother) {
    for (int i = 0; i < 70; ++i) {
        const std::string folder = dir_.make_dir("Menu " + std::to_string(i));
        ASSERT_TRUE(write_file(folder + "Entry " + std::to_string(i) + ".lnk", "x"));
        std::vector<std::string> roots{folder, roots_[1]};
        indexer_->ask(question(++generation_, "entry " + std::to_string(i), roots));
        ASSERT_TRUE(indexer_->wait_for_answer(generation_, 10000)) << i;
        auto answer = indexer_->take_answer();
        ASSERT_TRUE(answer);
        EXPECT_EQ(paths_of(*answer).front(), folder + "Entry " + std::to_string(i) + ".lnk");
        ASSERT_TRUE(indexer_->running());
    }
    EXPECT_LE(indexer_->totals().roots, kIndexedRootLimit);
    // The roots given at the start, asked again, are watched anew.
    EXPECT_TRUE(until("existing", [&](const auto& paths) {
        return paths == std::vector<std::string>{roots_[3] + "Sub\\Deeper\\Existing.lnk"};
    }));
}

// While the answer is awaited the window keeps painting; input stays
// queued for later, in its order.
TEST_F(SearchIndexerTest, AWaitForAnAnswerPaintsAndLeavesInputQueued) {
    // Many files: the answer takes a while.
    const std::string big = dir_.make_dir("Big");
    for (int i = 0; i < 3000; ++i)
        ASSERT_TRUE(write_file(big + "Item " + std::to_string(i) + ".lnk", "x"));
    static int paints = 0;
    paints = 0;
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = [](HWND window, UINT message, WPARAM w, LPARAM l) -> LRESULT {
        if (message == WM_PAINT) {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            ++paints;
            return 0;
        }
        return DefWindowProcW(window, message, w, l);
    };
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"TrevalonPaintCounter";
    RegisterClassW(&window_class);
    HWND window =
        CreateWindowExW(0, L"TrevalonPaintCounter", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                        200, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    paints = 0;

    InvalidateRect(window, nullptr, TRUE);
    PostMessageW(window, WM_KEYDOWN, 'A', 0);
    PostMessageW(window, WM_KEYDOWN, 'B', 0);
    indexer_ = std::make_unique<SearchIndexer>(std::vector<std::string>{big}, nullptr, 0);
    indexer_->ask(question(++generation_, "item", {big}));
    ASSERT_TRUE(indexer_->wait_for_answer(generation_, 20000, true));
    EXPECT_GE(paints, 1) << "the window was not painted while the answer was awaited";
    ASSERT_TRUE(PeekMessageW(&message, window, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(message.wParam, WPARAM('A'));
    ASSERT_TRUE(PeekMessageW(&message, window, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(message.wParam, WPARAM('B'));
    DestroyWindow(window);
}

}  // namespace
}  // namespace trevalon
