// Processor and controller in one object: buses, processing set-up and the
// whole controller side, queried through one identity.
#pragma once

#include "vst3/sdk/AudioBus.h"
#include "vst3/sdk/BusList.h"
#include "vst3/sdk/ComponentStateBridge.h"
#include "vst3/sdk/EditControllerEx1.h"
#include "vst3/sdk/EventBus.h"
#include "vst3/sdk/IAudioProcessor.h"
#include "vst3/sdk/IProcessContextRequirements.h"

namespace Steinberg::Vst {

class SingleComponentEffect : public EditControllerEx1,
                              public ComponentStateBridge,
                              public IAudioProcessor,
                              public IProcessContextRequirements {
  public:
    SingleComponentEffect();

    // Host UI thread. Creates no buses or parameters: subclasses add them after
    // calling this.
    tresult PLUGIN_API initialize(FUnknown* context) override;
    // Host UI thread. Drops parameters, buses, units, program lists, the
    // handlers, the host context and the peer; initialize works again after it.
    tresult PLUGIN_API terminate() override;

    // IComponent (host UI thread)
    tresult PLUGIN_API getControllerClassId(TUID classId) override;
    tresult PLUGIN_API setIoMode(IoMode mode) override;
    int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) override;
    // Unknown type or an index outside [0, count) answers kInvalidArgument.
    tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index,
                                  BusInfo& info) override;
    tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) override;
    tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index,
                                   TBool state) override;
    tresult PLUGIN_API setActive(TBool state) override;
    tresult PLUGIN_API setProcessorState(IBStream* state) override;
    tresult PLUGIN_API getProcessorState(IBStream* state) override;

    // IAudioProcessor (host UI thread, except process on the audio thread)
    // Copies the arrangements into the first buses without judging them.
    tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                          SpeakerArrangement* outputs, int32 numOuts) override;
    tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index,
                                         SpeakerArrangement& arr) override;
    tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) override;
    uint32 PLUGIN_API getLatencySamples() override;
    // Stores the whole set-up once canProcessSampleSize accepts its sample size.
    tresult PLUGIN_API setupProcessing(ProcessSetup& setup) override;
    tresult PLUGIN_API setProcessing(TBool state) override;
    tresult PLUGIN_API process(ProcessData& data) override;
    uint32 PLUGIN_API getTailSamples() override;

    uint32 PLUGIN_API getProcessContextRequirements() override;

    // Append in call order; the index is the order of addition.
    AudioBus* addAudioInput(const TChar* name, SpeakerArrangement arr, BusType busType = kMain,
                            int32 flags = BusInfo::kDefaultActive);
    AudioBus* addAudioOutput(const TChar* name, SpeakerArrangement arr, BusType busType = kMain,
                             int32 flags = BusInfo::kDefaultActive);
    EventBus* addEventInput(const TChar* name, int32 channels = 16, BusType busType = kMain,
                            int32 flags = BusInfo::kDefaultActive);
    EventBus* addEventOutput(const TChar* name, int32 channels = 16, BusType busType = kMain,
                             int32 flags = BusInfo::kDefaultActive);
    void removeAudioBusses();
    void removeEventBusses();
    void removeAllBusses();
    // Null for an unknown media type or direction.
    BusList* getBusList(MediaType type, BusDirection dir);

    const ProcessSetup& getProcessSetup() const { return processSetup; }

    // IConnectionPoint is refused first with *obj left untouched: a single
    // component has no peer to connect to.
    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(SingleComponentEffect, EditControllerEx1)

  protected:
    ProcessSetup processSetup;
    uint32 processContextRequirements = 0;
    BusList audioInputs{kAudio, kInput};
    BusList audioOutputs{kAudio, kOutput};
    BusList eventInputs{kEvent, kInput};
    BusList eventOutputs{kEvent, kOutput};
};

} // namespace Steinberg::Vst
