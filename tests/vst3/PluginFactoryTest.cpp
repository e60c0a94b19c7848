// The factory and class information each built bundle announces, and instance creation.
#include "tests/vst3/PluginTestHost.h"
#include "vst3/sdk/IConnectionPoint.h"
#include "vst3/sdk/IPlugView.h"
#include "vst3/sdk/IUnitInfo.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Steinberg;
using PluginTestHost::BuiltBundles;
using PluginTestHost::BundleUnderTest;

namespace {

std::string Narrow16(const char16* text, int capacity) {
    std::string out;
    for (int i = 0; i < capacity && text[i]; ++i)
        out += static_cast<char>(text[i]);
    return out;
}

} // namespace

TEST(PluginFactory, FactoryAndClassInformation) {
    for (const BundleUnderTest& bundle : BuiltBundles()) {
        SCOPED_TRACE(bundle.label);
        auto module = PluginTestHost::Load(bundle.path);
        ASSERT_TRUE(module);
        IPluginFactory* factory = module->getFactory();

        PFactoryInfo factoryInfo;
        EXPECT_EQ(factory->getFactoryInfo(&factoryInfo), kResultOk);
        EXPECT_STREQ(factoryInfo.vendor, "Velmora");
        EXPECT_STREQ(factoryInfo.url, "https://www.velmora.audio");
        EXPECT_STREQ(factoryInfo.email, "support@velmora.audio");
        EXPECT_EQ(factoryInfo.flags, 16);
        ASSERT_EQ(factory->countClasses(), 1);

        PClassInfo info;
        ASSERT_EQ(factory->getClassInfo(0, &info), kResultOk);
        EXPECT_EQ(std::memcmp(info.cid, bundle.classId, 16), 0) << "class ID bytes differ";
        EXPECT_EQ(info.cardinality, 0x7FFFFFFF);
        EXPECT_STREQ(info.category, "Audio Module Class");
        EXPECT_STREQ(info.name, bundle.className);

        IPtr<IPluginFactory2> factory2 = queryInterfacePtr<IPluginFactory2>(factory);
        ASSERT_TRUE(factory2);
        PClassInfo2 info2;
        ASSERT_EQ(factory2->getClassInfo2(0, &info2), kResultOk);
        EXPECT_EQ(std::memcmp(info2.cid, bundle.classId, 16), 0);
        EXPECT_EQ(info2.classFlags, 2u);
        EXPECT_STREQ(info2.subCategories, "Fx|EQ");
        EXPECT_STREQ(info2.vendor, "");
        EXPECT_STREQ(info2.version, bundle.version);
        EXPECT_STREQ(info2.sdkVersion, "VST 3.6.12");

        IPtr<IPluginFactory3> factory3 = queryInterfacePtr<IPluginFactory3>(factory);
        ASSERT_TRUE(factory3);
        PClassInfoW infoW;
        ASSERT_EQ(factory3->getClassInfoUnicode(0, &infoW), kResultOk);
        EXPECT_EQ(Narrow16(infoW.name, 64), bundle.className);
        EXPECT_EQ(Narrow16(infoW.version, 64), bundle.version);
        EXPECT_EQ(Narrow16(infoW.sdkVersion, 64), "VST 3.6.12");
    }
}

// Windows stores an identifier's first word and the halves of its second little-endian. The
// class ID is fixed as sixteen bytes, so the Windows build states its words accordingly and
// both platforms present the same bytes to hosts and saved projects.
TEST(PluginFactory, ClassIdIsTheSameSixteenBytesOnBothPlatforms) {
    const UidBytes linux =
        makeUidBytes(0x0DE7AEF2, 0xDE004E4F, 0x566C6D72, 0x53727631, UidByteOrder::bigEndian);
    const UidBytes windows =
        makeUidBytes(0xF2AEE70D, 0x00DE4F4E, 0x566C6D72, 0x53727631, UidByteOrder::com);
    const unsigned char expected[16] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F,
                                        'V',  'l',  'm',  'r',  'S',  'r',  'v',  '1'};
    EXPECT_EQ(std::memcmp(linux.bytes, expected, 16), 0);
    EXPECT_EQ(std::memcmp(windows.bytes, expected, 16), 0);
}

TEST(PluginFactory, CreateInstanceAndInterfaces) {
    for (const BundleUnderTest& bundle : BuiltBundles()) {
        SCOPED_TRACE(bundle.label);
        auto module = PluginTestHost::Load(bundle.path);
        ASSERT_TRUE(module);
        IPluginFactory* factory = module->getFactory();
        const char* cid = reinterpret_cast<const char*>(bundle.classId);

        for (const FUID& iid : {FUID(Vst::IComponent::iid), FUID(Vst::IAudioProcessor::iid)}) {
            void* object = nullptr;
            EXPECT_EQ(factory->createInstance(cid, iid, &object), kResultOk);
            ASSERT_TRUE(object);
            EXPECT_EQ(static_cast<FUnknown*>(object)->release(), 0u)
                << "the caller should hold the only reference";
        }
        void* object = reinterpret_cast<void*>(1);
        EXPECT_EQ(factory->createInstance(cid, IPluginFactory::iid, &object), kNoInterface);
        EXPECT_EQ(object, nullptr);
        const char unknownClass[16] = {1, 2, 3};
        EXPECT_EQ(factory->createInstance(unknownClass, Vst::IComponent::iid, &object),
                  kNoInterface);

        PluginTestHost::Instance instance = PluginTestHost::Create(factory);
        ASSERT_TRUE(instance.component);
        FUnknown* faces[] = {instance.component.get(), instance.processor.get(),
                             instance.controller.get()};
        IPtr<FUnknown> identity = queryInterfacePtr<FUnknown>(instance.component.get());
        for (FUnknown* face : faces) {
            for (const FUID& iid :
                 {FUID(FUnknown::iid), FUID(IPluginBase::iid), FUID(Vst::IComponent::iid),
                  FUID(Vst::IAudioProcessor::iid), FUID(Vst::IEditController::iid),
                  FUID(Vst::IEditController2::iid), FUID(Vst::IUnitInfo::iid)}) {
                void* answered = nullptr;
                EXPECT_EQ(face->queryInterface(iid, &answered), kResultOk);
                ASSERT_TRUE(answered);
                static_cast<FUnknown*>(answered)->release();
            }
            EXPECT_EQ(queryInterfacePtr<FUnknown>(face).get(), identity.get())
                << "FUnknown differs between faces of one object";
            EXPECT_FALSE(queryInterfacePtr<Vst::IConnectionPoint>(face));
            EXPECT_FALSE(queryInterfacePtr<IPlugView>(face));
        }
    }
}
