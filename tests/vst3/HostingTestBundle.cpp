// A minimal VST 3 module for the loader tests, built as several bundles that
// differ only in which entry points behave.
#include "vst3/sdk/CPluginFactory.h"
#include "vst3/sdk/ModuleEntry.h"
#include "vst3/sdk/SingleComponentEffect.h"

using namespace Steinberg;

namespace {

constexpr FUID kEffectCid{0x0DE7AEF2, 0xDE004E4F, 0x566C6D72, 0x53727631};

int entryCalls = 0;
int exitCalls = 0;
int factoriesAlive = 0;
CPluginFactory* factory = nullptr;

class BundleFactory : public CPluginFactory {
  public:
    using CPluginFactory::CPluginFactory;
    ~BundleFactory() override {
        --factoriesAlive;
        factory = nullptr;
    }
};

class BundleEffect : public Vst::SingleComponentEffect {};

FUnknown* createEffect(void*) {
    return static_cast<Vst::IAudioProcessor*>(new BundleEffect);
}

} // namespace

extern "C" {

SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory() {
    if (factory) {
        factory->addRef();
        return factory;
    }
    factory = new BundleFactory(PFactoryInfo("Velmora", "", "", Vst::kDefaultFactoryFlags));
    ++factoriesAlive;
    const PClassInfo2 info(kEffectCid, PClassInfo::kManyInstances, Vst::kVstAudioEffectClass,
                           "Bundle", Vst::kSimpleModeSupported, "Fx|EQ", "", "3.0.0",
                           Vst::kVstVersionString);
    factory->registerClass(&info, createEffect);
    return factory;
}

// The platform's pair of entry points: ModuleEntry and ModuleExit on Linux, InitDll and ExitDll
// on Windows (which pass no handle).
#if SMTG_OS_WINDOWS
SMTG_EXPORT_SYMBOL bool InitDll() {
    void* handle = &entryCalls;
#else
SMTG_EXPORT_SYMBOL bool ModuleEntry(void* handle) {
#endif
    ++entryCalls;
#ifdef TEST_BUNDLE_ENTRY_FAILS
    (void)handle;
    return false;
#else
    return handle != nullptr;
#endif
}

#ifndef TEST_BUNDLE_WITHOUT_MODULE_EXIT
#if SMTG_OS_WINDOWS
SMTG_EXPORT_SYMBOL bool ExitDll() {
#else
SMTG_EXPORT_SYMBOL bool ModuleExit() {
#endif
    ++exitCalls;
    return true;
}
#endif

// Lets the tests see what the loader did: entry calls, exit calls, live factories.
SMTG_EXPORT_SYMBOL void TestBundleCounters(int* counters) {
    counters[0] = entryCalls;
    counters[1] = exitCalls;
    counters[2] = factoriesAlive;
}

} // extern "C"
