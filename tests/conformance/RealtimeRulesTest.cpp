// Realtime rules of process after activation: no heap allocation, no I/O, and no lock but the
// plug-in's. Counted on the calling thread through the interposed calls of CallCounters.
#include "tests/conformance/CallCounters.h"
#include "tests/conformance/ConformanceHost.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <mutex>
#include <new>
#include <unistd.h>

using namespace Steinberg;
using namespace Conformance;

TEST(RealtimeRules, ProcessAllocatesNothingDoesNoIoAndTakesOnlyThePluginLock) {
    if (!CallCounters::Available())
        GTEST_SKIP() << "allocation counting is not available in this build";
    {
        // The counters must see what they are to count, or every zero below means nothing.
        std::mutex mutex;
        CallCounters::Begin();
        delete new (std::nothrow) volatile int(1);
        close(-1);
        std::lock_guard<std::mutex> hold(mutex);
        const CallCounters::Counts seen = CallCounters::End();
        ASSERT_TRUE(seen.allocations >= 1 && seen.io == 1 && seen.locks == 1 && seen.mutexes == 1)
            << "the counters miss calls: " << seen.allocations << " allocations, " << seen.io
            << " I/O calls, " << seen.locks << " locks";
    }
    for (bool doublePrecision : {false, true}) {
        SCOPED_TRACE(doublePrecision ? "64-bit" : "32-bit");
        Plugin plugin = Create();
        ASSERT_TRUE(Start(plugin, 48000.0, 2048, doublePrecision));
        GuardedBlock block(2048, 2, doublePrecision, false);
        IPtr<Hosting::ParameterChanges> changes =
            IPtr<Hosting::ParameterChanges>::adopt(new Hosting::ParameterChanges);
        std::mt19937 random(7);

        const int calls = Scaled(400, 20000);
        CallCounters::Counts total;
        uint64_t mostLocks = 0, locksWithoutChanges = 0;
        for (int i = 0; i < calls; ++i) {
            const int frames = static_cast<int>(random() % 2049);
            changes->clear();
            const bool automated = i % 2 == 0;
            if (automated)
                for (Vst::ParamID id : {Vst::ParamID(0), Vst::ParamID(14), Vst::ParamID(16),
                                        Vst::ParamID(32), kBypassId, kPresetId}) {
                    int32 index = 0;
                    changes->addParameterData(id, index)->addPoint(
                        0, (random() % 1000) / 999.0 * (id == kBypassId ? 0.4 : 1.0), index);
                }
            for (int n = 0; n < frames; ++n)
                for (int c = 0; c < 2; ++c)
                    block.SetInput(c, n, std::sin(0.001 * (i * 7 + n)));
            Vst::ProcessData& data = block.Data(frames, changes.get());
            CallCounters::Begin();
            const tresult result = plugin.processor->process(data);
            const CallCounters::Counts counts = CallCounters::End();
            ASSERT_EQ(result, kResultOk);
            ASSERT_EQ(counts.allocations, 0u) << "call " << i << " allocated";
            ASSERT_EQ(counts.io, 0u) << "call " << i << " did I/O";
            ASSERT_LE(counts.mutexes, 1) << "call " << i << " took a lock besides the plug-in's";
            total.locks += counts.locks;
            mostLocks = std::max<uint64_t>(mostLocks, counts.locks);
            if (!automated)
                locksWithoutChanges = counts.locks;
        }
        std::printf("[ figures  ] %s process: 0 allocations, 0 I/O calls in %d calls; lock "
                    "operations per call: %llu without parameter changes, %.1f on average, "
                    "%llu at most (one plug-in lock, taken again re-entrantly per change)\n",
                    doublePrecision ? "64-bit" : "32-bit", calls,
                    static_cast<unsigned long long>(locksWithoutChanges),
                    static_cast<double>(total.locks) / calls,
                    static_cast<unsigned long long>(mostLocks));
        Stop(plugin);
    }
}
