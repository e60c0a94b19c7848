#pragma once

// The seven equaliser sections of both channels run over a stream of values as a wavefront: in
// each step section k takes the value section k - 1 produced in the step before, so the seven
// steps of one step are independent of each other and overlap in the processor, where the
// straightforward order makes each wait for the one before it. The wavefront fills and drains
// within each call, so the sections' states between calls are exactly the straightforward ones.
// Included only by the chain kernels (see LaneMath.h on linkage).

#include "engine/EngineState.h"
#include "engine/LaneMath.h"

namespace {

// Wide: the steps where every section is busy run with two sections of both channels in each
// four-lane vector, section 2j and 2j + 1 in vector j (an eighth section that nobody reads
// fills the last one); the value passed from one vector to the next crosses a lane boundary.
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
        constexpr int last = EqBandCount - 1;
        SectionLanes<Pair> s[EqBandCount];
        for (int band = 0; band < EqBandCount; ++band)
            s[band] = sections[band];
        Pair carry[EqBandCount] = {};
        const auto step = [&](int at, int first, int final) {
            for (int band = final; band >= first; --band) {
                const Pair in = band == 0 ? Load(stream, at) : carry[band - 1];
                carry[band] = band == 0 ? s[0].ProcessRounded(in) : s[band].ProcessRounded(in);
            }
            if (final == last)
                Emit(stream, paired, at - last, carry[last]);
        };
        int at = 0;
        for (; at < last && at < count; ++at)
            step(at, 0, at);
        if constexpr (Wide) {
            at = RunWide(s, carry, stream, paired, at, count);
        } else {
            for (; at < count; ++at) {
#pragma GCC unroll 7
                for (int band = last; band >= 0; --band) {
                    const Pair in = band == 0 ? Load(stream, at) : carry[band - 1];
                    carry[band] = s[band].ProcessRounded(in);
                }
                Emit(stream, paired, at - last, carry[last]);
            }
        }
        for (; at < count + last; ++at)
            step(at, at - count + 1 > 0 ? at - count + 1 : 0, at < last ? at : last);
        for (int band = 0; band < EqBandCount; ++band)
            sections[band] = s[band];
    }

  private:
    using Quad = Doubles<4>;
    static constexpr int Vectors = (EqBandCount + 1) / 2;

    static Quad Join(Pair low, Pair high) {
        return __builtin_shufflevector(low, high, 0, 1, 2, 3);
    }
    static Pair Low(Quad v) {
        return __builtin_shufflevector(v, v, 0, 1);
    }
    static Pair High(Quad v) {
        return __builtin_shufflevector(v, v, 2, 3);
    }

    // The steady steps from at on; returns where they stopped.
    static int RunWide(SectionLanes<Pair> (&s)[EqBandCount], Pair (&carry)[EqBandCount],
                       double* stream, double* paired, int at, int count) {
        constexpr int last = EqBandCount - 1;
        if (at >= count)
            return at;
        SectionLanes<Pair> idle = {};
        idle.a0 = Pair{1.0, 1.0};
        SectionLanes<Quad> q[Vectors];
        Quad c[Vectors];
        for (int j = 0; j < Vectors; ++j) {
            const SectionLanes<Pair>& lo = s[2 * j];
            const SectionLanes<Pair>& hi = 2 * j + 1 < EqBandCount ? s[2 * j + 1] : idle;
            q[j] = {Join(lo.a0, hi.a0), Join(lo.a1, hi.a1), Join(lo.a2, hi.a2), Join(lo.b1, hi.b1),
                    Join(lo.b2, hi.b2), Join(lo.z1, hi.z1), Join(lo.z2, hi.z2)};
            c[j] = Join(carry[2 * j], 2 * j + 1 < EqBandCount ? carry[2 * j + 1] : Pair{});
        }
        for (; at < count; ++at) {
            const Pair x = Load(stream, at);
            Quad in[Vectors];
            in[0] = Join(x, Low(c[0]));
#pragma GCC unroll 4
            for (int j = 1; j < Vectors; ++j)
                in[j] = __builtin_shufflevector(c[j - 1], c[j], 2, 3, 4, 5);
#pragma GCC unroll 4
            for (int j = 0; j < Vectors; ++j)
                c[j] = q[j].ProcessRounded(in[j]);
            const Pair out = Low(c[Vectors - 1]);
            Emit(stream, paired, at - last, out);
        }
        for (int j = 0; j < Vectors; ++j) {
            const SectionLanes<Quad>& v = q[j];
            s[2 * j].z1 = Low(v.z1);
            s[2 * j].z2 = Low(v.z2);
            carry[2 * j] = Low(c[j]);
            if (2 * j + 1 < EqBandCount) {
                s[2 * j + 1].z1 = High(v.z1);
                s[2 * j + 1].z2 = High(v.z2);
                carry[2 * j + 1] = High(c[j]);
            }
        }
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
