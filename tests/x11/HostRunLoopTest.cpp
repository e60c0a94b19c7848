#include "tools/plughost/editor/HostRunLoop.h"
#include "vst3/sdk/FObject.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <unistd.h>
#include <vector>

using namespace Steinberg;
using plughost::editor::HostRunLoop;

namespace {

class Handler : public FObject, public Linux::IEventHandler, public Linux::ITimerHandler {
  public:
    std::function<void(int)> onFd = [](int) {};
    std::function<void()> onTick = [] {};
    int fdCalls = 0;
    int timerCalls = 0;
    int lastFd = -1;

    void PLUGIN_API onFDIsSet(Linux::FileDescriptor fd) override {
        ++fdCalls;
        lastFd = fd;
        onFd(fd);
    }
    void PLUGIN_API onTimer() override {
        ++timerCalls;
        onTick();
    }
    tresult PLUGIN_API queryInterface(const TUID, void** obj) override {
        *obj = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }
};

void RunFor(HostRunLoop& loop, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end)
        loop.RunOnce(5);
}

} // namespace

TEST(HostRunLoop, TimersFireAtTheirIntervalUntilUnregistered) {
    HostRunLoop loop;
    auto handler = IPtr<Handler>::adopt(new Handler);
    ASSERT_EQ(loop.RegisterTimer(handler.get(), 20), kResultOk);
    EXPECT_EQ(handler->getRefCount(), 2u) << "the loop holds a reference while registered";
    EXPECT_EQ(loop.TimerIntervals(), std::vector<Linux::TimerInterval>{20});
    {
        SCOPED_TRACE("refused registrations");
        EXPECT_EQ(loop.RegisterTimer(handler.get(), 30), kInvalidArgument) << "twice";
        EXPECT_EQ(loop.RegisterTimer(nullptr, 30), kInvalidArgument);
        auto other = IPtr<Handler>::adopt(new Handler);
        EXPECT_EQ(loop.RegisterTimer(other.get(), 0), kInvalidArgument) << "a zero period";
        EXPECT_EQ(loop.UnregisterTimer(other.get()), kResultFalse) << "never registered";
    }
    RunFor(loop, 210);
    EXPECT_GE(handler->timerCalls, 8);
    EXPECT_LE(handler->timerCalls, 11);
    ASSERT_EQ(loop.UnregisterTimer(handler.get()), kResultOk);
    EXPECT_EQ(handler->getRefCount(), 1u);
    const int calls = handler->timerCalls;
    RunFor(loop, 50);
    EXPECT_EQ(handler->timerCalls, calls);
}

TEST(HostRunLoop, DescriptorHandlersRunWhenReadableAndMayUnregisterFromInside) {
    HostRunLoop loop;
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    auto reader = IPtr<Handler>::adopt(new Handler);
    auto other = IPtr<Handler>::adopt(new Handler);
    ASSERT_EQ(loop.RegisterEventHandler(reader.get(), pipeFds[0]), kResultOk);
    ASSERT_EQ(loop.RegisterEventHandler(other.get(), pipeFds[0]), kResultOk);
    EXPECT_EQ(loop.RegisterEventHandler(reader.get(), pipeFds[0]), kInvalidArgument);
    EXPECT_EQ(loop.RegisterEventHandler(reader.get(), -1), kInvalidArgument);
    {
        SCOPED_TRACE("nothing to read: nobody is called");
        loop.RunOnce(10);
        EXPECT_EQ(reader->fdCalls + other->fdCalls, 0);
    }
    {
        SCOPED_TRACE("readable: the handler hears of its descriptor and takes itself and the "
                     "other handler out, which then hears nothing in the same pass");
        reader->onFd = [&](int fd) {
            char byte;
            EXPECT_EQ(read(fd, &byte, 1), 1);
            loop.UnregisterEventHandler(reader.get());
            loop.UnregisterEventHandler(other.get());
        };
        ASSERT_EQ(write(pipeFds[1], "x", 1), 1);
        loop.RunOnce(100);
        EXPECT_EQ(reader->fdCalls, 1);
        EXPECT_EQ(reader->lastFd, pipeFds[0]);
        EXPECT_EQ(other->fdCalls, 0);
        EXPECT_EQ(loop.EventHandlerCount(), 0);
        EXPECT_EQ(reader->getRefCount(), 1u) << "the loop let go of the handler";
    }
    {
        SCOPED_TRACE("the caller's own descriptor only wakes the loop");
        ASSERT_EQ(write(pipeFds[1], "y", 1), 1);
        EXPECT_TRUE(loop.RunOnce(100, pipeFds[0]));
        EXPECT_EQ(reader->fdCalls, 1);
    }
    close(pipeFds[0]);
    close(pipeFds[1]);
}
