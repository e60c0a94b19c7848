// CPluginFactory's class registry and creation rules, and CPluginView's defaults.
#include "vst3/sdk/CPluginFactory.h"
#include "vst3/sdk/CPluginView.h"
#include "vst3/sdk/IAudioProcessor.h"
#include "vst3/sdk/IComponent.h"
#include "vst3/sdk/IPlugViewContentScaleSupport.h"
#include "vst3/sdk/SingleComponentEffect.h"

#include <gtest/gtest.h>

#include <string>

using namespace Steinberg;

namespace {

constexpr FUID kDummyCid{0x0DE7AEF2, 0xDE004E4F, 0x01020304, 0x05060708};
constexpr FUID kWideCid{0x11111111, 0x22222222, 0x33333333, 0x44444444};
constexpr FUID kNullCid{0x99999999, 0x22222222, 0x33333333, 0x44444444};

int liveInstances = 0;

class Dummy : public Vst::SingleComponentEffect {
  public:
    Dummy() { ++liveInstances; }
    ~Dummy() override { --liveInstances; }
};

FUnknown* createDummy(void* context) {
    EXPECT_EQ(context, &liveInstances) << "the registered context reaches the create function";
    return static_cast<Vst::IAudioProcessor*>(new Dummy);
}

FUnknown* createNothing(void*) {
    return nullptr;
}

IPtr<CPluginFactory> makeFactory() {
    auto factory = IPtr<CPluginFactory>::adopt(
        new CPluginFactory(PFactoryInfo("Velmora", "https://example.invalid", "", 0)));
    const PClassInfo2 info(kDummyCid, PClassInfo::kManyInstances, Vst::kVstAudioEffectClass,
                           "S\xC3\xB6rvel", Vst::kSimpleModeSupported, "Fx|EQ", "", "3.0.0",
                           Vst::kVstVersionString);
    factory->registerClass(&info, createDummy, &liveInstances);
    PClassInfoW wide;
    kWideCid.toTUID(wide.cid);
    wide.name[0] = u'W';
    factory->registerClass(&wide, createDummy, &liveInstances);
    const PClassInfo plain(kNullCid, 1, "Other", "Null");
    factory->registerClass(&plain, createNothing);
    return factory;
}

} // namespace

TEST(SdkFactory, InfoAndClassRecords) {
    auto factory = makeFactory();
    PFactoryInfo fi;
    EXPECT_EQ(factory->getFactoryInfo(&fi), kResultOk);
    EXPECT_STREQ(fi.vendor, "Velmora");
    EXPECT_EQ(fi.flags, PFactoryInfo::kUnicode);
    EXPECT_EQ(factory->getFactoryInfo(nullptr), kResultOk);
    ASSERT_EQ(factory->countClasses(), 3);
    {
        SCOPED_TRACE("8-bit registration");
        PClassInfo ci;
        ASSERT_EQ(factory->getClassInfo(0, &ci), kResultOk);
        EXPECT_TRUE(iidEqual(ci.cid, kDummyCid));
        EXPECT_STREQ(ci.category, "Audio Module Class");
        PClassInfo2 ci2;
        ASSERT_EQ(factory->getClassInfo2(0, &ci2), kResultOk);
        EXPECT_STREQ(ci2.subCategories, "Fx|EQ");
        EXPECT_EQ(ci2.classFlags, 2u);
        EXPECT_STREQ(ci2.sdkVersion, "VST 3.7.13");
        PClassInfoW ciw;
        ASSERT_EQ(factory->getClassInfoUnicode(0, &ciw), kResultOk);
        EXPECT_EQ(ciw.name[1], char16(0xFFC3)) << "widened with sign extension";
        EXPECT_EQ(std::u16string(ciw.version), u"3.0.0");
        ASSERT_EQ(factory->getClassInfo2(2, &ci2), kResultOk);
        EXPECT_EQ(ci2.classFlags, 0u) << "a PClassInfo is padded with zeroed fields";
        EXPECT_EQ(ci2.subCategories[0], 0);
    }
    {
        SCOPED_TRACE("a wide registration is not served as 8-bit");
        PClassInfo ci;
        ci.cardinality = 5;
        EXPECT_EQ(factory->getClassInfo(1, &ci), kResultFalse);
        EXPECT_EQ(ci.cardinality, 0) << "the record is zero-filled";
        PClassInfo2 ci2;
        EXPECT_EQ(factory->getClassInfo2(1, &ci2), kResultFalse);
        PClassInfoW ciw;
        EXPECT_EQ(factory->getClassInfoUnicode(1, &ciw), kResultOk);
        EXPECT_EQ(ciw.name[0], u'W');
    }
    {
        SCOPED_TRACE("bad indices and null records");
        PClassInfo ci;
        PClassInfoW ciw;
        EXPECT_EQ(factory->getClassInfo(-1, &ci), kInvalidArgument);
        EXPECT_EQ(factory->getClassInfo(3, &ci), kInvalidArgument);
        EXPECT_EQ(factory->getClassInfo(0, nullptr), kInvalidArgument);
        EXPECT_EQ(factory->getClassInfoUnicode(3, &ciw), kInvalidArgument);
        EXPECT_FALSE(factory->registerClass(static_cast<const PClassInfo*>(nullptr), createDummy));
    }
    EXPECT_TRUE(factory->isClassRegistered(kWideCid));
    EXPECT_FALSE(factory->isClassRegistered(FUID(1, 2, 3, 4)));
}

TEST(SdkFactory, CreateInstanceHandsOverExactlyOneReference) {
    auto factory = makeFactory();
    {
        SCOPED_TRACE("a supported interface");
        void* obj = nullptr;
        ASSERT_EQ(factory->createInstance(kDummyCid, Vst::IComponent::iid, &obj), kResultOk);
        auto* component = static_cast<Vst::IComponent*>(obj);
        EXPECT_EQ(liveInstances, 1);
        EXPECT_EQ(component->addRef(), 2u) << "the caller must hold the only reference";
        EXPECT_EQ(component->release(), 1u);
        EXPECT_EQ(component->release(), 0u);
        EXPECT_EQ(liveInstances, 0);
    }
    {
        SCOPED_TRACE("an unsupported interface destroys the new object");
        void* obj = &obj;
        EXPECT_EQ(factory->createInstance(kDummyCid, Vst::IConnectionPoint::iid, &obj),
                  kNoInterface);
        EXPECT_EQ(obj, nullptr);
        EXPECT_EQ(liveInstances, 0);
    }
    {
        SCOPED_TRACE("unknown class, null instance, null out pointer");
        void* obj = &obj;
        EXPECT_EQ(factory->createInstance(FUID(1, 2, 3, 4), FUnknown::iid, &obj), kNoInterface);
        EXPECT_EQ(obj, nullptr);
        obj = &obj;
        EXPECT_EQ(factory->createInstance(kNullCid, FUnknown::iid, &obj), kNoInterface);
        EXPECT_EQ(obj, nullptr);
        EXPECT_EQ(factory->createInstance(kDummyCid, FUnknown::iid, nullptr), kInvalidArgument);
        EXPECT_EQ(liveInstances, 0);
    }
}

TEST(SdkFactory, QueryInterfaceRefcountAndHostContext) {
    auto* factory = new CPluginFactory(PFactoryInfo());
    for (const FUID* id :
         {&FUnknown::iid, &IPluginFactory::iid, &IPluginFactory2::iid, &IPluginFactory3::iid}) {
        void* obj = nullptr;
        ASSERT_EQ(factory->queryInterface(*id, &obj), kResultOk);
        EXPECT_EQ(obj, static_cast<IPluginFactory3*>(factory));
        EXPECT_EQ(factory->release(), 1u);
    }
    void* obj = factory;
    EXPECT_EQ(factory->queryInterface(IPluginBase::iid, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(factory->queryInterface(FObject::iid, &obj), kNoInterface);

    auto context = IPtr<FObject>::adopt(new FObject);
    // Only Linux hosts hand the factory a context (for their run loop).
    const tresult contextResult = SMTG_OS_LINUX ? kResultTrue : kNotImplemented;
    EXPECT_EQ(factory->setHostContext(context.get()), contextResult);
    EXPECT_EQ(factory->getRunLoop(), nullptr) << "a context without IRunLoop keeps none";
    EXPECT_EQ(factory->setHostContext(nullptr), contextResult);
    EXPECT_EQ(context->getRefCount(), 1u);
    EXPECT_EQ(factory->release(), 0u);
}

TEST(SdkPluginView, DefaultsAndFrameReference) {
    class HookView : public CPluginView {
      public:
        using CPluginView::CPluginView;
        void attachedToParent() override { hooks += 'a'; }
        void removedFromParent() override { hooks += 'r'; }
        std::string hooks;
    };
    const ViewRect initial(0, 0, 1156, 456);
    auto view = IPtr<HookView>::adopt(new HookView(&initial));
    IPlugView* v = view.get();
    EXPECT_EQ(v->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kNotImplemented);
    {
        SCOPED_TRACE("size");
        ViewRect r;
        EXPECT_EQ(v->getSize(&r), kResultTrue);
        EXPECT_EQ(r.getWidth(), 1156);
        EXPECT_EQ(r.getHeight(), 456);
        EXPECT_EQ(v->getSize(nullptr), kInvalidArgument);
        ViewRect bigger(0, 0, 1200, 500);
        EXPECT_EQ(v->onSize(&bigger), kResultTrue);
        EXPECT_EQ(v->onSize(nullptr), kResultTrue);
        v->getSize(&r);
        EXPECT_EQ(r.right, 1200);
    }
    {
        SCOPED_TRACE("attach and remove");
        int parent = 0;
        EXPECT_EQ(v->attached(&parent, "anything"), kResultOk);
        EXPECT_EQ(view->getSystemWindow(), &parent);
        EXPECT_EQ(v->removed(), kResultOk);
        EXPECT_FALSE(view->isAttached());
        EXPECT_EQ(view->hooks, "ar");
    }
    EXPECT_EQ(v->onWheel(1.f), kResultFalse);
    EXPECT_EQ(v->onKeyDown(u'a', 0, 0), kResultFalse);
    EXPECT_EQ(v->onFocus(1), kResultFalse);
    EXPECT_EQ(v->canResize(), kResultFalse);
    EXPECT_EQ(v->checkSizeConstraint(nullptr), kResultFalse);
    {
        SCOPED_TRACE("the frame is held until replaced");
        class Frame : public FObject, public IPlugFrame {
          public:
            tresult PLUGIN_API resizeView(IPlugView*, ViewRect*) override { return kResultOk; }
            tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override {
                return FObject::queryInterface(_iid, obj);
            }
            uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
            uint32 PLUGIN_API release() override { return FObject::release(); }
        };
        auto frame = IPtr<Frame>::adopt(new Frame);
        EXPECT_EQ(v->setFrame(frame.get()), kResultTrue);
        EXPECT_EQ(frame->getRefCount(), 2u);
        EXPECT_EQ(v->setFrame(frame.get()), kResultTrue);
        EXPECT_EQ(frame->getRefCount(), 2u);
        view.reset();
        EXPECT_EQ(frame->getRefCount(), 1u) << "destroying the view releases the frame";
    }
}

TEST(SdkPluginView, QueryInterface) {
    auto view = IPtr<CPluginView>::adopt(new CPluginView);
    void* obj = nullptr;
    ASSERT_EQ(view->queryInterface(IPlugView::iid, &obj), kResultOk);
    EXPECT_EQ(obj, static_cast<IPlugView*>(view.get()));
    static_cast<IPlugView*>(obj)->release();
    EXPECT_EQ(view->queryInterface(IPlugViewContentScaleSupport::iid, &obj), kNoInterface);
}
