// The drop target with real OLE data objects: what reaches the handler, which
// effect the source is told, and the registration on a window.
#include "platform/drop_target_win.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/drag_source_win.h"
#include "platform/file_ops_win.h"
#include "support/ole_data_win.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

class DropTargets : public testing::Test {
  protected:
    void SetUp() override {
        ole_ = SUCCEEDED(OleInitialize(nullptr));
        ASSERT_TRUE(ole_);
        window_ = CreateWindowExW(0, L"STATIC", L"target", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        DestroyWindow(window_);
        if (ole_)
            OleUninitialize();
    }

    DropTarget target(DropAccepts accepts) {
        return DropTarget(3, accepts, [this](const Event& event) { dropped_ = event; });
    }

    // One drag over the target and a drop, as OLE drives it.
    DWORD drag_and_drop(IDropTarget& into, IDataObject* data, DWORD key_state,
                        DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE) {
        DWORD effect = allowed;
        into.DragEnter(data, key_state, POINTL{40, 50}, &effect);
        entered_effect_ = effect;
        effect = allowed;
        into.DragOver(key_state, POINTL{41, 51}, &effect);
        effect = allowed;
        into.Drop(data, key_state, POINTL{42, 52}, &effect);
        return effect;
    }

    bool ole_ = false;
    HWND window_ = nullptr;
    std::optional<Event> dropped_;
    DWORD entered_effect_ = 0;
};

TEST_F(DropTargets, FilesArriveAsADropEventAndTheSourceIsToldTheyWereCopied) {
    auto data = test::data_object_with_files({"C:\\Menu\\a.lnk", "C:\\Tools\\Ärger.cmd"});
    ASSERT_TRUE(data);
    DropTarget files = target({.files = true, .text = false});
    EXPECT_EQ(drag_and_drop(files, data.get(), MK_LBUTTON), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(entered_effect_, static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_TRUE(dropped_);
    EXPECT_EQ(dropped_->kind, EventKind::kDrop);
    EXPECT_EQ(dropped_->control, 3);
    EXPECT_EQ(dropped_->dropped_files,
              (std::vector<std::string>{"C:\\Menu\\a.lnk", "C:\\Tools\\Ärger.cmd"}));
    EXPECT_FALSE(dropped_->drop_is_move);
    EXPECT_EQ(dropped_->drop_x, 42);
    EXPECT_EQ(dropped_->drop_y, 52);
}

TEST_F(DropTargets, ShiftMakesAMoveButTheSourceStillHearsCopy) {
    auto data = test::data_object_with_files({"C:\\Menu\\a.lnk"});
    ASSERT_TRUE(data);
    DropTarget files = target({.files = true, .text = false});
    EXPECT_EQ(drag_and_drop(files, data.get(), MK_LBUTTON | MK_SHIFT),
              static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(entered_effect_, static_cast<DWORD>(DROPEFFECT_MOVE));
    ASSERT_TRUE(dropped_);
    EXPECT_TRUE(dropped_->drop_is_move);

    // A source that allows only a move makes every drop a move.
    dropped_.reset();
    drag_and_drop(files, data.get(), MK_LBUTTON, DROPEFFECT_MOVE);
    ASSERT_TRUE(dropped_);
    EXPECT_TRUE(dropped_->drop_is_move);
}

TEST_F(DropTargets, TextReachesOnlyATargetThatTakesText) {
    auto data = test::data_object_with_text("https://news.example/ü");
    ASSERT_TRUE(data);
    DropTarget files_only = target({.files = true, .text = false});
    EXPECT_EQ(drag_and_drop(files_only, data.get(), MK_LBUTTON),
              static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(entered_effect_, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_FALSE(dropped_);

    DropTarget list = target({.files = true, .text = true});
    EXPECT_EQ(drag_and_drop(list, data.get(), MK_LBUTTON), static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_TRUE(dropped_);
    EXPECT_EQ(dropped_->dropped_text, "https://news.example/ü");
    EXPECT_TRUE(dropped_->dropped_files.empty());
}

TEST_F(DropTargets, TextIsTakenAsALinkEvenFromASourceThatOffersNothingElse) {
    auto data = test::data_object_with_text("https://news.example/");
    ASSERT_TRUE(data);
    DropTarget list = target({.files = true, .text = true});
    EXPECT_EQ(drag_and_drop(list, data.get(), MK_LBUTTON, DROPEFFECT_LINK),
              static_cast<DWORD>(DROPEFFECT_LINK));
    EXPECT_EQ(entered_effect_, static_cast<DWORD>(DROPEFFECT_LINK));
    ASSERT_TRUE(dropped_);
    EXPECT_EQ(dropped_->dropped_text, "https://news.example/");

    // Offered a link among others, the address becomes a link too.
    dropped_.reset();
    EXPECT_EQ(drag_and_drop(list, data.get(), MK_LBUTTON, DROPEFFECT_COPY | DROPEFFECT_LINK),
              static_cast<DWORD>(DROPEFFECT_LINK));
    EXPECT_TRUE(dropped_);

    // Files are copied, never linked.
    dropped_.reset();
    auto files = test::data_object_with_files({"C:\\Menu\\a.lnk"});
    ASSERT_TRUE(files);
    EXPECT_EQ(drag_and_drop(list, files.get(), MK_LBUTTON, DROPEFFECT_LINK),
              static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_FALSE(dropped_);
}

TEST_F(DropTargets, TheTargetHearsWhereTheDragIsUntilItIsDroppedOrLeaves) {
    auto data = test::data_object_with_files({"C:\\Menu\\a.lnk"});
    ASSERT_TRUE(data);
    std::vector<std::optional<POINT>> heard;
    DropTarget tree(
        1, {}, [](const Event&) {}, [&](std::optional<POINT> at) { heard.push_back(at); });
    drag_and_drop(tree, data.get(), MK_LBUTTON);
    ASSERT_EQ(heard.size(), 3u);
    ASSERT_TRUE(heard[0] && heard[1]);
    EXPECT_EQ(heard[0]->x, 40);
    EXPECT_EQ(heard[1]->y, 51);
    EXPECT_FALSE(heard[2]);

    heard.clear();
    DWORD effect = DROPEFFECT_COPY;
    tree.DragEnter(data.get(), MK_LBUTTON, POINTL{1, 2}, &effect);
    tree.DragLeave();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_FALSE(heard[1]);
}

TEST_F(DropTargets, AWindowIsRegisteredOnceUntilTheRegistrationEnds) {
    auto registration = DropRegistration::create(window_, 8, {}, [](const Event&) {});
    ASSERT_TRUE(registration);
    DropTarget another = target({});
    EXPECT_EQ(RegisterDragDrop(window_, &another), DRAGDROP_E_ALREADYREGISTERED);
    EXPECT_FALSE(DropRegistration::create(window_, 8, {}, [](const Event&) {}));
    registration.reset();
    EXPECT_EQ(RegisterDragDrop(window_, &another), S_OK);
    EXPECT_EQ(RevokeDragDrop(window_), S_OK);
}

TEST_F(DropTargets, AnEntryDraggedOutOfTheListCarriesItsPath) {
    test::TempDir dir;
    const std::string entry = dir.write_file("Menü\\Editor.lnk", "link");
    ComPtr<IDataObject> data = file_data_object(entry);
    ASSERT_TRUE(data);
    EXPECT_EQ(dropped_files(data.get()), std::vector<std::string>{entry});

    // The program's own targets take it like any other drop.
    DropTarget tree = target({.files = true, .text = false});
    drag_and_drop(tree, data.get(), MK_LBUTTON | MK_SHIFT);
    ASSERT_TRUE(dropped_);
    EXPECT_EQ(dropped_->dropped_files, std::vector<std::string>{entry});
    EXPECT_TRUE(dropped_->drop_is_move);
    EXPECT_FALSE(file_data_object(dir.str() + "missing\\nothing.lnk"));
}

}  // namespace
}  // namespace trevalon
