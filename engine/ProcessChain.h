#pragma once

#include "engine/EngineState.h"

// The switches the chain reads, as the integers their parameter values truncate to.
struct ChainSwitches {
    int midSide = 1;      // "MS": 0 runs the channels as mid and side, otherwise left and right
    int bypass = 0;       // "BY": 1 copies the inputs to the outputs, otherwise processed output
    int oversampling = 0; // 1 saturates at four times the host rate, otherwise at the host rate
};

// Runs frameCount frames of two channels through input matrix, drive stage, equaliser, output
// filter and gain, output matrix and bypass. Everything runs whatever the switches say, so a
// switch change continues from states that followed the signal. An output channel may be the
// same memory as an input channel. Designs of the equaliser sections come from UpdateFilters().
// Runs the widest kernel the processor has; every kernel gives the bits of ReferenceChain().
// Audio thread, under the plug-in lock.
void ProcessChain(EngineState& state, const ChainSwitches& switches, const double* const* inputs,
                  double* const* outputs, int frameCount);
