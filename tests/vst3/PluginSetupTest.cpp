// Component set-up as a host walks it: initialisation, buses and arrangements, processing
// set-up, parameters and units, termination and release.
#include "tests/vst3/PluginTestHost.h"
#include "tests/vst3/TestPlugParams.h"
#include "vst3/hosting/HostApplication.h"
#include "vst3/sdk/IUnitInfo.h"
#include "vst3/sdk/SpeakerArrangement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using PluginTestHost::BuiltBundles;
using PluginTestHost::BundleUnderTest;
using PluginTestHost::Narrow;

namespace {

constexpr ParamID kPresetId = 0x70727374;
constexpr ParamID kBypassId = 0x62706173;

BusInfo Bus(IComponent* component, BusDirection direction) {
    BusInfo info{};
    EXPECT_EQ(component->getBusInfo(kAudio, direction, 0, info), kResultOk);
    return info;
}

std::string ValueText(IEditController* controller, ParamID id, double normalised) {
    String128 text{};
    EXPECT_EQ(controller->getParamStringByValue(id, normalised, text), kResultOk) << id;
    return Narrow(text);
}

double ValueOf(IEditController* controller, ParamID id, const char16_t* text) {
    ParamValue normalised = -1.0;
    EXPECT_EQ(controller->getParamValueByString(id, const_cast<char16_t*>(text), normalised),
              kResultOk);
    return normalised;
}

} // namespace

TEST(PluginSetup, LifecycleOfEveryBundle) {
    for (const BundleUnderTest& bundle : BuiltBundles()) {
        SCOPED_TRACE(bundle.label);
        auto module = PluginTestHost::Load(bundle.path);
        ASSERT_TRUE(module);
        PluginTestHost::Instance plug = PluginTestHost::Create(module->getFactory());
        ASSERT_TRUE(plug.component);
        IPtr<Hosting::HostApplication> host =
            IPtr<Hosting::HostApplication>::adopt(new Hosting::HostApplication(u"Reaper"));

        ASSERT_EQ(plug.component->initialize(static_cast<Vst::IHostApplication*>(host.get())),
                  kResultOk);
        EXPECT_EQ(plug.component->initialize(static_cast<Vst::IHostApplication*>(host.get())),
                  kResultFalse);
        EXPECT_EQ(plug.controller->getParameterCount(), bundle.hostParameters)
            << "a second initialize registered parameters again";
        {
            SCOPED_TRACE("buses as published");
            ASSERT_EQ(plug.component->getBusCount(kAudio, kInput), 1);
            ASSERT_EQ(plug.component->getBusCount(kAudio, kOutput), 1);
            BusInfo in = Bus(plug.component.get(), kInput);
            BusInfo out = Bus(plug.component.get(), kOutput);
            EXPECT_EQ(Narrow(in.name), "Main Input");
            EXPECT_EQ(Narrow(out.name), "Output");
            EXPECT_EQ(in.channelCount, 2);
            EXPECT_EQ(out.channelCount, 2);
        }
        {
            SCOPED_TRACE("arrangements");
            SpeakerArrangement mono = SpeakerArr::kMono, stereo = SpeakerArr::kStereo;
            EXPECT_EQ(plug.processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultOk);
            EXPECT_EQ(Narrow(Bus(plug.component.get(), kInput).name), "Main Input")
                << "the buses were rebuilt for the arrangement they already had";
            EXPECT_EQ(plug.processor->setBusArrangements(&mono, 1, &stereo, 1), kResultFalse);
            EXPECT_EQ(Bus(plug.component.get(), kInput).channelCount, 2);
            EXPECT_EQ(plug.processor->setBusArrangements(&mono, 1, &mono, 1), kResultOk);
            EXPECT_EQ(Narrow(Bus(plug.component.get(), kInput).name), "Input");
            EXPECT_EQ(Bus(plug.component.get(), kInput).channelCount, 1);
            EXPECT_EQ(Bus(plug.component.get(), kOutput).channelCount, 1);
            SpeakerArrangement pair[] = {stereo, stereo};
            EXPECT_EQ(plug.processor->setBusArrangements(pair, 2, &stereo, 1), kResultFalse)
                << "two input arrangements";
            EXPECT_EQ(plug.processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultOk);
            EXPECT_EQ(Bus(plug.component.get(), kOutput).channelCount, 2);
        }
        {
            SCOPED_TRACE("sample sizes and set-up");
            PluginTestHost::AudioBlock early(32, false);
            EXPECT_EQ(plug.component->activateBus(kAudio, kOutput, 0, 1), kResultOk);
            EXPECT_EQ(plug.processor->process(early.Data()), kResultOk);
            EXPECT_EQ(early.Out(1, 31), 0.0) << "a block before any set-up is silence";
            ProcessSetup setup{kRealtime, 2, 256, 48000.0};
            EXPECT_EQ(plug.processor->setupProcessing(setup), kResultFalse);
            setup = {kRealtime, kSample32, 256, 0.0};
            EXPECT_EQ(plug.processor->setupProcessing(setup), kResultFalse);
            setup.sampleRate = std::numeric_limits<double>::quiet_NaN();
            EXPECT_EQ(plug.processor->setupProcessing(setup), kResultFalse);
            setup = {kRealtime, kSample64, 256, 48000.0};
            EXPECT_EQ(plug.processor->setupProcessing(setup), kResultOk);
            EXPECT_EQ(plug.processor->setupProcessing(setup), kResultOk);
            EXPECT_EQ(plug.component->setActive(1), kResultOk);
            EXPECT_EQ(plug.component->setActive(0), kResultOk);
        }
        {
            SCOPED_TRACE("the program-change and bypass parameters come first");
            ParameterInfo preset{}, bypass{};
            ASSERT_EQ(plug.controller->getParameterInfo(0, preset), kResultOk);
            ASSERT_EQ(plug.controller->getParameterInfo(1, bypass), kResultOk);
            EXPECT_EQ(preset.id, kPresetId);
            EXPECT_EQ(preset.stepCount, 1);
            EXPECT_EQ(preset.flags, 0x8000);
            EXPECT_EQ(bypass.id, kBypassId);
            EXPECT_EQ(bypass.stepCount, 1);
            EXPECT_EQ(bypass.flags, 0x10009);
            EXPECT_EQ(ValueOf(plug.controller.get(), kBypassId, u"on"), 1.0);
            String128 text{};
            EXPECT_EQ(plug.controller->getParamStringByValue(kBypassId, 1.0, text), kResultFalse);
            EXPECT_EQ(plug.controller->getParamNormalized(kPresetId), 0.0);
            ParameterInfo last{};
            EXPECT_EQ(plug.controller->getParameterInfo(bundle.hostParameters - 1, last),
                      kResultOk);
            EXPECT_EQ(last.id, static_cast<ParamID>(bundle.hostParameters - 3));
        }
        {
            SCOPED_TRACE("program list");
            IPtr<IUnitInfo> units = queryInterfacePtr<IUnitInfo>(plug.component.get());
            ASSERT_TRUE(units);
            EXPECT_EQ(units->getProgramListCount(), 0);
            ProgramListInfo list{};
            EXPECT_EQ(units->getProgramListInfo(0, list), kResultOk);
            EXPECT_EQ(list.id, static_cast<ProgramListID>(kPresetId));
            EXPECT_EQ(Narrow(list.name), "Factory Presets");
            EXPECT_EQ(list.programCount, 1);
            String128 name{};
            EXPECT_EQ(units->getProgramName(kPresetId, 0, name), kResultOk);
            EXPECT_EQ(Narrow(name), "-");
            UnitInfo root{};
            EXPECT_EQ(units->getUnitInfo(0, root), kResultOk);
            EXPECT_EQ(Narrow(root.name), "Root Unit");
            EXPECT_EQ(units->getUnitInfo(units->getUnitCount(), root), kResultFalse);
        }
        {
            SCOPED_TRACE("terminate, initialize again, release");
            EXPECT_EQ(plug.component->terminate(), kResultOk);
            EXPECT_EQ(plug.controller->getParameterCount(), 0);
            EXPECT_EQ(plug.component->getBusCount(kAudio, kInput), 0);
            EXPECT_EQ(plug.component->initialize(static_cast<Vst::IHostApplication*>(host.get())),
                      kResultOk);
            EXPECT_EQ(plug.controller->getParameterCount(), bundle.hostParameters);
            EXPECT_EQ(Narrow(Bus(plug.component.get(), kInput).name), "Main Input");
            EXPECT_EQ(plug.component->terminate(), kResultOk);
            plug.processor.reset();
            plug.controller.reset();
            Vst::IComponent* last = plug.component.get();
            last->addRef();
            plug.component.reset();
            EXPECT_EQ(last->release(), 0u) << "a reference leaked";
        }
    }
}

TEST(PluginSetup, ParametersAndUnitsOfTheTestPlug) {
    auto module = PluginTestHost::Load(BuiltBundles()[0].path);
    ASSERT_TRUE(module);
    PluginTestHost::Instance plug = PluginTestHost::Create(module->getFactory());
    ASSERT_TRUE(plug.component);
    ASSERT_EQ(plug.component->initialize(nullptr), kResultOk);
    IEditController* controller = plug.controller.get();

    auto info = [&](int param) {
        ParameterInfo out{};
        EXPECT_EQ(controller->getParameterInfo(param + 2, out), kResultOk);
        EXPECT_EQ(out.id, static_cast<ParamID>(param));
        return out;
    };
    {
        SCOPED_TRACE("information records");
        ParameterInfo gain = info(TestPlugParams::kGain);
        EXPECT_EQ(Narrow(gain.title), "Gain");
        EXPECT_EQ(Narrow(gain.units), "dB");
        EXPECT_EQ(gain.stepCount, 0);
        EXPECT_DOUBLE_EQ(gain.defaultNormalizedValue, 0.5);
        EXPECT_EQ(info(TestPlugParams::kMode).stepCount, 2);
        ParameterInfo toggle = info(TestPlugParams::kSwitch);
        EXPECT_EQ(toggle.stepCount, 1);
        EXPECT_EQ(Narrow(toggle.units), "") << "a value shown as text carries no unit";
        EXPECT_DOUBLE_EQ(info(TestPlugParams::kTrim).defaultNormalizedValue, 0.5)
            << "the default is normalised through the shape";
        EXPECT_EQ(info(TestPlugParams::kTrim).unitId, 1);
        EXPECT_EQ(info(TestPlugParams::kTone).unitId, 2);
        EXPECT_EQ(info(TestPlugParams::kWidth).unitId, 1) << "a second parameter of a group";
    }
    {
        SCOPED_TRACE("units from the groups");
        IPtr<IUnitInfo> units = queryInterfacePtr<IUnitInfo>(plug.component.get());
        ASSERT_EQ(units->getUnitCount(), 3);
        UnitInfo unit{};
        ASSERT_EQ(units->getUnitInfo(2, unit), kResultOk);
        EXPECT_EQ(Narrow(unit.name), "Colour");
    }
    {
        SCOPED_TRACE("texts and conversions");
        EXPECT_EQ(ValueText(controller, TestPlugParams::kGain, 0.5), "0.00");
        EXPECT_EQ(ValueText(controller, TestPlugParams::kGain, 1.0), "18.00");
        EXPECT_EQ(ValueText(controller, TestPlugParams::kMode, 0.74), "1");
        EXPECT_EQ(ValueText(controller, TestPlugParams::kSwitch, 1.0), "on");
        EXPECT_EQ(ValueText(controller, TestPlugParams::kTrim, 0.5), "0.250");
        EXPECT_EQ(ValueOf(controller, TestPlugParams::kGain, u"100"), 1.0);
        EXPECT_EQ(ValueOf(controller, TestPlugParams::kGain, u"abc"), 0.5);
        EXPECT_EQ(ValueOf(controller, TestPlugParams::kGain, u"nan"), 0.5);
        EXPECT_DOUBLE_EQ(controller->normalizedParamToPlain(TestPlugParams::kTrim, 0.5), 0.25);
        EXPECT_DOUBLE_EQ(controller->plainParamToNormalized(TestPlugParams::kTrim, 0.25), 0.5);
        EXPECT_EQ(controller->plainParamToNormalized(TestPlugParams::kGain, 99.0), 1.0);
        EXPECT_EQ(controller->plainParamToNormalized(kPresetId, 0.7), 0.7);
        EXPECT_FALSE(std::isnan(controller->normalizedParamToPlain(TestPlugParams::kTrim, -0.5)));
    }
    {
        SCOPED_TRACE("values set by the host");
        EXPECT_EQ(controller->setParamNormalized(TestPlugParams::kGain, 1.7), kResultOk);
        EXPECT_EQ(controller->getParamNormalized(TestPlugParams::kGain), 1.0);
        EXPECT_EQ(controller->setParamNormalized(TestPlugParams::kGain, -3.0), kResultOk);
        EXPECT_EQ(controller->getParamNormalized(TestPlugParams::kGain), 0.0);
        EXPECT_NE(controller->setParamNormalized(TestPlugParams::kGain,
                                                 std::numeric_limits<double>::quiet_NaN()),
                  kResultOk);
        EXPECT_EQ(controller->getParamNormalized(TestPlugParams::kGain), 0.0);
        EXPECT_EQ(controller->setParamNormalized(kBypassId, 1.0), kResultFalse);
    }
    plug.component->terminate();
}
