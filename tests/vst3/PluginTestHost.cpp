#include "tests/vst3/PluginTestHost.h"

#include "vst3/hosting/HostApplication.h"
#include "vst3/sdk/SpeakerArrangement.h"

#include <gtest/gtest.h>

namespace PluginTestHost {

std::vector<BundleUnderTest> BuiltBundles() {
    std::vector<BundleUnderTest> bundles;
    bundles.push_back({"TestPlug", TEST_PLUG_BUNDLE, 9, "F2AEE70D00DE4F4E566C6D7254737431",
                       "SorvelTest", "1.2.3"});
#ifdef SORVEL_BUNDLE
    bundles.push_back(
        {"Sorvel", SORVEL_BUNDLE, 35, "F2AEE70D00DE4F4E566C6D7253727631", "Sorvel", "3.0.0"});
#endif
    return bundles;
}

std::unique_ptr<Hosting::Module> Load(const std::string& bundlePath) {
    std::string error;
    std::unique_ptr<Hosting::Module> module = Hosting::Module::load(bundlePath, error);
    EXPECT_TRUE(module) << error;
    return module;
}

Instance Create(IPluginFactory* factory) {
    Instance instance;
    PClassInfo info;
    if (!factory || factory->getClassInfo(0, &info) != kResultOk) {
        ADD_FAILURE() << "the factory lists no class";
        return instance;
    }
    void* object = nullptr;
    if (factory->createInstance(info.cid, Vst::IComponent::iid, &object) != kResultOk) {
        ADD_FAILURE() << "createInstance refused IComponent";
        return instance;
    }
    instance.component = IPtr<Vst::IComponent>::adopt(static_cast<Vst::IComponent*>(object));
    instance.processor = queryInterfacePtr<Vst::IAudioProcessor>(instance.component.get());
    instance.controller = queryInterfacePtr<Vst::IEditController>(instance.component.get());
    EXPECT_TRUE(instance.processor && instance.controller);
    return instance;
}

Instance CreateRunning(IPluginFactory* factory, int blockSize, bool doublePrecision) {
    Instance instance = Create(factory);
    if (!instance.processor)
        return instance;
    IPtr<Hosting::HostApplication> host =
        IPtr<Hosting::HostApplication>::adopt(new Hosting::HostApplication(u"Test Host"));
    EXPECT_EQ(instance.component->initialize(static_cast<Vst::IHostApplication*>(host.get())),
              kResultOk);
    Vst::SpeakerArrangement stereo = Vst::SpeakerArr::kStereo;
    EXPECT_EQ(instance.processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultOk);
    Vst::ProcessSetup setup{Vst::kRealtime, doublePrecision ? Vst::kSample64 : Vst::kSample32,
                            blockSize, 48000.0};
    EXPECT_EQ(instance.processor->setupProcessing(setup), kResultOk);
    EXPECT_EQ(instance.component->activateBus(Vst::kAudio, Vst::kOutput, 0, 1), kResultOk);
    EXPECT_EQ(instance.component->activateBus(Vst::kAudio, Vst::kInput, 0, 1), kResultOk);
    EXPECT_EQ(instance.component->setActive(1), kResultOk);
    return instance;
}

AudioBlock::AudioBlock(int frames, bool doublePrecision, int inChannels, int outChannels)
    : frames(frames), doublePrecision(doublePrecision),
      changes(IPtr<Hosting::ParameterChanges>::adopt(new Hosting::ParameterChanges)) {
    const size_t length = frames > 0 ? static_cast<size_t>(frames) : 0;
    for (int c = 0; c < inChannels; ++c) {
        in32.emplace_back(length);
        in64.emplace_back(length);
        for (size_t n = 0; n < length; ++n) {
            in64[c][n] = c + 1 + static_cast<double>(n) / 1000.0;
            in32[c][n] = static_cast<float>(in64[c][n]);
        }
        inPointers.push_back(doublePrecision ? static_cast<void*>(in64[c].data()) : in32[c].data());
    }
    for (int c = 0; c < outChannels; ++c) {
        out32.emplace_back(length, -7.0f);
        out64.emplace_back(length, -7.0);
        outPointers.push_back(doublePrecision ? static_cast<void*>(out64[c].data())
                                              : out32[c].data());
    }
    inBus.numChannels = inChannels;
    inBus.channelBuffers32 = reinterpret_cast<Vst::Sample32**>(inPointers.data());
    outBus.numChannels = outChannels;
    outBus.channelBuffers32 = reinterpret_cast<Vst::Sample32**>(outPointers.data());

    data.processMode = Vst::kRealtime;
    data.symbolicSampleSize = doublePrecision ? Vst::kSample64 : Vst::kSample32;
    data.numSamples = frames;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &inBus;
    data.outputs = &outBus;
    data.inputParameterChanges = changes.get();
}

void AudioBlock::Change(Vst::ParamID id, double value, int offset) {
    int32 index = 0;
    Vst::IParamValueQueue* queue = changes->addParameterData(id, index);
    queue->addPoint(offset, value, index);
}

Vst::ProcessData& AudioBlock::Data() {
    return data;
}

double AudioBlock::In(int channel, int frame) const {
    return doublePrecision ? in64[channel][frame] : in32[channel][frame];
}

double AudioBlock::Out(int channel, int frame) const {
    return doublePrecision ? out64[channel][frame] : out32[channel][frame];
}

double AudioBlock::Scaled(int channel, int frame, double factor) const {
    const double exact = In(channel, frame) * factor;
    return doublePrecision ? exact : static_cast<float>(exact);
}

std::string Narrow(const Vst::TChar* text) {
    std::string out;
    for (int i = 0; i < 128 && text[i]; ++i)
        out += static_cast<char>(text[i]);
    return out;
}

} // namespace PluginTestHost
