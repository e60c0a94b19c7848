// The Linux host's event loop, through which a plug-in gets timers and fd callbacks.
#pragma once

#include "vst3/sdk/FUnknown.h"

namespace Steinberg::Linux {

using TimerInterval = uint64;
using FileDescriptor = int;

#pragma pack(push, 16)

// Implemented by the plug-in; called when the descriptor is readable.
class IEventHandler : public FUnknown {
  public:
    virtual void PLUGIN_API onFDIsSet(FileDescriptor fd) = 0;

    static constexpr FUID iid{0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983};
};

// Implemented by the plug-in; fires repeatedly until unregistered.
class ITimerHandler : public FUnknown {
  public:
    virtual void PLUGIN_API onTimer() = 0;

    static constexpr FUID iid{0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9};
};

// Implemented by the host; offered through the IPlugFrame and the factory context.
class IRunLoop : public FUnknown {
  public:
    virtual tresult PLUGIN_API registerEventHandler(IEventHandler* handler, FileDescriptor fd) = 0;
    virtual tresult PLUGIN_API unregisterEventHandler(IEventHandler* handler) = 0;
    virtual tresult PLUGIN_API registerTimer(ITimerHandler* handler,
                                             TimerInterval milliseconds) = 0;
    virtual tresult PLUGIN_API unregisterTimer(ITimerHandler* handler) = 0;

    static constexpr FUID iid{0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389};
};

#pragma pack(pop)

static_assert(sizeof(TimerInterval) == 8 && sizeof(FileDescriptor) == 4);

} // namespace Steinberg::Linux
