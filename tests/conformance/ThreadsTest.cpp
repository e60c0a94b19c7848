// Four threads on one instance, as hosts use it: process on the audio thread, parameter calls
// on a second, state save and restore on a third, the editor's drawing (without a window) on a
// fourth. Built with ThreadSanitizer and the plug-in's own libraries, so that the sanitizer
// sees every access; in the other builds it measures how long the audio thread waits for the
// plug-in lock and how long the other callers hold it.
#include "engine/Sorvel.h"
#include "graphics/IGraphics.h"
#include "tests/conformance/CallCounters.h"
#include "tests/conformance/ConformanceHost.h"
#include "vst3/hosting/HostApplication.h"
#include "vst3/hosting/MemoryStream.h"
#include "vst3/sdk/SpeakerArrangement.h"

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

using Changes = std::vector<std::pair<Vst::ParamID, double>>;

// One block of a tone with one point per change, in order; the outputs of both channels.
std::vector<double> Block(Plugin& plugin, const Changes& changes, int number) {
    GuardedBlock block(256, 2, false, false);
    for (int n = 0; n < 256; ++n)
        for (int c = 0; c < 2; ++c)
            block.SetInput(c, n, 0.5 * std::sin(0.03 * (number * 256 + n) + c));
    IPtr<Hosting::ParameterChanges> queues =
        IPtr<Hosting::ParameterChanges>::adopt(new Hosting::ParameterChanges);
    for (const auto& [id, value] : changes) {
        int32 index = 0;
        queues->addParameterData(id, index)->addPoint(0, value, index);
    }
    EXPECT_EQ(plugin.processor->process(block.Data(256, queues.get())), kResultOk);
    std::vector<double> out;
    for (int i = 0; i < 2 * 256; ++i)
        out.push_back(block.Output(i / 256, i % 256));
    return out;
}

} // namespace

// A block that comes while another thread (the editor, a state load) holds the lock neither
// waits nor takes half-written settings: it sounds as the block before it, and its changes land
// in the next block that gets the lock, in order, once each. A reference instance that gets them
// in that later block, and never meets the lock held, sounds the same bit for bit.
TEST(Threads, ABlockThatFindsTheLockHeldRunsOnAndItsChangesWaitForTheNext) {
    IPtr<Sorvel> instances[2] = {IPtr<Sorvel>::adopt(new Sorvel), IPtr<Sorvel>::adopt(new Sorvel)};
    Sorvel* contended = instances[0].get();
    Plugin plugins[2];
    for (int i = 0; i < 2; ++i) {
        plugins[i].component = static_cast<Vst::IComponent*>(instances[i].get());
        plugins[i].processor = static_cast<Vst::IAudioProcessor*>(instances[i].get());
        plugins[i].controller = static_cast<Vst::IEditController*>(instances[i].get());
        ASSERT_TRUE(Start(plugins[i], 48000.0, 256, false));
    }
    const Changes first = {{kPresetId, 0.0}, {12, 0.25}, {0, 0.1}};
    const Changes last = {{3, 0.2}, {kBypassId, 0.0}, {16, 1.0}, {5, 0.7}};
    const struct {
        bool lockHeld;
        Changes toContended, toReference;
    } steps[] = {
        {false, {{0, 0.8}, {14, 0.6}}, {{0, 0.8}, {14, 0.6}}},
        {true, first, {}},
        {false, {}, first},
        {true, {{3, 0.9}, {kBypassId, 1.0}}, {}},
        {true, {{3, 0.2}, {kBypassId, 0.0}, {16, 1.0}}, {}},
        {false, {{5, 0.7}}, last},
        {false, {}, {}},
    };
    for (int number = 0; number < 7; ++number) {
        std::atomic<bool> held{false}, done{false}, waited{false};
        std::thread holder([&] {
            if (!steps[number].lockHeld)
                return;
            PluginLockGuard guard(contended->Lock());
            held = true;
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!done && !(waited = std::chrono::steady_clock::now() > giveUp))
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        });
        while (steps[number].lockHeld && !held)
            std::this_thread::yield();
        const std::vector<double> heard = Block(plugins[0], steps[number].toContended, number);
        done = true;
        holder.join();
        EXPECT_FALSE(waited) << "process waited for the lock, block " << number;
        EXPECT_EQ(heard, Block(plugins[1], steps[number].toReference, number))
            << "block " << number;
    }
    for (Plugin& plugin : plugins)
        Stop(plugin);
}

TEST(Threads, ProcessParametersStateAndDrawingAtOnce) {
    IPtr<Sorvel> plugin = IPtr<Sorvel>::adopt(new Sorvel);
    IPtr<Hosting::HostApplication> host =
        IPtr<Hosting::HostApplication>::adopt(new Hosting::HostApplication(u"Threads"));
    Vst::IComponent& component = *plugin.get();
    Vst::IEditController& controller = *plugin.get();
    ASSERT_EQ(component.initialize(static_cast<Vst::IHostApplication*>(host.get())), kResultOk);
    Vst::SpeakerArrangement stereo = Vst::SpeakerArr::kStereo;
    ASSERT_EQ(plugin->setBusArrangements(&stereo, 1, &stereo, 1), kResultOk);
    Vst::ProcessSetup setup{Vst::kRealtime, Vst::kSample32, 512, 48000.0};
    ASSERT_EQ(plugin->setupProcessing(setup), kResultOk);
    component.activateBus(Vst::kAudio, Vst::kInput, 0, 1);
    component.activateBus(Vst::kAudio, Vst::kOutput, 0, 1);
    ASSERT_EQ(component.setActive(1), kResultOk);
    auto* editor = dynamic_cast<IGraphics*>(plugin->Editor());
    ASSERT_NE(editor, nullptr);

    std::atomic<bool> stop{false};
    std::atomic<bool> finite{true};
    std::atomic<long> blocks{0}, parameterCalls{0}, stateRoundTrips{0}, drawings{0};
    std::atomic<long long> longestBlockNs{0};
    // A 64-frame block at 48 kHz lasts 1.33 ms: a call longer than that is a dropout.
    std::atomic<long> blocksOverBudget{0};
    CallCounters::TimeMutex(reinterpret_cast<pthread_mutex_t*>(&plugin->Lock()));

    std::thread audio([&] {
        CallCounters::MarkAudioThread();
        std::mt19937 random(1);
        std::vector<float> left(512), right(512);
        float* channels[] = {left.data(), right.data()};
        IPtr<Hosting::ParameterChanges> changes =
            IPtr<Hosting::ParameterChanges>::adopt(new Hosting::ParameterChanges);
        auto due =
            std::chrono::steady_clock::now(); // paced: each block is due when the last played
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
            blocksOverBudget += ns > 1333333;
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
    state.join();
    drawing.join();
    const CallCounters::LockTimes times = CallCounters::StopTiming();

    std::printf("[ figures  ] %ld blocks, %ld parameter rounds, %ld state round trips, %ld "
                "drawings; longest process call %.3f ms, %ld over the 1.33 ms budget\n",
                blocks.load(), parameterCalls.load(), stateRoundTrips.load(), drawings.load(),
                longestBlockNs.load() / 1e6, blocksOverBudget.load());
    if (times.audioLocks > 0)
        std::printf("[ figures  ] plug-in lock: longest audio-thread wait %.3f ms over %llu "
                    "locks; longest hold by another "
                    "thread %.3f ms over %llu holds (%llu over "
                    "1 ms; longest by parameter calls %.3f, state %.3f, drawing %.3f ms)\n",
                    times.longestAudioWaitMs, static_cast<unsigned long long>(times.audioLocks),
                    times.longestOtherHoldMs, static_cast<unsigned long long>(times.otherLocks),
                    static_cast<unsigned long long>(times.otherHoldsOverMs), times.longestHoldMs[1],
                    times.longestHoldMs[2], times.longestHoldMs[3]);
    if (times.audioLocks > 0)
        std::printf("[ figures  ] 99.9 %% of audio-thread waits within %.4f ms, 99.9 %% of "
                    "other holds within %.4f ms\n",
                    times.audioWait999Ms, times.otherHold999Ms);
    EXPECT_TRUE(finite) << "the audio thread produced a non-finite sample";
    EXPECT_GT(blocks.load(), 0);
    EXPECT_GT(stateRoundTrips.load(), 0);
    EXPECT_GT(drawings.load(), 0);
    component.setActive(0);
    component.terminate();
}
