#pragma once

// The chain of ReferenceChain() rearranged for speed, with the same bits in every output and
// every state. Only the filter sections carry anything from one frame to the next; everything
// else is a function of the last few inputs. So a block is cut into chunks and each stage runs
// over the whole chunk before the next: the stateless stages as plain loops over frames (several
// frames per vector where the vectors are wide enough), the sections as recurrences with both
// channels in one vector, the seven equaliser sections as a wavefront in which section k works
// on the value section k - 1 produced one step earlier. The oversamplers' windows become linear
// buffers that grow through the chunk and keep only their tails between chunks.
// Included only by the kernel translation units (see LaneMath.h on linkage).

#include "engine/ChainBlock.h"
#include "engine/EqualiserWavefront.h"
#include "engine/LaneMath.h"

#include <cmath>

namespace {

constexpr int ChunkFrames = 64;
constexpr int History = Oversampler::HistoryCount;
constexpr int Window = Oversampler::TapCount;
constexpr int Fresh = Oversampler::NewCount;
constexpr const double* t = Oversampler::Taps;

// Every buffer holds channel A and B per position, and room for one frame past the chunk, which
// a two-frame vector may compute and nobody reads.
template <int FrameLanes> struct ChunkBuffers {
    alignas(32) double driven[ChunkFrames + 1][2];
    alignas(32) double satHistory[History + ChunkFrames + 1][2]; // pushed values times 4
    alignas(32) double satWindow[Window + Fresh * (ChunkFrames + 1)][2];
    alignas(32) double stage[ChunkFrames + 1][2];
    alignas(32) double eqHistory[History + 2 * ChunkFrames + 2][2];
    alignas(32) double eqWindow[Window + 2 * Fresh * (ChunkFrames + 1)][2];
    // Two frames per vector: the equaliser's window again with each position beside the one a
    // frame later, so that one load serves both frames' decimation.
    alignas(32) double eqPairs[FrameLanes == 2 ? Window + 2 * Fresh * (ChunkFrames + 2) : 1][4];
};

// Oversampler::Push() for the push whose history ends at h[7]; same sums, same order. The four
// new values are stored after the owner's transform.
template <class V, class Transform>
inline void Interpolate(const double* h, int stride, double* out, int outStride,
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
    StoreFrames(out + 0, outStride, transform(w0));
    StoreFrames(out + 2, outStride, transform(w1));
    StoreFrames(out + 4, outStride, transform(w2));
    StoreFrames(out + 6, outStride, transform(w3));
}

template <class V> inline V Unchanged(V v) {
    return v;
}

// Oversampler::Decimate() of the window starting at w, whose positions lie step doubles apart.
template <class V> inline V Decimate(const double* w, int stride, int step = 2) {
    V sum = t[15] * LoadFrames<V>(w + step * 15, stride);
#pragma GCC unroll 15
    for (int k = 0; k < 15; ++k) {
        if (t[k] != 0.0)
            sum += t[k] * (LoadFrames<V>(w + step * k, stride) +
                           LoadFrames<V>(w + step * (30 - k), stride));
    }
    return sum;
}

template <int FrameLanes> class FastChainKernel {
    using V = Doubles<2 * FrameLanes>;

  public:
    FastChainKernel(EngineState& state, const ChainBlock& block)
        : state(state), block(block), satPeak(LoadSections(state.satPeak)),
          outPeak(LoadSections(state.outPeak)), satPeakZero(satPeak), outPeakZero(outPeak) {
        equaliser.Load(state.eq);
        LoadOversampler(state.satOversampler, buffers.satHistory, buffers.satWindow);
        LoadOversampler(state.eqOversampler, buffers.eqHistory, buffers.eqWindow);
        if constexpr (FrameLanes == 2)
            for (int k = 0; k < Window; ++k) {
                std::memcpy(buffers.eqPairs[k], buffers.eqWindow[k], sizeof(Pair));
                if (k + PairDistance < Window)
                    std::memcpy(buffers.eqPairs[k] + 2, buffers.eqWindow[k + PairDistance],
                                sizeof(Pair));
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
        StoreOversampler(buffers.satHistory, buffers.satWindow, state.satOversampler);
        StoreOversampler(buffers.eqHistory, buffers.eqWindow, state.eqOversampler);
    }

  private:
    // Frames n and on are a vector's overhang: computed from zeros and then ignored.
    int Padded(int n) const { return (n + FrameLanes - 1) / FrameLanes * FrameLanes; }

    // Frames from windowFrom on need the drive stage's oversampled values.
    void RunChunk(const double* const* inputs, double* const* outputs, int start, int n,
                  int windowFrom) {
        ChunkBuffers<FrameLanes>& b = buffers;
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

        // The drive stage: four saturated values per push, then the oversampled or the
        // host-rate result through its fixed section, then pushed twice into the equaliser's
        // history. The fixed section's steps overlap with the next frames' other work.
        const V makeUp = Broadcast<V>(block.makeUpGain);
        for (int i = 0; i < Padded(n); i += FrameLanes) {
            if (i + FrameLanes > windowFrom)
                Interpolate<V>(b.satHistory[i + 1], 2, b.satWindow[Window + Fresh * i], 2 * Fresh,
                               SaturateLanes<V>);
            if (block.oversampled)
                StoreFrames(b.stage[i], 2,
                            makeUp * Decimate<V>(b.satWindow[Fresh * (i + 1)], 2 * Fresh));
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
            Interpolate<V>(b.eqHistory[push + 1], 2, b.eqWindow[Window + Fresh * push], 2 * Fresh,
                           ThroughSingle<V>);
        double* pairs = nullptr;
        if constexpr (FrameLanes == 2)
            pairs = b.eqPairs[Window];
        equaliser.Run(b.eqWindow[Window], 2 * Fresh * n, pairs);
        if constexpr (FrameLanes == 2) {
            if (Padded(n) != n) {
                const int end = Window + 2 * Fresh * n;
                for (int k = 0; k < 2 * Fresh; ++k)
                    for (int c = 0; c < ChannelCount; ++c)
                        b.eqWindow[end + k][c] = 0.0;
                for (int k = end - PairDistance; k < end + 2 * PairDistance; ++k)
                    for (int d = k < end ? 2 : 0; d < 4; ++d)
                        b.eqPairs[k][d] = 0.0;
            }
        }
        const Pair outputGain = {block.outputGain[ChannelA], block.outputGain[ChannelB]};
        for (int i = 0; i < Padded(n); i += FrameLanes) {
            if constexpr (FrameLanes == 2)
                StoreFrames(b.stage[i], 2, Decimate<V>(b.eqPairs[2 * Fresh * (i + 1)], 2, 4));
            else
                StoreFrames(b.stage[i], 2, Decimate<V>(b.eqWindow[2 * Fresh * (i + 1)], 4 * Fresh));
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

        KeepTails(b.satHistory, b.satWindow, n);
        KeepTails(b.eqHistory, b.eqWindow, 2 * n);
        if constexpr (FrameLanes == 2)
            std::memmove(b.eqPairs[0], b.eqPairs[2 * Fresh * n], sizeof(double) * 4 * Window);
    }

    template <size_t H, size_t W>
    static void KeepTails(double (&history)[H][2], double (&window)[W][2], int pushes) {
        std::memmove(history[0], history[pushes], sizeof(double) * 2 * History);
        std::memmove(window[0], window[Fresh * pushes], sizeof(double) * 2 * Window);
    }

    template <size_t H, size_t W>
    static void LoadOversampler(const Oversampler (&over)[2], double (&history)[H][2],
                                double (&window)[W][2]) {
        for (int c = 0; c < ChannelCount; ++c) {
            for (int k = 0; k < History; ++k)
                history[k][c] = over[c].History()[k];
            for (int k = 0; k < Window; ++k)
                window[k][c] = over[c].Window()[k];
        }
    }

    template <size_t H, size_t W>
    static void StoreOversampler(const double (&history)[H][2], const double (&window)[W][2],
                                 Oversampler (&over)[2]) {
        for (int c = 0; c < ChannelCount; ++c) {
            double h[History], w[Window];
            for (int k = 0; k < History; ++k)
                h[k] = history[k][c];
            for (int k = 0; k < Window; ++k)
                w[k] = window[k][c];
            over[c].Restore(w, h);
        }
    }

    EngineState& state;
    const ChainBlock& block;
    SectionLanes<Pair> satPeak;
    SectionLanes<Pair> outPeak;
    const ZeroInputStep<Pair> satPeakZero;
    const ZeroInputStep<Pair> outPeakZero;
    EqualiserWavefront<FrameLanes == 2> equaliser;
    static constexpr int PairDistance = EqualiserWavefront<FrameLanes == 2>::PairDistance;
    ChunkBuffers<FrameLanes> buffers;
};

} // namespace
