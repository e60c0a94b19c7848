// Host context and peer connection shared by components and controllers.
#pragma once

#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IConnectionPoint.h"
#include "vst3/sdk/IPluginBase.h"
#include "vst3/sdk/IPtr.h"

namespace Steinberg::Vst {

class ComponentBase : public FObject, public IPluginBase, public IConnectionPoint {
  public:
    // Host UI thread. False when a context is already held; otherwise keeps
    // `context` (null included) with a reference of its own.
    tresult PLUGIN_API initialize(FUnknown* context) override;
    // Host UI thread. Disconnects from the peer and drops the host context.
    tresult PLUGIN_API terminate() override;

    tresult PLUGIN_API connect(IConnectionPoint* other) override;
    tresult PLUGIN_API disconnect(IConnectionPoint* other) override;
    // Handles "TextMessage" with a "Text" string attribute by calling
    // receiveText() with the text as UTF-8; other messages answer False.
    tresult PLUGIN_API notify(IMessage* message) override;

    FUnknown* getHostContext() const { return hostContext.get(); }
    IConnectionPoint* getPeer() const { return peerConnection.get(); }

    virtual tresult receiveText(const char8* text);

    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(ComponentBase, FObject)

  protected:
    ComponentBase() = default;

  private:
    IPtr<FUnknown> hostContext;
    IPtr<IConnectionPoint> peerConnection;
};

} // namespace Steinberg::Vst
