#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "bookmarks/web_bookmark.h"
#include "icons/image.h"
#include "menu/shortcut_contents.h"
#include "support/fake_clock.h"
#include "support/http_test_server.h"
#include "support/picture_fixtures.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

using namespace std::chrono_literals;
using test::HttpAnswer;
namespace fs = std::filesystem;

class WebBookmark : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server_.ok());
        config_.favicon_service = server_.base();
        config_.favicon_limits.total_timeout = 1500ms;
        const auto png = *encode_png(test::varied_image(32, 32));
        server_.answer("/s2/favicons", HttpAnswer(std::string(png.begin(), png.end())));

        drop_.folder = folder_.make_dir("menu");
        drop_.icon_folder = folder_.make_dir("icons");
        seams_.fetch_title = [this](std::string_view address) {
            asked_titles_.emplace_back(address);
            return title_;
        };
        seams_.run_network_steps = [this](const std::function<void()>& steps) {
            ++network_runs_;
            steps();
        };
        seams_.create_shortcut = [this](const ShortcutContents& contents) {
            made_.push_back(contents);
            // Leave a file behind, as the real link object would.
            std::ofstream(utf8_to_path(contents.link_file)) << "link";
            return create_succeeds_;
        };
    }

    std::optional<std::string> drop(std::string text, bool allow_internet = true) {
        drop_.text = std::move(text);
        drop_.allow_internet = allow_internet;
        return make_web_bookmark(drop_, config_, clock_, seams_);
    }

    test::HttpTestServer server_;
    test::TempDir folder_;
    test::FakeClock clock_{1'700'000'000};
    NetworkConfig config_;
    BookmarkDrop drop_;
    BookmarkSeams seams_;
    std::optional<std::string> title_;
    bool create_succeeds_ = true;
    std::vector<std::string> asked_titles_;
    std::vector<ShortcutContents> made_;
    int network_runs_ = 0;
};

TEST_F(WebBookmark, WithoutInternetNamesTheLinkFromTheAddressAndUsesUrlDll) {
    title_ = "Never asked";
    const auto link = drop("https://example.com/docs/Guide.HTML?lang=en", false);
    ASSERT_TRUE(link);
    EXPECT_EQ(*link, drop_.folder + "example.com docs Guide.lnk");
    ASSERT_EQ(made_.size(), 1u);
    const ShortcutContents& contents = made_[0];
    EXPECT_EQ(contents.link_file, *link);
    EXPECT_EQ(contents.target, "%WinDir%\\Explorer.exe");
    EXPECT_EQ(contents.arguments, "\"https://example.com/docs/Guide.HTML?lang=en\"");
    EXPECT_EQ(contents.description, "https://example.com/docs/Guide.HTML?lang=en");
    EXPECT_EQ(contents.working_directory, "");
    EXPECT_EQ(contents.show_command, 1);
    EXPECT_EQ(contents.icon_file, "%WinDir%\\System32\\url.dll");
    EXPECT_EQ(contents.icon_index, 0);

    EXPECT_TRUE(asked_titles_.empty());
    EXPECT_EQ(network_runs_, 0);
    EXPECT_TRUE(server_.requests().empty());
    EXPECT_TRUE(fs::is_empty(folder_.path() / "icons"));
}

TEST_F(WebBookmark, WithInternetTakesThePageTitleAndTheFavicon) {
    title_ = "Guide: Getting started?";
    const auto link = drop("https://example.com/guide/");
    ASSERT_TRUE(link);
    EXPECT_EQ(*link, drop_.folder + "Guide. Getting started..lnk");
    EXPECT_EQ(asked_titles_, std::vector<std::string>{"https://example.com/guide/"});
    EXPECT_EQ(network_runs_, 1);
    EXPECT_EQ(
        server_.requests(),
        std::vector<std::string>{"/s2/favicons?sz=32&domain=http%3A%2F%2Fexample.com%2Fguide"});
    ASSERT_EQ(made_.size(), 1u);
    EXPECT_EQ(made_[0].icon_file, drop_.icon_folder + "1700000000.ico");
    EXPECT_EQ(made_[0].icon_index, 0);
    EXPECT_GT(fs::file_size(folder_.path() / "icons" / "1700000000.ico"), 22u);
}

TEST_F(WebBookmark, FallsBackToTheAddressAndUrlDllWhenTheLookUpsGiveNothing) {
    title_.reset();
    server_.answer("/s2/favicons", HttpAnswer("not a picture"));
    const auto link = drop("http://www.example.org/news/index.php");
    ASSERT_TRUE(link);
    EXPECT_EQ(*link, drop_.folder + "www.example.org news index.lnk");
    EXPECT_EQ(made_.at(0).icon_file, "%WinDir%\\System32\\url.dll");

    title_ = "";
    made_.clear();
    const auto second = drop("http://www.example.org/other.htm");
    ASSERT_TRUE(second);
    EXPECT_EQ(*second, drop_.folder + "www.example.org other.lnk");
}

TEST_F(WebBookmark, NeverReplacesAnExistingEntry) {
    title_ = "Home";
    folder_.write_file("menu/Home.lnk", "older bookmark");
    const auto link = drop("https://one.example/");
    ASSERT_TRUE(link);
    EXPECT_EQ(*link, drop_.folder + "Home (1).lnk");
    EXPECT_EQ(test::read_file(drop_.folder + "Home.lnk"),
              (test::Bytes{'o', 'l', 'd', 'e', 'r', ' ', 'b', 'o', 'o', 'k', 'm', 'a', 'r', 'k'}));
    const auto again = drop("https://two.example/");
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, drop_.folder + "Home (2).lnk");
}

TEST_F(WebBookmark, TextThatIsNoWebAddressIsNamedFromItselfWithoutNetwork) {
    title_ = "Never asked";
    const auto link = drop("www.example.com/some page");
    ASSERT_TRUE(link);
    EXPECT_EQ(*link, drop_.folder + "www.example.com some page.lnk");
    EXPECT_TRUE(asked_titles_.empty());
    EXPECT_EQ(network_runs_, 0);
    EXPECT_TRUE(server_.requests().empty());
    EXPECT_EQ(made_.at(0).icon_file, "%WinDir%\\System32\\url.dll");
    EXPECT_EQ(made_.at(0).arguments, "\"www.example.com/some page\"");

    made_.clear();
    ASSERT_TRUE(drop("file:///C:/Windows/notepad.exe"));
    EXPECT_TRUE(asked_titles_.empty());
    EXPECT_TRUE(server_.requests().empty());
}

TEST_F(WebBookmark, ADoubleQuoteNeverEndsTheLinksQuotedArgument) {
    ASSERT_TRUE(drop("https://example.com/a\"b", false));
    EXPECT_EQ(made_.at(0).arguments, "\"https://example.com/a%22b\"");
    EXPECT_EQ(made_.at(0).description, "https://example.com/a\"b");
    made_.clear();
    ASSERT_TRUE(drop("say \"hello\" /select,C:\\", false));
    // Nor does a backslash before it.
    EXPECT_EQ(made_.at(0).arguments, "\"say hello /select,C:\\\\\"");
}

TEST_F(WebBookmark, DropsSurroundingBlanksAndIgnoresBlankDrops) {
    const auto link = drop("  https://example.com/page.html\r\n", false);
    ASSERT_TRUE(link);
    EXPECT_EQ(*link, drop_.folder + "example.com page.lnk");
    EXPECT_EQ(made_.at(0).description, "https://example.com/page.html");

    made_.clear();
    EXPECT_FALSE(drop(""));
    EXPECT_FALSE(drop(" \r\n\t"));
    EXPECT_TRUE(made_.empty());
}

TEST_F(WebBookmark, ReportsNothingWhenTheLinkCannotBeSaved) {
    create_succeeds_ = false;
    EXPECT_FALSE(drop("https://example.com/", false));
}

TEST_F(WebBookmark, RunsTheStepsInPlaceWithoutARunner) {
    seams_.run_network_steps = nullptr;
    title_ = "Inline";
    const auto link = drop("https://example.com/");
    ASSERT_TRUE(link);
    EXPECT_EQ(*link, drop_.folder + "Inline.lnk");
}

}  // namespace
}  // namespace trevalon
