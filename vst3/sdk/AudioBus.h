// An audio bus: its channel count follows its speaker arrangement.
#pragma once

#include "vst3/sdk/Bus.h"
#include "vst3/sdk/SpeakerArrangement.h"

namespace Steinberg::Vst {

class AudioBus : public Bus {
  public:
    AudioBus(const TChar* name, BusType busType, int32 flags, SpeakerArrangement arr)
        : Bus(name, busType, flags), speakerArr(arr) {}

    SpeakerArrangement getArrangement() const { return speakerArr; }
    void setArrangement(SpeakerArrangement arr) { speakerArr = arr; }

    bool getInfo(BusInfo& info) const override {
        info.channelCount = SpeakerArr::getChannelCount(speakerArr);
        return Bus::getInfo(info);
    }

    FOBJECT_TYPE(Vst::AudioBus, Bus)

  private:
    SpeakerArrangement speakerArr;
};

} // namespace Steinberg::Vst
