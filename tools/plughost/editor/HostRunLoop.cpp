#include "tools/plughost/editor/HostRunLoop.h"

#include <algorithm>
#include <poll.h>

namespace plughost::editor {

using namespace Steinberg;

tresult HostRunLoop::RegisterEventHandler(Linux::IEventHandler* handler, int fd) {
    if (!handler || fd < 0)
        return kInvalidArgument;
    for (const Watch& watch : watches)
        if (watch.handler.get() == handler && watch.fd == fd)
            return kInvalidArgument;
    watches.push_back({nextSerial++, IPtr<Linux::IEventHandler>(handler), fd});
    return kResultOk;
}

tresult HostRunLoop::UnregisterEventHandler(Linux::IEventHandler* handler) {
    const auto removed = std::erase_if(
        watches, [handler](const Watch& watch) { return watch.handler.get() == handler; });
    return handler && removed > 0 ? kResultOk : kResultFalse;
}

tresult HostRunLoop::RegisterTimer(Linux::ITimerHandler* handler,
                                   Linux::TimerInterval milliseconds) {
    if (!handler || milliseconds == 0)
        return kInvalidArgument;
    for (const Timer& timer : timers)
        if (timer.handler.get() == handler)
            return kInvalidArgument;
    const Clock::time_point due = Clock::now() + std::chrono::milliseconds(milliseconds);
    timers.push_back({nextSerial++, IPtr<Linux::ITimerHandler>(handler), milliseconds, due});
    return kResultOk;
}

tresult HostRunLoop::UnregisterTimer(Linux::ITimerHandler* handler) {
    const auto removed = std::erase_if(
        timers, [handler](const Timer& timer) { return timer.handler.get() == handler; });
    return handler && removed > 0 ? kResultOk : kResultFalse;
}

int HostRunLoop::Clear() {
    const int count = EventHandlerCount() + TimerCount();
    watches.clear();
    timers.clear();
    return count;
}

std::vector<Linux::TimerInterval> HostRunLoop::TimerIntervals() const {
    std::vector<Linux::TimerInterval> intervals;
    for (const Timer& timer : timers)
        intervals.push_back(timer.interval);
    return intervals;
}

int HostRunLoop::MillisecondsToNextTimer() const {
    if (timers.empty())
        return -1;
    Clock::time_point next = timers.front().due;
    for (const Timer& timer : timers)
        next = std::min(next, timer.due);
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now()).count();
    return wait > 0 ? static_cast<int>(wait) : 0;
}

bool HostRunLoop::RunOnce(int timeoutMs, int extraFd) {
    const int toTimer = MillisecondsToNextTimer();
    const int wait = toTimer >= 0 && (timeoutMs < 0 || toTimer < timeoutMs) ? toTimer : timeoutMs;

    std::vector<pollfd> fds;
    std::vector<uint64_t> serials;
    for (const Watch& watch : watches) {
        fds.push_back({watch.fd, POLLIN, 0});
        serials.push_back(watch.serial);
    }
    if (extraFd >= 0)
        fds.push_back({extraFd, POLLIN, 0});
    const int ready = poll(fds.data(), fds.size(), wait);

    bool extraReady = false;
    if (ready > 0) {
        for (size_t i = 0; i < fds.size(); ++i) {
            const bool readable = (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
            if (!readable)
                continue;
            if (i == serials.size()) {
                extraReady = true;
                continue;
            }
            // Earlier callbacks may have removed this watch; the reference keeps the handler
            // alive through its own call even if it unregisters itself.
            auto found = std::find_if(watches.begin(), watches.end(), [&](const Watch& watch) {
                return watch.serial == serials[i];
            });
            if (found == watches.end())
                continue;
            IPtr<Linux::IEventHandler> handler = found->handler;
            handler->onFDIsSet(fds[i].fd);
        }
    }
    FireDueTimers();
    return extraReady;
}

void HostRunLoop::FireDueTimers() {
    const Clock::time_point now = Clock::now();
    std::vector<uint64_t> due;
    for (const Timer& timer : timers)
        if (timer.due <= now)
            due.push_back(timer.serial);
    for (uint64_t serial : due) {
        auto found = std::find_if(timers.begin(), timers.end(),
                                  [serial](const Timer& timer) { return timer.serial == serial; });
        if (found == timers.end())
            continue;
        // A late loop fires once and keeps the period from now on, rather than catching up.
        const auto period = std::chrono::milliseconds(found->interval);
        found->due += period;
        if (found->due <= now)
            found->due = now + period;
        IPtr<Linux::ITimerHandler> handler = found->handler;
        ++timerCalls;
        handler->onTimer();
    }
}

} // namespace plughost::editor
