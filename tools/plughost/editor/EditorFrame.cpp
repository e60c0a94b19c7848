#include "tools/plughost/editor/EditorFrame.h"

namespace plughost::editor {

using namespace Steinberg;

tresult PLUGIN_API EditorFrame::resizeView(IPlugView* view, ViewRect* newSize) {
    if (!view || !newSize || newSize->getWidth() <= 0 || newSize->getHeight() <= 0)
        return kInvalidArgument;
    ++resizeRequests;
    if (resizeWindow)
        resizeWindow(newSize->getWidth(), newSize->getHeight());
    view->onSize(newSize);
    return kResultOk;
}

tresult PLUGIN_API EditorFrame::registerEventHandler(Linux::IEventHandler* handler,
                                                     Linux::FileDescriptor fd) {
    return loop.RegisterEventHandler(handler, fd);
}

tresult PLUGIN_API EditorFrame::unregisterEventHandler(Linux::IEventHandler* handler) {
    return loop.UnregisterEventHandler(handler);
}

tresult PLUGIN_API EditorFrame::registerTimer(Linux::ITimerHandler* handler,
                                              Linux::TimerInterval milliseconds) {
    return loop.RegisterTimer(handler, milliseconds);
}

tresult PLUGIN_API EditorFrame::unregisterTimer(Linux::ITimerHandler* handler) {
    return loop.UnregisterTimer(handler);
}

tresult PLUGIN_API EditorFrame::queryInterface(const TUID _iid, void** obj) {
    if (!obj)
        return kInvalidArgument;
    if (iidEqual(_iid, IPlugFrame::iid))
        return answer<IPlugFrame>(this, obj);
    if (iidEqual(_iid, Linux::IRunLoop::iid))
        return answer<Linux::IRunLoop>(this, obj);
    return FObject::queryInterface(_iid, obj);
}

} // namespace plughost::editor
