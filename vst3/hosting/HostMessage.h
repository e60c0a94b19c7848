// IMessage created by the host for a plug-in: an id and an attribute list.
#pragma once

#include "vst3/hosting/HostAttributeList.h"
#include "vst3/sdk/IPtr.h"

#include <string>

namespace Steinberg::Hosting {

class HostMessage : public FObject, public Vst::IMessage {
  public:
    HostMessage();

    FIDString PLUGIN_API getMessageID() override;
    void PLUGIN_API setMessageID(FIDString id) override;
    Vst::IAttributeList* PLUGIN_API getAttributes() override;

    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(HostMessage, FObject)

  private:
    std::string messageId;
    bool hasId = false;
    IPtr<HostAttributeList> attributes;
};

} // namespace Steinberg::Hosting
