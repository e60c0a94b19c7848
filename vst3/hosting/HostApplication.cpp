#include "vst3/hosting/HostApplication.h"

#include "vst3/hosting/HostAttributeList.h"
#include "vst3/hosting/HostMessage.h"
#include "vst3/sdk/StringConvert.h"

#include <utility>

namespace Steinberg::Hosting {

HostApplication::HostApplication(std::u16string hostName) : name(std::move(hostName)) {}

tresult PLUGIN_API HostApplication::getName(Vst::String128 out) {
    if (out == nullptr)
        return kInvalidArgument;
    strncpy16(out, name.c_str(), 128);
    return kResultOk;
}

tresult PLUGIN_API HostApplication::createInstance(TUID cid, TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    *obj = nullptr;
    FObject* created = nullptr;
    if (iidEqual(cid, Vst::IMessage::iid) && iidEqual(_iid, Vst::IMessage::iid))
        created = new HostMessage;
    else if (iidEqual(cid, Vst::IAttributeList::iid) && iidEqual(_iid, Vst::IAttributeList::iid))
        created = new HostAttributeList;
    if (created == nullptr)
        return kResultFalse;
    const tresult result = created->queryInterface(_iid, obj);
    created->release();
    return result;
}

tresult PLUGIN_API HostApplication::queryInterface(const TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(_iid, IHostApplication::iid))
        return answer<IHostApplication>(this, obj);
    return FObject::queryInterface(_iid, obj);
}

} // namespace Steinberg::Hosting
