// Loading bundles the way a host does, including the ways it fails.
#include "vst3/hosting/Module.h"
#include "vst3/hosting/ModuleLibrary.h"
#include "vst3/sdk/IComponent.h"
#include "vst3/sdk/IPtr.h"

#include <gtest/gtest.h>

#include <string>

using namespace Steinberg;
using namespace Steinberg::Hosting;

namespace {

std::string bundle(const char* name) {
    return std::string(TEST_BUNDLE_DIR) + "/" + name + ".vst3";
}

// Keeps the binary mapped after the Module unloads it, so its counters stay readable.
struct BundleProbe {
    explicit BundleProbe(const std::string& bundlePath)
        : handle(ModuleLibrary::open(Module::binaryPathForBundle(bundlePath), reason)) {}
    ~BundleProbe() {
        if (handle)
            ModuleLibrary::close(handle);
    }
    void read(int& entries, int& exits, int& factories) const {
        using Counters = void (*)(int*);
        int c[3] = {-1, -1, -1};
        if (auto fn =
                reinterpret_cast<Counters>(ModuleLibrary::symbol(handle, "TestBundleCounters")))
            fn(c);
        entries = c[0];
        exits = c[1];
        factories = c[2];
    }
    std::string reason;
    void* handle;
};

} // namespace

TEST(HostingModule, LoadsABundleAndUnloadsItInOrder) {
    const std::string path = bundle("GoodBundle");
    BundleProbe probe(path);
    ASSERT_NE(probe.handle, nullptr) << probe.reason;
    int entries, exits, factories;
    {
        std::string error;
        std::unique_ptr<Module> module = Module::load(path, error);
        ASSERT_TRUE(module) << error;
        EXPECT_TRUE(error.empty());
        probe.read(entries, exits, factories);
        EXPECT_EQ(entries, 1);
        EXPECT_EQ(factories, 1);

        IPluginFactory* f = module->getFactory();
        ASSERT_NE(f, nullptr);
        PFactoryInfo info;
        EXPECT_EQ(f->getFactoryInfo(&info), kResultOk);
        EXPECT_STREQ(info.vendor, "Velmora");
        ASSERT_EQ(f->countClasses(), 1);
        PClassInfo ci;
        ASSERT_EQ(f->getClassInfo(0, &ci), kResultOk);
        Vst::IComponent* component = nullptr;
        ASSERT_EQ(
            f->createInstance(ci.cid, Vst::IComponent::iid, reinterpret_cast<void**>(&component)),
            kResultOk);
        EXPECT_EQ(component->initialize(nullptr), kResultOk);
        EXPECT_EQ(component->terminate(), kResultOk);
        EXPECT_EQ(component->release(), 0u);
    }
    SCOPED_TRACE("destruction releases the factory before ModuleExit");
    probe.read(entries, exits, factories);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(factories, 0);
}

TEST(HostingModule, RefusesBrokenBundlesWithAReason) {
    std::string error;
    {
        SCOPED_TRACE("missing folder");
        EXPECT_FALSE(Module::load(bundle("Nowhere"), error));
        EXPECT_NE(error.find("not a VST 3 bundle folder"), std::string::npos) << error;
    }
    if (SMTG_OS_LINUX) {
        SCOPED_TRACE("ModuleExit is mandatory on Linux");
        EXPECT_FALSE(Module::load(bundle("NoExitBundle"), error));
        EXPECT_NE(error.find("does not export ModuleExit"), std::string::npos) << error;
    } else {
        SCOPED_TRACE("ExitDll is optional on Windows");
        EXPECT_TRUE(Module::load(bundle("NoExitBundle"), error)) << error;
    }
    {
        SCOPED_TRACE("an entry point answering false fails the load before any factory");
        const std::string path = bundle("FailingEntryBundle");
        BundleProbe probe(path);
        EXPECT_FALSE(Module::load(path, error));
        const char* failure = SMTG_OS_LINUX ? "ModuleEntry failed" : "InitDll failed";
        EXPECT_NE(error.find(failure), std::string::npos) << error;
        int entries, exits, factories;
        probe.read(entries, exits, factories);
        EXPECT_EQ(entries, 1);
        EXPECT_EQ(factories, 0);
    }
    {
        SCOPED_TRACE("a folder without the binary");
        EXPECT_FALSE(Module::load(TEST_BUNDLE_DIR, error));
        EXPECT_NE(error.find("has no binary"), std::string::npos) << error;
    }
}

TEST(HostingModule, BinaryPathFollowsTheBundleName) {
    const std::string expected = SMTG_OS_LINUX
                                     ? "/x/Sorvel.vst3/Contents/x86_64-linux/Sorvel.so"
                                     : "\\x\\Sorvel.vst3\\Contents\\x86_64-win\\Sorvel.vst3";
    EXPECT_EQ(Module::binaryPathForBundle("/x/Sorvel.vst3"), expected);
    EXPECT_EQ(Module::binaryPathForBundle("/x/Sorvel.vst3/"), expected);
    EXPECT_EQ(Module::binaryPathForBundle(""), "");
}
