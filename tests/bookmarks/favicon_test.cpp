#include <gtest/gtest.h>

#include <filesystem>
#include <span>
#include <string>

#include "base/utf8_path.h"
#include "bookmarks/favicon.h"
#include "icons/image.h"
#include "support/http_test_server.h"
#include "support/picture_fixtures.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

using test::HttpAnswer;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr std::int64_t kNow = 1'700'000'123;

std::string as_text(const test::Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

class Favicon : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server_.ok());
        config_.favicon_service = server_.base();
        config_.favicon_limits.total_timeout = 1500ms;
        config_.favicon_limits.max_bytes = 256 * 1024;
    }
    void serve(std::string body) { server_.answer("/s2/favicons", HttpAnswer(std::move(body))); }
    std::optional<std::string> fetch(std::string_view address = "https://example.com/") {
        return fetch_favicon(address, folder_.str(), config_, kNow);
    }
    std::size_t files_in_folder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()));
    }

    test::HttpTestServer server_;
    test::TempDir folder_;
    NetworkConfig config_;
};

TEST_F(Favicon, SavesAPngAnswerAsAnIconNamedAfterTheTime) {
    const Image picture = test::varied_image(32, 32);
    serve(as_text(*encode_png(picture)));
    const auto path = fetch();
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, folder_.str() + std::to_string(kNow) + ".ico");
    EXPECT_EQ(server_.requests(),
              std::vector<std::string>{"/s2/favicons?sz=32&domain=http%3A%2F%2Fexample.com"});

    const auto saved = test::read_file(*path);
    const auto icon = decode_ico(std::span(saved));
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->rgba, picture.rgba);
}

TEST_F(Favicon, AcceptsJpegAndIcoAnswers) {
    serve(as_text(test::write_jpeg(test::smooth_image(16, 16))));
    const auto from_jpeg = fetch();
    ASSERT_TRUE(from_jpeg);
    const auto jpeg_icon = test::read_file(*from_jpeg);
    EXPECT_TRUE(decode_ico(std::span(jpeg_icon)));

    test::IcoEntry entry;
    entry.data = *encode_png(test::varied_image(48, 48));
    entry.width_byte = 48;
    entry.height_byte = 48;
    serve(as_text(test::ico_file({entry})));
    const auto from_ico = fetch();
    ASSERT_TRUE(from_ico);
    const auto ico_icon = test::read_file(*from_ico);
    const auto decoded = decode_ico(std::span(ico_icon));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 48);
}

TEST_F(Favicon, TwoWithinOneSecondKeepTheirOwnFiles) {
    serve(as_text(*encode_png(test::varied_image(8, 8))));
    const auto first = fetch();
    const auto second = fetch("https://other.example/");
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_NE(*first, *second);
    EXPECT_EQ(files_in_folder(), 2u);
}

TEST_F(Favicon, IgnoresAnswersThatAreNoPicture) {
    serve("");
    EXPECT_FALSE(fetch());
    serve("<html><body>Not found</body></html>");
    EXPECT_FALSE(fetch());
    // A PNG cut in half.
    const auto png = *encode_png(test::varied_image(32, 32));
    serve(as_text(test::Bytes(png.begin(), png.begin() + static_cast<long>(png.size() / 2))));
    EXPECT_FALSE(fetch());
    EXPECT_EQ(files_in_folder(), 0u);
}

TEST_F(Favicon, IgnoresErrorsSlowAnswersAndOversizedAnswers) {
    const std::string png = as_text(*encode_png(test::varied_image(32, 32)));
    server_.answer("/s2/favicons", HttpAnswer(png).with_status(404));
    EXPECT_FALSE(fetch());
    server_.answer("/s2/favicons", HttpAnswer(png).after(10s));
    EXPECT_FALSE(fetch());
    server_.answer("/s2/favicons", HttpAnswer(png + std::string(300 * 1024, '\0')));
    EXPECT_FALSE(fetch());
    EXPECT_EQ(files_in_folder(), 0u);
}

TEST_F(Favicon, NeverAsksAboutSomethingThatIsNoWebAddress) {
    serve(as_text(*encode_png(test::varied_image(8, 8))));
    EXPECT_FALSE(fetch("C:\\Windows\\notepad.exe"));
    EXPECT_FALSE(fetch("file:///etc/passwd"));
    EXPECT_TRUE(server_.requests().empty());
}

TEST_F(Favicon, SavesNothingWhenTheFolderIsMissing) {
    serve(as_text(*encode_png(test::varied_image(8, 8))));
    EXPECT_FALSE(fetch_favicon("https://example.com/", folder_.str() + "missing/", config_, kNow));
}

}  // namespace
}  // namespace trevalon
