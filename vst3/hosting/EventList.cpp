#include "vst3/hosting/EventList.h"

namespace Steinberg::Hosting {

tresult PLUGIN_API EventList::getEvent(int32 index, Vst::Event& e) {
    if (index < 0 || index >= getEventCount())
        return kResultFalse;
    e = events[static_cast<size_t>(index)];
    return kResultOk;
}

tresult PLUGIN_API EventList::addEvent(Vst::Event& e) {
    events.push_back(e);
    return kResultOk;
}

tresult PLUGIN_API EventList::queryInterface(const TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(_iid, IEventList::iid))
        return answer<IEventList>(this, obj);
    return FObject::queryInterface(_iid, obj);
}

} // namespace Steinberg::Hosting
