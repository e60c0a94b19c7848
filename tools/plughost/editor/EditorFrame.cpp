#include "tools/plughost/editor/EditorFrame.h"

namespace plughost::editor {

using namespace Steinberg;

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
    if (iidEqual(_iid, Linux::IRunLoop::iid))
        return answer<Linux::IRunLoop>(this, obj);
    return ResizingFrame::queryInterface(_iid, obj);
}

} // namespace plughost::editor
