// Blit speed for the editor's case: whole-window blits and one knob frame, with each rule timed
// against a plain row-by-row memcpy of the same area measured in the same run (vs_memcpy).

#include "lice/BlitBitmap.h"
#include "lice/LICE_MemBitmap.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>

namespace {

constexpr int kEditorWidth = 1156, kEditorHeight = 456;

using Clock = std::chrono::steady_clock;

void FillPattern(LICE_MemBitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.Bits()[y * bitmap.RowSpan() + x] = 0x80000000u * (x & 1) + 0x01030507u * (x ^ y);
}

double MemcpySeconds(int width, int height) {
    LICE_MemBitmap dest(width, height), src(width, height);
    FillPattern(src);
    constexpr int kRepeats = 200;
    const auto start = Clock::now();
    for (int i = 0; i < kRepeats; ++i) {
        for (int y = 0; y < height; ++y)
            std::memcpy(dest.Bits() + y * dest.RowSpan(), src.Bits() + y * src.RowSpan(),
                        size_t(width) * 4);
        benchmark::DoNotOptimize(dest.Bits());
        benchmark::ClobberMemory();
    }
    return std::chrono::duration<double>(Clock::now() - start).count() / kRepeats;
}

void Blit(benchmark::State& state, int width, int height, float weight, int mode) {
    static const double editorBaseline = MemcpySeconds(kEditorWidth, kEditorHeight);
    const double baseline = width == kEditorWidth ? editorBaseline : MemcpySeconds(width, height);
    LICE_MemBitmap dest(width, height), src(width, height);
    FillPattern(dest);
    FillPattern(src);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        BlitBitmap(&dest, &src, 0, 0, nullptr, weight, mode);
        benchmark::DoNotOptimize(dest.Bits());
        benchmark::ClobberMemory();
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    state.SetItemsProcessed(state.iterations() * int64_t{width} * height);
    state.counters["vs_memcpy"] = seconds / double(state.iterations()) / baseline;
}

} // namespace

BENCHMARK_CAPTURE(Blit, copy_full, kEditorWidth, kEditorHeight, 1.0f, BlitCopy);
BENCHMARK_CAPTURE(Blit, copy_half, kEditorWidth, kEditorHeight, 0.5f, BlitCopy);
BENCHMARK_CAPTURE(Blit, copy_weighted, kEditorWidth, kEditorHeight, 0.3f, BlitCopy);
BENCHMARK_CAPTURE(Blit, copy_source_alpha, kEditorWidth, kEditorHeight, 1.0f,
                  BlitCopy | BlitUseSourceAlpha);
BENCHMARK_CAPTURE(Blit, copy_source_alpha_weighted, kEditorWidth, kEditorHeight, 0.7f,
                  BlitCopy | BlitUseSourceAlpha);
BENCHMARK_CAPTURE(Blit, add, kEditorWidth, kEditorHeight, 1.0f, BlitAdd);
BENCHMARK_CAPTURE(Blit, hsv_adjust, kEditorWidth, kEditorHeight, 1.0f, BlitHsvAdjust);
BENCHMARK_CAPTURE(Blit, knob_frame_source_alpha, 64, 64, 1.0f, BlitCopy | BlitUseSourceAlpha);

BENCHMARK_MAIN();
