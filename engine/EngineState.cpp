#include "engine/EngineState.h"

int EngineState::ResetNonFiniteState() {
    int resets = 0;
    for (int c = 0; c < ChannelCount; ++c) {
        for (int band = 0; band < EqBandCount; ++band)
            resets += eq[band][c].ResetIfNonFinite();
        resets += satPeak[c].ResetIfNonFinite();
        resets += outPeak[c].ResetIfNonFinite();
        resets += satOversampler[c].ResetIfNonFinite();
        resets += eqOversampler[c].ResetIfNonFinite();
    }
    return resets;
}
