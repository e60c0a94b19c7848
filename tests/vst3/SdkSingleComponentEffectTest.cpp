// SingleComponentEffect as a host drives it: identity, buses, set-up and the
// controller side with its defaults.
#include "vst3/sdk/IPlugView.h"
#include "vst3/sdk/IPtr.h"
#include "vst3/sdk/SingleComponentEffect.h"
#include "vst3/sdk/SpeakerArrangement.h"
#include "vst3/sdk/StringListParameter.h"

#include <gtest/gtest.h>

#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

class TestEffect : public SingleComponentEffect {
  public:
    tresult PLUGIN_API initialize(FUnknown* context) override {
        const tresult result = SingleComponentEffect::initialize(context);
        if (result != kResultOk)
            return result;
        addAudioInput(u"Main Input", SpeakerArr::kStereo);
        addAudioOutput(u"Output", SpeakerArr::kStereo);
        addEventInput(u"MIDI In", 1);
        parameters.addParameter(u"Gain", u"dB", 0, 0.5, ParameterInfo::kCanAutomate, 10);
        auto* list = new StringListParameter(u"Bypass", 20);
        list->appendString(u"off");
        list->appendString(u"on");
        parameters.addParameter(list);
        return kResultOk;
    }
    // The controller's state pair, reachable through IEditController only.
    tresult PLUGIN_API getEditorState(IBStream*) override { return kResultOk; }
};

class CountingHandler : public FObject, public IComponentHandler, public IComponentHandler2 {
  public:
    tresult PLUGIN_API beginEdit(ParamID id) override { return record('b', id); }
    tresult PLUGIN_API performEdit(ParamID id, ParamValue) override { return record('p', id); }
    tresult PLUGIN_API endEdit(ParamID id) override { return record('e', id); }
    tresult PLUGIN_API restartComponent(int32) override { return kResultOk; }
    tresult PLUGIN_API setDirty(TBool) override { return record('d', 0); }
    tresult PLUGIN_API requestOpenEditor(FIDString) override { return kResultOk; }
    tresult PLUGIN_API startGroupEdit() override { return record('s', 0); }
    tresult PLUGIN_API finishGroupEdit() override { return record('f', 0); }

    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override {
        if (iidEqual(_iid, IComponentHandler::iid))
            return answer<IComponentHandler>(this, obj);
        if (iidEqual(_iid, IComponentHandler2::iid))
            return answer<IComponentHandler2>(this, obj);
        return FObject::queryInterface(_iid, obj);
    }
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    std::string calls;

  private:
    tresult record(char what, ParamID id) {
        calls += what;
        calls += std::to_string(id);
        return kResultOk;
    }
};

template <class I> void expectFace(TestEffect* effect, I* expected, const char* name) {
    SCOPED_TRACE(name);
    void* obj = nullptr;
    const uint32 before = effect->getRefCount();
    ASSERT_EQ(effect->queryInterface(I::iid, &obj), kResultOk);
    EXPECT_EQ(obj, static_cast<void*>(expected)) << "must be the static_cast sub-object";
    EXPECT_EQ(effect->getRefCount(), before + 1);
    static_cast<I*>(obj)->release();
}

std::u16string busName(IComponent* c, MediaType type, BusDirection dir, int32 index) {
    BusInfo info{};
    c->getBusInfo(type, dir, index, info);
    return info.name;
}

} // namespace

TEST(SdkSingleComponentEffect, QueryInterfaceFacesAndRefusals) {
    auto effect = IPtr<TestEffect>::adopt(new TestEffect);
    TestEffect* e = effect.get();
    expectFace<IComponent>(e, e, "IComponent");
    expectFace<IAudioProcessor>(e, e, "IAudioProcessor");
    expectFace<IProcessContextRequirements>(e, e, "IProcessContextRequirements");
    expectFace<IUnitInfo>(e, e, "IUnitInfo");
    expectFace<IEditController>(e, e, "IEditController");
    expectFace<IEditController2>(e, e, "IEditController2");
    expectFace<IPluginBase>(e, static_cast<ComponentBase*>(e), "IPluginBase");
    expectFace<FUnknown>(e, static_cast<FObject*>(e), "FUnknown");
    {
        SCOPED_TRACE("one identity whichever face is asked");
        void* fromComponent = nullptr;
        void* fromController = nullptr;
        static_cast<IComponent*>(e)->queryInterface(FUnknown::iid, &fromComponent);
        static_cast<IEditController*>(e)->queryInterface(FUnknown::iid, &fromController);
        EXPECT_EQ(fromComponent, fromController);
        static_cast<FUnknown*>(fromComponent)->release();
        static_cast<FUnknown*>(fromController)->release();
    }
    {
        SCOPED_TRACE("IConnectionPoint is refused and the out pointer left alone");
        void* obj = e;
        EXPECT_EQ(e->queryInterface(IConnectionPoint::iid, &obj), kNoInterface);
        EXPECT_EQ(obj, static_cast<void*>(e));
    }
    for (const FUID* refused :
         {&IPlugView::iid, &IMidiMapping::iid, &IAudioPresentationLatency::iid, &IDependent_iid}) {
        void* obj = e;
        EXPECT_EQ(e->queryInterface(*refused, &obj), kNoInterface);
        EXPECT_EQ(obj, nullptr);
    }
    EXPECT_EQ(e->getRefCount(), 1u) << "no query may leak a reference";
    for (const char* name : {"SingleComponentEffect", "EditControllerEx1", "EditController",
                             "ComponentBase", "FObject"})
        EXPECT_TRUE(e->isTypeOf(name)) << name;
    EXPECT_STREQ(e->isA(), "SingleComponentEffect");
}

TEST(SdkSingleComponentEffect, LifecycleKeepsOneHostContext) {
    auto effect = IPtr<TestEffect>::adopt(new TestEffect);
    auto context = IPtr<FObject>::adopt(new FObject);
    ASSERT_EQ(effect->initialize(context.get()), kResultOk);
    EXPECT_EQ(context->getRefCount(), 2u) << "the effect holds a reference to its context";
    EXPECT_EQ(effect->initialize(context.get()), kResultFalse);
    EXPECT_EQ(effect->getBusCount(kAudio, kInput), 1) << "a refused initialize adds nothing";
    EXPECT_EQ(effect->terminate(), kResultOk);
    EXPECT_EQ(context->getRefCount(), 1u);
    EXPECT_EQ(effect->getBusCount(kAudio, kInput), 0);
    EXPECT_EQ(effect->getParameterCount(), 0);

    SCOPED_TRACE("a null context is kept as none, so initialize may follow");
    EXPECT_EQ(effect->initialize(nullptr), kResultOk);
    EXPECT_EQ(effect->terminate(), kResultOk);
    EXPECT_EQ(effect->initialize(nullptr), kResultOk);
    EXPECT_EQ(effect->initialize(nullptr), kResultOk);
}

TEST(SdkSingleComponentEffect, BusesAsTheHostSeesThem) {
    auto effect = IPtr<TestEffect>::adopt(new TestEffect);
    effect->initialize(nullptr);
    IComponent* c = effect.get();
    EXPECT_EQ(c->getBusCount(kAudio, kInput), 1);
    EXPECT_EQ(c->getBusCount(kAudio, kOutput), 1);
    EXPECT_EQ(c->getBusCount(kEvent, kInput), 1);
    EXPECT_EQ(c->getBusCount(kEvent, kOutput), 0);
    EXPECT_EQ(c->getBusCount(7, kInput), 0);
    {
        SCOPED_TRACE("bus info");
        BusInfo info{};
        ASSERT_EQ(c->getBusInfo(kAudio, kOutput, 0, info), kResultTrue);
        EXPECT_EQ(info.mediaType, kAudio);
        EXPECT_EQ(info.direction, kOutput);
        EXPECT_EQ(info.channelCount, 2);
        EXPECT_EQ(std::u16string(info.name), u"Output");
        EXPECT_EQ(info.busType, kMain);
        EXPECT_EQ(info.flags, uint32(BusInfo::kDefaultActive));
        ASSERT_EQ(c->getBusInfo(kEvent, kInput, 0, info), kResultTrue);
        EXPECT_EQ(info.channelCount, 1);
        EXPECT_EQ(busName(c, kAudio, kInput, 0), u"Main Input");
    }
    {
        SCOPED_TRACE("indices outside the list, negative included, are refused");
        BusInfo info{};
        for (int32 index : {-1, 1, -2147483647 - 1})
            EXPECT_EQ(c->getBusInfo(kAudio, kInput, index, info), kInvalidArgument) << index;
        EXPECT_EQ(c->getBusInfo(2, kInput, 0, info), kInvalidArgument);
        EXPECT_EQ(c->getBusInfo(kAudio, 5, 0, info), kInvalidArgument);
        EXPECT_EQ(c->activateBus(kAudio, kOutput, -1, 1), kInvalidArgument);
        EXPECT_EQ(c->activateBus(kAudio, kOutput, 1, 1), kInvalidArgument);
        SpeakerArrangement arr = 99;
        EXPECT_EQ(effect->getBusArrangement(kInput, -1, arr), kInvalidArgument);
        EXPECT_EQ(effect->getBusArrangement(kInput, 1, arr), kInvalidArgument);
        EXPECT_EQ(arr, 99u);
    }
    {
        SCOPED_TRACE("buses start inactive whatever their flags");
        BusList* outputs = effect->getBusList(kAudio, kOutput);
        EXPECT_FALSE(outputs->at(0)->isActive());
        EXPECT_EQ(c->activateBus(kAudio, kOutput, 0, 1), kResultTrue);
        EXPECT_TRUE(outputs->at(0)->isActive());
        EXPECT_EQ(c->activateBus(kAudio, kOutput, 0, 0), kResultTrue);
        EXPECT_FALSE(outputs->at(0)->isActive());
    }
    {
        SCOPED_TRACE("arrangements are copied unjudged into existing buses");
        SpeakerArrangement mono = SpeakerArr::kMono, surround = SpeakerArr::k51;
        EXPECT_EQ(effect->setBusArrangements(&mono, -1, &surround, 1), kInvalidArgument);
        EXPECT_EQ(effect->setBusArrangements(nullptr, 1, &surround, 1), kInvalidArgument);
        SpeakerArrangement two[2] = {mono, mono};
        EXPECT_EQ(effect->setBusArrangements(two, 2, &surround, 1), kResultFalse);
        EXPECT_EQ(effect->setBusArrangements(&mono, 1, &surround, 1), kResultTrue);
        SpeakerArrangement arr = 0;
        EXPECT_EQ(effect->getBusArrangement(kInput, 0, arr), kResultTrue);
        EXPECT_EQ(arr, SpeakerArr::kMono);
        BusInfo info{};
        c->getBusInfo(kAudio, kOutput, 0, info);
        EXPECT_EQ(info.channelCount, 6);
        EXPECT_EQ(effect->setBusArrangements(nullptr, 0, nullptr, 0), kResultTrue);
    }
}

TEST(SdkSingleComponentEffect, ProcessorDefaultsAndTheTwoStatePairs) {
    auto effect = IPtr<TestEffect>::adopt(new TestEffect);
    IAudioProcessor* p = effect.get();
    {
        SCOPED_TRACE("set-up is stored only for 32-bit samples");
        ProcessSetup setup{kOffline, kSample64, 512, 96000.};
        EXPECT_EQ(p->setupProcessing(setup), kResultFalse);
        EXPECT_EQ(effect->getProcessSetup().maxSamplesPerBlock, 1024);
        EXPECT_EQ(effect->getProcessSetup().sampleRate, 44100.);
        setup.symbolicSampleSize = kSample32;
        EXPECT_EQ(p->setupProcessing(setup), kResultOk);
        EXPECT_EQ(effect->getProcessSetup().processMode, kOffline);
        EXPECT_EQ(effect->getProcessSetup().sampleRate, 96000.);
        EXPECT_EQ(p->canProcessSampleSize(kSample64), kResultFalse);
        EXPECT_EQ(p->canProcessSampleSize(5), kResultFalse);
    }
    ProcessData data{};
    EXPECT_EQ(p->process(data), kNotImplemented);
    EXPECT_EQ(p->setProcessing(1), kNotImplemented);
    EXPECT_EQ(p->getLatencySamples(), 0u);
    EXPECT_EQ(p->getTailSamples(), kNoTail);
    EXPECT_EQ(effect->getProcessContextRequirements(), 0u);

    IComponent* c = effect.get();
    IEditController* ec = effect.get();
    TUID cid;
    EXPECT_EQ(c->getControllerClassId(cid), kNotImplemented);
    EXPECT_EQ(c->setIoMode(kAdvanced), kNotImplemented);
    EXPECT_EQ(c->setActive(1), kResultOk);
    RoutingInfo in{}, out{};
    EXPECT_EQ(c->getRoutingInfo(in, out), kNotImplemented);
    SCOPED_TRACE("the controller's state pair is separate from the component's");
    EXPECT_EQ(ec->getState(nullptr), kResultOk) << "subclass override of getEditorState";
    EXPECT_EQ(c->getState(nullptr), kNotImplemented);
    EXPECT_EQ(c->setState(nullptr), kNotImplemented);
    EXPECT_EQ(ec->setState(nullptr), kNotImplemented);
    EXPECT_EQ(ec->setComponentState(nullptr), kNotImplemented);
}

TEST(SdkSingleComponentEffect, ControllerParametersAndHandler) {
    auto effect = IPtr<TestEffect>::adopt(new TestEffect);
    effect->initialize(nullptr);
    IEditController* ec = effect.get();
    ASSERT_EQ(ec->getParameterCount(), 2);
    {
        SCOPED_TRACE("parameter queries");
        ParameterInfo info{};
        EXPECT_EQ(ec->getParameterInfo(1, info), kResultTrue);
        EXPECT_EQ(info.id, 20u);
        EXPECT_EQ(info.stepCount, 1);
        EXPECT_EQ(ec->getParameterInfo(-1, info), kResultFalse);
        EXPECT_EQ(ec->getParameterInfo(2, info), kResultFalse);
        String128 s;
        EXPECT_EQ(ec->getParamStringByValue(20, 1.0, s), kResultTrue);
        EXPECT_EQ(std::u16string(s), u"on");
        EXPECT_EQ(ec->getParamStringByValue(99, 1.0, s), kResultFalse);
        ParamValue v = 0;
        char16 typed[] = u"0.75";
        EXPECT_EQ(ec->getParamValueByString(10, typed, v), kResultTrue);
        EXPECT_EQ(v, 0.75);
        char16 junk[] = u"loud";
        EXPECT_EQ(ec->getParamValueByString(10, junk, v), kResultFalse);
        EXPECT_EQ(ec->getParamValueByString(99, typed, v), kResultFalse);
        EXPECT_EQ(ec->normalizedParamToPlain(99, 0.3), 0.3) << "unknown ids pass through";
        EXPECT_EQ(ec->plainParamToNormalized(99, 7.0), 7.0);
        EXPECT_EQ(ec->normalizedParamToPlain(20, 0.7), 1.0);
        EXPECT_EQ(ec->getParamNormalized(10), 0.5);
        EXPECT_EQ(ec->getParamNormalized(99), 0.0);
        EXPECT_EQ(ec->setParamNormalized(10, 3.0), kResultTrue);
        EXPECT_EQ(ec->getParamNormalized(10), 1.0);
        EXPECT_EQ(ec->setParamNormalized(10, 1.0), kResultTrue) << "True even when unchanged";
        EXPECT_EQ(ec->setParamNormalized(99, 0.1), kResultFalse);
        EXPECT_EQ(ec->createView(ViewType::kEditor), nullptr);
    }
    {
        SCOPED_TRACE("edit helpers without a handler");
        EXPECT_EQ(effect->beginEdit(10), kResultFalse);
        EXPECT_EQ(effect->startGroupEdit(), kNotImplemented);
    }
    auto first = IPtr<CountingHandler>::adopt(new CountingHandler);
    auto second = IPtr<CountingHandler>::adopt(new CountingHandler);
    {
        SCOPED_TRACE("the handler and its IComponentHandler2 each hold a reference");
        EXPECT_EQ(ec->setComponentHandler(first.get()), kResultTrue);
        EXPECT_EQ(first->getRefCount(), 3u);
        EXPECT_EQ(ec->setComponentHandler(first.get()), kResultTrue);
        EXPECT_EQ(first->getRefCount(), 3u) << "setting the same handler again is a no-op";
        EXPECT_EQ(effect->beginEdit(10), kResultOk);
        EXPECT_EQ(effect->performEdit(10, 0.2), kResultOk);
        EXPECT_EQ(effect->endEdit(10), kResultOk);
        EXPECT_EQ(effect->startGroupEdit(), kResultOk);
        EXPECT_EQ(effect->setDirty(1), kResultOk);
        EXPECT_EQ(first->calls, "b10p10e10s0d0");
        EXPECT_EQ(ec->setComponentHandler(second.get()), kResultTrue);
        EXPECT_EQ(first->getRefCount(), 1u);
        EXPECT_EQ(second->getRefCount(), 3u);
        EXPECT_EQ(ec->setComponentHandler(nullptr), kResultTrue);
        EXPECT_EQ(second->getRefCount(), 1u);
        ec->setComponentHandler(second.get());
        effect->terminate();
        EXPECT_EQ(second->getRefCount(), 1u) << "terminate releases both handler references";
    }
}

TEST(SdkSingleComponentEffect, UnitsProgramListsAndConnection) {
    auto effect = IPtr<TestEffect>::adopt(new TestEffect);
    IUnitInfo* units = effect.get();
    EXPECT_EQ(units->getUnitCount(), 0) << "no root unit unless the plug-in adds one";
    UnitInfo info{};
    EXPECT_EQ(units->getUnitInfo(0, info), kResultFalse);
    effect->addUnit(new Unit(u"Root", kRootUnitId, kNoParentUnitId));
    auto* list = new ProgramList(u"Factory", 77, kRootUnitId);
    list->addProgram(u"Init");
    effect->addProgramList(list);
    ASSERT_EQ(units->getUnitInfo(0, info), kResultTrue);
    EXPECT_EQ(std::u16string(info.name), u"Root");
    EXPECT_EQ(info.parentUnitId, kNoParentUnitId);
    EXPECT_EQ(units->getUnitInfo(-1, info), kResultFalse);
    ProgramListInfo listInfo{};
    ASSERT_EQ(units->getProgramListInfo(0, listInfo), kResultTrue);
    EXPECT_EQ(listInfo.id, 77);
    EXPECT_EQ(listInfo.programCount, 1);
    String128 name;
    EXPECT_EQ(units->getProgramName(77, 0, name), kResultTrue);
    EXPECT_EQ(std::u16string(name), u"Init");
    EXPECT_EQ(units->getProgramName(77, 1, name), kResultFalse);
    EXPECT_EQ(units->getProgramName(78, 0, name), kResultFalse);
    EXPECT_EQ(units->getSelectedUnit(), kRootUnitId);
    EXPECT_EQ(units->selectUnit(3), kResultTrue);
    EXPECT_EQ(units->getSelectedUnit(), 3);
    UnitID unit = 0;
    EXPECT_EQ(units->getUnitByBus(kAudio, kInput, 0, 0, unit), kResultFalse);

    SCOPED_TRACE("connection rules, reachable from the class though not from the host");
    auto peer = IPtr<TestEffect>::adopt(new TestEffect);
    IConnectionPoint* self = effect.get();
    IConnectionPoint* other = peer.get();
    EXPECT_EQ(self->connect(nullptr), kInvalidArgument);
    EXPECT_EQ(self->connect(other), kResultOk);
    EXPECT_EQ(self->connect(other), kResultFalse);
    EXPECT_EQ(self->disconnect(self), kResultFalse);
    EXPECT_EQ(other->connect(self), kResultOk);
    EXPECT_EQ(self->notify(nullptr), kInvalidArgument);
    effect->terminate();
    EXPECT_EQ(effect->getPeer(), nullptr);
    EXPECT_EQ(peer->getPeer(), nullptr) << "terminate disconnects the peer from us";
    EXPECT_EQ(units->getUnitCount(), 0);
    EXPECT_EQ(peer->getRefCount(), 1u);
    EXPECT_EQ(effect->getRefCount(), 1u);
}
