// Bookmarks under Wine with a stand-in powershell.exe named by its path and a
// favicon service on 127.0.0.1.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/utf8_path.h"
#include "bookmarks/page_title.h"
#include "bookmarks/page_title_win.h"
#include "bookmarks/web_address.h"
#include "bookmarks/web_bookmark_win.h"
#include "icons/image.h"
#include "menu/path_text.h"
#include "platform/shortcut_win.h"
#include "platform/wide_win.h"
#include "support/http_test_server.h"
#include "support/picture_fixtures.h"
#include "support/process_win.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

using namespace std::chrono_literals;
using test::HttpAnswer;
namespace fs = std::filesystem;

// Characters that end strings or start commands in PowerShell or cmd.exe,
// with commands that would leave marker files behind if they ever ran.
constexpr std::string_view kHostileAddress =
    "http://127.0.0.1:1/it's;$(echo.>m0)`x%PATH%^y&echo.>m1&echo.>m2|echo.>m3'\"";

// An environment variable of this test process, restored when the test ends.
class ScopedVariable {
  public:
    ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
        wchar_t buffer[32768];
        const DWORD length = GetEnvironmentVariableW(name, buffer, 32768);
        if (length > 0 && length < 32768)
            old_ = std::wstring(buffer, length);
        SetEnvironmentVariableW(name, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableW(name_, old_ ? old_->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const wchar_t* name_;
    std::optional<std::wstring> old_;
};

std::wstring current_path() {
    wchar_t buffer[32768];
    const DWORD length = GetEnvironmentVariableW(L"PATH", buffer, 32768);
    return length < 32768 ? std::wstring(buffer, length) : std::wstring();
}

std::string read_text(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class StandInPowerShell : public ::testing::Test {
  protected:
    void SetUp() override {
        const fs::path stand_in = utf8_to_path(test::build_tree_path(POWERSHELL_STAND_IN_PATH));
        fs::copy_file(stand_in, programs_.path() / "powershell.exe");
        // First on PATH too: a bare name must still not find it there.
        path_.emplace(L"PATH", utf8_to_wide(programs_.str()) + L";" + current_path());
        record_.emplace(L"TREVALON_STAND_IN_RECORD", utf8_to_wide(work_.str()) + L"record");
        config_.powershell = programs_.str() + "powershell.exe";
        config_.title_process_limit = 8000ms;
    }

    // The stand-in prints these bytes.
    void prints(std::string_view bytes) {
        work_.write_file("output.txt", bytes);
        output_.emplace(L"TREVALON_STAND_IN_OUTPUT", utf8_to_wide(work_.str()) + L"output.txt");
    }
    bool started() const { return fs::exists(work_.path() / "record.command"); }
    std::string recorded(const char* what) const {
        return read_text(work_.path() / (std::string("record.") + what));
    }
    std::string expected_command_line() const {
        return "\"" + programs_.str() +
               "powershell.exe\" -NoProfile -NonInteractive -NoLogo "
               "-Command \"" +
               title_fetch_command(config_.title_request_timeout) + "\"";
    }

    test::TempDir programs_;
    test::TempDir work_;
    std::optional<ScopedVariable> path_;
    std::optional<ScopedVariable> record_;
    std::optional<ScopedVariable> output_;
    NetworkConfig config_;
};

TEST_F(StandInPowerShell, IsFoundByItsFullPathAndABareNameOnlyInTheSystemsOwnFolder) {
    EXPECT_EQ(find_powershell(config_), config_.powershell);
    // By name: the system's PowerShell, never one of that name on PATH, in the
    // program's folder or in the working folder.
    NetworkConfig named = config_;
    named.powershell = "powershell.exe";
    wchar_t system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    EXPECT_EQ(find_powershell(named),
              wide_to_utf8(system) + "\\WindowsPowerShell\\v1.0\\powershell.exe");
    named.powershell = "no-such-shell.exe";
    EXPECT_FALSE(find_powershell(named));
    named.powershell = programs_.str() + "missing.exe";
    EXPECT_FALSE(find_powershell(named));
}

TEST_F(StandInPowerShell, TheTitleIsTheFirstLinePrinted) {
    prints("Example Domain\r\nsecond line\r\n");
    EXPECT_EQ(fetch_page_title("https://example.com/", config_), "Example Domain");
    EXPECT_TRUE(started());

    prints(
        "\xEF\xBB\xBF"
        "Caf\xC3\xA9 M\xC3\xBCller \xE2\x80\x93 \xE6\x97\xA5\xE6\x9C\xAC\r\n");
    EXPECT_EQ(fetch_page_title("https://example.com/", config_),
              "Caf\xC3\xA9 M\xC3\xBCller \xE2\x80\x93 \xE6\x97\xA5\xE6\x9C\xAC");

    prints("Invoke-WebRequest : Unable to connect to the remote server\r\n");
    EXPECT_FALSE(fetch_page_title("https://example.com/", config_));

    prints("");
    EXPECT_FALSE(fetch_page_title("https://example.com/", config_));
}

TEST_F(StandInPowerShell, NoProcessStartsForTextThatIsNoWebAddress) {
    prints("Title\r\n");
    EXPECT_FALSE(run_title_process("C:\\Windows\\notepad.exe", config_));
    EXPECT_FALSE(run_title_process("ftp://example.com/", config_));
    EXPECT_FALSE(run_title_process("https://example.com/\r\n& calc", config_));
    EXPECT_FALSE(started());
}

TEST_F(StandInPowerShell, TheAddressTravelsOnlyInTheChildsEnvironment) {
    prints("Title\r\n");
    ASSERT_TRUE(run_title_process(kHostileAddress, config_));
    ASSERT_TRUE(started());
    EXPECT_EQ(recorded("command"), expected_command_line());
    EXPECT_EQ(recorded("address"), kHostileAddress);

    const std::string accented = "https://d\xC3\xA9j\xC3\xA0.example/\xE6\x97\xA5";
    ASSERT_TRUE(run_title_process(accented, config_));
    EXPECT_EQ(recorded("command"), expected_command_line());
    EXPECT_EQ(recorded("address"), accented);

    // Set for the child only: this process never had it.
    EXPECT_EQ(GetEnvironmentVariableW(L"TREVALON_BOOKMARK_ADDRESS", nullptr, 0), 0u);
}

TEST_F(StandInPowerShell, NoCommandInsideTheAddressEverRuns) {
    const fs::path folder = work_.path() / "run";
    fs::create_directories(folder);
    ScopedVariable execute(L"TREVALON_STAND_IN_EXECUTE", folder.wstring());

    // The stand-in does run what its command line says: the address spliced
    // into the command, as a careless caller would, leaves markers behind.
    const std::string spliced = "\"" + programs_.str() +
                                "powershell.exe\" -Command \"Invoke-WebRequest -Uri '" +
                                std::string(kHostileAddress) + "'\"";
    test::ChildProcess careless = test::start_process(
        programs_.str() + "powershell.exe", spliced.substr(spliced.find(" -Command") + 1));
    ASSERT_NE(careless.wait(20s), STILL_ACTIVE);
    EXPECT_FALSE(fs::is_empty(folder)) << "the stand-in should have run the spliced commands";
    fs::remove_all(folder);
    fs::create_directories(folder);

    ASSERT_TRUE(run_title_process(kHostileAddress, config_));
    EXPECT_TRUE(started());
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(StandInPowerShell, APowerShellThatHangsIsEndedAtTheLimit) {
    prints("Too late\r\n");
    ScopedVariable sleep(L"TREVALON_STAND_IN_SLEEP_MS", L"60000");
    config_.title_process_limit = 1500ms;
    const auto start = std::chrono::steady_clock::now();
    const auto output = run_title_process("https://example.com/", config_);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 15s);
    ASSERT_TRUE(output);
    EXPECT_EQ(*output, "");

    ASSERT_TRUE(started());
    const DWORD id = static_cast<DWORD>(std::stoul(recorded("pid")));
    UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
    // Either gone already or ending now.
    if (process) {
        EXPECT_EQ(WaitForSingleObject(process.get(), 5000), WAIT_OBJECT_0);
    }
}

class BookmarkDropUnderWine : public StandInPowerShell {
  protected:
    void SetUp() override {
        StandInPowerShell::SetUp();
        ASSERT_TRUE(server_.ok());
        config_.favicon_service = server_.base();
        const auto png = *encode_png(test::varied_image(32, 32));
        server_.answer("/s2/favicons", HttpAnswer(std::string(png.begin(), png.end())));
        drop_.folder = folder_.make_dir("menu");
        drop_.icon_folder = folder_.make_dir("icons");
    }
    std::optional<std::string> drop(std::string_view text, bool allow_internet) {
        drop_.text = text;
        drop_.allow_internet = allow_internet;
        return make_web_bookmark(nullptr, drop_, config_, clock_);
    }

    test::HttpTestServer server_;
    test::TempDir folder_;
    SystemClock clock_;
    BookmarkDrop drop_;
};

TEST_F(BookmarkDropUnderWine, WithoutInternetTheLinkIsNamedFromTheAddressWithUrlDll) {
    prints("Never shown\r\n");
    const auto link = drop("https://www.example.com/docs/Start.HTML?x=1", false);
    ASSERT_TRUE(link);
    EXPECT_EQ(*link, drop_.folder + "www.example.com docs Start.lnk");
    const auto contents = read_shortcut_contents(*link);
    ASSERT_TRUE(contents);
    EXPECT_EQ(contents->arguments, "\"https://www.example.com/docs/Start.HTML?x=1\"");
    EXPECT_EQ(contents->description, "https://www.example.com/docs/Start.HTML?x=1");
    EXPECT_NE(contents->icon_file.find("url.dll"), std::string::npos) << contents->icon_file;
    EXPECT_EQ(contents->icon_index, 0);

    EXPECT_FALSE(started());
    EXPECT_TRUE(server_.requests().empty());
    EXPECT_TRUE(fs::is_empty(utf8_to_path(drop_.icon_folder)));
}

TEST_F(BookmarkDropUnderWine, WithInternetTheLinkTakesTheTitleAndTheFavicon) {
    prints("Example Domain\r\n");
    const auto link = drop("https://example.com/", true);
    ASSERT_TRUE(link);
    EXPECT_EQ(*link, drop_.folder + "Example Domain.lnk");
    const auto contents = read_shortcut_contents(*link);
    ASSERT_TRUE(contents);
    EXPECT_TRUE(contents->icon_file.starts_with(drop_.icon_folder)) << contents->icon_file;
    EXPECT_TRUE(contents->icon_file.ends_with(".ico")) << contents->icon_file;
    EXPECT_GT(fs::file_size(utf8_to_path(contents->icon_file)), 22u);
    EXPECT_EQ(server_.requests(),
              std::vector<std::string>{"/s2/favicons?sz=32&domain=http%3A%2F%2Fexample.com"});

    prints("Caf\xC3\xA9 \xC3\xA0 la cr\xC3\xA8me\r\n");
    const auto accented = drop("https://example.com/cafe", true);
    ASSERT_TRUE(accented);
    EXPECT_EQ(*accented, drop_.folder + "Caf\xC3\xA9 \xC3\xA0 la cr\xC3\xA8me.lnk");
    EXPECT_TRUE(fs::exists(utf8_to_path(*accented)));

    prints("Invoke-WebRequest : The operation has timed out.\r\n");
    const auto failed = drop("https://example.com/slow/page.php", true);
    ASSERT_TRUE(failed);
    EXPECT_EQ(*failed, drop_.folder + "example.com slow page.lnk");
}

TEST_F(BookmarkDropUnderWine, ALongTitleInADeepFolderStillMakesTheLinkAndItsNumberedTwin) {
    // A bookmarks folder nested deep enough to leave about 140 characters.
    std::string deep = drop_.folder;
    while (deep.size() < 120)
        deep += "Nested folder\\";
    ASSERT_TRUE(fs::create_directories(utf8_to_path(deep)));
    drop_.folder = deep;
    std::string title;
    while (title.size() < 300)
        title += "A very long page title ";
    title.resize(300);
    prints(title + "\r\n");
    const auto first = drop("https://example.com/long", true);
    const auto second = drop("https://example.com/long", true);
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(fs::exists(utf8_to_path(*first)));
    EXPECT_TRUE(fs::exists(utf8_to_path(*second)));
    EXPECT_TRUE(second->ends_with(" (1).lnk")) << *second;
    EXPECT_TRUE(title.starts_with(std::string(file_name_part(*first)).substr(0, 40)));
    // With " (99)" in it, the path would be the longest the system takes.
    EXPECT_EQ(utf8_to_wide(*first).size() + 5, 259u);
}

TEST_F(BookmarkDropUnderWine, AHostileAddressBecomesAnOrdinaryLink) {
    const fs::path folder = work_.path() / "run";
    fs::create_directories(folder);
    ScopedVariable execute(L"TREVALON_STAND_IN_EXECUTE", folder.wstring());
    server_.answer("/s2/favicons", HttpAnswer().with_status(404));
    const auto link = drop(kHostileAddress, true);
    ASSERT_TRUE(link);
    EXPECT_TRUE(fs::exists(utf8_to_path(*link)));
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_EQ(recorded("address"), kHostileAddress);
    const auto contents = read_shortcut_contents(*link);
    ASSERT_TRUE(contents);
    EXPECT_EQ(contents->description, kHostileAddress);
    EXPECT_EQ(contents->arguments.find('"', 1), contents->arguments.size() - 1)
        << contents->arguments;
}

// Two hundred texts built from what ends strings, splices commands or escapes
// quotes in PowerShell and cmd.exe; every command they hold would leave a
// marker file behind if it ran.
std::vector<std::string> hostile_texts() {
    const std::vector<std::string> starts{
        "http://127.0.0.1:1/", "https://example.com/a?q=", "HTTP://x.example/", "", "ftp://x/",
        "C:\\Windows\\"};
    const std::vector<std::string> pieces{"'",
                                          "\"",
                                          "`",
                                          "$(echo.>m%)",
                                          ";echo.>m%",
                                          "&echo.>m%",
                                          "|echo.>m%",
                                          "%PATH%",
                                          "^",
                                          "\n",
                                          "\r\n",
                                          "\\",
                                          "'&echo.>m%&'",
                                          "\"&echo.>m%&\"",
                                          "$(Remove-Item x)",
                                          "`$(echo.>m%)",
                                          "%%",
                                          "\\\""};
    std::vector<std::string> texts;
    for (std::size_t i = 0; texts.size() < 200; ++i) {
        std::string text = starts[i % starts.size()];
        // Two or three pieces in varying order, some at the end.
        for (std::size_t k = 0; k < 2 + i % 2; ++k) {
            std::string piece = pieces[(i * 7 + k * 5 + i / 6) % pieces.size()];
            const std::size_t at = piece.find('%');
            if (at != std::string::npos && piece != "%PATH%" && piece != "%%")
                piece.replace(at, 1, std::to_string(i));
            text += piece + (k == 0 ? "x" : "");
        }
        if (i % 5 == 0)
            text += "\\\\";  // trailing backslashes
        texts.push_back(std::move(text));
    }
    return texts;
}

TEST_F(BookmarkDropUnderWine, TwoHundredHostileDropsRunNothingAndEachBecomesOneLink) {
    const fs::path folder = work_.path() / "run";
    fs::create_directories(folder);
    ScopedVariable execute(L"TREVALON_STAND_IN_EXECUTE", folder.wstring());
    server_.answer("/s2/favicons", HttpAnswer().with_status(404));
    prints("\r\n");  // no title: the links are named from the texts
    config_.title_process_limit = 5000ms;

    const std::vector<std::string> texts = hostile_texts();
    ASSERT_EQ(texts.size(), 200u);
    std::set<std::string> links;
    int looked_up = 0;
    for (const std::string& text : texts) {
        const auto link = drop(text, true);
        ASSERT_TRUE(link) << text;
        EXPECT_TRUE(links.insert(*link).second) << "a link was replaced: " << *link;
        const auto contents = read_shortcut_contents(*link);
        ASSERT_TRUE(contents) << text;
        std::string_view kept(text);
        kept.remove_prefix(std::min(kept.find_first_not_of(" \t\r\n"), kept.size()));
        kept.remove_suffix(kept.size() - (kept.find_last_not_of(" \t\r\n") + 1));
        EXPECT_EQ(contents->description, kept);
        // One quoted argument: no quote inside ends it early, and the closing
        // quote is not escaped by the backslashes before it.
        const std::string& arguments = contents->arguments;
        ASSERT_GE(arguments.size(), 2u) << text;
        EXPECT_EQ(arguments.front(), '"');
        EXPECT_EQ(arguments.find('"', 1), arguments.size() - 1) << arguments;
        const std::size_t backslashes =
            arguments.size() - 1 - (arguments.find_last_not_of('\\', arguments.size() - 2) + 1);
        EXPECT_EQ(backslashes % 2, 0u) << arguments;
        if (is_web_address(kept))
            ++looked_up;
    }
    // The web addresses did reach the stand-in, which ran nothing.
    EXPECT_GT(looked_up, 50);
    EXPECT_TRUE(started());
    EXPECT_TRUE(fs::is_empty(folder)) << fs::directory_iterator(folder)->path().string();
    // The menu folder holds the links and nothing else.
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(utf8_to_path(drop_.folder))) {
        EXPECT_EQ(entry.path().extension(), ".lnk") << entry.path().string();
        ++files;
    }
    EXPECT_EQ(files, texts.size());
}

}  // namespace
}  // namespace trevalon
