// Construction, initialisation, bus arrangements and processing set-up of the VST 3 adapter.
#include "vst3/IPlugVST3.h"

#include "core/IdentifyHost.h"
#include "vst3/IPlugParameter.h"
#include "vst3/sdk/IHostApplication.h"
#include "vst3/sdk/StringConvert.h"
#include "vst3/sdk/StringListParameter.h"

#include <cmath>
#include <cstdio>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// Scratch buffers are counted in bytes by a 32-bit size; longer host blocks are processed in
// slices of this many frames.
constexpr int kMaxScratchFrames = 1 << 20;

void ResizePointerArray(GrowBuffer& buffer, int count) {
    const int bytes = count * static_cast<int>(sizeof(void*));
    buffer.Resize(bytes, false);
    if (buffer.Size() == bytes && bytes > 0)
        std::memset(buffer.Get(), 0, static_cast<size_t>(bytes));
}

struct BusName {
    explicit BusName(const char* text) { str8ToStr16(wide, text, 128); }
    String128 wide;
};

} // namespace

IPlugVST3::IPlugVST3(const PlugConfig& config) : IPlugBase(config) {
    for (int i = 0; i < NInChannels(); ++i)
        SetInputConnected(i, true);
    for (int i = 0; i < NOutChannels(); ++i)
        SetOutputConnected(i, true);
    if (NInChannels() > 0) {
        latencyDelay = new LatencyDelay(static_cast<uint32_t>(NInChannels()),
                                        static_cast<uint32_t>(NOutChannels()));
        latencyDelay->SetLength(0);
    }
    SetInputBusLabel(0, "Main Input");
    SetOutputBusLabel(0, "Output");

    ResizePointerArray(hostInputs, NInChannels());
    ResizePointerArray(hostOutputs, NOutChannels());
    ResizePointerArray(attachedInputs, NInChannels());
}

IPlugVST3::~IPlugVST3() {
    views.DeleteAll();
}

SpeakerArrangement IPlugVST3::ArrangementForChannels(int channels) {
    // Speaker bits: L 0x1, R 0x2, C 0x4, Lfe 0x8, Ls 0x10, Rs 0x20, Cs 0x100, M 0x80000.
    static constexpr SpeakerArrangement kArrangements[] = {
        0x0,     // 0: empty
        0x80000, // 1: M
        0x3,     // 2: L R
        0x103,   // 3: L R Cs
        0x33,    // 4: L R Ls Rs
        0x37,    // 5: L R C Ls Rs
        0x3F,    // 6: L R C Lfe Ls Rs
    };
    constexpr int count = static_cast<int>(sizeof kArrangements / sizeof kArrangements[0]);
    return channels > 0 && channels < count ? kArrangements[channels] : SpeakerArr::kEmpty;
}

tresult PLUGIN_API IPlugVST3::initialize(FUnknown* context) {
    const tresult result = SingleComponentEffect::initialize(context);

    if (IPtr<IHostApplication> host = queryInterfacePtr<IHostApplication>(context)) {
        String128 wideName{};
        host->getName(wideName);
        wideName[127] = 0;
        char name[128];
        str16ToStr8(name, wideName, static_cast<int32>(sizeof name));
        hostCode = IdentifyHost(name);
        hostVersion = 0;
    }

    if (result == kResultOk) {
        AddBuses();
        AddParameters();
    }

    HostRecognised();
    RecallPreset(0);
    return result;
}

void IPlugVST3::AddBuses() {
    const SpeakerArrangement inputArrangement = ArrangementForChannels(NInChannels());
    if (inputArrangement != SpeakerArr::kEmpty)
        addAudioInput(BusName(InputBusLabel(0)).wide, inputArrangement);

    if (splitOutputs) {
        for (int pair = 0; pair < NOutChannels() / 2; ++pair) {
            char label[32];
            std::snprintf(label, sizeof label, "Output %i", pair + 1);
            SetOutputBusLabel(pair, label);
            addAudioOutput(BusName(OutputBusLabel(pair)).wide, SpeakerArr::kStereo);
        }
    } else {
        addAudioOutput(BusName(OutputBusLabel(0)).wide, ArrangementForChannels(NOutChannels()));
    }

    if (acceptsMidi)
        addEventInput(u"MIDI Input", 1);
}

void IPlugVST3::AddParameters() {
    if (NPresets() > 0)
        HostParameters().addParameter(new Parameter(u"Preset", PresetParamId, nullptr, 0.0,
                                                    NPresets(), ParameterInfo::kIsProgramChange,
                                                    kRootUnitId));

    auto* bypass = new StringListParameter(u"Bypass", BypassParamId, nullptr,
                                           ParameterInfo::kCanAutomate | ParameterInfo::kIsList |
                                               ParameterInfo::kIsBypass,
                                           kRootUnitId);
    bypass->appendString(u"off");
    bypass->appendString(u"on");
    HostParameters().addParameter(bypass);

    for (int i = 0; i < NParams(); ++i) {
        const int unit = UnitForParameter(i);
        HostParameters().addParameter(
            new IPlugParameter(GetParam(i), static_cast<ParamID>(i), unit, HostTitle(i)));
    }
}

int IPlugVST3::UnitForParameter(int index) {
    const ICoreParameter* parameter = GetParam(index);
    if (!parameter || parameter->group[0] == '\0')
        return kRootUnitId;
    int unit = 0;
    for (int i = 0; i < groupNames.Count(); ++i)
        if (std::strcmp(groupNames.Get(i), parameter->group) == 0)
            unit = i + 1;
    if (unit > 0)
        return unit;
    if (!groupNames.Add(parameter->group))
        return kRootUnitId;
    return groupNames.Count();
}

tresult PLUGIN_API IPlugVST3::setActive(TBool state) {
    ActivationChanged(state != 0);
    return kResultOk;
}

tresult PLUGIN_API IPlugVST3::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                 SpeakerArrangement* outputs, int32 numOuts) {
    for (int i = 0; i < NInChannels(); ++i)
        DisconnectInput(i);
    for (int i = 0; i < NOutChannels(); ++i)
        SetOutputConnected(i, false);

    const int inCount = numIns > 0 && inputs ? SpeakerArr::getChannelCount(inputs[0]) : 0;
    const int outCount = numOuts > 0 && outputs ? SpeakerArr::getChannelCount(outputs[0]) : 0;
    if (!LegalIO(inCount, outCount))
        return kResultFalse;

    const auto* firstInput = static_cast<const AudioBus*>(audioInputs.at(0));
    if (firstInput && SpeakerArr::getChannelCount(firstInput->getArrangement()) != inCount) {
        audioInputs.clear();
        addAudioInput(u"Input", ArrangementForChannels(inCount));
    }
    const auto* firstOutput = static_cast<const AudioBus*>(audioOutputs.at(0));
    if (firstOutput && SpeakerArr::getChannelCount(firstOutput->getArrangement()) != outCount) {
        audioOutputs.clear();
        addAudioOutput(u"Output", ArrangementForChannels(outCount));
    }
    return numIns == 1 ? kResultOk : kResultFalse;
}

tresult PLUGIN_API IPlugVST3::canProcessSampleSize(int32 symbolicSampleSize) {
    return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultOk
                                                                              : kResultFalse;
}

uint32 PLUGIN_API IPlugVST3::getLatencySamples() {
    return latency > 0 ? static_cast<uint32>(latency) : 0;
}

uint32 PLUGIN_API IPlugVST3::getTailSamples() {
    return tail > 0 ? static_cast<uint32>(tail) : 0;
}

tresult PLUGIN_API IPlugVST3::setupProcessing(ProcessSetup& setup) {
    if (canProcessSampleSize(setup.symbolicSampleSize) != kResultOk)
        return kResultFalse;
    // The engine designs its filters from the rate: a rate that is not a positive number
    // would fill them with infinities.
    if (!(setup.sampleRate > 0.0) || !std::isfinite(setup.sampleRate))
        return kResultFalse;

    sampleRate = setup.sampleRate;
    bypassed = false;

    int frames = setup.maxSamplesPerBlock;
    if (frames < 0)
        frames = 0;
    if (frames > kMaxScratchFrames)
        frames = kMaxScratchFrames;
    if (frames != blockSize) {
        ResizeScratch(frames);
        // A buffer that could not grow must not be taken for one of the new size.
        const int bytes = frames * static_cast<int>(sizeof(double));
        for (int i = 0; i < NInChannels(); ++i)
            if (GetInputChannel(i)->scratch.Size() != bytes)
                blockSize = 0;
        for (int i = 0; i < NOutChannels(); ++i)
            if (GetOutputChannel(i)->scratch.Size() != bytes)
                blockSize = 0;
    }

    ResetProcessing();
    SingleComponentEffect::setupProcessing(setup);
    return kResultOk;
}

void IPlugVST3::SetLatencySamples(int frames) {
    {
        PluginLockGuard guard(lock);
        IPlugBase::SetLatencySamples(frames < 0 ? 0 : frames);
    }
    if (IComponentHandler* handler = getComponentHandler())
        handler->restartComponent(kLatencyChanged);
}

bool IPlugVST3::MidiMessageOut(const MidiMessage&) {
    return false;
}
