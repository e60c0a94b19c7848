// The audio path of the VST 3 adapter: parameter changes, connection of the host's buffers to
// the core's channels, the engine call and the transport queries.
#include "vst3/IPlugVST3.h"

#include "core/AudioBlock.h"

#include "vst3/sdk/IEvents.h"
#include "vst3/sdk/IParameterChanges.h"

#include <cmath>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// The pointer array inside `buffer`, or none when it does not hold `count` entries.
template <class T> T** PointerArray(const GrowBuffer& buffer, int count) {
    if (count <= 0 || buffer.Size() < count * static_cast<int>(sizeof(T*)))
        return nullptr;
    return static_cast<T**>(buffer.Get());
}

// The channel arrays of a bus; the union member does not matter for the pointer itself.
void* const* ChannelArrays(const AudioBusBuffers& bus) {
    return reinterpret_cast<void* const*>(bus.channelBuffers32);
}

int ChannelCount(const AudioBusBuffers& bus, int limit) {
    if (bus.numChannels <= 0)
        return 0;
    return bus.numChannels < limit ? bus.numChannels : limit;
}

} // namespace

// Audio thread: tries the plug-in lock and never waits for it; a block that does not get it
// runs with the previous block's settings and leaves its changes to the next (AudioBlock).
tresult PLUGIN_API IPlugVST3::process(ProcessData& data) {
    AudioBlock block(*this);
    if (data.processContext)
        processContext = *data.processContext;
    ApplyParameterChanges(data.inputParameterChanges);
    if (acceptsMidi)
        ForwardMidiEvents(data.inputEvents);

    if (data.numSamples <= 0)
        return kResultOk;
    // Host arrays of the other sample size would be read and written past their ends.
    if (data.symbolicSampleSize != processSetup.symbolicSampleSize)
        return kResultOk;

    const bool doublePrecision = processSetup.symbolicSampleSize == kSample64;
    ConnectInputs(data);
    ConnectOutputs(data);
    ProcessSlices(data.numSamples, doublePrecision);
    return kResultOk;
}

void IPlugVST3::ApplyParameterChanges(IParameterChanges* changes) {
    if (!changes)
        return;
    const int32 queueCount = changes->getParameterCount();
    for (int32 i = 0; i < queueCount; ++i) {
        IParamValueQueue* queue = changes->getParameterData(i);
        if (!queue)
            continue;
        // No sample-accurate automation: the last point holds for the whole block.
        const int32 pointCount = queue->getPointCount();
        if (pointCount <= 0)
            continue;
        int32 offset = 0;
        ParamValue value = 0.0;
        if (queue->getPoint(pointCount - 1, offset, value) != kResultOk)
            continue;
        if (!std::isfinite(value))
            continue;

        const ParamID id = queue->getParameterId();
        if (id == BypassParamId)
            HostBypassChange(value > 0.5);
        else if (id == PresetParamId)
            HostPresetChange(TruncateToInt32(value * NPresets()));
        else if (IsCoreParameter(id))
            HostParameterChange(static_cast<int>(id), value);
    }
}

void IPlugVST3::ForwardMidiEvents(IEventList* events) {
    if (!events)
        return;
    const int32 count = events->getEventCount();
    for (int32 i = 0; i < count; ++i) {
        Event event{};
        if (events->getEvent(i, event) != kResultOk)
            continue;
        MidiMessage message;
        message.offset = event.sampleOffset;
        if (event.type == Event::kNoteOnEvent) {
            const double velocity = event.noteOn.velocity;
            const int32_t scaled = TruncateToInt32(velocity * 127.0);
            message.status = static_cast<uint8_t>(0x90 | (event.noteOn.channel & 0x0F));
            message.data1 = static_cast<uint8_t>(event.noteOn.pitch & 0x7F);
            message.data2 = static_cast<uint8_t>(scaled < 0 ? 0 : (scaled > 127 ? 127 : scaled));
        } else if (event.type == Event::kNoteOffEvent) {
            message.status = static_cast<uint8_t>(0x80 | (event.noteOff.channel & 0x0F));
            message.data1 = static_cast<uint8_t>(event.noteOff.pitch & 0x7F);
            message.data2 = 0;
        } else {
            continue;
        }
        MidiMessageIn(message);
    }
}

void IPlugVST3::DisconnectInput(int index) {
    InputChannel* channel = GetInputChannel(index);
    if (!channel)
        return;
    if (channel->connected && blockSize > 0 && channel->Scratch())
        std::memset(channel->Scratch(), 0, sizeof(double) * static_cast<size_t>(blockSize));
    SetInputConnected(index, false);
}

void IPlugVST3::ConnectInputs(const ProcessData& data) {
    const int channelCount = NInChannels();
    void** host = PointerArray<void>(hostInputs, channelCount);
    if (!host)
        return;

    // Without an input bus nothing of an earlier block's host arrays may stay in use.
    int busChannels = 0;
    void* const* arrays = nullptr;
    if (data.numInputs > 0 && data.inputs) {
        busChannels = ChannelCount(data.inputs[0], channelCount);
        arrays = ChannelArrays(data.inputs[0]);
    }
    for (int i = 0; i < channelCount; ++i) {
        void* array = arrays && i < busChannels ? arrays[i] : nullptr;
        host[i] = array;
        if (array)
            SetInputConnected(i, true);
        else
            DisconnectInput(i);
    }
}

bool IPlugVST3::OutputBusActive(int index) const {
    const Bus* bus = audioOutputs.at(index);
    return bus && bus->isActive();
}

void IPlugVST3::ConnectOutputs(const ProcessData& data) {
    const int channelCount = NOutChannels();
    void** host = PointerArray<void>(hostOutputs, channelCount);
    if (!host)
        return;
    for (int i = 0; i < channelCount; ++i) {
        host[i] = nullptr;
        SetOutputConnected(i, false);
    }
    if (data.numOutputs <= 0 || !data.outputs)
        return;

    int first = 0;
    for (int32 bus = 0; bus < data.numOutputs && first < channelCount; ++bus) {
        const AudioBusBuffers& buffers = data.outputs[bus];
        const int busChannels = ChannelCount(buffers, channelCount);
        void* const* arrays = ChannelArrays(buffers);
        if (OutputBusActive(bus) && arrays) {
            for (int k = 0; k < busChannels && first + k < channelCount; ++k) {
                if (!arrays[k])
                    continue;
                SetOutputConnected(first + k, true);
                host[first + k] = arrays[k];
            }
        }
        first += busChannels;
    }
}

void IPlugVST3::PointChannelsAt(int offset, bool doublePrecision) {
    const int inCount = NInChannels();
    const int outCount = NOutChannels();
    void** hostIn = PointerArray<void>(hostInputs, inCount);
    void** hostOut = PointerArray<void>(hostOutputs, outCount);
    float** attached = PointerArray<float>(attachedInputs, inCount);

    int next = 0;
    for (int i = 0; i < inCount && hostIn; ++i) {
        InputChannel* channel = GetInputChannel(i);
        if (!channel->connected)
            continue;
        if (doublePrecision)
            *channel->slot = static_cast<double*>(hostIn[i]) + offset;
        else if (attached)
            attached[next++] = static_cast<float*>(hostIn[i]) + offset;
    }
    for (int i = 0; i < outCount && hostOut; ++i) {
        OutputChannel* channel = GetOutputChannel(i);
        if (!channel->connected)
            continue;
        if (doublePrecision)
            *channel->slot = static_cast<double*>(hostOut[i]) + offset;
        else
            channel->hostTarget = static_cast<float*>(hostOut[i]) + offset;
    }
}

void IPlugVST3::ProcessSlices(int frames, bool doublePrecision) {
    // Channels that are not connected to the host run on scratch buffers of the set-up block
    // size, so a longer block is processed in slices of at most that size.
    if (blockSize <= 0) {
        SilenceHostOutputs(frames, doublePrecision);
        return;
    }
    for (int done = 0; done < frames;) {
        const int slice = frames - done < blockSize ? frames - done : blockSize;
        PointChannelsAt(done, doublePrecision);
        if (!doublePrecision)
            AttachInputs(0, NInChannels(), PointerArray<float>(attachedInputs, NInChannels()),
                         slice);
        RunBlock(slice);
        if (!doublePrecision)
            ConvertOutputs(slice);
        done += slice;
    }
}

void IPlugVST3::SilenceHostOutputs(int frames, bool doublePrecision) {
    void** hostOut = PointerArray<void>(hostOutputs, NOutChannels());
    for (int i = 0; i < NOutChannels() && hostOut; ++i) {
        if (!hostOut[i])
            continue;
        const size_t sampleBytes = doublePrecision ? sizeof(double) : sizeof(float);
        std::memset(hostOut[i], 0, sampleBytes * static_cast<size_t>(frames));
    }
}

bool IPlugVST3::IsOfflineRender() {
    return processSetup.processMode == kOffline;
}

int IPlugVST3::HostSamplePosition() {
    return static_cast<int>(static_cast<uint32_t>(processContext.projectTimeSamples));
}

double IPlugVST3::HostTempo() {
    return processContext.tempo;
}

void IPlugVST3::HostTimeSignature(int* numerator, int* denominator) {
    if (numerator)
        *numerator = processContext.timeSigNumerator;
    if (denominator)
        *denominator = processContext.timeSigDenominator;
}

void IPlugVST3::HostTransport(TransportRecord* record) {
    if (!record)
        return;
    record->tempo = processContext.tempo;
    record->samplePosition = static_cast<double>(processContext.projectTimeSamples);
    record->ppqPosition = processContext.projectTimeMusic;
    record->lastBarPosition = processContext.barPositionMusic;
    record->cycleStart = processContext.cycleStartMusic;
    record->cycleEnd = processContext.cycleEndMusic;
    record->numerator = processContext.timeSigNumerator;
    record->denominator = processContext.timeSigDenominator;
    record->transportRunning = (processContext.state & ProcessContext::kPlaying) != 0;
    record->cycleActive = (processContext.state & ProcessContext::kCycleActive) != 0;
}
