#include "tools/plughost/editor/ResizingFrame.h"

namespace plughost::editor {

using namespace Steinberg;

tresult PLUGIN_API ResizingFrame::resizeView(IPlugView* view, ViewRect* newSize) {
    if (!view || !newSize || newSize->getWidth() <= 0 || newSize->getHeight() <= 0)
        return kInvalidArgument;
    ++resizeRequests;
    if (resizeWindow)
        resizeWindow(newSize->getWidth(), newSize->getHeight());
    view->onSize(newSize);
    return kResultOk;
}

tresult PLUGIN_API ResizingFrame::queryInterface(const TUID _iid, void** obj) {
    if (!obj)
        return kInvalidArgument;
    if (iidEqual(_iid, IPlugFrame::iid))
        return answer<IPlugFrame>(this, obj);
    return FObject::queryInterface(_iid, obj);
}

} // namespace plughost::editor
