// The buses of one media type and direction, indexed in the order added.
#pragma once

#include "vst3/sdk/Bus.h"
#include "vst3/sdk/IPtr.h"

#include <vector>

namespace Steinberg::Vst {

class BusList : public FObject {
  public:
    BusList(MediaType mediaType, BusDirection dir) : type(mediaType), direction(dir) {}

    MediaType getType() const { return type; }
    BusDirection getDirection() const { return direction; }

    int32 size() const { return static_cast<int32>(buses.size()); }
    bool empty() const { return buses.empty(); }
    // Null for any index outside [0, size): host indices are never trusted.
    Bus* at(int32 index) const {
        return index >= 0 && index < size() ? buses[static_cast<size_t>(index)].get() : nullptr;
    }
    // Takes over the caller's reference.
    void append(Bus* bus) {
        if (bus)
            buses.push_back(IPtr<Bus>::adopt(bus));
    }
    void clear() { buses.clear(); }

    FOBJECT_TYPE(Vst::BusList, FObject)

  private:
    MediaType type;
    BusDirection direction;
    std::vector<IPtr<Bus>> buses;
};

} // namespace Steinberg::Vst
