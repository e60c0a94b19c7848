// Small VST 3 modules that make plughost meet refusals Sorvel never gives. One source, built
// as several bundles:
//   FixtureStrict   a stereo pass-through that processes only 32-bit samples at 44100 Hz and
//                   only in a stereo layout
//   FixtureNoEffect a factory whose one class is a controller, not an audio effect
//   FixtureNoFactory a module without GetPluginFactory
#include "vst3/sdk/CPluginFactory.h"
#include "vst3/sdk/ModuleEntry.h"
#include "vst3/sdk/SingleComponentEffect.h"
#include "vst3/sdk/SpeakerArrangement.h"

#include <algorithm>

using namespace Steinberg;

namespace {

constexpr FUID kFixtureCid{0x6A3C51D0, 0x7E2B4F18, 0x9D40C2AA, 0x1B5E7F03};
constexpr double kOnlyRate = 44100;

class StrictPassThrough : public Vst::SingleComponentEffect {
  public:
    tresult PLUGIN_API initialize(FUnknown* context) override {
        const tresult result = SingleComponentEffect::initialize(context);
        if (result == kResultOk) {
            addAudioInput(u"In", Vst::SpeakerArr::kStereo);
            addAudioOutput(u"Out", Vst::SpeakerArr::kStereo);
        }
        return result;
    }

    tresult PLUGIN_API setBusArrangements(Vst::SpeakerArrangement* inputs, int32 numIns,
                                          Vst::SpeakerArrangement* outputs,
                                          int32 numOuts) override {
        if (numIns != 1 || numOuts != 1 || inputs[0] != Vst::SpeakerArr::kStereo ||
            outputs[0] != Vst::SpeakerArr::kStereo)
            return kResultFalse;
        return SingleComponentEffect::setBusArrangements(inputs, numIns, outputs, numOuts);
    }

    tresult PLUGIN_API setupProcessing(Vst::ProcessSetup& setup) override {
        if (setup.sampleRate != kOnlyRate)
            return kResultFalse;
        return SingleComponentEffect::setupProcessing(setup);
    }

    tresult PLUGIN_API process(Vst::ProcessData& data) override {
        if (data.numInputs < 1 || data.numOutputs < 1 || data.numSamples <= 0)
            return kResultOk;
        const Vst::AudioBusBuffers& in = data.inputs[0];
        const Vst::AudioBusBuffers& out = data.outputs[0];
        for (int32 c = 0; c < std::min(in.numChannels, out.numChannels); ++c)
            std::copy_n(in.channelBuffers32[c], data.numSamples, out.channelBuffers32[c]);
        return kResultOk;
    }
};

[[maybe_unused]] FUnknown* CreateStrict(void*) {
    return static_cast<Vst::IAudioProcessor*>(new StrictPassThrough);
}

CPluginFactory* factory = nullptr;

} // namespace

extern "C" {

#ifndef FIXTURE_NO_FACTORY
SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory() {
    if (factory != nullptr) {
        factory->addRef();
        return factory;
    }
    factory = new CPluginFactory(PFactoryInfo("Velmora", "", "", Vst::kDefaultFactoryFlags));
#ifdef FIXTURE_NO_EFFECT
    const PClassInfo2 info(kFixtureCid, PClassInfo::kManyInstances,
                           Vst::kVstComponentControllerClass, "Fixture", 0, "", "", "1.0.0",
                           Vst::kVstVersionString);
#else
    const PClassInfo2 info(kFixtureCid, PClassInfo::kManyInstances, Vst::kVstAudioEffectClass,
                           "Fixture", Vst::kSimpleModeSupported, "Fx", "", "1.0.0",
                           Vst::kVstVersionString);
#endif
    factory->registerClass(&info, CreateStrict);
    return factory;
}
#endif

SMTG_EXPORT_SYMBOL bool ModuleEntry(void* handle) {
    return handle != nullptr;
}

SMTG_EXPORT_SYMBOL bool ModuleExit() {
    // The factory is gone by now when the host released its references; forget it so a
    // later load starts afresh.
    factory = nullptr;
    return true;
}

} // extern "C"
