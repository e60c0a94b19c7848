// One bus of a component as the host sees it through getBusInfo.
#pragma once

#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IComponent.h"

#include <string>

namespace Steinberg::Vst {

class Bus : public FObject {
  public:
    Bus(const TChar* name, BusType busType, int32 flags);

    // Buses start inactive whatever their flags: the host activates them.
    bool isActive() const { return active; }
    void setActive(bool state) { active = state; }

    const TChar* getName() const { return name.c_str(); }
    void setName(const TChar* newName);
    BusType getBusType() const { return busType; }
    int32 getFlags() const { return flags; }

    // Fills name, busType, flags and (in subclasses) channelCount; the caller
    // sets mediaType and direction. The name is cut to 127 units plus terminator.
    virtual bool getInfo(BusInfo& info) const;

    FOBJECT_TYPE(Vst::Bus, FObject)

  private:
    std::u16string name;
    BusType busType;
    int32 flags;
    bool active = false;
};

} // namespace Steinberg::Vst
