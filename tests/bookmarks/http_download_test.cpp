#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "bookmarks/http_download.h"
#include "icons/image.h"
#include "support/http_test_server.h"
#include "support/picture_fixtures.h"

namespace trevalon {
namespace {

using test::HttpAnswer;
using namespace std::chrono_literals;

std::string as_text(const test::Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

DownloadLimits quick_limits() {
    DownloadLimits limits;
    limits.connect_timeout = 2000ms;
    limits.total_timeout = 1500ms;
    limits.max_bytes = 64 * 1024;
    limits.max_redirects = 2;
    return limits;
}

class Download : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(server_.ok()); }
    test::HttpTestServer server_;
};

TEST_F(Download, KeepsAPngBodyByteForByte) {
    const auto encoded = encode_png(test::varied_image(16, 16));
    ASSERT_TRUE(encoded);
    const std::string png = as_text(*encoded);
    server_.answer("/icon", HttpAnswer(png).with_header("Content-Type", "image/png"));
    const DownloadResult result = download_to_memory(server_.url("/icon?sz=32"), quick_limits());
    EXPECT_EQ(result.status, DownloadStatus::ok);
    EXPECT_EQ(result.http_status, 200);
    EXPECT_EQ(std::string(result.body.begin(), result.body.end()), png);
    EXPECT_EQ(server_.requests(), std::vector<std::string>{"/icon?sz=32"});
}

TEST_F(Download, AnEmptyBodyIsAnEmptySuccess) {
    server_.answer("/empty", HttpAnswer());
    const DownloadResult result = download_to_memory(server_.url("/empty"), quick_limits());
    EXPECT_EQ(result.status, DownloadStatus::ok);
    EXPECT_TRUE(result.body.empty());
}

TEST_F(Download, AnErrorStatusKeepsNoBody) {
    const DownloadResult missing = download_to_memory(server_.url("/nothing-here"), quick_limits());
    EXPECT_EQ(missing.status, DownloadStatus::http_error);
    EXPECT_EQ(missing.http_status, 404);
    EXPECT_TRUE(missing.body.empty());

    server_.answer("/broken", HttpAnswer("oops").with_status(500));
    EXPECT_EQ(download_to_memory(server_.url("/broken"), quick_limits()).status,
              DownloadStatus::http_error);
}

TEST_F(Download, GivesUpOnASlowAnswerAtTheTimeLimit) {
    server_.answer("/slow", HttpAnswer("late").after(10s));
    const auto start = std::chrono::steady_clock::now();
    const DownloadResult result = download_to_memory(server_.url("/slow"), quick_limits());
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(result.status, DownloadStatus::timed_out);
    EXPECT_TRUE(result.body.empty());
    // Bounded by the limit, far below the server's delay.
    EXPECT_LT(took, 8s);
}

TEST_F(Download, RefusesBodiesAboveTheCapWithOrWithoutAnnouncedLength) {
    const std::string huge(200 * 1024, 'x');
    server_.answer("/announced", HttpAnswer(huge));
    server_.answer("/unannounced", HttpAnswer(huge).without_length());
    server_.answer("/exact", HttpAnswer(std::string(64 * 1024, 'y')).without_length());

    const DownloadResult announced = download_to_memory(server_.url("/announced"), quick_limits());
    EXPECT_EQ(announced.status, DownloadStatus::too_large);
    EXPECT_TRUE(announced.body.empty());
    const DownloadResult streamed = download_to_memory(server_.url("/unannounced"), quick_limits());
    EXPECT_EQ(streamed.status, DownloadStatus::too_large);
    EXPECT_TRUE(streamed.body.empty());
    // The cap itself still fits.
    const DownloadResult exact = download_to_memory(server_.url("/exact"), quick_limits());
    EXPECT_EQ(exact.status, DownloadStatus::ok);
    EXPECT_EQ(exact.body.size(), 64u * 1024);
}

TEST_F(Download, FollowsAFewRedirectsButNotALoop) {
    server_.answer("/old", HttpAnswer().with_status(302).with_header("Location", "/new"));
    server_.answer("/new", HttpAnswer("moved here"));
    const DownloadResult moved = download_to_memory(server_.url("/old"), quick_limits());
    EXPECT_EQ(moved.status, DownloadStatus::ok);
    EXPECT_EQ(std::string(moved.body.begin(), moved.body.end()), "moved here");

    server_.answer("/loop", HttpAnswer().with_status(302).with_header("Location", "/loop"));
    const std::size_t before = server_.requests().size();
    const DownloadResult loop = download_to_memory(server_.url("/loop"), quick_limits());
    EXPECT_EQ(loop.status, DownloadStatus::failed);
    // The first request and at most the allowed redirects.
    EXPECT_LE(server_.requests().size() - before, 3u);
}

TEST_F(Download, NeverFollowsARedirectToAnotherScheme) {
    server_.answer("/to-file",
                   HttpAnswer().with_status(302).with_header("Location", "file:///etc/hostname"));
    const DownloadResult result = download_to_memory(server_.url("/to-file"), quick_limits());
    EXPECT_EQ(result.status, DownloadStatus::failed);
    EXPECT_TRUE(result.body.empty());
}

TEST(DownloadAddress, RefusesEverythingButHttpAndHttps) {
    for (const char* url : {"file:///etc/hostname", "ftp://127.0.0.1/", "dict://127.0.0.1/",
                            "127.0.0.1/page", "gopher://127.0.0.1/", ""}) {
        const DownloadResult result = download_to_memory(url, quick_limits());
        EXPECT_EQ(result.status, DownloadStatus::refused_address) << url;
        EXPECT_TRUE(result.body.empty()) << url;
    }
}

TEST(DownloadAddress, ReportsAFailureWhenNothingListens) {
    std::string url;
    {
        test::HttpTestServer gone;
        ASSERT_TRUE(gone.ok());
        url = gone.url("/x");
    }
    const DownloadResult result = download_to_memory(url, quick_limits());
    EXPECT_EQ(result.status, DownloadStatus::failed);
    EXPECT_EQ(result.http_status, 0);
}

}  // namespace
}  // namespace trevalon
