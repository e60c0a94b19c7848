// The factory and class information each built bundle announces, and instance creation.
#include "tests/vst3/PluginTestHost.h"
#include "vst3/sdk/FUID.h"
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

std::string ClassIdText(const TUID cid) {
    char text[33];
    FUID::fromTUID(cid).toString(text);
    return text;
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
        EXPECT_EQ(ClassIdText(info.cid), bundle.classIdText);
        EXPECT_EQ(info.cardinality, 0x7FFFFFFF);
        EXPECT_STREQ(info.category, "Audio Module Class");
        EXPECT_STREQ(info.name, bundle.className);

        IPtr<IPluginFactory2> factory2 = queryInterfacePtr<IPluginFactory2>(factory);
        ASSERT_TRUE(factory2);
        PClassInfo2 info2;
        ASSERT_EQ(factory2->getClassInfo2(0, &info2), kResultOk);
        EXPECT_EQ(ClassIdText(info2.cid), bundle.classIdText);
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

// Hosts and preset files carry a class ID as its text form, so a project moved between the
// systems finds its plug-in only if that text is the same on both. On Windows the bytes are
// the ones the product has always had there; elsewhere they are the text's bytes in order.
TEST(PluginFactory, ClassIdBytesFollowThePlatformOrder) {
    const unsigned char comOrder[8] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F};
    const unsigned char textOrder[8] = {0xF2, 0xAE, 0xE7, 0x0D, 0x00, 0xDE, 0x4F, 0x4E};
    for (const BundleUnderTest& bundle : BuiltBundles()) {
        SCOPED_TRACE(bundle.label);
        auto module = PluginTestHost::Load(bundle.path);
        ASSERT_TRUE(module);
        PClassInfo info;
        ASSERT_EQ(module->getFactory()->getClassInfo(0, &info), kResultOk);
        EXPECT_EQ(std::memcmp(info.cid, COM_COMPATIBLE ? comOrder : textOrder, 8), 0);
        EXPECT_EQ(std::string(info.cid + 8, 4), "Vlmr");
    }
}

TEST(PluginFactory, CreateInstanceAndInterfaces) {
    for (const BundleUnderTest& bundle : BuiltBundles()) {
        SCOPED_TRACE(bundle.label);
        auto module = PluginTestHost::Load(bundle.path);
        ASSERT_TRUE(module);
        IPluginFactory* factory = module->getFactory();
        FUID classId;
        ASSERT_TRUE(classId.fromString(bundle.classIdText));
        const char* cid = classId;

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
