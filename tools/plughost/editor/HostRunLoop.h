#pragma once

#include "vst3/sdk/IPtr.h"
#include "vst3/sdk/IRunLoop.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace plughost::editor {

// The tool's own event loop, as a Linux host offers it to a plug-in: descriptors watched with
// poll() and timers kept on the monotonic clock, both dispatched on the calling thread. A
// handler may register and unregister anything, itself included, from inside a callback.
class HostRunLoop {
  public:
    using Clock = std::chrono::steady_clock;

    // The IRunLoop operations, with its result codes.
    Steinberg::tresult RegisterEventHandler(Steinberg::Linux::IEventHandler* handler, int fd);
    Steinberg::tresult UnregisterEventHandler(Steinberg::Linux::IEventHandler* handler);
    Steinberg::tresult RegisterTimer(Steinberg::Linux::ITimerHandler* handler,
                                     Steinberg::Linux::TimerInterval milliseconds);
    Steinberg::tresult UnregisterTimer(Steinberg::Linux::ITimerHandler* handler);

    // Waits until a watched descriptor (or `extraFd`, when not -1) is readable, the next timer
    // is due or `timeoutMs` has passed, then calls the handlers of readable descriptors and of
    // due timers. True when `extraFd` became readable.
    bool RunOnce(int timeoutMs, int extraFd = -1);

    // Drops every registration; returns how many there were.
    int Clear();

    int EventHandlerCount() const { return static_cast<int>(watches.size()); }
    int TimerCount() const { return static_cast<int>(timers.size()); }
    // The periods of the registered timers, in the order they were registered.
    std::vector<Steinberg::Linux::TimerInterval> TimerIntervals() const;
    // Times the timers have fired, all together.
    uint64_t TimerCalls() const { return timerCalls; }

  private:
    struct Watch {
        uint64_t serial;
        Steinberg::IPtr<Steinberg::Linux::IEventHandler> handler;
        int fd;
    };
    struct Timer {
        uint64_t serial;
        Steinberg::IPtr<Steinberg::Linux::ITimerHandler> handler;
        Steinberg::Linux::TimerInterval interval;
        Clock::time_point due;
    };

    void FireDueTimers();
    int MillisecondsToNextTimer() const;

    std::vector<Watch> watches;
    std::vector<Timer> timers;
    uint64_t nextSerial = 1;
    uint64_t timerCalls = 0;
};

} // namespace plughost::editor
