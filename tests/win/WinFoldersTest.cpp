#include "core/TextBuffer.h"
#include "graphics/win/DesktopFolders.h"
#include "graphics/win/WindowsHeaders.h"

#include <gtest/gtest.h>

#include <string>

// The folder queries of the Windows editor; no window needed.
TEST(WinFolders, ModuleFoldersEndInTheirBackslashOrAreEmpty) {
    TextBuffer out;
    const struct {
        const char* path;
        const char* folder;
    } cases[] = {
        {"C:\\Program Files\\Common Files\\VST3\\Sorvel.vst3",
         "C:\\Program Files\\Common Files\\VST3\\"},
        {"C:\\Sorvel.vst3", "C:\\"},
        {"Sorvel.vst3", ""},
        {"C:\\folder\\", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        FolderOfPath(c.path, out);
        EXPECT_STREQ(out.Get(), c.folder) << c.path;
    }

    FolderOfModule(nullptr, out);
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const std::wstring exePath = exe;
    const std::string expected(exePath.begin(), exePath.begin() + exePath.rfind(L'\\') + 1);
    EXPECT_EQ(std::string(out.Get()), expected) << "the test's own folder (ASCII under CI)";

    SpecialFolder(SpecialFolderKind::Desktop, out);
    EXPECT_GT(out.Length(), 3) << "the desktop folder";
}
