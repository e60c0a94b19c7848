// The module record the window layer reads: the folder of the file the code was loaded from.
#include "vst3/ModuleInfo.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <unistd.h>

TEST(AdapterModuleInfo, FolderAndHandle) {
    // Linked into this test program, the "module" is the executable itself.
    char path[PATH_MAX] = {};
    ASSERT_GT(readlink("/proc/self/exe", path, sizeof path - 1), 0);
    std::string folder(path);
    folder.erase(folder.rfind('/') + 1);
    EXPECT_EQ(std::string(LoadedModuleFolder()), folder);

    EXPECT_EQ(LoadedModuleHandle(), nullptr) << "a handle before any entry point ran";
    EXPECT_NE(RecordedModuleHandle(), nullptr);
    SetLoadedModuleHandle(RecordedModuleHandle());
    EXPECT_EQ(LoadedModuleHandle(), RecordedModuleHandle());
    SetLoadedModuleHandle(nullptr);
}
