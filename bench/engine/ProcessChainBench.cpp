#include "engine/ProcessChain.h"
#include "engine/UpdateFilters.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double SampleRate = 48000.0;
constexpr int BlockFrames = 512;

// One host block at a time, as the plug-in runs it: redesign, then the per-sample chain.
// items_per_second is frames per second; realtime_x is how many times faster than 48 kHz.
void BM_ProcessChain(benchmark::State& run)
{
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

    for (auto _ : run) {
        UpdateFilters(state, SampleRate);
        ProcessChain(state, switches, inputs, outputs, BlockFrames);
        benchmark::DoNotOptimize(outLeft.data());
        benchmark::DoNotOptimize(outRight.data());
        benchmark::ClobberMemory();
    }
    const double frames = static_cast<double>(run.iterations()) * BlockFrames;
    run.SetItemsProcessed(static_cast<int64_t>(frames));
    run.counters["realtime_x"] = benchmark::Counter(frames / SampleRate, benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_ProcessChain)->ArgName("oversampling")->Arg(0)->Arg(1);
