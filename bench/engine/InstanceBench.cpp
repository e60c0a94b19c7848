// The first plug-in instance of a process, created and destroyed without an editor, as a host
// does when it scans or loads a project: time and heap bytes. Each measurement runs in a fresh
// child process (the module-wide image cache would hide the cost in any later instance):
//   eager  the instance, then every editor image decoded into the cache, which is what building
//          the editor cost before images were decoded at their first use (the baseline);
//   lazy   the instance alone, as it is now.
// The child prints its own figures, so starting a process is not counted.

#include "engine/Sorvel.h"
#include "graphics/BitmapCache.h"
#include "graphics/ResourceImage.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr int kFirstImage = 101, kLastImage = 134;

using Clock = std::chrono::steady_clock;

struct Figures {
    double seconds = 0;
    double heapBytes = 0; // in use once the instance exists
};

// Bytes allocated, including the large blocks the allocator maps on their own.
size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

int RunChild(bool eager) {
    const size_t heapBefore = HeapInUse();
    const auto start = Clock::now();
    auto* plugin = new Sorvel;
    if (eager)
        for (int id = kFirstImage; id <= kLastImage; ++id)
            BitmapCache::Add(id, LoadModuleImage(id));
    const size_t heapAfter = HeapInUse();
    delete plugin;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%.9f %zu\n", seconds, heapAfter - heapBefore);
    return 0;
}

std::string& Self() {
    static std::string path;
    return path;
}

bool Measure(bool eager, Figures& out) {
    const std::string command = Self() + (eager ? " --child eager" : " --child lazy");
    FILE* child = popen(command.c_str(), "r");
    if (!child)
        return false;
    const bool read = std::fscanf(child, "%lf %lf", &out.seconds, &out.heapBytes) == 2;
    return pclose(child) == 0 && read;
}

void FreshInstance(benchmark::State& state) {
    Figures bestEager{1e9, 0}, bestLazy{1e9, 0};
    for (auto _ : state) {
        Figures eager, lazy;
        if (!Measure(true, eager) || !Measure(false, lazy)) {
            state.SkipWithError("the child process failed");
            return;
        }
        state.SetIterationTime(lazy.seconds);
        bestEager.seconds = std::min(bestEager.seconds, eager.seconds);
        bestLazy.seconds = std::min(bestLazy.seconds, lazy.seconds);
        bestEager.heapBytes = eager.heapBytes;
        bestLazy.heapBytes = lazy.heapBytes;
    }
    state.counters["eager_ms"] = bestEager.seconds * 1e3;
    state.counters["lazy_ms"] = bestLazy.seconds * 1e3;
    state.counters["time_vs_eager"] = bestLazy.seconds / bestEager.seconds; // best against best
    state.counters["eager_heap"] = bestEager.heapBytes;
    state.counters["lazy_heap"] = bestLazy.heapBytes;
    state.counters["heap_vs_eager"] = bestLazy.heapBytes / bestEager.heapBytes;
}

} // namespace

BENCHMARK(FreshInstance)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return RunChild(std::strcmp(argv[2], "eager") == 0);
    std::error_code error;
    Self() = std::filesystem::read_symlink("/proc/self/exe", error).string();
    if (error)
        Self() = argv[0];
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
