#include "graphics/x11/DesktopFolders.h"
#include "core/TextBuffer.h"
#include "graphics/x11/IGraphicsX11.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// Sets (or, with nullptr, removes) an environment variable for one scope.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name)) {
            had = true;
            previous = old;
        }
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedVariable() {
        if (had)
            setenv(name, previous.c_str(), 1);
        else
            unsetenv(name);
    }

  private:
    const char* name;
    bool had = false;
    std::string previous;
};

std::string Read(void (*query)(TextBuffer&)) {
    TextBuffer out("stale");
    query(out);
    return out.Get();
}

} // namespace

TEST(DesktopFolders, FollowTheXdgVariablesAndFallBackToHome) {
    ScopedVariable home("HOME", "/home/ada");
    {
        SCOPED_TRACE("variables unset");
        ScopedVariable desktop("XDG_DESKTOP_DIR", nullptr);
        ScopedVariable data("XDG_DATA_HOME", nullptr);
        ScopedVariable dirs("XDG_DATA_DIRS", nullptr);
        EXPECT_EQ(Read(UserDesktopFolder), "/home/ada/Desktop");
        EXPECT_EQ(Read(UserDataHome), "/home/ada/.local/share");
        EXPECT_EQ(Read(SharedDataFolder), "/usr/local/share");
    }
    {
        SCOPED_TRACE("absolute variables win; trailing separators go");
        ScopedVariable desktop("XDG_DESKTOP_DIR", "/data/desk//");
        ScopedVariable data("XDG_DATA_HOME", "/data/share/");
        ScopedVariable dirs("XDG_DATA_DIRS", "/opt/share/:/usr/share");
        EXPECT_EQ(Read(UserDesktopFolder), "/data/desk");
        EXPECT_EQ(Read(UserDataHome), "/data/share");
        EXPECT_EQ(Read(SharedDataFolder), "/opt/share");
    }
    {
        SCOPED_TRACE("relative or empty values are ignored");
        ScopedVariable desktop("XDG_DESKTOP_DIR", "Desktop");
        ScopedVariable data("XDG_DATA_HOME", "");
        ScopedVariable dirs("XDG_DATA_DIRS", "share::/usr/share");
        EXPECT_EQ(Read(UserDesktopFolder), "/home/ada/Desktop");
        EXPECT_EQ(Read(UserDataHome), "/home/ada/.local/share");
        EXPECT_EQ(Read(SharedDataFolder), "/usr/share");
    }
    {
        SCOPED_TRACE("a home of /");
        ScopedVariable data("XDG_DATA_HOME", nullptr);
        ScopedVariable rootHome("HOME", "/");
        EXPECT_EQ(Read(UserDataHome), "/.local/share");
    }
}

TEST(DesktopFolders, TheHostsFolderIsTheRunningProgramsWithItsSeparator) {
    IGraphicsX11 editor(nullptr, 100, 50);
    TextBuffer out;
    editor.HostExecutableFolder(out);
    char self[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
    const std::string executable = self;
    EXPECT_EQ(std::string(out.Get()), executable.substr(0, executable.rfind('/') + 1));
}
