// The module as a host's loader sees it: exported names, entry counts and the factory's
// lifetime, reached with dlopen and dlsym alone.
#include "vst3/sdk/ModuleEntry.h"
#include "tests/vst3/PluginTestHost.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <dlfcn.h>
#include <set>
#include <string>

using namespace Steinberg;

TEST(ModuleEntry, ExportsExactlyTheFiveEntryPoints) {
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
    const std::string binary =
        Hosting::Module::binaryPathForBundle(PluginTestHost::BuiltBundles()[0].path);
    void* handle = dlopen(binary.c_str(), RTLD_LAZY | RTLD_LOCAL);
    ASSERT_TRUE(handle) << dlerror();
    auto entry = reinterpret_cast<ModuleEntryFunc>(dlsym(handle, kModuleEntryName));
    auto exit = reinterpret_cast<ModuleExitFunc>(dlsym(handle, kModuleExitName));
    auto initDll = reinterpret_cast<InitDllFunc>(dlsym(handle, kInitDllName));
    auto exitDll = reinterpret_cast<ExitDllFunc>(dlsym(handle, kExitDllName));
    auto getFactory = reinterpret_cast<GetFactoryProc>(dlsym(handle, kGetPluginFactoryName));
    ASSERT_TRUE(entry && exit && initDll && exitDll && getFactory);

    {
        SCOPED_TRACE("entries and exits pair up; an exit without an entry is refused");
        EXPECT_FALSE(exit());
        EXPECT_TRUE(entry(handle));
        EXPECT_TRUE(entry(handle));
        EXPECT_TRUE(initDll());
        EXPECT_TRUE(exitDll());
        EXPECT_TRUE(exit());
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
    EXPECT_TRUE(exit());
    EXPECT_FALSE(exit());
    dlclose(handle);
}
