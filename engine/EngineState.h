#pragma once

#include "engine/BiquadSection.h"
#include "engine/ChainScratch.h"
#include "engine/Oversampler.h"

// The two processing channels: A carries left or mid, B right or side.
enum Channel { ChannelA = 0, ChannelB = 1, ChannelCount = 2 };

// The equaliser's sections per channel, in the order the signal meets them. Every band but the
// low cut has a gain.
enum EqBand {
    LowBand,
    MidBand1,
    MidBand2,
    MidBand3,
    MidBand4,
    HighBand,
    LowCut,
    EqBandCount,
    GainBandCount = LowCut
};

// Everything the equaliser keeps between blocks: the mirrors of the parameter values, the
// frequencies the selectors chose, the filter sections and the oversamplers. Mirrors the
// parameters have not yet been copied into start at 0. It also holds the fast chain's work
// space, so that it is allocated with the state, never on the audio thread.
struct EngineState {
    double gainMirror[GainBandCount][ChannelCount] = {}; // dB
    double outputGainMirror[ChannelCount] = {};          // dB
    double driveMirror = 0.0;                            // dB into the saturation curve
    double selectorMirror[EqBandCount][ChannelCount] = {};
    double frequency[EqBandCount][ChannelCount] = {}; // Hz, as last selected

    BiquadSection eq[EqBandCount][ChannelCount];
    BiquadSection satPeak[ChannelCount];
    BiquadSection outPeak[ChannelCount];
    Oversampler satOversampler[ChannelCount];
    Oversampler eqOversampler[ChannelCount];

    ChainScratch scratch = {};

    // Zeroes the state of every section and oversampler whose state is no longer finite and
    // leaves the others running. Returns how many it reset.
    int ResetNonFiniteState();
};
