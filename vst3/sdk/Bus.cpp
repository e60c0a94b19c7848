#include "vst3/sdk/Bus.h"

#include "vst3/sdk/StringConvert.h"

#include <iterator>

namespace Steinberg::Vst {

Bus::Bus(const TChar* busName, BusType type, int32 busFlags) : busType(type), flags(busFlags) {
    setName(busName);
}

void Bus::setName(const TChar* newName) {
    name.assign(newName ? newName : u"");
}

bool Bus::getInfo(BusInfo& info) const {
    strncpy16(info.name, name.c_str(), static_cast<int32>(std::size(info.name)));
    info.busType = busType;
    info.flags = static_cast<uint32>(flags);
    return true;
}

} // namespace Steinberg::Vst
