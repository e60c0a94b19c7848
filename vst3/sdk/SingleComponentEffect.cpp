#include "vst3/sdk/SingleComponentEffect.h"

namespace Steinberg::Vst {

namespace {

// Audio lists are protected members a subclass could fill with anything.
AudioBus* asAudioBus(Bus* bus) {
    return bus && bus->isTypeOf(AudioBus::getFClassID()) ? static_cast<AudioBus*>(bus) : nullptr;
}

} // namespace

SingleComponentEffect::SingleComponentEffect()
    : processSetup{kRealtime, kSample32, 1024, 44100.0} {}

tresult PLUGIN_API SingleComponentEffect::initialize(FUnknown* context) {
    return EditControllerEx1::initialize(context);
}

tresult PLUGIN_API SingleComponentEffect::terminate() {
    parameters.removeAll();
    removeAllBusses();
    return EditControllerEx1::terminate();
}

tresult PLUGIN_API SingleComponentEffect::getControllerClassId(TUID) {
    return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::setIoMode(IoMode) {
    return kNotImplemented;
}

int32 PLUGIN_API SingleComponentEffect::getBusCount(MediaType type, BusDirection dir) {
    const BusList* list = getBusList(type, dir);
    return list ? list->size() : 0;
}

tresult PLUGIN_API SingleComponentEffect::getBusInfo(MediaType type, BusDirection dir, int32 index,
                                                     BusInfo& info) {
    const BusList* list = getBusList(type, dir);
    const Bus* bus = list ? list->at(index) : nullptr;
    if (bus == nullptr)
        return kInvalidArgument;
    info.mediaType = type;
    info.direction = dir;
    bus->getInfo(info);
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::getRoutingInfo(RoutingInfo&, RoutingInfo&) {
    return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::activateBus(MediaType type, BusDirection dir, int32 index,
                                                      TBool state) {
    const BusList* list = getBusList(type, dir);
    Bus* bus = list ? list->at(index) : nullptr;
    if (bus == nullptr)
        return kInvalidArgument;
    bus->setActive(state != 0);
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::setActive(TBool) {
    return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setProcessorState(IBStream*) {
    return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::getProcessorState(IBStream*) {
    return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::setBusArrangements(SpeakerArrangement* inputs,
                                                             int32 numIns,
                                                             SpeakerArrangement* outputs,
                                                             int32 numOuts) {
    if (numIns < 0 || numOuts < 0 || (numIns > 0 && inputs == nullptr) ||
        (numOuts > 0 && outputs == nullptr))
        return kInvalidArgument;
    if (numIns > audioInputs.size() || numOuts > audioOutputs.size())
        return kResultFalse;
    for (int32 i = 0; i < numIns; ++i)
        if (AudioBus* bus = asAudioBus(audioInputs.at(i)))
            bus->setArrangement(inputs[i]);
    for (int32 i = 0; i < numOuts; ++i)
        if (AudioBus* bus = asAudioBus(audioOutputs.at(i)))
            bus->setArrangement(outputs[i]);
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::getBusArrangement(BusDirection dir, int32 index,
                                                            SpeakerArrangement& arr) {
    const BusList* list = getBusList(kAudio, dir);
    const AudioBus* bus = list ? asAudioBus(list->at(index)) : nullptr;
    if (bus == nullptr)
        return kInvalidArgument;
    arr = bus->getArrangement();
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::canProcessSampleSize(int32 symbolicSampleSize) {
    return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API SingleComponentEffect::getLatencySamples() {
    return 0;
}

tresult PLUGIN_API SingleComponentEffect::setupProcessing(ProcessSetup& setup) {
    if (canProcessSampleSize(setup.symbolicSampleSize) != kResultTrue)
        return kResultFalse;
    processSetup = setup;
    return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setProcessing(TBool) {
    return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::process(ProcessData&) {
    return kNotImplemented;
}

uint32 PLUGIN_API SingleComponentEffect::getTailSamples() {
    return kNoTail;
}

uint32 PLUGIN_API SingleComponentEffect::getProcessContextRequirements() {
    return processContextRequirements;
}

AudioBus* SingleComponentEffect::addAudioInput(const TChar* name, SpeakerArrangement arr,
                                               BusType busType, int32 flags) {
    auto* bus = new AudioBus(name, busType, flags, arr);
    audioInputs.append(bus);
    return bus;
}

AudioBus* SingleComponentEffect::addAudioOutput(const TChar* name, SpeakerArrangement arr,
                                                BusType busType, int32 flags) {
    auto* bus = new AudioBus(name, busType, flags, arr);
    audioOutputs.append(bus);
    return bus;
}

EventBus* SingleComponentEffect::addEventInput(const TChar* name, int32 channels, BusType busType,
                                               int32 flags) {
    auto* bus = new EventBus(name, busType, flags, channels);
    eventInputs.append(bus);
    return bus;
}

EventBus* SingleComponentEffect::addEventOutput(const TChar* name, int32 channels, BusType busType,
                                                int32 flags) {
    auto* bus = new EventBus(name, busType, flags, channels);
    eventOutputs.append(bus);
    return bus;
}

void SingleComponentEffect::removeAudioBusses() {
    audioInputs.clear();
    audioOutputs.clear();
}

void SingleComponentEffect::removeEventBusses() {
    eventInputs.clear();
    eventOutputs.clear();
}

void SingleComponentEffect::removeAllBusses() {
    removeAudioBusses();
    removeEventBusses();
}

BusList* SingleComponentEffect::getBusList(MediaType type, BusDirection dir) {
    if (type == kAudio)
        return dir == kInput ? &audioInputs : dir == kOutput ? &audioOutputs : nullptr;
    if (type == kEvent)
        return dir == kInput ? &eventInputs : dir == kOutput ? &eventOutputs : nullptr;
    return nullptr;
}

tresult PLUGIN_API SingleComponentEffect::queryInterface(const TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(_iid, IConnectionPoint::iid))
        return kNoInterface;
    if (iidEqual(_iid, IComponent::iid))
        return answer<IComponent>(this, obj);
    if (iidEqual(_iid, IAudioProcessor::iid))
        return answer<IAudioProcessor>(this, obj);
    if (iidEqual(_iid, IProcessContextRequirements::iid))
        return answer<IProcessContextRequirements>(this, obj);
    return EditControllerEx1::queryInterface(_iid, obj);
}

} // namespace Steinberg::Vst
