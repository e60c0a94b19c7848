#include "engine/BiquadSection.h"
#include "engine/ProcessChain.h"
#include "engine/UpdateFilters.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <numbers>
#include <vector>

namespace {

constexpr double SampleRate = 48000.0;
constexpr int BlockFrames = 512;

// Thread CPU time: wall time would count the other processes of a loaded machine.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// The baseline every figure is divided by: one filter-section step per sample on each of the
// two channels, the smallest unit of work in the chain. Best of several passes, measured in
// this process so that machine load cancels out of the ratio.
double BaselineSecondsPerFrame() {
    static const double seconds = [] {
        BiquadSection sections[2];
        for (BiquadSection& s : sections) {
            s.kind = BiquadSection::Peak;
            s.Fc = 0.01;
            s.Q = 0.667;
            s.gain = 3.0;
            s.Design();
        }
        std::vector<double> block(BlockFrames, 0.25);
        double best = 1e9;
        for (int pass = 0; pass < 20; ++pass) {
            const double start = CpuSeconds();
            for (int repeat = 0; repeat < 200; ++repeat)
                for (int i = 0; i < BlockFrames; ++i) {
                    block[i] = sections[0].Process(block[i]);
                    block[i] = sections[1].Process(block[i]);
                }
            benchmark::DoNotOptimize(block.data());
            best = std::min(best, (CpuSeconds() - start) / (200.0 * BlockFrames));
        }
        return best;
    }();
    return seconds;
}

// One host block at a time, as the plug-in runs it: redesign, then the per-sample chain.
// items_per_second is frames per second; realtime_x is how many times faster than 48 kHz.
void BM_ProcessChain(benchmark::State& run) {
    EngineState state;
    state.driveMirror = -40.0;
    state.selectorMirror[LowCut][ChannelA] = 1.0;
    state.selectorMirror[LowCut][ChannelB] = 1.0;
    ChainSwitches switches;
    switches.oversampling = static_cast<int>(run.range(0));

    std::vector<double> left(BlockFrames), right(BlockFrames);
    for (int i = 0; i < BlockFrames; ++i) {
        left[i] = 0.5 * std::sin(2.0 * std::numbers::pi * 997.0 * i / SampleRate);
        right[i] = 0.5 * std::sin(2.0 * std::numbers::pi * 331.0 * i / SampleRate);
    }
    std::vector<double> outLeft(BlockFrames), outRight(BlockFrames);
    const double* inputs[2] = {left.data(), right.data()};
    double* outputs[2] = {outLeft.data(), outRight.data()};

    const double start = CpuSeconds();
    for (auto _ : run) {
        UpdateFilters(state, SampleRate);
        ProcessChain(state, switches, inputs, outputs, BlockFrames);
        benchmark::DoNotOptimize(outLeft.data());
        benchmark::DoNotOptimize(outRight.data());
        benchmark::ClobberMemory();
    }
    const double elapsed = CpuSeconds() - start;
    const double frames = static_cast<double>(run.iterations()) * BlockFrames;
    // How many two-channel filter steps one frame of the whole chain costs.
    run.counters["vs_biquad"] = elapsed / frames / BaselineSecondsPerFrame();
    run.SetItemsProcessed(static_cast<int64_t>(frames));
    run.counters["realtime_x"] =
        benchmark::Counter(frames / SampleRate, benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_ProcessChain)->ArgName("oversampling")->Arg(0)->Arg(1);
