#include "vst3/hosting/HostMessage.h"

namespace Steinberg::Hosting {

HostMessage::HostMessage() : attributes(IPtr<HostAttributeList>::adopt(new HostAttributeList)) {}

FIDString PLUGIN_API HostMessage::getMessageID() {
    return hasId ? messageId.c_str() : nullptr;
}

void PLUGIN_API HostMessage::setMessageID(FIDString id) {
    hasId = id != nullptr;
    messageId.assign(id ? id : "");
}

Vst::IAttributeList* PLUGIN_API HostMessage::getAttributes() {
    return attributes.get();
}

tresult PLUGIN_API HostMessage::queryInterface(const TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(_iid, IMessage::iid))
        return answer<IMessage>(this, obj);
    return FObject::queryInterface(_iid, obj);
}

} // namespace Steinberg::Hosting
