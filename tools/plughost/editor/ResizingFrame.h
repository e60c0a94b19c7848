#pragma once

#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IPlugView.h"

#include <functional>

namespace plughost::editor {

// The frame the tool gives an editor view: it resizes the tool's window when the view asks.
// A Windows host needs no more (the editor runs its own timer on the window); a Linux host's
// frame is also its run loop.
class ResizingFrame : public Steinberg::FObject, public Steinberg::IPlugFrame {
  public:
    // Called with the new width and height before the view hears of its new size.
    using ResizeWindow = std::function<void(int width, int height)>;

    explicit ResizingFrame(ResizeWindow resizeWindow) : resizeWindow(std::move(resizeWindow)) {}

    int ResizeRequests() const { return resizeRequests; }

    // User-interface thread, from the view.
    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view,
                                             Steinberg::ViewRect* newSize) override;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID _iid, void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    Steinberg::uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(ResizingFrame, FObject)

  private:
    ResizeWindow resizeWindow;
    int resizeRequests = 0;
};

} // namespace plughost::editor
