// Runs the real setup.exe and its uninstaller in this test's throwaway prefix,
// silently, and checks what they leave on disk and in the registry.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include "base/utf8_path.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"
#include "support/wait_win.h"
#include "texts/text_table.h"
#include "version.h"

// installer/CMakeLists.txt defines both when makensis was found.
#ifndef TREVALON_SETUP_PATH
#define TREVALON_SETUP_PATH "/makensis-was-not-found/setup.exe"
#define TREVALON_PACKAGE_STAGE_DIR "/makensis-was-not-found"
#endif

namespace trevalon {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kUninstallKeyBase =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr const char* kMainWindowClass = "TrevalonMainWindow";
constexpr WPARAM kExitCommand = 13;
constexpr auto kInstallerLimit = std::chrono::seconds(120);

// The build tree's Unix paths, as Wine sees them.
std::string windows_path(std::string unix_path) {
    for (char& c : unix_path) {
        if (c == '/')
            c = '\\';
    }
    return "Z:" + unix_path;
}

std::string special_folder(int csidl) {
    char buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer)))
        return {};
    return buffer;
}

const std::string& name(std::string_view key) {
    static const bool loaded = (load_builtin_texts(texts()), true);
    (void)loaded;
    return text(key);
}

// Where an installation should put things, derived the way the program
// derives its own folders and names.
struct Layout {
    std::string install_dir =
        special_folder(CSIDL_LOCAL_APPDATA) + "\\Programs\\" + name("Program_Name");
    std::string exe = install_dir + "\\trevalon.exe";
    std::string uninstaller = install_dir + "\\uninstall.exe";
    std::string start_menu_link =
        special_folder(CSIDL_PROGRAMS) + "\\" + name("Program_Name") + ".lnk";
    std::string desktop_link =
        special_folder(CSIDL_DESKTOPDIRECTORY) + "\\" + name("Program_Name") + ".lnk";
    std::string data_dir = special_folder(CSIDL_APPDATA) + "\\" + name("AppData_Subdir");
    std::string settings_file = data_dir + "\\" + name("Settings_File");
    std::string predecessor_dir = special_folder(CSIDL_APPDATA) + "\\Osmeric";
    std::string temp_dir = temp_folder() + name("Temp_Subdir");
    std::string uninstall_key = kUninstallKeyBase + name("Program_Name");

    static std::string temp_folder() {
        char buffer[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, buffer);
        return buffer;
    }
};

bool exists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(utf8_to_path(path), ignored);
}

std::string read_file(const std::string& path) {
    std::ifstream in(utf8_to_path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const std::string& path, std::string_view content) {
    fs::create_directories(utf8_to_path(path).parent_path());
    std::ofstream out(utf8_to_path(path), std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::optional<std::string> read_string(const std::string& key, const std::string& value) {
    char buffer[2048] = {};
    DWORD size = sizeof(buffer);
    DWORD type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), value.c_str(), RRF_RT_REG_SZ, &type, buffer,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(buffer);
}

std::optional<DWORD> read_dword(const std::string& key, const std::string& value) {
    DWORD data = 0;
    DWORD size = sizeof(data);
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), value.c_str(), RRF_RT_REG_DWORD, nullptr,
                     &data, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return data;
}

bool key_exists(const std::string& key) {
    UniqueKey handle;
    return RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, handle.put()) ==
           ERROR_SUCCESS;
}

void write_string(const std::string& key, const std::string& value, const std::string& data) {
    RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), value.c_str(), REG_SZ, data.c_str(),
                    static_cast<DWORD>(data.size() + 1));
}

void write_dword(const std::string& key, const std::string& value, DWORD data) {
    RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), value.c_str(), REG_DWORD, &data, sizeof(data));
}

// The file a shell link points at.
std::string link_target(const std::string& link) {
    ComInit com;
    ComPtr<IShellLinkA> shell_link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                shell_link.put_void()))) {
        return {};
    }
    ComPtr<IPersistFile> file;
    if (FAILED(shell_link.query(file)))
        return {};
    if (FAILED(file->Load(utf8_to_wide(link).c_str(), STGM_READ)))
        return {};
    char target[MAX_PATH] = {};
    if (FAILED(shell_link->GetPath(target, MAX_PATH, nullptr, 0)))
        return {};
    return target;
}

bool same_path(const std::string& a, const std::string& b) {
    return CompareStringOrdinal(utf8_to_wide(a).c_str(), -1, utf8_to_wide(b).c_str(), -1, TRUE) ==
           CSTR_EQUAL;
}

// Runs a program and waits until it and every process it started have ended:
// an NSIS uninstaller copies itself to the temporary folder, starts the copy
// and returns at once. Returns the first process's exit code.
std::optional<DWORD> run_and_wait_for_all(std::string command) {
    UniqueHandle job(CreateJobObjectA(nullptr, nullptr));
    if (!job)
        return std::nullopt;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &info)) {
        return std::nullopt;
    }
    UniqueHandle process(info.hProcess);
    UniqueHandle thread(info.hThread);
    if (!AssignProcessToJobObject(job.get(), process.get())) {
        TerminateProcess(process.get(), 1);
        return std::nullopt;
    }
    ResumeThread(thread.get());
    const bool all_ended = test::wait_until(
        [&] {
            JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
            return QueryInformationJobObject(job.get(), JobObjectBasicAccountingInformation,
                                             &accounting, sizeof(accounting), nullptr) &&
                   accounting.ActiveProcesses == 0;
        },
        kInstallerLimit);
    if (!all_ended) {
        TerminateJobObject(job.get(), 1);
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    return code;
}

// The installed program, started the way a user starts it.
struct RunningProgram {
    UniqueHandle process;
    DWORD id = 0;
    HWND window = nullptr;
};

std::optional<RunningProgram> start_program(const std::string& exe) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string command = "\"" + exe + "\"";
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return std::nullopt;
    }
    RunningProgram program;
    program.process.reset(info.hProcess);
    program.id = info.dwProcessId;
    CloseHandle(info.hThread);
    const bool shown = test::wait_until(
        [&] {
            HWND window = FindWindowA(kMainWindowClass, nullptr);
            DWORD owner = 0;
            if (window)
                GetWindowThreadProcessId(window, &owner);
            if (owner != program.id || !IsWindowVisible(window))
                return false;
            program.window = window;
            return true;
        },
        std::chrono::seconds(30));
    if (!shown) {
        TerminateProcess(program.process.get(), 1);
        return std::nullopt;
    }
    return program;
}

bool ended(const RunningProgram& program, std::chrono::milliseconds limit) {
    return test::wait_until(
        [&] { return WaitForSingleObject(program.process.get(), 0) == WAIT_OBJECT_0; }, limit);
}

class Installer : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // Under Wine the first program that asks for the desktop window starts
        // the desktop process as its child. Ask here, so that process does not
        // land in an installer's job and keep the wait for it going.
        GetDesktopWindow();
    }

    void SetUp() override {
        ASSERT_TRUE(exists(setup_)) << "no installer at " << setup_
                                    << " (is makensis installed? it comes with Debian's nsis)";
        remove_everything();
    }
    void TearDown() override { remove_everything(); }

    std::optional<DWORD> install(const std::string& switches) {
        return run_and_wait_for_all("\"" + setup_ + "\" /S " + switches);
    }
    std::optional<DWORD> uninstall(const std::string& switches) {
        return run_and_wait_for_all("\"" + layout_.uninstaller + "\" /S " + switches);
    }

    bool nothing_of_the_program_left() const {
        return !exists(layout_.install_dir) && !exists(layout_.start_menu_link) &&
               !exists(layout_.desktop_link) && !key_exists(layout_.uninstall_key) &&
               !read_string(kRunKey, name("Program_Name"));
    }

    // Values the program writes on every settings save.
    void write_program_values() {
        write_string(name("Registry_Subkey"), "InstallDir", layout_.install_dir + "\\");
        write_dword(name("Registry_Subkey"), "PosX", 120);
        write_dword(name("Registry_Subkey"), "PosY", 80);
    }

    // Each test starts from a user who never had the program.
    void remove_everything() {
        while (HWND window = FindWindowA(kMainWindowClass, nullptr)) {
            DWORD id = 0;
            GetWindowThreadProcessId(window, &id);
            UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
            if (!process)
                break;
            TerminateProcess(process.get(), 1);
            WaitForSingleObject(process.get(), 10000);
        }
        std::error_code ignored;
        for (const std::string& path :
             {layout_.install_dir, layout_.data_dir, layout_.predecessor_dir, layout_.temp_dir,
              layout_.start_menu_link, layout_.desktop_link}) {
            fs::remove_all(utf8_to_path(path), ignored);
        }
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, name("Program_Name").c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, layout_.uninstall_key.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quorvane");
    }

    Layout layout_;
    const std::string setup_ = windows_path(TREVALON_SETUP_PATH);
    const std::string stage_dir_ = windows_path(TREVALON_PACKAGE_STAGE_DIR);
};

TEST_F(Installer, SilentInstallWithSwitchesPutsProgramShortcutsAutostartAndUninstallEntryInPlace) {
    ASSERT_EQ(install("/AUTOSTART /DESKTOP"), 0u);

    ASSERT_TRUE(exists(layout_.exe));
    EXPECT_EQ(read_file(layout_.exe), read_file(stage_dir_ + "\\trevalon.exe"));
    EXPECT_TRUE(exists(layout_.uninstaller));
    // The help commands open these beside the program: the package carries
    // the user guide in both forms.
    for (const char* doc : {"Offline_Hilfe", "Offline_PDF"}) {
        EXPECT_TRUE(exists(stage_dir_ + "\\" + name(doc))) << name(doc) << " is not packaged";
        EXPECT_EQ(read_file(layout_.install_dir + "\\" + name(doc)),
                  read_file(stage_dir_ + "\\" + name(doc)))
            << name(doc) << " is not installed beside the program";
    }
    EXPECT_TRUE(same_path(link_target(layout_.start_menu_link), layout_.exe))
        << link_target(layout_.start_menu_link);
    EXPECT_TRUE(same_path(link_target(layout_.desktop_link), layout_.exe))
        << link_target(layout_.desktop_link);

    // The program reads its autostart value back as its own path: no quotes.
    EXPECT_EQ(read_string(kRunKey, name("Program_Name")), layout_.exe);
    EXPECT_EQ(read_file(layout_.settings_file), "LoadOnWindowsStart = 1\r\n");

    const std::string& key = layout_.uninstall_key;
    const std::string quoted_uninstaller = "\"" + layout_.uninstaller + "\"";
    EXPECT_EQ(read_string(key, "DisplayName"), name("Program_Name"));
    EXPECT_EQ(read_string(key, "DisplayVersion"), std::string(TREVALON_VERSION));
    EXPECT_EQ(read_string(key, "Publisher"), std::string(TREVALON_MAKER_NAME));
    EXPECT_EQ(read_string(key, "DisplayIcon"), layout_.exe + ",0");
    EXPECT_EQ(read_string(key, "InstallLocation"), layout_.install_dir);
    EXPECT_EQ(read_string(key, "UninstallString"), quoted_uninstaller);
    EXPECT_EQ(read_string(key, "QuietUninstallString"), quoted_uninstaller + " /S");
    EXPECT_EQ(read_dword(key, "NoModify"), 1u);
    EXPECT_EQ(read_dword(key, "NoRepair"), 1u);
    const auto kilobytes = read_dword(key, "EstimatedSize");
    ASSERT_TRUE(kilobytes);
    EXPECT_GE(*kilobytes, fs::file_size(utf8_to_path(layout_.exe)) / 1024);
}

TEST_F(Installer, SilentInstallWithoutSwitchesAddsNoDesktopShortcutNoAutostartAndKeepsSettings) {
    const std::string settings = "LoadOnWindowsStart = 0\r\nWindowSmaller = 1\r\n";
    write_file(layout_.settings_file, settings);

    ASSERT_EQ(install(""), 0u);

    EXPECT_TRUE(exists(layout_.exe));
    EXPECT_TRUE(exists(layout_.start_menu_link));
    EXPECT_FALSE(exists(layout_.desktop_link));
    EXPECT_FALSE(read_string(kRunKey, name("Program_Name")));
    EXPECT_EQ(read_file(layout_.settings_file), settings);
}

TEST_F(Installer, AutostartRewritesOnlyTheSettingsLinesOfItsKey) {
    struct Case {
        const char* what;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"every spelling of the key is replaced; other lines, UTF-8 and odd bytes stay",
         "AllowInternetAccess = 1\r\n"
         "loadonwindowsstart = 0\r\n"
         "MyOwnMenu = C:\\Users\\J\xc3\xbcrgen\\Men\xc3\xbc\\ \r\n"
         " \tLoadOnWindowsStart=0\r\n"
         "LoadOnWindowsStartX = 0\r\n"
         "Men\xc3\xbc = LoadOnWindowsStart\r\n"
         "IconFormat = 1\n"
         "\xff\xfe = 2\r\n"
         "WindowSmaller = 1",
         "AllowInternetAccess = 1\r\n"
         "LoadOnWindowsStart = 1\r\n"
         "MyOwnMenu = C:\\Users\\J\xc3\xbcrgen\\Men\xc3\xbc\\ \r\n"
         "LoadOnWindowsStart = 1\r\n"
         "LoadOnWindowsStartX = 0\r\n"
         "Men\xc3\xbc = LoadOnWindowsStart\r\n"
         "IconFormat = 1\n"
         "\xff\xfe = 2\r\n"
         "WindowSmaller = 1"},
        {"a missing key is appended after a last line without a line break", "WindowSmaller = 1",
         "WindowSmaller = 1\r\nLoadOnWindowsStart = 1\r\n"},
        {"a missing key is appended after complete lines", "WindowSmaller = 1\r\n",
         "WindowSmaller = 1\r\nLoadOnWindowsStart = 1\r\n"},
        {"an empty file gets the one line", "", "LoadOnWindowsStart = 1\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write_file(layout_.settings_file, c.before);
        ASSERT_EQ(install("/AUTOSTART"), 0u);
        EXPECT_EQ(read_file(layout_.settings_file), c.after);
        EXPECT_FALSE(exists(layout_.settings_file + ".new"));
    }
}

TEST_F(Installer, AutostartLeavesThePredecessorTakeOverToTheFirstStart) {
    // The program takes over the predecessor's data only on the start that
    // creates its data folder; the installer must not create it first.
    write_file(layout_.predecessor_dir + "\\Osmeric.prefs", "LoadOnWindowsStart = 1\r\n");

    ASSERT_EQ(install("/AUTOSTART"), 0u);

    EXPECT_FALSE(exists(layout_.data_dir));
    EXPECT_EQ(read_string(kRunKey, name("Program_Name")), layout_.exe);
}

TEST_F(Installer, SilentUninstallRemovesProgramAndAutostartButKeepsTheUsersData) {
    ASSERT_EQ(install("/AUTOSTART /DESKTOP"), 0u);
    write_file(layout_.data_dir + "\\" + name("Velmora_Subdir") + "\\Editor.lnk", "link");
    write_program_values();

    ASSERT_EQ(uninstall(""), 0u);

    EXPECT_TRUE(nothing_of_the_program_left());
    EXPECT_EQ(read_file(layout_.settings_file), "LoadOnWindowsStart = 1\r\n");
    EXPECT_TRUE(exists(layout_.data_dir + "\\" + name("Velmora_Subdir") + "\\Editor.lnk"));
    EXPECT_EQ(read_dword(name("Registry_Subkey"), "PosX"), 120u);
}

TEST_F(Installer, RemoveDataSwitchAlsoRemovesTheDataFolderAndTheProgramsValues) {
    ASSERT_EQ(install("/AUTOSTART"), 0u);
    write_file(layout_.data_dir + "\\" + name("Velmora_Subdir") + "\\Editor.lnk", "link");
    write_program_values();
    // The predecessor's key sits beside the program's: not ours to remove.
    write_dword("Software\\Quorvane\\Osmeric", "PosX", 7);

    ASSERT_EQ(uninstall("/REMOVEDATA"), 0u);

    EXPECT_TRUE(nothing_of_the_program_left());
    EXPECT_FALSE(exists(layout_.data_dir));
    EXPECT_FALSE(key_exists(name("Registry_Subkey")));
    EXPECT_EQ(read_dword("Software\\Quorvane\\Osmeric", "PosX"), 7u);
}

TEST_F(Installer, InstalledProgramStartsAndExits) {
    ASSERT_EQ(install("/AUTOSTART"), 0u);
    // Lets a close end the program should it ignore the Exit command.
    std::ofstream(utf8_to_path(layout_.settings_file), std::ios::binary | std::ios::app)
        << "WindowCloseToTabBar = 0\r\n";

    auto program = start_program(layout_.exe);
    ASSERT_TRUE(program) << "no main window of class " << kMainWindowClass;
    char title[256] = {};
    GetWindowTextA(program->window, title, sizeof(title));
    EXPECT_EQ(std::string(title).rfind(name("Program_Name"), 0), 0u) << title;

    PostMessageA(program->window, WM_COMMAND, kExitCommand, 0);
    if (!ended(*program, std::chrono::seconds(5))) {
        std::cout << "NOTE: trevalon.exe ignored the Exit command (13); ending it by closing "
                     "its window\n";
        RecordProperty("exit_path", "WM_CLOSE");
        PostMessageA(program->window, WM_CLOSE, 0, 0);
    } else {
        RecordProperty("exit_path", "command 13");
    }
    EXPECT_TRUE(ended(*program, std::chrono::seconds(30)));
}

TEST_F(Installer, UninstallerEndsARunningProgramBeforeRemovingIt) {
    ASSERT_EQ(install(""), 0u);
    auto program = start_program(layout_.exe);
    ASSERT_TRUE(program);

    ASSERT_EQ(uninstall(""), 0u);

    EXPECT_TRUE(ended(*program, std::chrono::seconds(1)));
    EXPECT_TRUE(nothing_of_the_program_left());
}

TEST_F(Installer, InstallingOverARunningProgramEndsItAndKeepsTheInstallation) {
    ASSERT_EQ(install("/DESKTOP"), 0u);
    auto program = start_program(layout_.exe);
    ASSERT_TRUE(program);

    ASSERT_EQ(install(""), 0u);

    EXPECT_TRUE(ended(*program, std::chrono::seconds(1)));
    EXPECT_TRUE(exists(layout_.exe));
    EXPECT_TRUE(exists(layout_.uninstaller));
    // An update does not take away what the first installation added.
    EXPECT_TRUE(exists(layout_.desktop_link));
}

}  // namespace
}  // namespace trevalon
