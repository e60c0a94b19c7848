#include "graphics/x11/UrlOpener.h"
#include "graphics/x11/IGraphicsX11.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kWatchedFd = 40;

// A stand-in for xdg-open that writes its arguments and whether it inherited kWatchedFd to
// $OPENER_LOG, using shell built-ins only (PATH holds nothing else).
constexpr const char* kFakeOpener = R"(#!/bin/sh
{
  printf 'count %s\n' "$#"
  for argument in "$@"; do printf 'arg [%s]\n' "$argument"; done
  if [ -e /proc/$$/fd/40 ]; then echo 'fd inherited'; else echo 'fd closed'; fi
  echo end
} > "$OPENER_LOG"
)";

class UrlOpenerTest : public testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("sorvel-opener-" + std::to_string(getpid()));
        fs::create_directories(folder / "bin");
        fs::create_directories(folder / "empty");
        const fs::path opener = folder / "bin" / "xdg-open";
        std::ofstream(opener) << kFakeOpener;
        fs::permissions(opener, fs::perms::owner_all);
        log = (folder / "log").string();
        if (const char* path = std::getenv("PATH"))
            savedPath = path;
        setenv("OPENER_LOG", log.c_str(), 1);
    }
    void TearDown() override {
        setenv("PATH", savedPath.c_str(), 1);
        unsetenv("OPENER_LOG");
        fs::remove_all(folder);
    }
    void UsePath(const char* sub) { setenv("PATH", (folder / sub).c_str(), 1); }

    // The log once the opener has finished writing it; empty after five seconds.
    std::string WaitForLog() {
        for (int i = 0; i < 500; ++i) {
            std::ifstream in(log);
            std::stringstream text;
            text << in.rdbuf();
            if (text.str().find("end\n") != std::string::npos)
                return text.str();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return {};
    }
    bool WaitUntilReaped() {
        for (int i = 0; i < 500 && UnreapedUrlOpeners() > 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            ReapUrlOpeners();
        }
        return UnreapedUrlOpeners() == 0;
    }

    fs::path folder;
    std::string log;
    std::string savedPath;
};

} // namespace

TEST_F(UrlOpenerTest, StartsXdgOpenWithTheAddressAsItsOnlyArgumentAndReapsIt) {
    UsePath("bin");
    const int watched = dup2(open("/dev/null", O_RDONLY), kWatchedFd);
    ASSERT_EQ(watched, kWatchedFd);
    const std::string url = "https://example.com/a b?c=$(touch pwned)&d='e';f|g";
    ASSERT_TRUE(LaunchUrlOpener(url.c_str()));
    const std::string written = WaitForLog();
    close(watched);
    EXPECT_EQ(written, "count 1\narg [" + url + "]\nfd closed\nend\n")
        << "one argument, untouched by any shell, and none of the host's descriptors";
    EXPECT_FALSE(fs::exists(folder / "bin" / "pwned"));
    ASSERT_TRUE(WaitUntilReaped()) << "the finished opener was never collected";
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "a child is left over";
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(UrlOpenerTest, RefusesWhatCannotOrMustNotBeStarted) {
    {
        SCOPED_TRACE("xdg-open is not installed");
        UsePath("empty");
        EXPECT_FALSE(LaunchUrlOpener("https://example.com/"));
        EXPECT_EQ(UnreapedUrlOpeners(), 0);
    }
    UsePath("bin");
    {
        SCOPED_TRACE("addresses that would be read as options, or none at all");
        EXPECT_FALSE(LaunchUrlOpener("--help"));
        EXPECT_FALSE(LaunchUrlOpener("-x"));
        EXPECT_FALSE(LaunchUrlOpener(""));
        EXPECT_FALSE(LaunchUrlOpener(nullptr));
        EXPECT_EQ(UnreapedUrlOpeners(), 0);
    }
    {
        SCOPED_TRACE("the editor's slot: a page that wants confirmation is not opened unasked");
        IGraphicsX11 editor(nullptr, 100, 50);
        EXPECT_FALSE(editor.OpenUrl("https://example.com/", "Title", "Open it?", nullptr));
        EXPECT_EQ(UnreapedUrlOpeners(), 0);
        EXPECT_TRUE(editor.OpenUrl("https://example.com/", "Title", "", nullptr));
        EXPECT_NE(WaitForLog(), "");
        EXPECT_TRUE(WaitUntilReaped());
    }
}
