#include "vst3/hosting/ParamValueQueue.h"

namespace Steinberg::Hosting {

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& sampleOffset,
                                             Vst::ParamValue& value) {
    if (index < 0 || index >= getPointCount())
        return kResultFalse;
    const Point& p = points[static_cast<size_t>(index)];
    sampleOffset = p.sampleOffset;
    value = p.value;
    return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 sampleOffset, Vst::ParamValue value,
                                             int32& index) {
    size_t at = 0;
    while (at < points.size() && points[at].sampleOffset < sampleOffset)
        ++at;
    if (at < points.size() && points[at].sampleOffset == sampleOffset)
        points[at].value = value;
    else
        points.insert(points.begin() + static_cast<std::ptrdiff_t>(at), {sampleOffset, value});
    index = static_cast<int32>(at);
    return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::queryInterface(const TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(_iid, IParamValueQueue::iid))
        return answer<IParamValueQueue>(this, obj);
    return FObject::queryInterface(_iid, obj);
}

} // namespace Steinberg::Hosting
