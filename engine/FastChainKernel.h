#pragma once

// The chain of ReferenceChain() rearranged for speed, with the same bits in every output and
// every state. Only the filter sections carry anything from one frame to the next; everything
// else is a function of the last few inputs. So a block is cut into chunks and each stage runs
// over the whole chunk before the next: the stateless stages as plain loops over frames (several
// frames per vector where the vectors are wide enough), the sections as recurrences with both
// channels in one vector, the seven equaliser sections as a wavefront in which section k works
// on the value section k - 1 produced one step earlier. The oversamplers' windows become buffers
// that grow through the chunk and keep only their tails between chunks: the equaliser's in time
// order, the saturation's by phase (see ChainScratch).
// Included only by the kernel translation units (see LaneMath.h on linkage).

#include "engine/ChainBlock.h"
#include "engine/EqualiserWavefront.h"
#include "engine/LaneMath.h"

#include <cmath>

namespace {

constexpr int ChunkFrames = ChainScratch::ChunkFrames;
constexpr int History = ChainScratch::History;
constexpr int Window = ChainScratch::Window;
constexpr int Fresh = ChainScratch::Fresh;
constexpr int PhaseTail = ChainScratch::PhaseTail;
constexpr const double* t = Oversampler::Taps;

// Oversampler::Push() for the push whose history ends at h[7]; same sums, same order. The four
// new values are stored after the owner's transform, value r at out + r * valueStep.
template <class V, class Transform>
inline void Interpolate(const double* h, int stride, double* out, int valueStep, int outStride,
                        Transform transform) {
    V x[History];
    for (int j = 0; j < History; ++j)
        x[j] = LoadFrames<V>(h + 2 * j, stride);
    const V w0 = t[0] * x[7] + t[4] * x[6] + t[8] * x[5] + t[12] * x[4] + t[16] * x[3] +
                 t[20] * x[2] + t[24] * x[1] + t[28] * x[0];
    const V w1 =
        t[1] * (x[7] + x[0]) + t[5] * (x[6] + x[1]) + t[9] * (x[5] + x[2]) + t[13] * (x[4] + x[3]);
    const V w2 = t[2] * x[7] + t[6] * x[6] + t[10] * x[5] + t[14] * x[4] + t[18] * x[3] +
                 t[22] * x[2] + t[26] * x[1] + t[30] * x[0];
    const V w3 = t[15] * x[4];
    StoreFrames(out, outStride, transform(w0));
    StoreFrames(out + valueStep, outStride, transform(w1));
    StoreFrames(out + 2 * valueStep, outStride, transform(w2));
    StoreFrames(out + 3 * valueStep, outStride, transform(w3));
}

template <class V> inline V Unchanged(V v) {
    return v;
}

// Oversampler::Decimate() of the window whose position k at(k) loads.
template <class V, class At> inline V DecimateAt(At at) {
    V sum = t[15] * at(15);
#pragma GCC unroll 15
    for (int k = 0; k < 15; ++k) {
        if (t[k] != 0.0)
            sum += t[k] * (at(k) + at(30 - k));
    }
    return sum;
}

// Of the window starting at w, whose positions lie step doubles apart.
template <class V> inline V Decimate(const double* w, int stride, int step = 2) {
    return DecimateAt<V>([=](int k) { return LoadFrames<V>(w + step * k, stride); });
}

// Of the window after push p (and the frames after it), from a window kept by phase: value r of
// push p at phases + r * phaseStep + 2 * (PhaseTail + p).
template <class V> inline V DecimatePhases(const double* phases, int phaseStep, int p) {
    return DecimateAt<V>([=](int k) {
        const int r = (k + 1) % Fresh;
        return LoadFrames<V>(phases + r * phaseStep + 2 * (p + 1 + (k + 1) / Fresh), 2);
    });
}

constexpr int SatPhaseStep = 2 * (PhaseTail + ChainScratch::Frames);

template <int FrameLanes> class FastChainKernel {
    using V = Doubles<2 * FrameLanes>;
    using Quad = Doubles<4>;
    static constexpr bool Wide = FrameLanes >= 2;
    static_assert(FrameLanes - 1 <= ChainScratch::Overhang);

  public:
    FastChainKernel(EngineState& state, const ChainBlock& block)
        : state(state), block(block), satPeak(LoadSections(state.satPeak)),
          outPeak(LoadSections(state.outPeak)), satPeakZero(satPeak), outPeakZero(outPeak),
          buffers(state.scratch) {
        equaliser.Load(state.eq);
        ChainScratch& b = buffers;
        for (int c = 0; c < ChannelCount; ++c) {
            const Oversampler& sat = state.satOversampler[c];
            const Oversampler& eq = state.eqOversampler[c];
            for (int k = 0; k < History; ++k) {
                b.satHistory[k][c] = sat.History()[k];
                b.eqHistory[k][c] = eq.History()[k];
            }
            for (int k = 0; k < Window; ++k) {
                b.satPhases[(k + 1) % Fresh][(k + 1) / Fresh][c] = sat.Window()[k];
                b.eqWindow[k][c] = eq.Window()[k];
            }
        }
        if constexpr (Wide)
            for (int k = 0; k < Window; ++k) {
                std::memcpy(b.eqPairs[k], b.eqWindow[k], sizeof(Pair));
                if (k + PairDistance < Window)
                    std::memcpy(b.eqPairs[k] + 2, b.eqWindow[k + PairDistance], sizeof(Pair));
            }
    }

    void Run(const double* const* inputs, double* const* outputs, int frameCount) {
        // At the host rate the oversampled branch's values are only kept for a later switch,
        // so only the pushes that reach the block's last window need them.
        const int windowFrom = block.oversampled ? 0 : frameCount - (Window / Fresh + 1);
        for (int start = 0; start < frameCount; start += ChunkFrames) {
            const int n = frameCount - start < ChunkFrames ? frameCount - start : ChunkFrames;
            RunChunk(inputs, outputs, start, n, windowFrom - start);
        }
    }

    void Finish() {
        StoreState(satPeak, state.satPeak);
        StoreState(outPeak, state.outPeak);
        equaliser.Store(state.eq);
        const ChainScratch& b = buffers;
        for (int c = 0; c < ChannelCount; ++c) {
            double h[History], w[Window];
            for (int k = 0; k < History; ++k)
                h[k] = b.satHistory[k][c];
            for (int k = 0; k < Window; ++k)
                w[k] = b.satPhases[(k + 1) % Fresh][(k + 1) / Fresh][c];
            state.satOversampler[c].Restore(w, h);
            for (int k = 0; k < History; ++k)
                h[k] = b.eqHistory[k][c];
            for (int k = 0; k < Window; ++k)
                w[k] = b.eqWindow[k][c];
            state.eqOversampler[c].Restore(w, h);
        }
    }

  private:
    // Frames n and on are a vector's overhang: computed from zeros and then ignored.
    int Padded(int n) const { return (n + FrameLanes - 1) / FrameLanes * FrameLanes; }

    // Frames from windowFrom on need the drive stage's oversampled values.
    void RunChunk(const double* const* inputs, double* const* outputs, int start, int n,
                  int windowFrom) {
        ChainScratch& b = buffers;
        const double root2 = std::sqrt(2.0);
        for (int i = 0; i < n; ++i) {
            const double left = inputs[0][start + i];
            const double right = inputs[1][start + i];
            const Pair x = block.midSide ? Pair{left + right, left - right} / root2 + DenormalOffset
                                         : Pair{left, right} + DenormalOffset;
            const Pair driven = block.driveGain * x;
            StoreFrames(b.driven[i], 0, driven);
            StoreFrames(b.satHistory[History + i], 0, 4.0 * driven);
        }
        for (int i = n; i < Padded(n); ++i)
            for (int c = 0; c < ChannelCount; ++c)
                b.driven[i][c] = b.satHistory[History + i][c] = 0.0;

        // The drive stage: four saturated values per push for the whole chunk first, in a loop
        // of its own (measured about a tenth faster for the oversampled chain than one loop
        // with the decimation), then the oversampled or the host-rate result through its fixed
        // section, then pushed twice into the equaliser's history. The fixed section's steps
        // overlap with the next frames' decimations.
        const V makeUp = Broadcast<V>(block.makeUpGain);
        for (int i = windowFrom > 0 ? windowFrom / FrameLanes * FrameLanes : 0; i < Padded(n);
             i += FrameLanes)
            Interpolate<V>(b.satHistory[i + 1], 2, b.satPhases[0][PhaseTail + i], SatPhaseStep, 2,
                           SaturateLanes<V>);
        for (int i = 0; i < Padded(n); i += FrameLanes) {
            if (block.oversampled)
                StoreFrames(b.stage[i], 2,
                            makeUp * DecimatePhases<V>(b.satPhases[0][0], SatPhaseStep, i));
            else
                StoreFrames(b.stage[i], 2, makeUp * SaturateLanes(LoadFrames<V>(b.driven[i], 2)));
            for (int f = i; f < i + FrameLanes && f < n; ++f) {
                Pair y = LoadFrames<Pair>(b.stage[f], 0);
                if (block.oversampled)
                    y = satPeak.Process(y);
                satPeakZero.Run(satPeak);
                const Pair pushed = 4.0 * y;
                StoreFrames(b.eqHistory[History + 2 * f], 0, pushed);
                StoreFrames(b.eqHistory[History + 2 * f + 1], 0, pushed);
            }
        }

        // The equaliser: every new value through the seven sections, one value per frame back
        // down through the output section and gain, and the output matrix.
        for (int push = 0; push < 2 * n; push += FrameLanes)
            Interpolate<V>(b.eqHistory[push + 1], 2, b.eqWindow[Window + Fresh * push], 2,
                           2 * Fresh, ThroughSingle<V>);
        double* pairs = nullptr;
        if constexpr (Wide)
            pairs = b.eqPairs[Window];
        equaliser.Run(b.eqWindow[Window], 2 * Fresh * n, pairs);
        if constexpr (Wide) {
            if (Padded(n) != n) {
                const int end = Window + 2 * Fresh * n;
                const int overhang = 2 * Fresh * (Padded(n) - n);
                for (int k = 0; k < overhang; ++k)
                    for (int c = 0; c < ChannelCount; ++c)
                        b.eqWindow[end + k][c] = 0.0;
                for (int k = end - PairDistance; k < end + overhang + PairDistance; ++k)
                    for (int d = k < end ? 2 : 0; d < 4; ++d)
                        b.eqPairs[k][d] = 0.0;
            }
        }
        const Pair outputGain = {block.outputGain[ChannelA], block.outputGain[ChannelB]};
        for (int i = 0; i < Padded(n); i += FrameLanes) {
            if constexpr (Wide) {
                for (int h = i; h < i + FrameLanes; h += 2)
                    StoreFrames(b.stage[h], 2,
                                Decimate<Quad>(b.eqPairs[2 * Fresh * (h + 1)], 2, 4));
            } else {
                StoreFrames(b.stage[i], 2, Decimate<V>(b.eqWindow[2 * Fresh * (i + 1)], 4 * Fresh));
            }
            for (int f = i; f < i + FrameLanes && f < n; ++f) {
                const Pair o = outputGain * outPeak.Process(LoadFrames<Pair>(b.stage[f], 0));
                outPeakZero.Run(outPeak);
                const double left = inputs[0][start + f];
                const double right = inputs[1][start + f];
                const Pair lr =
                    (block.midSide ? Pair{o[0] + o[1], o[0] - o[1]} / root2 : o) - DenormalOffset;
                outputs[0][start + f] = block.bypass ? left : lr[0];
                outputs[1][start + f] = block.bypass ? right : lr[1];
            }
        }

        std::memmove(b.satHistory[0], b.satHistory[n], sizeof(double) * 2 * History);
        for (int r = 0; r < Fresh; ++r)
            std::memmove(b.satPhases[r][0], b.satPhases[r][n], sizeof(double) * 2 * PhaseTail);
        std::memmove(b.eqHistory[0], b.eqHistory[2 * n], sizeof(double) * 2 * History);
        std::memmove(b.eqWindow[0], b.eqWindow[2 * Fresh * n], sizeof(double) * 2 * Window);
        if constexpr (Wide)
            std::memmove(b.eqPairs[0], b.eqPairs[2 * Fresh * n], sizeof(double) * 4 * Window);
    }

    EngineState& state;
    const ChainBlock& block;
    SectionLanes<Pair> satPeak;
    SectionLanes<Pair> outPeak;
    const ZeroInputStep<Pair> satPeakZero;
    const ZeroInputStep<Pair> outPeakZero;
    EqualiserWavefront<Wide> equaliser;
    static constexpr int PairDistance = EqualiserWavefront<Wide>::PairDistance;
    ChainScratch& buffers;
};

} // namespace
