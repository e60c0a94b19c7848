#include "graphics/x11/RunLoopClient.h"

#include "graphics/x11/IGraphicsX11.h"

using namespace Steinberg;

void PLUGIN_API RunLoopClient::onFDIsSet(Linux::FileDescriptor) {
    if (editor)
        editor->ProcessPendingEvents();
}

void PLUGIN_API RunLoopClient::onTimer() {
    if (editor)
        editor->TimerTick();
}

tresult PLUGIN_API RunLoopClient::queryInterface(const TUID _iid, void** obj) {
    if (!obj)
        return kInvalidArgument;
    if (iidEqual(_iid, Linux::IEventHandler::iid))
        return answer<Linux::IEventHandler>(this, obj);
    if (iidEqual(_iid, Linux::ITimerHandler::iid))
        return answer<Linux::ITimerHandler>(this, obj);
    return FObject::queryInterface(_iid, obj);
}
