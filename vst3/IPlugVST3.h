#pragma once

#include "core/IPlugBase.h"
#include "vst3/IPlugVST3View.h"
#include "vst3/sdk/ProcessContext.h"
#include "vst3/sdk/SingleComponentEffect.h"

// The VST 3 adapter: one object serves the host as processor and controller (through the
// single-component effect) and drives the format-neutral core. The plug-in class derives from
// it. The core comes first among the bases so that the core's view of the object is the
// object's address.
class IPlugVST3 : public IPlugBase, public Steinberg::Vst::SingleComponentEffect {
  public:
    using ParamID = Steinberg::Vst::ParamID;
    using tresult = Steinberg::tresult;

    // Program-change parameter ("prst") and host bypass parameter ("bpas"); core parameters
    // use their index as identifier.
    static constexpr ParamID PresetParamId = 0x70727374;
    static constexpr ParamID BypassParamId = 0x62706173;

    explicit IPlugVST3(const PlugConfig& config);
    ~IPlugVST3() override;

    // Speaker arrangement for a channel count; 0 (empty) for counts without one.
    static Steinberg::Vst::SpeakerArrangement ArrangementForChannels(int channels);

    // Core operations the adapter supplies.
    // User-interface thread: asks the host for its context menu of parameter `index`.
    void PopupHostParamMenu(int index, int x, int y) override;
    // User-interface thread: edit gestures of the editor, passed to the component handler.
    void BeginHostEdit(int index) override;
    void SendHostEdit(int index, double normalised) override;
    void EndHostEdit(int index) override;
    void UnusedHook22() override {}
    // Audio thread, under the plug-in lock: the transport of the last block that carried one.
    bool IsOfflineRender() override;
    int HostSamplePosition() override;
    double HostTempo() override;
    void HostTimeSignature(int* numerator, int* denominator) override;
    void HostTransport(TransportRecord* record) override;
    // User-interface thread: asks the host's frame to resize the first view.
    void ResizeEditorWindow(int width, int height) override;
    // User-interface thread: takes the plug-in lock while the delay line is resized.
    void SetLatencySamples(int frames) override;
    // Outgoing MIDI is not offered to VST 3 hosts.
    bool MidiMessageOut(const MidiMessage& message) override;
    // User-interface thread (initialize): the title hosts list for core parameter `index`, or
    // none for the parameter's own name. Lets a plug-in name a parameter for hosts without
    // touching the record the core saves and shows.
    virtual const char* HostTitle(int index) const {
        (void)index;
        return nullptr;
    }

    // IPluginBase, user-interface thread.
    tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;

    // IComponent, user-interface thread. Its state is the controller's, byte for byte.
    tresult PLUGIN_API setActive(Steinberg::TBool state) override;
    tresult PLUGIN_API setProcessorState(Steinberg::IBStream* state) override;
    tresult PLUGIN_API getProcessorState(Steinberg::IBStream* state) override;

    // IAudioProcessor: user-interface thread, except process (audio thread, only tries the lock).
    tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs,
                                          Steinberg::int32 numIns,
                                          Steinberg::Vst::SpeakerArrangement* outputs,
                                          Steinberg::int32 numOuts) override;
    tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 symbolicSampleSize) override;
    Steinberg::uint32 PLUGIN_API getLatencySamples() override;
    tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) override;
    tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override;
    Steinberg::uint32 PLUGIN_API getTailSamples() override;

    // IEditController: user-interface thread. The state calls take the plug-in lock while the
    // values are taken or applied; a load that changed a value then tells the host
    // (restartComponent with kParamValuesChanged), outside the lock.
    tresult PLUGIN_API setComponentState(Steinberg::IBStream* state) override;
    tresult PLUGIN_API setEditorState(Steinberg::IBStream* state) override;
    tresult PLUGIN_API getEditorState(Steinberg::IBStream* state) override;
    tresult PLUGIN_API getParamStringByValue(ParamID id, Steinberg::Vst::ParamValue normalised,
                                             Steinberg::Vst::String128 text) override;
    Steinberg::Vst::ParamValue PLUGIN_API
    plainParamToNormalized(ParamID id, Steinberg::Vst::ParamValue plain) override;
    // Any thread, no lock.
    Steinberg::Vst::ParamValue PLUGIN_API getParamNormalized(ParamID id) override;
    // Changes the core value only (under the plug-in lock): no engine notification, no editor
    // update.
    tresult PLUGIN_API setParamNormalized(ParamID id, Steinberg::Vst::ParamValue value) override;
    Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) override;

    // IUnitInfo, user-interface thread.
    Steinberg::int32 PLUGIN_API getUnitCount() override;
    tresult PLUGIN_API getUnitInfo(Steinberg::int32 unitIndex,
                                   Steinberg::Vst::UnitInfo& info) override;
    Steinberg::int32 PLUGIN_API getProgramListCount() override;
    tresult PLUGIN_API getProgramListInfo(Steinberg::int32 listIndex,
                                          Steinberg::Vst::ProgramListInfo& info) override;
    tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId,
                                      Steinberg::int32 programIndex,
                                      Steinberg::Vst::String128 name) override;
    tresult PLUGIN_API getProgramInfo(Steinberg::Vst::ProgramListID listId,
                                      Steinberg::int32 programIndex,
                                      Steinberg::Vst::CString attributeId,
                                      Steinberg::Vst::String128 attributeValue) override;
    tresult PLUGIN_API hasProgramPitchNames(Steinberg::Vst::ProgramListID listId,
                                            Steinberg::int32 programIndex) override;
    tresult PLUGIN_API getProgramPitchName(Steinberg::Vst::ProgramListID listId,
                                           Steinberg::int32 programIndex,
                                           Steinberg::int16 midiPitch,
                                           Steinberg::Vst::String128 name) override;
    Steinberg::Vst::UnitID PLUGIN_API getSelectedUnit() override;
    tresult PLUGIN_API selectUnit(Steinberg::Vst::UnitID unitId) override;
    tresult PLUGIN_API getUnitByBus(Steinberg::Vst::MediaType type,
                                    Steinberg::Vst::BusDirection dir, Steinberg::int32 busIndex,
                                    Steinberg::int32 channel,
                                    Steinberg::Vst::UnitID& unitId) override;
    tresult PLUGIN_API setUnitProgramData(Steinberg::int32 listOrUnitId,
                                          Steinberg::int32 programIndex,
                                          Steinberg::IBStream* data) override;

    // The view side, user-interface thread. The views list does not own its entries.
    void ViewCreated(IPlugVST3View* view);
    void ViewDestroyed();
    IPlugVST3View* FirstView() const { return views.Get(0); }
    // The host's frame of the first view (the window layer finds the host's run loop there).
    Steinberg::IPlugFrame* EditorFrame() const;

    FOBJECT_TYPE(IPlugVST3, SingleComponentEffect)

  protected:
    Steinberg::Vst::ProcessContext processContext{};
    PointerList<IPlugVST3View> views{false};

  private:
    // The core and the controller both call their parameter list `parameters`.
    Steinberg::Vst::ParameterContainer& HostParameters() { return EditController::parameters; }
    bool IsCoreParameter(ParamID id) const { return id < static_cast<ParamID>(NParams()); }
    // Unit of core parameter `index`: 0 without a group, else the group's 1-based position.
    int UnitForParameter(int index);
    void AddBuses();
    void AddParameters();

    // The state stream: the core's chunk, then the bypass flag as a 32-bit integer.
    tresult SaveStateStream(Steinberg::IBStream* state);
    tresult LoadStateStream(Steinberg::IBStream* state);

    // Audio thread, inside the core's block (which may not hold the plug-in lock).
    void ApplyParameterChanges(Steinberg::Vst::IParameterChanges* changes);
    void ForwardMidiEvents(Steinberg::Vst::IEventList* events);
    void ConnectInputs(const Steinberg::Vst::ProcessData& data);
    void ConnectOutputs(const Steinberg::Vst::ProcessData& data);
    bool OutputBusActive(int index) const;
    // Disconnects input `index`; a channel that carried host audio has its scratch cleared so
    // that the engine does not hear the last block again.
    void DisconnectInput(int index);
    void ProcessSlices(int frames, bool doublePrecision);
    void PointChannelsAt(int offset, bool doublePrecision);
    void SilenceHostOutputs(int frames, bool doublePrecision);

    // Per core channel, the host's channel array of the current block (float or double, as the
    // set-up says), or none when the channel is not connected to the host. Sized once.
    GrowBuffer hostInputs{4096};
    GrowBuffer hostOutputs{4096};
    // The connected inputs' host arrays in channel order, as the core's input attachment
    // takes them.
    GrowBuffer attachedInputs{4096};
};
