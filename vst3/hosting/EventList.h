// The events of one block; hosts without MIDI pass it empty.
#pragma once

#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IEvents.h"

#include <vector>

namespace Steinberg::Hosting {

class EventList : public FObject, public Vst::IEventList {
  public:
    int32 PLUGIN_API getEventCount() override { return static_cast<int32>(events.size()); }
    // False for an index outside [0, count).
    tresult PLUGIN_API getEvent(int32 index, Vst::Event& e) override;
    tresult PLUGIN_API addEvent(Vst::Event& e) override;

    void clear() { events.clear(); }

    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(EventList, FObject)

  private:
    std::vector<Vst::Event> events;
};

} // namespace Steinberg::Hosting
