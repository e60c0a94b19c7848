#pragma once

// The stateless stages of the chain alone, for the differential tests, as each kernel
// translation unit builds them for its instruction set. Included only by those units, which give
// the templates their own target flags; internal linkage keeps the copies apart (see LaneMath.h).

#include "engine/FastChain.h"
#include "engine/FastChainKernel.h"

namespace {

template <int FrameLanes> void InterpolateParts(const double* history, double* fresh, int pushes) {
    using V = Doubles<2 * FrameLanes>;
    for (int p = 0; p + FrameLanes <= pushes; p += FrameLanes)
        Interpolate<V>(history + 2 * (p + 1), 2, fresh + 2 * Fresh * p, 2, 2 * Fresh, Unchanged<V>);
}

template <int FrameLanes>
void DecimateParts(const double* window, int hop, double* out, int count) {
    using V = Doubles<2 * FrameLanes>;
    for (int i = 0; i + FrameLanes <= count; i += FrameLanes)
        StoreFrames(out + 2 * i, 2, Decimate<V>(window + 2 * hop * i, 2 * hop));
}

// The stream rearranged by phase, a chunk of windows at a time, as the drive stage keeps it.
template <int FrameLanes> void DecimateByPhaseParts(const double* stream, double* out, int count) {
    using V = Doubles<2 * FrameLanes>;
    constexpr int Chunk = ChunkFrames;
    double phases[Fresh][PhaseTail + ChainScratch::Frames][2];
    static_assert(SatPhaseStep == sizeof phases[0] / sizeof(double));
    for (int first = 0; first < count; first += Chunk) {
        const int windows = count - first < Chunk ? count - first : Chunk;
        for (int r = 0; r < Fresh; ++r)
            for (int j = 0; j < PhaseTail + ChainScratch::Frames; ++j) {
                // Window i holds positions 4i .. 4i + 30 of the stream.
                const int at = Fresh * (first + j) + r - 1;
                const bool inside = at >= 0 && at < Fresh * (count - 1) + Window;
                for (int c = 0; c < ChannelCount; ++c)
                    phases[r][j][c] = inside ? stream[2 * at + c] : 0.0;
            }
        for (int i = 0; i + FrameLanes <= windows; i += FrameLanes)
            StoreFrames(out + 2 * (first + i), 2,
                        DecimatePhases<V>(phases[0][0], SatPhaseStep, i - 1));
    }
}

template <int FrameLanes> void SaturateParts(const double* in, double* out, int count) {
    using V = Doubles<2 * FrameLanes>;
    for (int i = 0; i + FrameLanes <= count; i += FrameLanes)
        StoreFrames(out + 2 * i, 2, SaturateLanes(LoadFrames<V>(in + 2 * i, 2)));
}

template <int FrameLanes> ChainKernelParts KernelParts() {
    return {InterpolateParts<FrameLanes>, DecimateParts<FrameLanes>,
            DecimateByPhaseParts<FrameLanes>, SaturateParts<FrameLanes>};
}

} // namespace
