#include "vst3/PluginFactory.h"

#include "vst3/IPlugVST3.h"
#include "vst3/sdk/CPluginFactory.h"
#include "vst3/sdk/FUID.h"

#include <cstdio>
#include <mutex>

using namespace Steinberg;

namespace {

// The fixed first two words of the class identifier, followed by the two four-character codes.
// Stated as words, the identifier has one 32-digit text form on every platform: the one that
// hosts and preset files on Windows carry, where its bytes are 0D E7 AE F2 DE 00 4E 4F.
constexpr uint32 kClassIdWord1 = 0xF2AEE70D;
constexpr uint32 kClassIdWord2 = 0x00DE4F4E;

constexpr const char* kSdkVersionText = "VST 3.6.12";

// Guards the one shared factory. The factory's count lives here, under the same lock as the
// pointer, so that a caller can never pick up a factory whose last reference is going away.
std::mutex factoryLock;

// Serialises the construction of plug-in objects.
std::mutex creationLock;

class ModuleFactory;
ModuleFactory* sharedFactory = nullptr;

class ModuleFactory final : public CPluginFactory {
  public:
    using CPluginFactory::CPluginFactory;

    uint32 PLUGIN_API addRef() override {
        std::lock_guard<std::mutex> guard(factoryLock);
        return ++count;
    }

    uint32 PLUGIN_API release() override {
        {
            std::lock_guard<std::mutex> guard(factoryLock);
            if (count == 0 || --count > 0)
                return count;
            if (sharedFactory == this)
                sharedFactory = nullptr;
        }
        delete this;
        return 0;
    }

    // Under factoryLock.
    void AddSharedReference() { ++count; }

  private:
    uint32 count = 1;
};

FUnknown* CreateInstance(void*) {
    IPlugVST3* plug = nullptr;
    {
        std::lock_guard<std::mutex> guard(creationLock);
        plug = CreatePlugInstance();
    }
    if (!plug)
        return nullptr;
    // The host reaches every other face by querying this one.
    return static_cast<Vst::IAudioProcessor*>(plug);
}

const PFactoryInfo& FactoryInfo() {
    static const PFactoryInfo info(PlugClass().vendor, PlugClass().url, PlugClass().email,
                                   PFactoryInfo::kUnicode);
    return info;
}

const PClassInfo2& ClassInfo() {
    static const PClassInfo2 info = [] {
        const PlugClassDescription& plug = PlugClass();
        TUID classId;
        MakeClassId(plug.vendorCode, plug.plugCode, classId);
        char version[PClassInfo2::kVersionSize];
        FormatVersionText(plug.version, version, static_cast<int>(sizeof version));
        return PClassInfo2(classId, PClassInfo::kManyInstances, Vst::kVstAudioEffectClass,
                           plug.name, Vst::kSimpleModeSupported, plug.subCategories, "", version,
                           kSdkVersionText);
    }();
    return info;
}

} // namespace

void MakeClassId(uint32_t vendorCode, uint32_t plugCode, TUID classId) {
    FUID(kClassIdWord1, kClassIdWord2, vendorCode, plugCode).toTUID(classId);
}

void FormatVersionText(uint32_t version, char* text, int size) {
    if (!text || size <= 0)
        return;
    std::snprintf(text, static_cast<size_t>(size), "%u.%u.%u", (version >> 16) & 0xFFFFu,
                  (version >> 8) & 0xFFu, version & 0xFFu);
}

// Any thread.
IPluginFactory* PLUGIN_API GetPluginFactory() {
    std::lock_guard<std::mutex> guard(factoryLock);
    if (sharedFactory) {
        sharedFactory->AddSharedReference();
        return sharedFactory;
    }
    auto* factory = new ModuleFactory(FactoryInfo());
    factory->registerClass(&ClassInfo(), CreateInstance);
    sharedFactory = factory;
    return factory;
}
