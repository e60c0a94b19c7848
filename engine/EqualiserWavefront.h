#pragma once

// The seven equaliser sections of both channels run over a stream of values as a wavefront: in
// each step section k takes a value section k - 1 produced a step or two before, so the seven
// steps of one step are independent of each other and overlap in the processor, where the
// straightforward order makes each wait for the one before it. The wavefront fills and drains
// within each call, so the sections' states between calls are exactly the straightforward ones.
// Included only by the chain kernels (see LaneMath.h on linkage).

#include "engine/EngineState.h"
#include "engine/LaneMath.h"

namespace {

// Wide: the steps where every section is busy run with two sections of both channels in each
// four-lane vector (an eighth section that nobody reads fills the last one), and every result
// also goes to a window of pairs for the decimation of two frames at once.
template <bool Wide> class EqualiserWavefront {
  public:
    static constexpr int PairDistance = 8; // one frame's worth of values

    void Load(const BiquadSection (&eq)[EqBandCount][ChannelCount]) {
        for (int band = 0; band < EqBandCount; ++band)
            sections[band] = LoadSections(eq[band]);
    }

    void Store(BiquadSection (&eq)[EqBandCount][ChannelCount]) const {
        for (int band = 0; band < EqBandCount; ++band)
            StoreState(sections[band], eq[band]);
    }

    // Runs count channel pairs, already rounded to single precision as the first section would
    // round them, through the sections in band order, in place.
    // Wide: each result also goes to paired, four doubles per position, where position p holds
    // the results at p and at p + PairDistance side by side.
    void Run(double* stream, int count, double* paired) {
        SectionLanes<Pair> s[EqBandCount];
        for (int band = 0; band < EqBandCount; ++band)
            s[band] = sections[band];
        // Each section's outputs of the last two steps.
        Pair last[EqBandCount] = {}, previous[EqBandCount] = {};
        int at = 0;
        for (; at < Depth && at < count + Depth; ++at)
            Step(s, last, previous, stream, paired, at, count);
        if constexpr (Wide) {
            at = RunWide(s, last, previous, stream, paired, at, count);
        } else {
            for (; at < count; ++at) {
#pragma GCC unroll 7
                for (int band = Final; band >= 0; --band) {
                    const Pair in = band == 0 ? Load(stream, at) : last[band - 1];
                    last[band] = s[band].ProcessRounded(in);
                }
                Emit(stream, paired, at - Depth, last[Final]);
            }
        }
        for (; at < count + Depth; ++at)
            Step(s, last, previous, stream, paired, at, count);
        for (int band = 0; band < EqBandCount; ++band)
            sections[band] = s[band];
    }

  private:
    using Quad = Doubles<4>;
    static constexpr int Final = EqBandCount - 1;
    static constexpr int Vectors = (EqBandCount + 1) / 2;
    // Section k works on value t - Lag[k] in step t. Wide, the fifth section takes the fourth
    // one's output two steps late, which keeps the vectors' chain from closing on itself every
    // four steps.
    static constexpr int Lag[EqBandCount] = {0, 1, 2, 3, Wide ? 5 : 4, Wide ? 6 : 5, Wide ? 7 : 6};
    static constexpr int Depth = Lag[Final];

    // One step of the wavefront in which some sections may be idle (filling or draining).
    static void Step(SectionLanes<Pair> (&s)[EqBandCount], Pair (&last)[EqBandCount],
                     Pair (&previous)[EqBandCount], double* stream, double* paired, int at,
                     int count) {
        for (int band = Final; band >= 0; --band) {
            const int value = at - Lag[band];
            Pair out = last[band];
            if (value >= 0 && value < count) {
                Pair in;
                if (band == 0)
                    in = Load(stream, value);
                else
                    in = Lag[band] - Lag[band - 1] == 1 ? last[band - 1] : previous[band - 1];
                out = s[band].ProcessRounded(in);
                if (band == Final)
                    Emit(stream, paired, value, out);
            }
            previous[band] = last[band];
            last[band] = out;
        }
    }

    static Quad Join(Pair low, Pair high) {
        return __builtin_shufflevector(low, high, 0, 1, 2, 3);
    }
    static Pair Low(Quad v) {
        return __builtin_shufflevector(v, v, 0, 1);
    }
    static Pair High(Quad v) {
        return __builtin_shufflevector(v, v, 2, 3);
    }

    // The steady steps from at on; returns where they stopped. Vector j holds section j in its
    // low half and section j + Vectors in its high half, so each vector takes its input whole
    // from the one before it; only the first takes the new value and the fourth section's
    // output across the lanes.
    static int RunWide(SectionLanes<Pair> (&s)[EqBandCount], Pair (&last)[EqBandCount],
                       Pair (&previous)[EqBandCount], double* stream, double* paired, int at,
                       int count) {
        if (at >= count)
            return at;
        SectionLanes<Pair> idle = {};
        idle.a0 = Pair{1.0, 1.0};
        const auto upper = [](int j) { return j + Vectors; };
        SectionLanes<Quad> q[Vectors];
        Quad c[Vectors];
        for (int j = 0; j < Vectors; ++j) {
            const SectionLanes<Pair>& lo = s[j];
            const SectionLanes<Pair>& hi = upper(j) < EqBandCount ? s[upper(j)] : idle;
            q[j] = {Join(lo.a0, hi.a0), Join(lo.a1, hi.a1), Join(lo.a2, hi.a2), Join(lo.b1, hi.b1),
                    Join(lo.b2, hi.b2), Join(lo.z1, hi.z1), Join(lo.z2, hi.z2)};
            c[j] = Join(last[j], upper(j) < EqBandCount ? last[upper(j)] : Pair{});
        }
        constexpr int final = Final - Vectors; // the vector whose high half is the last section
        Pair late = previous[Vectors - 1];     // the fourth section's output two steps back
        for (; at < count; ++at) {
            Quad in[Vectors];
            in[0] = Join(Load(stream, at), late);
            late = Low(c[Vectors - 1]);
#pragma GCC unroll 4
            for (int j = 1; j < Vectors; ++j)
                in[j] = c[j - 1];
#pragma GCC unroll 4
            for (int j = 0; j < Vectors; ++j)
                c[j] = q[j].ProcessRounded(in[j]);
            Emit(stream, paired, at - Depth, High(c[final]));
        }
        for (int j = 0; j < Vectors; ++j) {
            s[j].z1 = Low(q[j].z1);
            s[j].z2 = Low(q[j].z2);
            last[j] = Low(c[j]);
            if (upper(j) < EqBandCount) {
                s[upper(j)].z1 = High(q[j].z1);
                s[upper(j)].z2 = High(q[j].z2);
                last[upper(j)] = High(c[j]);
            }
        }
        previous[Vectors - 1] = late;
        return at;
    }

    static void Emit(double* stream, double* paired, int at, Pair out) {
        std::memcpy(stream + 2 * at, &out, sizeof out);
        if constexpr (Wide) {
            std::memcpy(paired + 4 * at, &out, sizeof out);
            std::memcpy(paired + 4 * (at - PairDistance) + 2, &out, sizeof out);
        }
    }

    static Pair Load(const double* stream, int at) {
        Pair v;
        std::memcpy(&v, stream + 2 * at, sizeof v);
        return v;
    }

    SectionLanes<Pair> sections[EqBandCount];
};

} // namespace
