// A full repaint of Sorvel's editor (every control drawn into the drawing bitmap) at display
// scales 1, 1.5 and 2, each timed against the repaint at scale 1 measured in the same run
// (vs_scale1), and per pixel drawn (vs_scale1_per_pixel). The strips for each scale are made
// before timing, as an open editor has them after its first paint.

#include "engine/SorvelEditorLayout.h"
#include "graphics/IGraphics.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

struct Repaint {
    explicit Repaint(double scale) : editor(BuildSorvelEditor(nullptr)) {
        editor->SetScale(scale);
        editor->CreateDrawingBitmaps();
        whole = PixelRect{0, 0, editor->WindowWidth(), editor->WindowHeight()};
        editor->RedrawArea(whole);
    }
    double Seconds() {
        const auto start = Clock::now();
        editor->RedrawArea(whole);
        benchmark::ClobberMemory();
        return std::chrono::duration<double>(Clock::now() - start).count();
    }
    double Pixels() const { return double(whole.Width()) * whole.Height(); }

    std::unique_ptr<IGraphics> editor;
    PixelRect whole;
};

// Best of several warmed-up repaints, so that a busy machine disturbs the baseline little.
double BestSeconds(Repaint& repaint, int count) {
    double best = 1e9;
    for (int i = 0; i < count; ++i)
        best = std::min(best, repaint.Seconds());
    return best;
}

void FullRepaint(benchmark::State& state, double scale) {
    static Repaint atOne(1.0);
    static const double baseline = BestSeconds(atOne, 50);
    Repaint repaint(scale);
    double best = 1e9;
    for (auto _ : state)
        best = std::min(best, repaint.Seconds());
    state.SetItemsProcessed(state.iterations() * int64_t(repaint.Pixels()));
    state.counters["vs_scale1"] = best / baseline;
    state.counters["vs_scale1_per_pixel"] = (best / repaint.Pixels()) / (baseline / atOne.Pixels());
}

} // namespace

BENCHMARK_CAPTURE(FullRepaint, scale_1, 1.0);
BENCHMARK_CAPTURE(FullRepaint, scale_1_5, 1.5);
BENCHMARK_CAPTURE(FullRepaint, scale_2, 2.0);

BENCHMARK_MAIN();
