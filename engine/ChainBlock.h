#pragma once

#include "engine/EngineState.h"
#include "engine/ProcessChain.h"

// Keeps the filters out of denormal numbers: added at the input matrix, taken away at the end.
inline constexpr double DenormalOffset = 1e-10;

// Make-up gain after the curve, relative to the drive level.
inline constexpr double MakeUpDb = 0.5;

// The fixed sections run at twice the host rate; 0.25 of that is the host Nyquist frequency.
struct FixedPeak {
    double Fc;
    double Q;
    double gain;
};
inline constexpr FixedPeak SatPeakDesign = {0.25, 3.5, 9.0};
inline constexpr FixedPeak OutPeakDesign = {0.25, 0.4, -2.5};

// What stays constant for the whole of one block.
struct ChainBlock {
    double driveGain;
    double makeUpGain;
    double outputGain[ChannelCount];
    bool midSide;
    bool oversampled;
    bool bypass;
};

// Gives the fixed sections their designs (their state is kept) and works out the block's gains.
// The designs never change, so they are computed once per process and copied.
ChainBlock BeginChainBlock(EngineState& state, const ChainSwitches& switches);
