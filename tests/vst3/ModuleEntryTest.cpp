// The module as a host's loader sees it: exported names, entry counts and the factory's
// lifetime, reached through the system's loader alone.
#include "vst3/sdk/ModuleEntry.h"
#include "tests/vst3/PluginTestHost.h"
#include "vst3/hosting/ModuleLibrary.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>

using namespace Steinberg;

// The Windows module's export table is checked with objdump (check_windows_exports.sh).
TEST(ModuleEntry, ExportsExactlyTheFiveEntryPoints) {
    if (!SMTG_OS_LINUX)
        GTEST_SKIP() << "Linux export table";
    if (std::system("nm --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "nm is not installed";
    for (const PluginTestHost::BundleUnderTest& bundle : PluginTestHost::BuiltBundles()) {
        SCOPED_TRACE(bundle.label);
        const std::string binary = Hosting::Module::binaryPathForBundle(bundle.path);
        FILE* pipe = popen(("nm -D --defined-only '" + binary + "'").c_str(), "r");
        ASSERT_TRUE(pipe);
        std::set<std::string> exported;
        char line[512];
        while (std::fgets(line, sizeof line, pipe)) {
            char address[64], type[8], name[400];
            if (std::sscanf(line, "%63s %7s %399s", address, type, name) == 3)
                exported.insert(name);
        }
        EXPECT_EQ(pclose(pipe), 0) << "nm failed on " << binary;
        const std::set<std::string> expected{"GetPluginFactory", "ModuleEntry", "ModuleExit",
                                             "InitDll", "ExitDll"};
        EXPECT_EQ(exported, expected);
    }
}

TEST(ModuleEntry, EntryCountsAndFactoryLifetime) {
    namespace Library = Hosting::ModuleLibrary;
    const std::string binary =
        Hosting::Module::binaryPathForBundle(PluginTestHost::BuiltBundles()[0].path);
    std::string reason;
    void* handle = Library::open(binary, reason);
    ASSERT_TRUE(handle) << reason;
    auto initDll = reinterpret_cast<InitDllFunc>(Library::symbol(handle, kInitDllName));
    auto exitDll = reinterpret_cast<ExitDllFunc>(Library::symbol(handle, kExitDllName));
    auto getFactory =
        reinterpret_cast<GetFactoryProc>(Library::symbol(handle, kGetPluginFactoryName));
    ASSERT_TRUE(initDll && exitDll && getFactory);
    auto entry = reinterpret_cast<ModuleEntryFunc>(Library::symbol(handle, kModuleEntryName));
    auto exit = reinterpret_cast<ModuleExitFunc>(Library::symbol(handle, kModuleExitName));

    if (SMTG_OS_LINUX) {
        SCOPED_TRACE("entries and exits pair up; an exit without an entry is refused");
        ASSERT_TRUE(entry && exit);
        EXPECT_FALSE(exit());
        EXPECT_TRUE(entry(handle));
        EXPECT_TRUE(entry(handle));
        EXPECT_TRUE(initDll());
        EXPECT_TRUE(exitDll());
        EXPECT_TRUE(exit());
    } else {
        SCOPED_TRACE("ordinals 1, 2, 3 are GetPluginFactory, InitDll, ExitDll; nothing else");
        EXPECT_FALSE(entry || exit);
        auto byOrdinal = [handle](uintptr_t ordinal) {
            return Library::symbol(handle, reinterpret_cast<const char*>(ordinal));
        };
        EXPECT_EQ(byOrdinal(1), reinterpret_cast<void*>(getFactory));
        EXPECT_EQ(byOrdinal(2), reinterpret_cast<void*>(initDll));
        EXPECT_EQ(byOrdinal(3), reinterpret_cast<void*>(exitDll));
        EXPECT_EQ(byOrdinal(4), nullptr);
        EXPECT_TRUE(initDll());
    }
    {
        SCOPED_TRACE("one shared factory per module while any caller holds it");
        IPluginFactory* first = getFactory();
        IPluginFactory* second = getFactory();
        ASSERT_TRUE(first);
        EXPECT_EQ(first, second) << "a second call built a second factory";
        EXPECT_EQ(second->release(), 1u) << "the second call added no reference of its own";
        IPluginFactory* third = getFactory();
        EXPECT_EQ(third, first);
        third->release();
        EXPECT_EQ(first->release(), 0u);

        IPluginFactory* fresh = getFactory();
        ASSERT_TRUE(fresh) << "no factory after the last one was released";
        EXPECT_EQ(fresh->countClasses(), 1);
        EXPECT_EQ(fresh->release(), 0u);
    }
    if (SMTG_OS_LINUX) {
        EXPECT_TRUE(exit());
        EXPECT_FALSE(exit());
    } else {
        EXPECT_TRUE(exitDll());
    }
    Library::close(handle);
}
