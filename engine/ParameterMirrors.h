#pragma once

#include "engine/EngineState.h"

// The engine's copies of the parameter values, as ParameterChanged writes them on whatever
// thread holds the plug-in lock. The audio thread hands them to its EngineState at the start
// of each block that holds the lock; a block without the lock keeps the last ones it took.
struct ParameterMirrors {
    double gainMirror[GainBandCount][ChannelCount] = {}; // dB
    double outputGainMirror[ChannelCount] = {};          // dB
    double driveMirror = 0.0;                            // dB into the saturation curve
    double selectorMirror[EqBandCount][ChannelCount] = {};

    void CopyInto(EngineState& state) const {
        for (int band = 0; band < GainBandCount; ++band)
            for (int c = 0; c < ChannelCount; ++c)
                state.gainMirror[band][c] = gainMirror[band][c];
        for (int c = 0; c < ChannelCount; ++c)
            state.outputGainMirror[c] = outputGainMirror[c];
        state.driveMirror = driveMirror;
        for (int band = 0; band < EqBandCount; ++band)
            for (int c = 0; c < ChannelCount; ++c)
                state.selectorMirror[band][c] = selectorMirror[band][c];
    }
};
