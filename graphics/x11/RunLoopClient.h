#pragma once

#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IRunLoop.h"

class IGraphicsX11;

// What the editor registers with the host's run loop: one object answering both the
// descriptor and the timer callbacks, and passing them to its editor. A host may keep its
// reference past unregistering, so the object is counted and may outlive the editor;
// Detach() makes any late call do nothing. Host user-interface thread.
class RunLoopClient : public Steinberg::FObject,
                      public Steinberg::Linux::IEventHandler,
                      public Steinberg::Linux::ITimerHandler {
  public:
    explicit RunLoopClient(IGraphicsX11* editor) : editor(editor) {}

    void Detach() { editor = nullptr; }

    void PLUGIN_API onFDIsSet(Steinberg::Linux::FileDescriptor fd) override;
    void PLUGIN_API onTimer() override;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID _iid, void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    Steinberg::uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(RunLoopClient, FObject)

  private:
    IGraphicsX11* editor;
};
