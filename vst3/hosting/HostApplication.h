// The host context handed to a plug-in's initialize: its name, and messages
// and attribute lists on request.
#pragma once

#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IHostApplication.h"

#include <string>

namespace Steinberg::Hosting {

class HostApplication : public FObject, public Vst::IHostApplication {
  public:
    explicit HostApplication(std::u16string name);

    tresult PLUGIN_API getName(Vst::String128 name) override;
    // Creates an IMessage (cid = iid = IMessage::iid) or an IAttributeList
    // (cid = iid = IAttributeList::iid); anything else answers False.
    tresult PLUGIN_API createInstance(TUID cid, TUID _iid, void** obj) override;

    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(HostApplication, FObject)

  private:
    std::u16string name;
};

} // namespace Steinberg::Hosting
