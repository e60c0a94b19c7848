#include "engine/FastChain.h"
#include "engine/ReferenceChain.h"
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

enum Setting { Defaults, DefaultsOversampled, EveryBandBoosted };
enum Chain { Reference, Fast, FastSse2, FastAvx2, FastAvx512, ChainCount };

ChainKernel KernelOf(Chain chain) {
    return chain == FastAvx512 ? ChainKernel::Avx512
           : chain == FastAvx2 ? ChainKernel::Avx2
                               : ChainKernel::Sse2;
}

// One host block at a time, as the plug-in runs it: redesign, then the chain.
struct ChainRun {
    EngineState state;
    ChainSwitches switches;
    std::vector<double> left, right, outLeft, outRight;

    explicit ChainRun(Setting setting)
        : left(BlockFrames), right(BlockFrames), outLeft(BlockFrames), outRight(BlockFrames) {
        state.driveMirror = -40.0;
        state.selectorMirror[LowCut][ChannelA] = 1.0;
        state.selectorMirror[LowCut][ChannelB] = 1.0;
        switches.oversampling = setting == Defaults ? 0 : 1;
        if (setting == EveryBandBoosted) {
            state.driveMirror = -20.0;
            for (int band = 0; band < GainBandCount; ++band)
                for (int c = 0; c < ChannelCount; ++c)
                    state.gainMirror[band][c] = band == MidBand2 || band == MidBand3 ? 4.5 : 9.0;
        }
        for (int i = 0; i < BlockFrames; ++i) {
            left[i] = 0.5 * std::sin(2.0 * std::numbers::pi * 997.0 * i / SampleRate);
            right[i] = 0.5 * std::sin(2.0 * std::numbers::pi * 331.0 * i / SampleRate);
        }
    }

    void Block(Chain chain) {
        const double* inputs[2] = {left.data(), right.data()};
        double* outputs[2] = {outLeft.data(), outRight.data()};
        UpdateFilters(state, SampleRate);
        if (chain == Reference)
            ReferenceChain(state, switches, inputs, outputs, BlockFrames);
        else if (chain == Fast)
            ProcessChain(state, switches, inputs, outputs, BlockFrames);
        else
            ProcessChainWith(KernelOf(chain), state, switches, inputs, outputs, BlockFrames);
        benchmark::DoNotOptimize(outLeft.data());
        benchmark::DoNotOptimize(outRight.data());
        benchmark::ClobberMemory();
    }
};

// A chain's CPU seconds per frame for a setting: the best pass of 20 blocks measured so far in
// this process. Speed-ups divide best by best, so that machine load cancels out of them.
double BestSecondsPerFrame(Setting setting, Chain chain, int passes) {
    static double best[3][ChainCount] = {};
    ChainRun run(setting);
    if (best[setting][chain] == 0.0)
        best[setting][chain] = 1e9;
    for (int pass = 0; pass < passes; ++pass) {
        const double start = CpuSeconds();
        for (int repeat = 0; repeat < 20; ++repeat)
            run.Block(chain);
        best[setting][chain] =
            std::min(best[setting][chain], (CpuSeconds() - start) / (20.0 * BlockFrames));
    }
    return best[setting][chain];
}

// items_per_second is frames per second, realtime_x how many times faster than 48 kHz runs,
// speedup how many times faster than the reference chain on the same setting (best passes).
void BM_Chain(benchmark::State& state) {
    const auto setting = static_cast<Setting>(state.range(0));
    const auto chain = static_cast<Chain>(state.range(1));
    const ChainKernel best = BestChainKernel();
    if ((chain == FastAvx2 && best == ChainKernel::Sse2) ||
        (chain == FastAvx512 && best != ChainKernel::Avx512)) {
        state.SkipWithError(chain == FastAvx2 ? "no AVX2 on this processor"
                                              : "no AVX-512 on this processor");
        return;
    }
    ChainRun run(setting);
    for (auto _ : state)
        run.Block(chain);
    const double frames = static_cast<double>(state.iterations()) * BlockFrames;
    state.SetItemsProcessed(static_cast<int64_t>(frames));
    state.counters["realtime_x"] =
        benchmark::Counter(frames / SampleRate, benchmark::Counter::kIsRate);
    state.counters["speedup"] =
        BestSecondsPerFrame(setting, Reference, 10) / BestSecondsPerFrame(setting, chain, 10);
}

void Settings(benchmark::internal::Benchmark* b) {
    b->ArgNames({"setting", "chain"});
    for (int setting : {Defaults, DefaultsOversampled, EveryBandBoosted})
        for (int chain : {Reference, Fast, FastSse2, FastAvx2, FastAvx512})
            b->Args({setting, chain});
}

} // namespace

// setting: 0 defaults, 1 defaults oversampled, 2 every band boosted (oversampled, drive -20 dB).
// chain: 0 reference, 1 fast (the plug-in's choice), 2 fast SSE2, 3 fast AVX2, 4 fast AVX-512.
BENCHMARK(BM_Chain)->Apply(Settings);
