#include "engine/ReferenceChain.h"

#include "engine/ChainBlock.h"
#include "engine/Saturate.h"

#include <cmath>

namespace {

void DesignFixed(BiquadSection& section, const FixedPeak& design) {
    section.kind = BiquadSection::Peak;
    section.Fc = design.Fc;
    section.Q = design.Q;
    section.gain = design.gain;
    section.Design();
}

double DbToGain(double db) {
    return std::pow(10.0, db / 20.0);
}

// Saturation, four times oversampled and at the host rate; both are computed every frame so that
// the unused one stays in step with the signal.
double DriveStage(EngineState& state, int c, double driven, double makeUp, bool oversampled) {
    Oversampler& over = state.satOversampler[c];
    over.Push(driven);
    double* fresh = over.NewValues();
    for (int k = 0; k < Oversampler::NewCount; ++k)
        fresh[k] = Saturate(fresh[k]);
    const double atHostRate = Saturate(driven);

    BiquadSection& peak = state.satPeak[c];
    const double y = oversampled ? peak.Process(makeUp * over.Decimate()) : makeUp * atHostRate;
    peak.Process(0.0);
    return y;
}

// Seven sections at eight times the host rate: the value is pushed twice and each push's four
// new values pass through every section in order; then one value comes back down through the
// fixed output filter.
double EqualiserStage(EngineState& state, int c, double y) {
    Oversampler& over = state.eqOversampler[c];
    for (int pass = 0; pass < 2; ++pass) {
        over.Push(y);
        double* fresh = over.NewValues();
        for (int k = 0; k < Oversampler::NewCount; ++k) {
            double v = fresh[k];
            for (int band = 0; band < EqBandCount; ++band)
                v = state.eq[band][c].Process(v);
            fresh[k] = v;
        }
    }
    BiquadSection& peak = state.outPeak[c];
    const double out = peak.Process(over.Decimate());
    peak.Process(0.0);
    return out;
}

} // namespace

void ReferenceChain(EngineState& state, const ChainSwitches& switches, const double* const* inputs,
                    double* const* outputs, int frameCount) {
    const double driveGain = DbToGain(state.driveMirror);
    const double makeUpGain = DbToGain(MakeUpDb - state.driveMirror);
    const double outputGain[ChannelCount] = {DbToGain(state.outputGainMirror[ChannelA]),
                                             DbToGain(state.outputGainMirror[ChannelB])};
    for (int c = 0; c < ChannelCount; ++c) {
        DesignFixed(state.satPeak[c], SatPeakDesign);
        DesignFixed(state.outPeak[c], OutPeakDesign);
    }
    const bool midSide = switches.midSide == 0;
    const bool oversampled = switches.oversampling == 1;
    const bool bypass = switches.bypass == 1;
    const double root2 = std::sqrt(2.0);

    for (int i = 0; i < frameCount; ++i) {
        const double left = inputs[0][i];
        const double right = inputs[1][i];
        double x[ChannelCount];
        if (midSide) {
            x[ChannelA] = (left + right) / root2 + DenormalOffset;
            x[ChannelB] = (left - right) / root2 + DenormalOffset;
        } else {
            x[ChannelA] = left + DenormalOffset;
            x[ChannelB] = right + DenormalOffset;
        }

        double o[ChannelCount];
        for (int c = 0; c < ChannelCount; ++c) {
            const double y = DriveStage(state, c, driveGain * x[c], makeUpGain, oversampled);
            o[c] = outputGain[c] * EqualiserStage(state, c, y);
        }

        double outLeft = o[ChannelA];
        double outRight = o[ChannelB];
        if (midSide) {
            outLeft = (o[ChannelA] + o[ChannelB]) / root2;
            outRight = (o[ChannelA] - o[ChannelB]) / root2;
        }
        if (bypass) {
            outputs[0][i] = left;
            outputs[1][i] = right;
        } else {
            outputs[0][i] = outLeft - DenormalOffset;
            outputs[1][i] = outRight - DenormalOffset;
        }
    }
    state.ResetNonFiniteState();
}
