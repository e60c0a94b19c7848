#pragma once

#include "tools/plughost/editor/HostRunLoop.h"
#include "tools/plughost/editor/ResizingFrame.h"
#include "vst3/sdk/IRunLoop.h"

namespace plughost::editor {

// The Linux host's frame: it resizes the tool's window when the view asks, and it is the
// host's run loop, which a plug-in finds by querying the frame.
class EditorFrame : public ResizingFrame, public Steinberg::Linux::IRunLoop {
  public:
    using ResizingFrame::ResizingFrame;

    HostRunLoop& Loop() { return loop; }

    Steinberg::tresult PLUGIN_API registerEventHandler(
        Steinberg::Linux::IEventHandler* handler, Steinberg::Linux::FileDescriptor fd) override;
    Steinberg::tresult PLUGIN_API
    unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
    Steinberg::tresult PLUGIN_API
    registerTimer(Steinberg::Linux::ITimerHandler* handler,
                  Steinberg::Linux::TimerInterval milliseconds) override;
    Steinberg::tresult PLUGIN_API
    unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID _iid, void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    Steinberg::uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(EditorFrame, ResizingFrame)

  private:
    HostRunLoop loop;
};

} // namespace plughost::editor
