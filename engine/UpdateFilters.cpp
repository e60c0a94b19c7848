#include "engine/UpdateFilters.h"

namespace {

constexpr int SelectorValues = 3;
constexpr double NoFrequency = 0.0;

// Hz per selector value 0, 1, 2, in value order (not sorted).
constexpr double SelectorFrequency[EqBandCount][SelectorValues] = {
    /* LowBand  */ {20.0, 60.0, 40.0},
    /* MidBand1 */ {80.0, 120.0, NoFrequency},
    /* MidBand2 */ {400.0, 800.0, 630.0},
    /* MidBand3 */ {1000.0, 3000.0, 2000.0},
    /* MidBand4 */ {5000.0, 8000.0, NoFrequency},
    /* HighBand */ {12000.0, 15000.0, 20000.0},
    /* LowCut   */ {25.0, 1.0, NoFrequency},
};

constexpr double EqRateFactor = 0.125; // the sections run at eight times the host rate
constexpr double EqQ = 0.667;
constexpr double LowCutGain = 1.0; // a high-pass ignores it

void MapSelectors(EngineState& state) {
    for (int band = 0; band < EqBandCount; ++band) {
        for (int c = 0; c < ChannelCount; ++c) {
            for (int value = 0; value < SelectorValues; ++value) {
                const double hz = SelectorFrequency[band][value];
                if (hz != NoFrequency && state.selectorMirror[band][c] == value)
                    state.frequency[band][c] = hz;
            }
        }
    }
}

} // namespace

void UpdateFilters(EngineState& state, double sampleRate) {
    MapSelectors(state);
    for (int band = 0; band < EqBandCount; ++band) {
        for (int c = 0; c < ChannelCount; ++c) {
            BiquadSection& section = state.eq[band][c];
            const bool lowCut = band == LowCut;
            const int32_t kind = lowCut ? BiquadSection::HighPass : BiquadSection::Peak;
            const double gain = lowCut ? LowCutGain : state.gainMirror[band][c];
            const double Fc = state.frequency[band][c] / sampleRate * EqRateFactor;
            // A design is a function of these four alone: unchanged, it would come out the
            // same, and the block need not pay for its tangent and power. (A fresh section's Q
            // is not the equaliser's, so every section is designed once.)
            if (section.kind == kind && section.Q == EqQ && section.gain == gain &&
                section.Fc == Fc)
                continue;
            section.kind = kind;
            section.Q = EqQ;
            section.gain = gain;
            section.Fc = Fc;
            section.Design();
        }
    }
}
