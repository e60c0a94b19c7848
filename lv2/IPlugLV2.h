#pragma once

#include "core/IPlugBase.h"

#include <lv2/state/state.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cstdint>

// The LV2 adapter: one object is the plug-in instance a host connects ports to and runs, and
// the core the editor of the same bundle reaches through instance access. The plug-in class
// derives from it.
//
// Ports, in index order: one control input per core parameter (port index = parameter index),
// the host bypass "enabled", the audio inputs, then the audio outputs: as many of each as the
// variant the host instantiated has (one of the core's channel configurations).
class IPlugLV2 : public IPlugBase {
  public:
    explicit IPlugLV2(const PlugConfig& config);
    ~IPlugLV2() override;

    int EnabledPort() const { return NParams(); }
    int AudioInputPort(int channel) const { return NParams() + 1 + channel; }
    int AudioOutputPort(int channel) const { return NParams() + 1 + hostChannels + channel; }
    int PortCount() const { return NParams() + 1 + 2 * hostChannels; }
    int HostChannels() const { return hostChannels; }
    // Instantiation thread: the variant with `channels` inputs and outputs; false when the core
    // has no such channel configuration.
    bool SelectChannels(int channels);

    // Instantiation thread: takes the plug-in's URI and channel count, the host's rate, the longest
    // block it announces (0: none) and its URID map, which state needs (none: no state). False when
    // the instance cannot run.
    bool Instantiate(const char* pluginUri, int channels, double rate, int maxBlockFrames,
                     const LV2_URID_Map* map);
    // Audio thread: a port's buffer; none disconnects it.
    void ConnectPort(uint32_t port, void* data);
    // Audio thread; only tries the plug-in lock.
    void Run(uint32_t frames);

    // Instantiation thread; the plug-in lock is held only while the core's state is taken or
    // applied.
    LV2_State_Status SaveLv2State(LV2_State_Store_Function store, LV2_State_Handle handle);
    LV2_State_Status RestoreLv2State(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

    // User-interface thread: the open editor's channel back to the host's port values; none
    // when the editor closes.
    struct UiHost {
        LV2UI_Write_Function write = nullptr;
        LV2UI_Controller controller = nullptr;
        const LV2UI_Touch* touch = nullptr;
        const LV2UI_Resize* resize = nullptr;
    };
    void SetUiHost(const UiHost& host);
    // User-interface thread, takes the plug-in lock: the editor's control of parameter `index`
    // shows the value the core holds. The host's port may hold another (a linked partner the
    // link step moves, a value the next run has yet to apply, which that run shows).
    void ShowCoreValue(int index);

    // Core operations the adapter supplies; user-interface thread for the editor's.
    void BeginHostEdit(int index) override;
    void SendHostEdit(int index, double normalised) override;
    void EndHostEdit(int index) override;
    void UnusedHook22() override {}
    // LV2 instances hear of no transport here: an idle host at the start.
    int HostSamplePosition() override { return 0; }
    double HostTempo() override { return 0.0; }
    void HostTimeSignature(int* numerator, int* denominator) override;
    void HostTransport(TransportRecord* record) override;
    void ResizeEditorWindow(int width, int height) override;
    bool MidiMessageOut(const MidiMessage&) override { return false; }
    // Instantiation thread: the title hosts list for core parameter `index` (its port's name,
    // and lower-cased its symbol), or none for the parameter's own name.
    virtual const char* HostTitle(int index) const {
        (void)index;
        return nullptr;
    }

    // The state property's key and type are URIs below the plug-in's.
    static constexpr const char* kStateKeySuffix = "#state";

  private:
    // Audio thread, inside the core's block.
    void ApplyPortChanges();
    void ConnectChannels();
    void ProcessSlices(int frames);
    // The state is the core's chunk followed by a 32-bit bypass flag.
    int StateSize() const { return NParams() * static_cast<int>(sizeof(double)) + 4; }

    // Per port, the host's buffer (sized once, at construction).
    GrowBuffer portBuffers{4096};
    // Per control port, the value last applied to the core; a port applies when it differs.
    GrowBuffer appliedValues{4096};
    // The connected inputs' host arrays in channel order, as the core's input attachment
    // takes them.
    GrowBuffer attachedInputs{4096};
    LV2_URID stateKey = 0;
    LV2_URID chunkType = 0;
    UiHost uiHost;
    int hostChannels = 0;

    void** Ports() const { return static_cast<void**>(portBuffers.Get()); }
    float* Applied() const { return static_cast<float*>(appliedValues.Get()); }
};
