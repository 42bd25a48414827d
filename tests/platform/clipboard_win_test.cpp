// File lists through the real clipboard of the test's own Wine prefix.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "menu/file_drop_block.h"
#include "platform/clipboard_win.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"
#include "support/temp_dir.h"
#include "support/wait_win.h"

namespace trevalon {
namespace {

using Paths = std::vector<std::string>;

void put_text_only(const std::wstring& text) {
    ClipboardSession clipboard;
    ASSERT_TRUE(clipboard.is_open());
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    {
        GlobalLockGuard lock(memory.get());
        std::memcpy(lock.data(), text.c_str(), bytes);
    }
    ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, memory.get()));
    memory.release();
}

std::vector<std::byte> raw_drop_block() {
    ClipboardSession clipboard;
    HANDLE data = GetClipboardData(CF_HDROP);
    if (!data)
        return {};
    GlobalLockGuard lock(data);
    const auto* bytes = static_cast<const std::byte*>(lock.data());
    return std::vector<std::byte>(bytes, bytes + lock.size());
}

TEST(Clipboard, TwoNonLatinPathsMakeTheRoundTrip) {
    const Paths paths{"C:\\Меню\\Блокнот.lnk", "C:\\メニュー\\メモ帳.lnk"};
    ASSERT_TRUE(copy_files_to_clipboard(paths));
    EXPECT_EQ(clipboard_file_count(), 2);
    EXPECT_EQ(clipboard_files(), paths);
    EXPECT_EQ(clipboard_file_list(), "C:\\Меню\\Блокнот.lnk|C:\\メニュー\\メモ帳.lnk");
}

TEST(Clipboard, HoldsTheHeaderBlockAndWideNames) {
    const Paths paths{"C:\\a.lnk", "C:\\Папка\\"};
    ASSERT_TRUE(copy_files_to_clipboard(paths));
    const std::vector<std::byte> expected = make_file_drop_block(paths);
    std::vector<std::byte> held = raw_drop_block();
    ASSERT_GE(held.size(), expected.size());  // the system may round the block up
    held.resize(expected.size());
    EXPECT_EQ(held, expected);
    const auto* header = reinterpret_cast<const DROPFILES*>(held.data());
    EXPECT_EQ(header->pFiles, 20u);
    EXPECT_TRUE(header->fWide);
}

TEST(Clipboard, FolderIsListedWithoutItsTrailingBackslash) {
    ASSERT_TRUE(copy_files_to_clipboard({"C:\\Menu\\Games\\"}));
    EXPECT_EQ(clipboard_file_list(), "C:\\Menu\\Games");
}

TEST(Clipboard, PathsLongerThan260CharactersComeBackWhole) {
    const std::string long_path = "C:\\" + std::string(300, 'n') + "\\Файл.lnk";
    ASSERT_TRUE(copy_files_to_clipboard({long_path}));
    EXPECT_EQ(clipboard_files(), Paths{long_path});
}

TEST(Clipboard, TextOnlyClipboardHasNoFiles) {
    put_text_only(L"just some text");
    EXPECT_EQ(clipboard_file_count(), 0);
    EXPECT_EQ(clipboard_file_list(), "");
    EXPECT_TRUE(clipboard_files().empty());
}

TEST(Clipboard, SingleByteDropListOfAnotherProgramIsRead) {
    // Another program's list in the active code page (UTF-8 here).
    const std::string names = std::string("C:\\Меню\\a.lnk") + '\0' + "C:\\b.lnk" + '\0' + '\0';
    UniqueGlobal memory(
        GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size()));
    {
        GlobalLockGuard lock(memory.get());
        auto* header = static_cast<DROPFILES*>(lock.data());
        header->pFiles = sizeof(DROPFILES);
        header->fWide = FALSE;
        std::memcpy(static_cast<char*>(lock.data()) + sizeof(DROPFILES), names.data(),
                    names.size());
    }
    {
        ClipboardSession clipboard;
        ASSERT_TRUE(clipboard.is_open());
        EmptyClipboard();
        ASSERT_TRUE(SetClipboardData(CF_HDROP, memory.get()));
        memory.release();
    }
    EXPECT_EQ(clipboard_files(), (Paths{"C:\\Меню\\a.lnk", "C:\\b.lnk"}));
}

// Another thread's window holds the clipboard open until told to let go.
class ClipboardHolder {
  public:
    ClipboardHolder() : thread_([this] { hold(); }) { WaitForSingleObject(ready_.get(), 10000); }
    ~ClipboardHolder() {
        SetEvent(release_.get());
        thread_.join();
    }
    bool holding() const { return holding_; }

  private:
    void hold() {
        HWND window = CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      nullptr, nullptr);
        holding_ = window && OpenClipboard(window);
        SetEvent(ready_.get());
        WaitForSingleObject(release_.get(), 30000);
        if (holding_)
            CloseClipboard();
        if (window)
            DestroyWindow(window);
    }

    UniqueHandle ready_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    UniqueHandle release_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    bool holding_ = false;
    std::thread thread_;
};

TEST(Clipboard, HeldClipboardReadsAsEmptyAndRefusesACopy) {
    ASSERT_TRUE(copy_files_to_clipboard({"C:\\a.lnk"}));
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.holding());
        EXPECT_EQ(clipboard_file_count(), 0);
        EXPECT_EQ(clipboard_file_list(), "");
        EXPECT_FALSE(copy_files_to_clipboard({"C:\\b.lnk"}));
    }
    // Every reading call closed the clipboard again: it is free and unchanged.
    EXPECT_EQ(clipboard_file_list(), "C:\\a.lnk");
}

TEST(Clipboard, AWriteWithAnOwnerWindowLeavesThatWindowOwningTheList) {
    HWND window = CreateWindowExW(0, L"STATIC", L"owner", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(copy_files_to_clipboard({"C:\\Menu\\a.lnk"}, window));
    EXPECT_EQ(GetClipboardOwner(), window);
    EXPECT_EQ(clipboard_file_list(), "C:\\Menu\\a.lnk");
    // Reading stays owner-less and changes nothing.
    EXPECT_EQ(GetClipboardOwner(), window);
    DestroyWindow(window);
}

TEST(ShowProperties, MissingFileIsRefusedWithoutUi) {
    test::TempDir dir;
    EXPECT_FALSE(show_properties(nullptr, dir.str() + "missing.lnk"));
}

TEST(ShowProperties, AsksTheShellForThePropertiesVerbOnTheNamedPageWithoutItsUi) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    const std::wstring file = L"C:\\Programs\\Trevalon\\trevalon.exe";
    const std::wstring page = L"Digital Signatures";
    const SHELLEXECUTEINFOW request = properties_request(owner, file, page);
    EXPECT_EQ(request.cbSize, 112u);  // the record of 64-bit Windows
    EXPECT_EQ(request.fMask, 0x44Cu);
    EXPECT_EQ(request.fMask, static_cast<ULONG>(SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS |
                                                SEE_MASK_FLAG_NO_UI));
    EXPECT_EQ(request.hwnd, owner);
    ASSERT_TRUE(request.lpVerb);
    EXPECT_STREQ(request.lpVerb, L"properties");
    EXPECT_EQ(request.lpFile, file.c_str());
    EXPECT_EQ(request.lpParameters, page.c_str());
    // Everything else is zero.
    EXPECT_EQ(request.lpDirectory, nullptr);
    EXPECT_EQ(request.nShow, 0);
    EXPECT_EQ(request.hInstApp, nullptr);
    EXPECT_EQ(request.lpIDList, nullptr);
    EXPECT_EQ(request.lpClass, nullptr);
    EXPECT_EQ(request.hProcess, nullptr);
    DestroyWindow(owner);
}

}  // namespace
}  // namespace trevalon
