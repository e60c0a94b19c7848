#include "core/IPlugBase.h"

#include "core/Trace.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

// Parses a channel-I/O text such as "1-1 2-2": space-separated "inputs-outputs" tokens.
void ParseChannelIo(const char* text, PointerList<ChannelIoPair>& list, int& largestIn,
                    int& largestOut) {
    largestIn = 0;
    largestOut = 0;
    if (!text)
        return;
    const char* position = text;
    for (;;) {
        auto* pair = new ChannelIoPair;
        std::sscanf(position, "%d-%d", &pair->inputs, &pair->outputs);
        if (pair->inputs > largestIn)
            largestIn = pair->inputs;
        if (pair->outputs > largestOut)
            largestOut = pair->outputs;
        if (!list.Add(pair))
            delete pair;
        const char* space = std::strchr(position, ' ');
        if (!space)
            break;
        position = space + 1;
    }
}

void SetBusLabel(PointerList<TextBuffer>& list, int index, const char* text) {
    if (index < 0)
        return;
    while (list.Count() <= index) {
        auto* label = new TextBuffer;
        if (!list.Add(label)) {
            delete label;
            return;
        }
    }
    list.Get(index)->Set(text);
}

} // namespace

IPlugBase::IPlugBase(const PlugConfig& config) : deferred(config.parameterCount) {
    Trace("IPlugBase::IPlugBase", "%s", config.effectName);
    for (int i = 0; i < config.parameterCount; ++i) {
        auto* parameter = new ICoreParameter;
        if (!parameters.Add(parameter))
            delete parameter;
    }
    for (int i = 0; i < config.presetCount; ++i) {
        auto* preset = new PresetSlot;
        if (!presets.Add(preset))
            delete preset;
    }
    CopyText(effectName, config.effectName, kNameSize);
    CopyText(productName, config.productName, kNameSize);
    CopyText(vendorName, config.vendorName, kNameSize);
    uniqueId = config.uniqueId;
    vendorId = config.vendorId;
    version = config.version;

    int largestIn = 0;
    int largestOut = 0;
    ParseChannelIo(config.channelIo, channelConfigurations, largestIn, largestOut);

    // The pointer arrays are sized once: every channel record keeps the address of its entry.
    inputPointers.Resize(largestIn * static_cast<int>(sizeof(double*)), false);
    outputPointers.Resize(largestOut * static_cast<int>(sizeof(double*)), false);
    const int inCount = inputPointers.Size() / static_cast<int>(sizeof(double*));
    const int outCount = outputPointers.Size() / static_cast<int>(sizeof(double*));
    for (int i = 0; i < inCount; ++i) {
        auto* channel = new InputChannel;
        channel->slot = InputPointers() + i;
        *channel->slot = nullptr;
        if (!inputChannels.Add(channel))
            delete channel;
    }
    for (int i = 0; i < outCount; ++i) {
        auto* channel = new OutputChannel;
        channel->slot = OutputPointers() + i;
        *channel->slot = nullptr;
        if (!outputChannels.Add(channel))
            delete channel;
    }
}

IPlugBase::~IPlugBase() {
    delete editor;
    editor = nullptr;
    parameters.DeleteAll();
    presets.DeleteAll();
    inputChannels.DeleteAll();
    outputChannels.DeleteAll();
    channelConfigurations.DeleteAll();
    inputBusNames.DeleteAll();
    outputBusNames.DeleteAll();
    delete latencyDelay;
    latencyDelay = nullptr;
}

void IPlugBase::ResetProcessing() {
    PluginLockGuard guard(lock);
}

void IPlugBase::ParameterChanged(int) {
    PluginLockGuard guard(lock);
}

void IPlugBase::ProcessBlock(double** inputs, double** outputs, int frames) {
    const int inCount = NInChannels();
    for (int i = 0; i < NOutChannels(); ++i) {
        double* out = outputs[i];
        if (!out)
            continue;
        if (i < inCount && inputs[i]) {
            if (out != inputs[i])
                std::memmove(out, inputs[i],
                             sizeof(double) * static_cast<size_t>(frames > 0 ? frames : 0));
        } else {
            for (int n = 0; n < frames; ++n)
                out[n] = 0.0;
        }
    }
}

void IPlugBase::ActivationChanged(bool) {
    PluginLockGuard guard(lock);
}

void IPlugBase::MidiMessageIn(const MidiMessage& message) {
    MidiMessageOut(message);
}

bool IPlugBase::GetIndexedText(int, char* out, int outSize) {
    if (out && outSize > 0)
        out[0] = '\0';
    return false;
}

bool IPlugBase::SaveState(StateChunk& chunk) {
    return SerializeParams(chunk);
}

int IPlugBase::LoadState(const StateChunk& chunk, int position) {
    return UnserializeParams(chunk, position);
}

void IPlugBase::PopupHostParamMenu(int, int, int) {}

void IPlugBase::SetParameterFromEditor(int index, double normalised) {
    ICoreParameter* parameter = GetParam(index);
    if (!parameter)
        return;
    PluginLockGuard guard(lock);
    parameter->SetFromNormalised(normalised);
    SendHostEdit(index, normalised);
    ParameterChanged(index);
}

void IPlugBase::AttachEditor(IEditorLink* newEditor) {
    if (!newEditor)
        return;
    PluginLockGuard guard(lock);
    for (int i = 0; i < NParams(); ++i)
        newEditor->SyncControlsFromCore(i, GetParam(i)->GetNormalised());
    newEditor->CreateDrawingBitmaps();
    if (editor && editor != newEditor)
        delete editor;
    editor = newEditor;
}

void IPlugBase::SetLatencySamples(int frames) {
    latency = frames;
    if (latencyDelay)
        latencyDelay->SetLength(frames > 0 ? static_cast<uint32_t>(frames) : 0);
}

void IPlugBase::MirrorParamsToEditor() {
    if (!editor)
        return;
    for (int i = 0; i < NParams(); ++i)
        editor->ParameterChangedInCore(i, GetParam(i)->value, false);
}

void IPlugBase::SetBlockFrames(int frames) {
    if (frames == blockSize)
        return;
    ResizeScratch(frames);
}

void IPlugBase::ResizeScratch(int frames) {
    constexpr int kDouble = static_cast<int>(sizeof(double));
    frames = std::clamp(frames, 0, INT_MAX / kDouble);
    const int bytes = frames * kDouble;
    // A buffer that cannot grow keeps its old size; the block size is what every buffer holds,
    // so that nothing later writes past the smallest of them.
    int held = frames;
    auto resize = [bytes, &held](GrowBuffer& scratch, double** slot, bool connected) {
        const void* old = scratch.Get();
        scratch.Resize(bytes);
        if (scratch.Size() > 0)
            std::memset(scratch.Get(), 0, static_cast<size_t>(scratch.Size()));
        held = std::min(held, scratch.Size() / kDouble);
        // A slot still aiming at the old scratch would dangle once the storage moved.
        if (!connected || *slot == old)
            *slot = static_cast<double*>(scratch.Get());
    };
    for (int i = 0; i < NInChannels(); ++i) {
        InputChannel* channel = GetInputChannel(i);
        resize(channel->scratch, channel->slot, channel->connected);
    }
    for (int i = 0; i < NOutChannels(); ++i) {
        OutputChannel* channel = GetOutputChannel(i);
        resize(channel->scratch, channel->slot, channel->connected);
    }
    blockSize = held;
}

bool IPlugBase::LegalIO(int inputs, int outputs) const {
    for (int i = 0; i < channelConfigurations.Count(); ++i) {
        const ChannelIoPair* pair = channelConfigurations.Get(i);
        if ((inputs < 0 || inputs == pair->inputs) && (outputs < 0 || outputs == pair->outputs)) {
            Trace("IPlugBase::LegalIO", "%d:%d:%s", inputs, outputs, "legal");
            return true;
        }
    }
    Trace("IPlugBase::LegalIO", "%d:%d:%s", inputs, outputs, "illegal");
    return false;
}

void IPlugBase::SetInputConnected(int index, bool connected) {
    InputChannel* channel = GetInputChannel(index);
    if (!channel)
        return;
    channel->connected = connected;
    channel->PointAtScratch();
}

void IPlugBase::SetOutputConnected(int index, bool connected) {
    OutputChannel* channel = GetOutputChannel(index);
    if (!channel)
        return;
    channel->connected = connected;
    channel->hostTarget = nullptr;
    channel->PointAtScratch();
}

void IPlugBase::AttachInputs(int first, int count, float* const* hostArrays, int frames) {
    const int last = first + count < NInChannels() ? first + count : NInChannels();
    int next = 0;
    for (int i = first < 0 ? 0 : first; i < last; ++i) {
        InputChannel* channel = GetInputChannel(i);
        if (!channel->connected)
            continue;
        const float* source = hostArrays ? hostArrays[next] : nullptr;
        ++next;
        double* scratch = channel->Scratch();
        // A block longer than the scratch buffer is cut rather than written past its end.
        const int copied =
            std::min(frames, channel->scratch.Size() / static_cast<int>(sizeof(double)));
        if (scratch && source)
            for (int n = 0; n < copied; ++n)
                scratch[n] = source[n];
        *channel->slot = scratch;
    }
}

void IPlugBase::ConvertOutputs(int frames) {
    for (int i = 0; i < NOutChannels(); ++i) {
        OutputChannel* channel = GetOutputChannel(i);
        if (!channel->connected || !channel->hostTarget || !*channel->slot)
            continue;
        const double* source = *channel->slot;
        int narrowed = frames;
        if (source == channel->Scratch())
            narrowed =
                std::min(narrowed, channel->scratch.Size() / static_cast<int>(sizeof(double)));
        for (int n = 0; n < narrowed; ++n)
            channel->hostTarget[n] = static_cast<float>(source[n]);
    }
}

void IPlugBase::PassThrough(int frames) {
    // A delay left empty (no latency, or one that could not be sized) would output nothing.
    if (latency > 0 && latencyDelay && latencyDelay->Length() > 0) {
        latencyDelay->Process(InputPointers(), OutputPointers(), frames);
        return;
    }
    IPlugBase::ProcessBlock(InputPointers(), OutputPointers(), frames);
}

void IPlugBase::ClearScratch() {
    const size_t bytes = sizeof(double) * static_cast<size_t>(blockSize > 0 ? blockSize : 0);
    auto clear = [bytes](GrowBuffer& scratch) {
        if (scratch.Size() > 0)
            std::memset(scratch.Get(), 0, std::min(bytes, static_cast<size_t>(scratch.Size())));
    };
    for (int i = 0; i < NInChannels(); ++i)
        clear(GetInputChannel(i)->scratch);
    for (int i = 0; i < NOutChannels(); ++i)
        clear(GetOutputChannel(i)->scratch);
}

void IPlugBase::SetInputBusLabel(int index, const char* text) {
    SetBusLabel(inputBusNames, index, text);
}

void IPlugBase::SetOutputBusLabel(int index, const char* text) {
    SetBusLabel(outputBusNames, index, text);
}

const char* IPlugBase::InputBusLabel(int index) const {
    const TextBuffer* label = inputBusNames.Get(index);
    return label ? label->Get() : "";
}

const char* IPlugBase::OutputBusLabel(int index) const {
    const TextBuffer* label = outputBusNames.Get(index);
    return label ? label->Get() : "";
}
