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

class EqualiserWavefront {
  public:
    void Load(const BiquadSection (&eq)[EqBandCount][ChannelCount]) {
        for (int band = 0; band < EqBandCount; ++band)
            sections[band] = LoadSections(eq[band]);
    }

    void Store(BiquadSection (&eq)[EqBandCount][ChannelCount]) const {
        for (int band = 0; band < EqBandCount; ++band)
            StoreState(sections[band], eq[band]);
    }

    // Runs count channel pairs through the sections in band order, in place.
    void Run(double* stream, int count) {
        constexpr int last = EqBandCount - 1;
        SectionLanes<Pair> s[EqBandCount];
        for (int band = 0; band < EqBandCount; ++band)
            s[band] = sections[band];
        Pair carry[EqBandCount] = {};
        const auto step = [&](int at, int first, int final) {
            for (int band = final; band >= first; --band) {
                const Pair in = band == 0 ? ThroughSingle(Load(stream, at)) : carry[band - 1];
                carry[band] = band == 0 ? s[0].ProcessRounded(in) : s[band].ProcessRounded(in);
            }
            if (final == last)
                std::memcpy(stream + 2 * (at - last), &carry[last], sizeof(Pair));
        };
        int at = 0;
        for (; at < last && at < count; ++at)
            step(at, 0, at);
        for (; at < count; ++at) {
#pragma GCC unroll 7
            for (int band = last; band >= 0; --band) {
                const Pair in = band == 0 ? ThroughSingle(Load(stream, at)) : carry[band - 1];
                carry[band] = s[band].ProcessRounded(in);
            }
            std::memcpy(stream + 2 * (at - last), &carry[last], sizeof(Pair));
        }
        for (; at < count + last; ++at)
            step(at, at - count + 1 > 0 ? at - count + 1 : 0, at < last ? at : last);
        for (int band = 0; band < EqBandCount; ++band)
            sections[band] = s[band];
    }

  private:
    static Pair Load(const double* stream, int at) {
        Pair v;
        std::memcpy(&v, stream + 2 * at, sizeof v);
        return v;
    }

    SectionLanes<Pair> sections[EqBandCount];
};

} // namespace
