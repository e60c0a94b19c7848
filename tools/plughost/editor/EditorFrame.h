#pragma once

#include "tools/plughost/editor/HostRunLoop.h"
#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IPlugView.h"
#include "vst3/sdk/IRunLoop.h"

#include <functional>

namespace plughost::editor {

// The frame the tool gives an editor view: it resizes the tool's window when the view asks,
// and it is the Linux host's run loop, which a plug-in finds by querying the frame.
class EditorFrame : public Steinberg::FObject,
                    public Steinberg::IPlugFrame,
                    public Steinberg::Linux::IRunLoop {
  public:
    // Called with the new width and height before the view hears of its new size.
    using ResizeWindow = std::function<void(int width, int height)>;

    explicit EditorFrame(ResizeWindow resizeWindow) : resizeWindow(std::move(resizeWindow)) {}

    HostRunLoop& Loop() { return loop; }
    int ResizeRequests() const { return resizeRequests; }

    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view,
                                             Steinberg::ViewRect* newSize) override;

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

    FOBJECT_TYPE(EditorFrame, FObject)

  private:
    ResizeWindow resizeWindow;
    HostRunLoop loop;
    int resizeRequests = 0;
};

} // namespace plughost::editor
