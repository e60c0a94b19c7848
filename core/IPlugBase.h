#pragma once

#include "core/ChannelIoPair.h"
#include "core/DeferredChanges.h"
#include "core/GrowBuffer.h"
#include "core/ICoreParameter.h"
#include "core/IEditorLink.h"
#include "core/InputChannel.h"
#include "core/LatencyDelay.h"
#include "core/MidiMessage.h"
#include "core/OutputChannel.h"
#include "core/PluginLock.h"
#include "core/PointerList.h"
#include "core/PresetSlot.h"
#include "core/StateChunk.h"
#include "core/TextBuffer.h"
#include "core/TransportRecord.h"

#include <atomic>
#include <cstdint>

// Everything the plug-in core is given at construction.
struct PlugConfig {
    int parameterCount = 0;
    const char* channelIo = "";
    int presetCount = 0;
    const char* effectName = "";
    const char* productName = "";
    const char* vendorName = "";
    uint32_t version = 0;
    uint32_t uniqueId = 0;
    uint32_t vendorId = 0;
};

// Packs a four-character code with the first character in the most significant byte.
constexpr uint32_t FourCharCode(const char (&code)[5]) {
    return uint32_t(uint8_t(code[0])) << 24 | uint32_t(uint8_t(code[1])) << 16 |
           uint32_t(uint8_t(code[2])) << 8 | uint32_t(uint8_t(code[3]));
}

// The format-neutral core of the plug-in: parameters, presets and state, channel buffers,
// the editor, and the plug-in lock. The format adapter derives from it and supplies the host
// operations; the engine derives from the adapter and overrides ParameterChanged and
// ProcessBlock.
class IPlugBase {
  public:
    static constexpr int kNameSize = 128;

    explicit IPlugBase(const PlugConfig& config);
    IPlugBase(const IPlugBase&) = delete;
    IPlugBase& operator=(const IPlugBase&) = delete;

    // The virtual interface, in slot order.
    virtual ~IPlugBase();
    // Adapter, user-interface thread: a new sample rate and block size were stored.
    virtual void ResetProcessing();
    // Any thread, under the plug-in lock: parameter `index` changed.
    virtual void ParameterChanged(int index);
    // Audio thread, under the plug-in lock: one block.
    virtual void ProcessBlock(double** inputs, double** outputs, int frames);
    virtual void EditorOpened() {}
    virtual void EditorClosed() {}
    virtual void UnusedHook6() {}
    // User-interface thread: the host switched processing on or off.
    virtual void ActivationChanged(bool active);
    virtual void MidiMessageIn(const MidiMessage& message);
    virtual void UnusedHook9() {}
    virtual bool GetIndexedText(int index, char* out, int outSize);
    // Under the plug-in lock (taken here): appends every parameter value to `chunk`.
    virtual bool SaveState(StateChunk& chunk);
    // Under the plug-in lock (taken here): loads from byte `position`; -1 when data ran out.
    virtual int LoadState(const StateChunk& chunk, int position);
    virtual bool StateMatches(const double* values, int position);
    virtual void EditorResized() {}
    virtual bool UnusedPredicate15() { return false; }
    virtual void HostRecognised() {}
    // User-interface thread: a right click over a parameter control.
    virtual void PopupHostParamMenu(int index, int x, int y);
    // User-interface thread: the editor changed a parameter (takes the plug-in lock).
    virtual void SetParameterFromEditor(int index, double normalised);
    virtual void BeginHostEdit(int index) = 0;
    virtual void SendHostEdit(int index, double normalised) = 0;
    virtual void EndHostEdit(int index) = 0;
    virtual void UnusedHook22() = 0;
    virtual bool IsOfflineRender() { return false; }
    virtual int HostSamplePosition() = 0;
    virtual double HostTempo() = 0;
    virtual void HostTimeSignature(int* numerator, int* denominator) = 0;
    virtual void HostTransport(TransportRecord* record) = 0;
    virtual int GetHostCode() { return hostCode; }
    virtual int GetFormatCode() { return formatCode; }
    virtual void ResizeEditorWindow(int width, int height) = 0;
    virtual void UnusedHook31() {}
    // Plug-in constructor: takes ownership of the editor (takes the plug-in lock).
    virtual void AttachEditor(IEditorLink* newEditor);
    virtual void SetLatencySamples(int frames);
    virtual bool MidiMessageOut(const MidiMessage& message) = 0;
    virtual bool UnusedPredicate35() { return false; }
    // Any thread, no lock: pushes every parameter's value into the editor's controls.
    virtual void MirrorParamsToEditor();
    virtual void UnusedHook37() {}
    virtual void PresetRestored() {}
    virtual void SetBlockFrames(int frames);

    // The audio thread's block, the same for every format adapter. The audio thread never
    // waits for the plug-in lock: BeginBlock tries it.
    // - Taken: the host changes kept from blocks that ran without the lock are applied first,
    //   in the order they came, then the block's own changes apply as the adapter passes them.
    // - Held by another thread: the block runs with exactly what the previous block used
    //   (the engine sees BlockRepeatsSettings() and keeps its designs, switches and mirrors;
    //   bypass stays as it was), and the block's changes are kept for the next block that gets
    //   the lock, the last value of each slot, none lost and none applied twice.
    // Per block the adapter calls BeginBlock; for each of the host's changes, in the host's
    // order, HostParameterChange, HostBypassChange or HostPresetChange; then RunBlock as often
    // as it slices the block's audio; then EndBlock (AudioBlock does both ends).
    // All of them: audio thread only; nothing here allocates or makes a system call.
    bool BeginBlock();
    // A core parameter's new normalised value (clamped to 0..1; not finite: ignored). Applied
    // as an editor-visible change: the value, the editor's controls, ParameterChanged.
    void HostParameterChange(int index, double normalised);
    void HostBypassChange(bool bypass);
    // Recalls preset `index` (RecallPreset refuses an index without a slot).
    void HostPresetChange(int index);
    // PassThrough while the block is bypassed, otherwise ProcessBlock on the core's channels.
    void RunBlock(int frames);
    void EndBlock();
    // True inside a block that runs without the lock, with the previous block's settings.
    bool BlockRepeatsSettings() const { return blockOpen && !blockLocked; }
    bool BlockBypassed() const { return blockBypassed; }

    // Channel configurations.
    bool LegalIO(int inputs, int outputs) const;
    int NChannelConfigs() const { return channelConfigurations.Count(); }
    const ChannelIoPair* ChannelConfig(int index) const { return channelConfigurations.Get(index); }

    // Buffers.
    void AttachInputs(int first, int count, float* const* hostArrays, int frames);
    void ConvertOutputs(int frames);
    void PassThrough(int frames);
    void ClearScratch();
    int NInChannels() const { return inputChannels.Count(); }
    int NOutChannels() const { return outputChannels.Count(); }
    InputChannel* GetInputChannel(int index) const { return inputChannels.Get(index); }
    OutputChannel* GetOutputChannel(int index) const { return outputChannels.Get(index); }
    double** InputPointers() const { return static_cast<double**>(inputPointers.Get()); }
    double** OutputPointers() const { return static_cast<double**>(outputPointers.Get()); }
    // Connects or disconnects every channel record; disconnected ones point at their scratch.
    void SetInputConnected(int index, bool connected);
    void SetOutputConnected(int index, bool connected);

    // Parameters.
    int NParams() const { return parameters.Count(); }
    ICoreParameter* GetParam(int index) const { return parameters.Get(index); }

    // Presets and state.
    bool SerializeParams(StateChunk& chunk);
    int UnserializeParams(const StateChunk& chunk, int position);
    void CapturePreset(const char* name);
    bool RecallPreset(int index);
    int NPresets() const { return presets.Count(); }
    const char* PresetName(int index) const;
    int CurrentPreset() const { return currentPreset; }

    // Bus labels the adapter shows to the host; the list grows to reach `index`.
    void SetInputBusLabel(int index, const char* text);
    void SetOutputBusLabel(int index, const char* text);
    const char* InputBusLabel(int index) const;
    const char* OutputBusLabel(int index) const;

    PluginLock& Lock() { return lock; }
    IEditorLink* Editor() const { return editor; }
    double SampleRate() const { return sampleRate; }
    int BlockSize() const { return blockSize; }
    int Latency() const { return latency; }
    int Tail() const { return tail; }
    // Any thread, no lock.
    bool IsBypassed() const { return bypassed; }
    const char* EffectName() const { return effectName; }
    const char* ProductName() const { return productName; }
    const char* VendorName() const { return vendorName; }
    uint32_t UniqueId() const { return uniqueId; }
    uint32_t VendorId() const { return vendorId; }
    uint32_t Version() const { return version; }
    int HostVersion() const { return hostVersion; }

  protected:
    PointerList<ChannelIoPair> channelConfigurations;
    PluginLock lock;
    char effectName[kNameSize] = {};
    char productName[kNameSize] = {};
    char vendorName[kNameSize] = {};
    uint32_t uniqueId = 0;
    uint32_t vendorId = 0;
    uint32_t version = 0;
    int32_t formatCode = 1;
    int32_t hostCode = -1;
    int32_t hostVersion = 0;
    bool splitOutputs = false;
    bool acceptsMidi = false;
    std::atomic<bool> bypassed{false};
    int32_t currentPreset = 0;
    double sampleRate = 44100.0;
    int32_t blockSize = 0;
    int32_t latency = 0;
    int32_t tail = 0;
    LatencyDelay* latencyDelay = nullptr;
    PointerList<const char> groupNames{false};
    IEditorLink* editor = nullptr;
    PointerList<ICoreParameter> parameters;
    PointerList<PresetSlot> presets;
    GrowBuffer inputPointers{4096};
    GrowBuffer outputPointers{4096};
    PointerList<InputChannel> inputChannels;
    PointerList<OutputChannel> outputChannels;
    PointerList<TextBuffer> inputBusNames;
    PointerList<TextBuffer> outputBusNames;

    // Resizes every scratch buffer to `frames` doubles and zeroes them.
    void ResizeScratch(int frames);

  private:
    void HostChange(int slot, double value);
    // Audio thread, under the plug-in lock.
    void ApplyHostChange(int slot, double value);

    // The audio thread's own: changes waiting for the lock, whether the current block holds
    // it, and the bypass the current block runs with.
    DeferredChanges deferred;
    bool blockOpen = false;
    bool blockLocked = false;
    bool blockBypassed = false;
};
