// An event (MIDI) bus with a fixed number of channels.
#pragma once

#include "vst3/sdk/Bus.h"

namespace Steinberg::Vst {

class EventBus : public Bus {
  public:
    EventBus(const TChar* name, BusType busType, int32 flags, int32 channels)
        : Bus(name, busType, flags), channelCount(channels) {}

    int32 getChannelCount() const { return channelCount; }

    bool getInfo(BusInfo& info) const override {
        info.channelCount = channelCount;
        return Bus::getInfo(info);
    }

    FOBJECT_TYPE(Vst::EventBus, Bus)

  private:
    int32 channelCount;
};

} // namespace Steinberg::Vst
