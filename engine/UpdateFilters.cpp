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
            section.kind = lowCut ? BiquadSection::HighPass : BiquadSection::Peak;
            section.Q = EqQ;
            section.gain = lowCut ? LowCutGain : state.gainMirror[band][c];
            section.Fc = state.frequency[band][c] / sampleRate * EqRateFactor;
            section.Design();
        }
    }
}
