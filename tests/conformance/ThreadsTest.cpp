// Threads on one instance, as hosts use it: process on the audio thread, parameter calls and
// polling, state save and restore, and the editor's drawing (without a window) on others; and
// a block that finds the plug-in lock held by another thread. Built with ThreadSanitizer and the
// plug-in's own libraries, so that the sanitizer sees every access; in the other builds it
// measures how long the audio thread waits for the plug-in lock and how long the other callers
// hold it.
#include "engine/Sorvel.h"
#include "graphics/IGraphics.h"
#include "tests/conformance/CallCounters.h"
#include "tests/conformance/ConformanceHost.h"
#include "vst3/hosting/MemoryStream.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

using namespace Steinberg;
using namespace Conformance;

namespace {

// The plug-in's own classes in this process, so that a test can reach the plug-in lock.
struct InProcess {
    IPtr<Sorvel> sorvel = IPtr<Sorvel>::adopt(new Sorvel);
    Plugin plugin;
    InProcess() {
        plugin.component = static_cast<Vst::IComponent*>(sorvel.get());
        plugin.processor = static_cast<Vst::IAudioProcessor*>(sorvel.get());
        plugin.controller = static_cast<Vst::IEditController*>(sorvel.get());
    }
};

using Changes = std::vector<std::pair<Vst::ParamID, double>>;

// One block of a tone through the plug-in with the given changes (one point each, in order).
std::vector<double> Block(Plugin& plugin, const Changes& changes, int number) {
    constexpr int kFrames = 256;
    GuardedBlock block(kFrames, 2, false, false);
    for (int n = 0; n < kFrames; ++n)
        for (int c = 0; c < 2; ++c)
            block.SetInput(c, n, 0.5 * std::sin(0.03 * (number * kFrames + n) + c));
    IPtr<Hosting::ParameterChanges> queues =
        IPtr<Hosting::ParameterChanges>::adopt(new Hosting::ParameterChanges);
    for (const auto& [id, value] : changes) {
        int32 index = 0;
        queues->addParameterData(id, index)->addPoint(0, value, index);
    }
    EXPECT_EQ(plugin.processor->process(block.Data(kFrames, queues.get())), kResultOk);
    std::vector<double> out;
    for (int c = 0; c < 2; ++c)
        for (int n = 0; n < kFrames; ++n)
            out.push_back(block.Output(c, n));
    return out;
}

std::vector<uint8> SavedState(Plugin& plugin) {
    IPtr<Hosting::MemoryStream> stream =
        IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream);
    EXPECT_EQ(plugin.controller->getState(stream.get()), kResultOk);
    return stream->data();
}

} // namespace

// Another thread (the editor, a state load) holds the lock while a block comes: the block must
// neither wait nor take half-written settings. It sounds as the previous block did, and its
// changes land in the next block that gets the lock, in order, once each. A reference instance
// that gets the changes in that later block, and never meets the lock held, must sound the
// same bit for bit, block by block, and end in the same state.
TEST(Threads, ABlockThatFindsTheLockHeldRunsOnAndItsChangesWaitForTheNext) {
    InProcess contended, reference;
    ASSERT_TRUE(Start(contended.plugin, 48000.0, 256, false));
    ASSERT_TRUE(Start(reference.plugin, 48000.0, 256, false));
    struct Step {
        const char* what;
        bool lockHeld;
        Changes toContended, toReference;
    };
    const Changes start = {{0, 0.8}, {14, 0.6}, {2, 0.3}};
    const Changes first = {{kPresetId, 0.0}, {12, 0.25}, {0, 0.1}};
    const Changes second = {{3, 0.2}, {kBypassId, 0.0}, {16, 1.0}};
    Changes secondThenOwn = second;
    secondThenOwn.push_back({5, 0.7});
    const Step steps[] = {
        {"no contention", false, start, start},
        {"the lock held: a preset change and two values wait", true, first, {}},
        {"they land in the order they came", false, {}, first},
        {"the lock held twice: only the last values count", true, {{3, 0.9}, {kBypassId, 1.0}}, {}},
        {"and again", true, second, {}},
        {"the kept changes land before the block's own", false, {{5, 0.7}}, secondThenOwn},
        {"nothing is applied twice", false, {}, {}},
    };
    int number = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string("block ") + std::to_string(number) + ": " + step.what);
        std::atomic<bool> held{false}, done{false};
        std::thread holder;
        if (step.lockHeld) {
            holder = std::thread([&] {
                PluginLockGuard guard(contended.sorvel->Lock());
                held = true;
                const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
                while (!done && std::chrono::steady_clock::now() < giveUp)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            });
            while (!held)
                std::this_thread::yield();
        }
        const auto begin = std::chrono::steady_clock::now();
        const std::vector<double> heard = Block(contended.plugin, step.toContended, number);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        done = true;
        if (holder.joinable())
            holder.join();
        EXPECT_LT(seconds, 2.0) << "process waited for the lock";
        EXPECT_EQ(heard, Block(reference.plugin, step.toReference, number));
        ++number;
    }
    EXPECT_EQ(SavedState(contended.plugin), SavedState(reference.plugin));
    Stop(contended.plugin);
    Stop(reference.plugin);
}

TEST(Threads, ProcessParametersStateAndDrawingAtOnce) {
    InProcess instance;
    ASSERT_TRUE(Start(instance.plugin, 48000.0, 512, false));
    IPtr<Sorvel>& plugin = instance.sorvel;
    Vst::IEditController& controller = *plugin.get();
    auto* editor = dynamic_cast<IGraphics*>(plugin->Editor());
    ASSERT_NE(editor, nullptr);

    std::atomic<bool> stop{false};
    std::atomic<bool> finite{true};
    std::atomic<long> blocks{0}, parameterCalls{0}, stateRoundTrips{0}, drawings{0};
    std::atomic<long long> longestBlockNs{0};
    // A 64-frame block at 48 kHz lasts 1.33 ms: a call longer than that is a dropout.
    constexpr long long kBlockBudgetNs = 1333333;
    std::atomic<long> blocksOverBudget{0};
    CallCounters::TimeMutex(reinterpret_cast<pthread_mutex_t*>(&plugin->Lock()));

    std::thread audio([&] {
        CallCounters::MarkAudioThread();
        std::mt19937 random(1);
        std::vector<float> left(512), right(512);
        float* channels[] = {left.data(), right.data()};
        IPtr<Hosting::ParameterChanges> changes =
            IPtr<Hosting::ParameterChanges>::adopt(new Hosting::ParameterChanges);
        // Paced as a host's audio thread is: the next block is due when this one has played.
        auto due = std::chrono::steady_clock::now();
        while (!stop) {
            const int frames = 1 + static_cast<int>(random() % 512);
            std::this_thread::sleep_until(due);
            due += std::chrono::microseconds(frames * 1000000LL / 48000);
            for (int n = 0; n < frames; ++n)
                left[n] = right[n] = static_cast<float>(std::sin(0.01 * n));
            changes->clear();
            int32 index = 0;
            changes->addParameterData(random() % kCoreParameters, index)
                ->addPoint(0, (random() % 100) / 99.0, index);
            Vst::AudioBusBuffers in{}, out{};
            in.numChannels = out.numChannels = 2;
            in.channelBuffers32 = out.channelBuffers32 = channels;
            Vst::ProcessData data{};
            data.symbolicSampleSize = Vst::kSample32;
            data.numSamples = frames;
            data.numInputs = data.numOutputs = 1;
            data.inputs = &in;
            data.outputs = &out;
            data.inputParameterChanges = changes.get();
            const auto start = std::chrono::steady_clock::now();
            plugin->process(data);
            const long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                     std::chrono::steady_clock::now() - start)
                                     .count();
            if (ns > longestBlockNs)
                longestBlockNs = ns;
            if (ns > kBlockBudgetNs)
                ++blocksOverBudget;
            for (int n = 0; n < frames; ++n)
                if (!std::isfinite(left[n]) || !std::isfinite(right[n]))
                    finite = false;
            ++blocks;
        }
    });
    std::thread parameters([&] {
        CallCounters::MarkThread(1);
        std::mt19937 random(2);
        Vst::String128 text;
        while (!stop) {
            const Vst::ParamID id = random() % kCoreParameters;
            const double value = (random() % 1000) / 999.0;
            controller.setParamNormalized(id, value);
            controller.getParamNormalized(id);
            controller.getParamStringByValue(id, value, text);
            Vst::ParamValue parsed = 0.0;
            controller.getParamValueByString(id, text, parsed);
            controller.normalizedParamToPlain(id, parsed);
            ++parameterCalls;
            std::this_thread::yield(); // as below: calls that relock at once starve a waiter
        }
    });
    // A host polling the values for its automation lanes.
    std::thread polling([&] {
        CallCounters::MarkThread(1);
        Vst::String128 text;
        while (!stop) {
            for (Vst::ParamID id = 0; id < kCoreParameters; ++id)
                controller.getParamStringByValue(id, controller.getParamNormalized(id), text);
            std::this_thread::yield();
        }
    });
    std::thread state([&] {
        CallCounters::MarkThread(2);
        while (!stop) {
            IPtr<Hosting::MemoryStream> stream =
                IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream);
            controller.getState(stream.get());
            stream->rewind();
            controller.setState(stream.get());
            ++stateRoundTrips;
            // An unfair mutex lets a thread that relocks at once starve a waiter; a host's
            // calls come far apart, so the threads step aside after each round.
            std::this_thread::yield();
        }
    });
    std::thread drawing([&] {
        CallCounters::MarkThread(3);
        const PixelRect whole{0, 0, editor->Width(), editor->Height()};
        while (!stop) {
            PixelRect dirty;
            if (editor->CollectDirtyArea(dirty))
                editor->RedrawArea(dirty);
            if (drawings % 16 == 0)
                editor->RedrawArea(whole);
            ++drawings;
        }
    });

    std::this_thread::sleep_for(std::chrono::milliseconds(Scaled(2000, 10000)));
    stop = true;
    audio.join();
    parameters.join();
    polling.join();
    state.join();
    drawing.join();
    const CallCounters::LockTimes times = CallCounters::StopTiming();

    std::printf("[ figures  ] %ld blocks, %ld parameter rounds, %ld state round trips, %ld "
                "drawings; longest process call %.3f ms, %ld calls over the 1.33 ms budget\n",
                blocks.load(), parameterCalls.load(), stateRoundTrips.load(), drawings.load(),
                longestBlockNs.load() / 1e6, blocksOverBudget.load());
    std::printf("[ figures  ] plug-in lock: the audio thread tried it %llu times, found it held "
                "%llu times, waited for it %llu times (longest %.3f ms, %llu over 0.1 ms)\n",
                static_cast<unsigned long long>(times.audioTries),
                static_cast<unsigned long long>(times.audioTriesRefused),
                static_cast<unsigned long long>(times.audioLocks), times.longestAudioWaitMs,
                static_cast<unsigned long long>(times.audioWaitsOver100Us));
    std::printf("[ figures  ] longest hold by another thread %.3f ms over %llu holds (%llu over 1 "
                "ms; longest by parameter calls %.3f, state %.3f, drawing %.3f ms); 99.9 %% of "
                "them within %.4f ms\n",
                times.longestOtherHoldMs, static_cast<unsigned long long>(times.otherLocks),
                static_cast<unsigned long long>(times.otherHoldsOverMs), times.longestHoldMs[1],
                times.longestHoldMs[2], times.longestHoldMs[3], times.otherHold999Ms);
    if (times.audioTries > 0) {
        EXPECT_EQ(times.audioLocks, 0u) << "the audio thread waited for the plug-in lock";
    }
    EXPECT_TRUE(finite) << "the audio thread produced a non-finite sample";
    EXPECT_GT(blocks.load(), 0);
    EXPECT_GT(stateRoundTrips.load(), 0);
    EXPECT_GT(drawings.load(), 0);
    Stop(instance.plugin);
}
