#include "vst3/hosting/ParameterChanges.h"

namespace Steinberg::Hosting {

Vst::IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index) {
    if (index < 0 || index >= getParameterCount())
        return nullptr;
    return queues[static_cast<size_t>(index)].get();
}

Vst::IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const Vst::ParamID& id,
                                                                     int32& index) {
    for (size_t i = 0; i < queues.size(); ++i) {
        if (queues[i]->getParameterId() == id) {
            index = static_cast<int32>(i);
            return queues[i].get();
        }
    }
    queues.push_back(IPtr<ParamValueQueue>::adopt(new ParamValueQueue(id)));
    index = static_cast<int32>(queues.size() - 1);
    return queues.back().get();
}

tresult PLUGIN_API ParameterChanges::queryInterface(const TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(_iid, IParameterChanges::iid))
        return answer<IParameterChanges>(this, obj);
    return FObject::queryInterface(_iid, obj);
}

} // namespace Steinberg::Hosting
