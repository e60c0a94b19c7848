// Set-up and the audio path of the LV2 adapter: control ports into the core's parameters,
// audio ports onto the core's channels, the engine call.
#include "lv2/IPlugLV2.h"

#include "core/AudioBlock.h"

#include <lv2/atom/atom.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Blocks longer than the scratch buffers are processed in slices; the scratch holds the host's
// longest block, and at least this many frames.
constexpr int kDefaultScratchFrames = 4096;
constexpr int kMaxScratchFrames = 1 << 20;

void ZeroArray(GrowBuffer& buffer, int bytes) {
    buffer.Resize(bytes, false);
    if (buffer.Size() > 0)
        std::memset(buffer.Get(), 0, static_cast<size_t>(buffer.Size()));
}

} // namespace

IPlugLV2::IPlugLV2(const PlugConfig& config) : IPlugBase(config) {
    SetInputBusLabel(0, "Main Input");
    SetOutputBusLabel(0, "Output");
    hostChannels = NInChannels();
    ZeroArray(portBuffers, PortCount() * static_cast<int>(sizeof(void*)));
    ZeroArray(appliedValues, (NParams() + 1) * static_cast<int>(sizeof(float)));
    ZeroArray(attachedInputs, NInChannels() * static_cast<int>(sizeof(float*)));
}

IPlugLV2::~IPlugLV2() = default;

bool IPlugLV2::SelectChannels(int channels) {
    if (channels < 1 || channels > NInChannels() || !LegalIO(channels, channels))
        return false;
    hostChannels = channels;
    return true;
}

bool IPlugLV2::Instantiate(const char* pluginUri, int channels, double rate, int maxBlockFrames,
                           const LV2_URID_Map* map) {
    if (!pluginUri || !(rate > 0.0) || !std::isfinite(rate) || !SelectChannels(channels))
        return false;
    if (portBuffers.Size() < PortCount() * static_cast<int>(sizeof(void*)) ||
        appliedValues.Size() != (NParams() + 1) * static_cast<int>(sizeof(float)))
        return false;
    // Without the host's URID map the instance runs, but has no state to offer.
    if (map) {
        char key[512];
        CopyText(key, pluginUri, static_cast<int>(sizeof key) - 8);
        std::strcat(key, kStateKeySuffix);
        stateKey = map->map(map->handle, key);
        chunkType = map->map(map->handle, LV2_ATOM__Chunk);
    }

    sampleRate = rate;
    ResizeScratch(std::clamp(maxBlockFrames, kDefaultScratchFrames, kMaxScratchFrames));
    if (blockSize <= 0)
        return false;
    for (int i = 0; i < NInChannels(); ++i)
        SetInputConnected(i, false);
    for (int i = 0; i < NOutChannels(); ++i)
        SetOutputConnected(i, false);
    ResetProcessing();
    RecallPreset(0);

    // A port applies when the host's value differs from the core's: ports left at their
    // defaults do not undo a state restored before the first block.
    for (int i = 0; i < NParams(); ++i)
        Applied()[i] = static_cast<float>(GetParam(i)->value);
    Applied()[NParams()] = 1.0f;
    return true;
}

// Audio thread.
void IPlugLV2::ConnectPort(uint32_t port, void* data) {
    if (port < static_cast<uint32_t>(PortCount()))
        Ports()[port] = data;
}

// Audio thread: only tries the plug-in lock. A block that does not get it runs with the
// previous block's settings, and the core keeps the ports' changes for the next (AudioBlock).
void IPlugLV2::Run(uint32_t frames) {
    AudioBlock block(*this);
    ApplyPortChanges();
    if (frames > 0) {
        ConnectChannels();
        ProcessSlices(static_cast<int>(std::min<uint32_t>(frames, INT32_MAX)));
    }
}

// Each port whose value changed since the previous block reaches the core as a host's change.
void IPlugLV2::ApplyPortChanges() {
    for (int i = 0; i <= NParams(); ++i) {
        const float* port = static_cast<const float*>(Ports()[i]);
        if (!port)
            continue;
        const float value = *port;
        if (!std::isfinite(value) || value == Applied()[i])
            continue;
        Applied()[i] = value;
        if (i == EnabledPort()) {
            HostBypassChange(value < 0.5f);
        } else {
            const ICoreParameter* parameter = GetParam(i);
            HostParameterChange(i, parameter->ToNormalised(parameter->ClampToRange(value)));
        }
    }
}

void IPlugLV2::ConnectChannels() {
    for (int i = 0; i < NInChannels(); ++i) {
        InputChannel* channel = GetInputChannel(i);
        const bool connected = i < hostChannels && Ports()[AudioInputPort(i)] != nullptr;
        if (channel->connected == connected)
            continue;
        // A channel that carried host audio must not be heard again from its scratch.
        if (channel->Scratch())
            std::memset(channel->Scratch(), 0, sizeof(double) * static_cast<size_t>(blockSize));
        SetInputConnected(i, connected);
    }
    for (int i = 0; i < NOutChannels(); ++i) {
        const bool connected = i < hostChannels && Ports()[AudioOutputPort(i)] != nullptr;
        if (GetOutputChannel(i)->connected != connected)
            SetOutputConnected(i, connected);
    }
}

void IPlugLV2::ProcessSlices(int frames) {
    float** attached = static_cast<float**>(attachedInputs.Get());
    for (int done = 0; done < frames;) {
        const int slice = std::min(frames - done, blockSize);
        int next = 0;
        for (int i = 0; i < NInChannels(); ++i)
            if (GetInputChannel(i)->connected)
                attached[next++] = static_cast<float*>(Ports()[AudioInputPort(i)]) + done;
        for (int i = 0; i < NOutChannels(); ++i) {
            OutputChannel* channel = GetOutputChannel(i);
            if (channel->connected)
                channel->hostTarget = static_cast<float*>(Ports()[AudioOutputPort(i)]) + done;
        }
        AttachInputs(0, NInChannels(), attached, slice);
        RunBlock(slice);
        ConvertOutputs(slice);
        done += slice;
    }
}

void IPlugLV2::HostTimeSignature(int* numerator, int* denominator) {
    if (numerator)
        *numerator = 4;
    if (denominator)
        *denominator = 4;
}

void IPlugLV2::HostTransport(TransportRecord* record) {
    if (record)
        *record = TransportRecord{};
}

// User-interface thread.
void IPlugLV2::ShowCoreValue(int index) {
    PluginLockGuard guard(lock);
    if (editor && GetParam(index))
        editor->ParameterChangedInCore(index, GetParam(index)->value, false);
}

void IPlugLV2::SetUiHost(const UiHost& host) {
    uiHost = host;
}

// User-interface thread: the editor's mouse-down over a parameter control.
void IPlugLV2::BeginHostEdit(int index) {
    if (uiHost.touch && index >= 0 && index < NParams())
        uiHost.touch->touch(uiHost.touch->handle, static_cast<uint32_t>(index), true);
}

// User-interface thread, under the plug-in lock (from SetParameterFromEditor): the host's
// port takes the value the core now holds, so the next block applies the same.
void IPlugLV2::SendHostEdit(int index, double) {
    if (!uiHost.write || index < 0 || index >= NParams())
        return;
    const float value = static_cast<float>(GetParam(index)->value);
    uiHost.write(uiHost.controller, static_cast<uint32_t>(index), sizeof value, 0, &value);
}

// User-interface thread: the editor's mouse-up over a parameter control.
void IPlugLV2::EndHostEdit(int index) {
    if (uiHost.touch && index >= 0 && index < NParams())
        uiHost.touch->touch(uiHost.touch->handle, static_cast<uint32_t>(index), false);
}

// User-interface thread.
void IPlugLV2::ResizeEditorWindow(int width, int height) {
    if (uiHost.resize && Editor())
        uiHost.resize->ui_resize(uiHost.resize->handle, width, height);
}
