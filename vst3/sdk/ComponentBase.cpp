#include "vst3/sdk/ComponentBase.h"

#include "vst3/sdk/StringConvert.h"

#include <cstring>

namespace Steinberg::Vst {

tresult PLUGIN_API ComponentBase::initialize(FUnknown* context) {
    if (hostContext)
        return kResultFalse;
    hostContext = context;
    return kResultOk;
}

tresult PLUGIN_API ComponentBase::terminate() {
    if (peerConnection) {
        // Keep our reference until the peer has let go of us.
        IPtr<IConnectionPoint> peer = peerConnection;
        peer->disconnect(this);
        peerConnection.reset();
    }
    hostContext.reset();
    return kResultOk;
}

tresult PLUGIN_API ComponentBase::connect(IConnectionPoint* other) {
    if (other == nullptr)
        return kInvalidArgument;
    if (peerConnection)
        return kResultFalse;
    peerConnection = other;
    return kResultOk;
}

tresult PLUGIN_API ComponentBase::disconnect(IConnectionPoint* other) {
    if (peerConnection && other == peerConnection.get()) {
        peerConnection.reset();
        return kResultOk;
    }
    return kResultFalse;
}

tresult PLUGIN_API ComponentBase::notify(IMessage* message) {
    if (message == nullptr)
        return kInvalidArgument;
    const FIDString id = message->getMessageID();
    IAttributeList* attributes = message->getAttributes();
    if (id == nullptr || std::strcmp(id, "TextMessage") != 0 || attributes == nullptr)
        return kResultFalse;
    TChar text[256] = {};
    if (attributes->getString("Text", text, sizeof(text)) != kResultOk)
        return kResultFalse;
    text[255] = 0;
    char8 utf8[1024];
    utf16ToUtf8(utf8, text, static_cast<int32>(sizeof utf8));
    return receiveText(utf8);
}

tresult ComponentBase::receiveText(const char8*) {
    return kResultOk;
}

tresult PLUGIN_API ComponentBase::queryInterface(const TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(_iid, IPluginBase::iid))
        return answer<IPluginBase>(this, obj);
    if (iidEqual(_iid, IConnectionPoint::iid))
        return answer<IConnectionPoint>(this, obj);
    return FObject::queryInterface(_iid, obj);
}

} // namespace Steinberg::Vst
