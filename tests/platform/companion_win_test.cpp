// The companion program: its messages, its failure where the shell offers no
// pin command, and how the program writes it out and starts it.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "platform/companion_win.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

// The build hands over Unix paths; Wine sees the Unix root as drive Z:.
std::string windows_path(std::string path) {
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

const std::string kCompanion = windows_path(TREVALON_COMPANION_PATH);

std::vector<std::byte> companion_bytes() {
    std::ifstream in(utf8_to_path(kCompanion), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    std::vector<std::byte> image(bytes.size());
    std::memcpy(image.data(), bytes.data(), bytes.size());
    return image;
}

struct Outcome {
    DWORD exit_code = 0;
    std::string output;
};

// Runs the companion with the given argument text and collects its output.
Outcome run_companion(const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE read_end = nullptr, write_end = nullptr;
    EXPECT_TRUE(CreatePipe(&read_end, &write_end, &inherit, 0));
    UniqueHandle reader(read_end), writer(write_end);
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write_end;
    startup.hStdError = write_end;
    PROCESS_INFORMATION info{};
    std::wstring command = L"\"" + utf8_to_wide(kCompanion) + L"\"" + utf8_to_wide(arguments);
    Outcome outcome;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &info)) {
        ADD_FAILURE() << "could not start the companion";
        return outcome;
    }
    UniqueHandle process(info.hProcess), thread(info.hThread);
    writer.reset();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read_end, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        outcome.output.append(buffer, got);
    EXPECT_EQ(WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
    GetExitCodeProcess(process.get(), &outcome.exit_code);
    return outcome;
}

std::string pinned_folder() {
    char app_data[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, app_data);
    return std::string(app_data) +
           "\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned\\TaskBar\\";
}

TEST(CompanionProgram, WithoutArgumentSaysArgumentsAreMissing) {
    const Outcome outcome = run_companion("");
    EXPECT_EQ(outcome.output, "ERROR_BAD_ARGUMENTS: Arguments missing\r\n");
    EXPECT_EQ(outcome.exit_code, static_cast<DWORD>(ERROR_BAD_ARGUMENTS));
}

TEST(CompanionProgram, MissingPathIsNamedInTheNotFoundMessage) {
    const Outcome outcome = run_companion(" \"C:\\nowhere\\Программа.exe\"");
    EXPECT_EQ(outcome.output, "ERROR_FILE_NOT_FOUND: C:\\nowhere\\Программа.exe\r\n");
    EXPECT_EQ(outcome.exit_code, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// Where the shell offers no pin command (current Windows, and Wine) a
// shortcut in the pinned-taskbar folder would be ignored by the taskbar: the
// companion says it cannot pin and ends with a failure code.
TEST(CompanionProgram, WithoutAPinVerbEndsWithAFailureAndLeavesNoShortcut) {
    test::TempDir dir;
    const std::string program = dir.write_file("Редактор.exe", "MZ");
    const std::string shortcut = pinned_folder() + "Редактор.lnk";
    DeleteFileW(utf8_to_path(shortcut).c_str());
    const Outcome outcome = run_companion(" \"" + program + "\"");
    EXPECT_EQ(outcome.exit_code, static_cast<DWORD>(ERROR_NOT_SUPPORTED)) << outcome.output;
    EXPECT_EQ(outcome.output, "ERROR_NOT_SUPPORTED: " + program + "\r\n");
    EXPECT_FALSE(fs::exists(utf8_to_path(shortcut)));
}

TEST(CompanionProgram, ProgramCarriesTheCompanionAsData) {
    UniqueLibrary program(
        LoadLibraryExW(utf8_to_wide(windows_path(TREVALON_EXE_PATH)).c_str(), nullptr,
                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(program);
    const auto carried = companion_image(program.get());
    const auto built = companion_bytes();
    ASSERT_FALSE(built.empty());
    ASSERT_EQ(carried.size(), built.size());
    EXPECT_EQ(std::memcmp(carried.data(), built.data(), built.size()), 0);
    EXPECT_TRUE(companion_image().empty());  // the test program carries none
}

FILETIME write_time(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(utf8_to_wide(path).c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

DWORD wait_for_exit(const UniqueHandle& process) {
    EXPECT_EQ(WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    return code;
}

TEST(RunCompanionProgram, WritesTheFileOnceAndStartsItWithTheQuotedPath) {
    test::TempDir temp;
    const auto image = companion_bytes();
    const std::string file = temp.str() + "Trev1.exe";

    UniqueHandle first =
        run_companion_program(temp.str() + "missing program.exe", temp.str(), image);
    ASSERT_TRUE(first);
    EXPECT_EQ(wait_for_exit(first), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    ASSERT_EQ(fs::file_size(utf8_to_path(file)), image.size());

    // Mark the file with an old time: a second write would change it.
    UniqueFile handle(CreateFileW(utf8_to_wide(file).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(handle);
    const FILETIME old_time{0x12345678, 0x01C00000};
    ASSERT_TRUE(SetFileTime(handle.get(), nullptr, nullptr, &old_time));
    handle.reset();

    const std::string program = temp.write_file("Программа.exe", "MZ");
    UniqueHandle second = run_companion_program(program, temp.str(), image);
    ASSERT_TRUE(second);
    // It found the program (no pin command here, so it could not pin it).
    EXPECT_EQ(wait_for_exit(second), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    const FILETIME now_time = write_time(file);
    EXPECT_EQ(CompareFileTime(&old_time, &now_time), 0);
}

TEST(RunCompanionProgram, ReplacesAnEmptyFile) {
    test::TempDir temp;
    const auto image = companion_bytes();
    temp.write_file("Trev1.exe", "");
    UniqueHandle process = run_companion_program("C:\\missing.exe", temp.str(), image);
    ASSERT_TRUE(process);
    wait_for_exit(process);
    EXPECT_EQ(fs::file_size(temp.path() / "Trev1.exe"), image.size());
}

TEST(RunCompanionProgram, DoesNothingWithoutAnImageOrAWritableFolder) {
    test::TempDir temp;
    EXPECT_FALSE(run_companion_program("C:\\x.exe", temp.str(), {}));
    EXPECT_FALSE(fs::exists(temp.path() / "Trev1.exe"));
    EXPECT_FALSE(
        run_companion_program("C:\\x.exe", temp.str() + "no such folder", companion_bytes()));
}

}  // namespace
}  // namespace trevalon
