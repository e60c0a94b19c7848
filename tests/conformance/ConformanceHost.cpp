#include "tests/conformance/ConformanceHost.h"

#include "vst3/hosting/HostApplication.h"
#include "vst3/sdk/SpeakerArrangement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Conformance {

namespace {

bool longRun = false;
// A value no processing produces by chance, compared bit for bit.
constexpr double kMarker = -12345.6789;

} // namespace

bool LongRun() {
    return longRun;
}

void SetLongRun(bool on) {
    longRun = on;
}

int Scaled(int shortCount, int longCount) {
    return longRun ? longCount : shortCount;
}

Hosting::Module& SorvelModule() {
    static std::unique_ptr<Hosting::Module> module = [] {
        // Another build of the bundle (an installed one, an older one) can be checked too.
        const char* other = std::getenv("SORVEL_CONFORMANCE_BUNDLE");
        const std::string path = other && *other ? other : SORVEL_BUNDLE;
        std::string error;
        std::unique_ptr<Hosting::Module> loaded = Hosting::Module::load(path, error);
        if (!loaded) {
            std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), error.c_str());
            std::abort();
        }
        return loaded;
    }();
    return *module;
}

Plugin Create() {
    Plugin plugin;
    IPluginFactory* factory = SorvelModule().getFactory();
    PClassInfo info;
    if (factory->getClassInfo(0, &info) != kResultOk) {
        ADD_FAILURE() << "the factory lists no class";
        return plugin;
    }
    void* object = nullptr;
    if (factory->createInstance(info.cid, Vst::IComponent::iid, &object) != kResultOk ||
        !object) {
        ADD_FAILURE() << "createInstance refused IComponent";
        return plugin;
    }
    plugin.component = IPtr<Vst::IComponent>::adopt(static_cast<Vst::IComponent*>(object));
    plugin.processor = queryInterfacePtr<Vst::IAudioProcessor>(plugin.component.get());
    plugin.controller = queryInterfacePtr<Vst::IEditController>(plugin.component.get());
    EXPECT_TRUE(plugin) << "the component serves no processor or controller";
    return plugin;
}

bool Start(Plugin& plugin, double sampleRate, int maxBlock, bool doublePrecision, int channels) {
    static IPtr<Hosting::HostApplication> host =
        IPtr<Hosting::HostApplication>::adopt(new Hosting::HostApplication(u"Conformance"));
    if (!plugin)
        return false;
    bool ok = true;
    auto expect = [&](tresult result, const char* step) {
        if (result != kResultOk) {
            ADD_FAILURE() << step << " answered " << result;
            ok = false;
        }
    };
    expect(plugin.component->initialize(static_cast<Vst::IHostApplication*>(host.get())),
           "initialize");
    Vst::SpeakerArrangement arrangement =
        channels == 1 ? Vst::SpeakerArr::kMono : Vst::SpeakerArr::kStereo;
    expect(plugin.processor->setBusArrangements(&arrangement, 1, &arrangement, 1),
           "setBusArrangements");
    Vst::ProcessSetup setup{Vst::kRealtime, doublePrecision ? Vst::kSample64 : Vst::kSample32,
                            maxBlock, sampleRate};
    expect(plugin.processor->setupProcessing(setup), "setupProcessing");
    expect(plugin.component->activateBus(Vst::kAudio, Vst::kInput, 0, 1), "activateBus in");
    expect(plugin.component->activateBus(Vst::kAudio, Vst::kOutput, 0, 1), "activateBus out");
    expect(plugin.component->setActive(1), "setActive");
    plugin.processor->setProcessing(1); // not implemented by this plug-in; hosts call it anyway
    return ok;
}

void Stop(Plugin& plugin) {
    if (!plugin)
        return;
    plugin.processor->setProcessing(0);
    plugin.component->setActive(0);
    plugin.component->terminate();
}

GuardedBlock::GuardedBlock(int maxFrames, int channels, bool doublePrecision, bool inPlace)
    : maxFrames(maxFrames), channels(channels), doublePrecision(doublePrecision),
      inPlace(inPlace) {
    const size_t bytes = (2 * kGuard + maxFrames) * (doublePrecision ? 8 : 4);
    for (int c = 0; c < channels; ++c) {
        in.emplace_back(bytes);
        out.emplace_back(inPlace ? 0 : bytes);
        for (int i = 0; i < 2 * kGuard + maxFrames; ++i) {
            Write(in[c], i, kMarker);
            if (!inPlace)
                Write(out[c], i, kMarker);
        }
    }
    for (int c = 0; c < channels; ++c) {
        inPointers.push_back(in[c].data() + kGuard * (doublePrecision ? 8 : 4));
        outPointers.push_back(inPlace ? inPointers[c]
                                      : out[c].data() + kGuard * (doublePrecision ? 8 : 4));
    }
    inBus.numChannels = channels;
    inBus.channelBuffers32 = reinterpret_cast<Vst::Sample32**>(inPointers.data());
    outBus.numChannels = channels;
    outBus.channelBuffers32 = reinterpret_cast<Vst::Sample32**>(outPointers.data());
    data.processMode = Vst::kRealtime;
    data.symbolicSampleSize = doublePrecision ? Vst::kSample64 : Vst::kSample32;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &inBus;
    data.outputs = &outBus;
}

double GuardedBlock::Read(const std::vector<uint8_t>& buffer, int index) const {
    if (doublePrecision) {
        double v;
        std::memcpy(&v, buffer.data() + 8 * index, 8);
        return v;
    }
    float v;
    std::memcpy(&v, buffer.data() + 4 * index, 4);
    return v;
}

void GuardedBlock::Write(std::vector<uint8_t>& buffer, int index, double value) {
    if (doublePrecision) {
        std::memcpy(buffer.data() + 8 * index, &value, 8);
    } else {
        const float v = static_cast<float>(value);
        std::memcpy(buffer.data() + 4 * index, &v, 4);
    }
}

bool GuardedBlock::Intact(const std::vector<uint8_t>& buffer, int from, int to) const {
    const int size = doublePrecision ? 8 : 4;
    std::vector<uint8_t> marker(size);
    if (doublePrecision) {
        std::memcpy(marker.data(), &kMarker, 8);
    } else {
        const float v = static_cast<float>(kMarker);
        std::memcpy(marker.data(), &v, 4);
    }
    for (int i = from; i < to; ++i)
        if (std::memcmp(buffer.data() + size * i, marker.data(), size) != 0)
            return false;
    return true;
}

void GuardedBlock::SetInput(int channel, int frame, double value) {
    Write(in[channel], kGuard + frame, value);
    if (!inPlace)
        Write(out[channel], kGuard + frame, kMarker);
}

double GuardedBlock::Output(int channel, int frame) const {
    return Read(inPlace ? in[channel] : out[channel], kGuard + frame);
}

bool GuardedBlock::GuardsIntact(int frames, std::string& where) const {
    const int end = 2 * kGuard + maxFrames;
    for (int c = 0; c < channels; ++c) {
        const std::vector<uint8_t>& written = inPlace ? in[c] : out[c];
        if (!Intact(in[c], 0, kGuard) || !Intact(in[c], kGuard + maxFrames, end) ||
            !Intact(written, 0, kGuard) || !Intact(written, kGuard + frames, end)) {
            where = "channel " + std::to_string(c) + " written outside its " +
                    std::to_string(frames) + " frames";
            return false;
        }
    }
    return true;
}

Vst::ProcessData& GuardedBlock::Data(int frames, Hosting::ParameterChanges* changes) {
    // Frames past this block may hold an earlier, longer block's samples.
    for (int c = 0; c < channels; ++c)
        for (int i = kGuard + (frames > 0 ? frames : 0); i < kGuard + maxFrames; ++i) {
            Write(in[c], i, kMarker);
            if (!inPlace)
                Write(out[c], i, kMarker);
        }
    data.numSamples = frames;
    data.inputParameterChanges = changes;
    return data;
}

bool OutputFinite(const GuardedBlock& block, int frames, std::string& where) {
    for (int c = 0; c < block.Channels(); ++c)
        for (int n = 0; n < frames; ++n)
            if (!std::isfinite(block.Output(c, n))) {
                where = "channel " + std::to_string(c) + " frame " + std::to_string(n) + " is " +
                        std::to_string(block.Output(c, n));
                return false;
            }
    return true;
}

} // namespace Conformance
