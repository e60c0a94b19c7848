// The module record the window layer reads: the folder of the file the code was loaded from.
#include "vst3/ModuleInfo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

TEST(AdapterModuleInfo, FolderAndHandle) {
    // Linked into this test program, the "module" is the executable itself.
    const std::string folder = LoadedModuleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(folder.back() == '/' || folder.back() == '\\') << folder;
    EXPECT_TRUE(std::filesystem::path(folder).is_absolute()) << folder;
    EXPECT_TRUE(std::filesystem::exists(folder + "vst3_adapter_tests") ||
                std::filesystem::exists(folder + "vst3_adapter_tests.exe"))
        << "the folder does not hold this program: " << folder;

    EXPECT_EQ(LoadedModuleHandle(), nullptr) << "a handle before any entry point ran";
    EXPECT_NE(RecordedModuleHandle(), nullptr);
    SetLoadedModuleHandle(RecordedModuleHandle());
    EXPECT_EQ(LoadedModuleHandle(), RecordedModuleHandle());
    SetLoadedModuleHandle(nullptr);
}
