#include "vst3/hosting/ComponentHandler.h"

#include "vst3/hosting/HostContextMenu.h"

#include <utility>

namespace Steinberg::Hosting {

void ComponentHandler::setCallback(Callback newCallback) {
    std::lock_guard<std::mutex> lock(mutex);
    callback = std::move(newCallback);
}

void ComponentHandler::setOffersContextMenus(bool offer) {
    std::lock_guard<std::mutex> lock(mutex);
    offersContextMenus = offer;
}

std::vector<HandlerCall> ComponentHandler::getCalls() const {
    std::lock_guard<std::mutex> lock(mutex);
    return calls;
}

void ComponentHandler::clearCalls() {
    std::lock_guard<std::mutex> lock(mutex);
    calls.clear();
}

void ComponentHandler::record(const HandlerCall& call) {
    Callback notify;
    {
        std::lock_guard<std::mutex> lock(mutex);
        calls.push_back(call);
        notify = callback;
    }
    // Outside the lock: the callback may well ask for the calls.
    if (notify)
        notify(call);
}

tresult PLUGIN_API ComponentHandler::beginEdit(Vst::ParamID id) {
    record({HandlerCall::beginEdit, id});
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::performEdit(Vst::ParamID id, Vst::ParamValue valueNormalized) {
    record({HandlerCall::performEdit, id, valueNormalized});
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::endEdit(Vst::ParamID id) {
    record({HandlerCall::endEdit, id});
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::restartComponent(int32 flags) {
    record({HandlerCall::restartComponent, Vst::kNoParamId, 0., flags});
    return kResultOk;
}

Vst::IContextMenu* PLUGIN_API ComponentHandler::createContextMenu(IPlugView*,
                                                                  const Vst::ParamID* paramID) {
    record({HandlerCall::createContextMenu, paramID ? *paramID : Vst::kNoParamId});
    bool offer;
    {
        std::lock_guard<std::mutex> lock(mutex);
        offer = offersContextMenus;
    }
    return offer ? new HostContextMenu(this) : nullptr;
}

tresult PLUGIN_API ComponentHandler::queryInterface(const TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(_iid, IComponentHandler::iid))
        return answer<IComponentHandler>(this, obj);
    if (iidEqual(_iid, IComponentHandler3::iid))
        return answer<IComponentHandler3>(this, obj);
    return FObject::queryInterface(_iid, obj);
}

} // namespace Steinberg::Hosting
