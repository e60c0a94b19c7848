// Lifecycle as hosts drive it, well and badly: a thousand create-to-release cycles must not
// grow the heap, calls out of order must answer cleanly, and bus arrangements of any shape
// must be refused or served without touching memory outside the host's buffers.
#include "tests/conformance/CallCounters.h"
#include "tests/conformance/ConformanceHost.h"
#include "vst3/hosting/MemoryStream.h"
#include "vst3/sdk/SpeakerArrangement.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <malloc.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace Steinberg;
using namespace Conformance;

namespace {

long long HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
#endif
}

long long ResidentBytes() {
    long long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%lld %lld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

// One block through the plug-in; false when it wrote outside the block or made a non-finite
// sample out of a finite input.
bool ProcessOnce(Plugin& plugin, int inChannels, int outChannels, bool doublePrecision,
                 int frames) {
    GuardedBlock in(frames, inChannels, doublePrecision, false);
    GuardedBlock out(frames, outChannels, doublePrecision, false);
    for (int c = 0; c < inChannels; ++c)
        for (int n = 0; n < frames; ++n)
            in.SetInput(c, n, 0.5 * ((n + c) % 17) / 17.0);
    Vst::ProcessData& data = in.Data(frames, nullptr);
    // The outputs are the second block's out-of-place buffers.
    Vst::ProcessData& outData = out.Data(frames, nullptr);
    data.outputs = outData.outputs;
    const tresult result = plugin.processor->process(data);
    std::string where;
    EXPECT_EQ(result, kResultOk);
    const bool inside = in.GuardsIntact(0, where) && out.GuardsIntact(frames, where);
    const bool finite = OutputFinite(out, frames, where);
    EXPECT_TRUE(inside && finite) << inChannels << " in, " << outChannels << " out: " << where;
    return inside && finite;
}

} // namespace

TEST(Lifecycle, CreateToReleaseCyclesGrowNothing) {
    auto cycle = [] {
        Plugin plugin = Create();
        ASSERT_TRUE(Start(plugin, 44100.0, 256, false));
        ProcessOnce(plugin, 2, 2, false, 256);
        Stop(plugin);
    };
    for (int i = 0; i < 20; ++i) // module-wide caches fill on the first instances
        cycle();
    const long long heapBefore = HeapInUse(), residentBefore = ResidentBytes();
    const long long blocksBefore = CallCounters::LiveAllocations();
    const int cycles = Scaled(300, 1000);
    long long heapHalfway = 0;
    for (int i = 0; i < cycles; ++i) {
        if (i == cycles / 2)
            heapHalfway = HeapInUse();
        cycle();
    }
    const long long heapGrowth = HeapInUse() - heapBefore;
    const long long blocksLeft = CallCounters::LiveAllocations() - blocksBefore;
    // The allocator's per-thread caches count as in use and wander by a few kilobytes, so the
    // check is on blocks; the bytes are reported.
    const long long lateGrowth = HeapInUse() - heapHalfway;
    const long long residentGrowth = ResidentBytes() - residentBefore;
    std::printf("[ figures  ] %d create/initialize/setup/activate/process/terminate/release "
                "cycles: heap %+lld bytes (%+lld in the second half, %+lld blocks), resident "
                "%+lld KiB\n",
                cycles, heapGrowth, lateGrowth, blocksLeft, residentGrowth / 1024);
    if (CallCounters::Available()) {
        EXPECT_EQ(blocksLeft, 0) << "heap blocks were left behind by the cycles";
    }
#if !defined(__SANITIZE_ADDRESS__) // its quarantine holds freed memory on purpose
    EXPECT_LT(residentGrowth, 8LL << 20) << "resident size grew by " << residentGrowth;
#endif
}

TEST(Lifecycle, CallsOutOfOrderAnswerCleanly) {
    {
        SCOPED_TRACE("processing before initialize and before setup");
        Plugin plugin = Create();
        ProcessOnce(plugin, 2, 2, false, 64);
        ASSERT_EQ(plugin.component->initialize(nullptr), kResultOk);
        ProcessOnce(plugin, 2, 2, false, 64);
        EXPECT_EQ(plugin.component->setActive(1), kResultOk) << "activated without a set-up";
        ProcessOnce(plugin, 2, 2, false, 64);
        ProcessOnce(plugin, 2, 2, true, 64); // another sample size than the set-up's
        EXPECT_EQ(plugin.component->setActive(1), kResultOk);
        EXPECT_EQ(plugin.component->setActive(0), kResultOk);
        EXPECT_EQ(plugin.component->setActive(0), kResultOk);
        EXPECT_EQ(plugin.component->terminate(), kResultOk);
        EXPECT_EQ(plugin.component->terminate(), kResultOk) << "a second terminate";
        ProcessOnce(plugin, 2, 2, false, 64);
    }
    {
        SCOPED_TRACE("set-up while active, blocks longer than the set-up, odd block shapes");
        Plugin plugin = Create();
        ASSERT_TRUE(Start(plugin, 48000.0, 128, false));
        Vst::ProcessSetup setup{Vst::kRealtime, Vst::kSample32, 512, 96000.0};
        EXPECT_EQ(plugin.processor->setupProcessing(setup), kResultOk);
        ProcessOnce(plugin, 2, 2, false, 1000);
        GuardedBlock block(64, 2, false, false);
        Vst::ProcessData& data = block.Data(64, nullptr);
        data.numSamples = -5;
        EXPECT_EQ(plugin.processor->process(data), kResultOk);
        data.numSamples = 64;
        data.inputs = nullptr; // counts say one bus each, the arrays are missing
        data.outputs = nullptr;
        EXPECT_EQ(plugin.processor->process(data), kResultOk);
        data.numInputs = data.numOutputs = 0;
        EXPECT_EQ(plugin.processor->process(data), kResultOk);
        std::string where;
        EXPECT_TRUE(block.GuardsIntact(0, where)) << where;
        Stop(plugin);
    }
    {
        SCOPED_TRACE("released without terminate, state before initialize");
        Plugin plugin = Create();
        IPtr<Hosting::MemoryStream> stream =
            IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream);
        EXPECT_EQ(plugin.controller->getState(stream.get()), kResultOk);
        EXPECT_EQ(stream->data().size(), static_cast<size_t>(kStateBytes));
        stream->rewind();
        EXPECT_EQ(plugin.controller->setState(stream.get()), kResultOk);
        ASSERT_EQ(plugin.component->initialize(nullptr), kResultOk);
    }
}

TEST(Lifecycle, BusArrangementsOfEveryShape) {
    auto arrangement = [](int channels) -> Vst::SpeakerArrangement {
        return channels == 1 ? Vst::SpeakerArr::kMono : (Vst::SpeakerArrangement(1) << channels) - 1;
    };
    const int counts[] = {0, 1, 2, 3, 8};
    for (bool doublePrecision : {false, true})
        for (int in : counts)
            for (int out : counts) {
                SCOPED_TRACE(testing::Message() << in << " in, " << out << " out, "
                                                << (doublePrecision ? 64 : 32) << "-bit");
                Plugin plugin = Create();
                ASSERT_TRUE(Start(plugin, 44100.0, 256, doublePrecision));
                Vst::SpeakerArrangement ins = arrangement(in), outs = arrangement(out);
                const tresult answer = plugin.processor->setBusArrangements(&ins, 1, &outs, 1);
                const bool legal = in == out && (in == 1 || in == 2);
                EXPECT_EQ(answer, legal ? kResultOk : kResultFalse);
                // Hosts that ignore a refusal still send blocks of the shape they wanted.
                ProcessOnce(plugin, in, out, doublePrecision, 256);
                Stop(plugin);
            }
}
