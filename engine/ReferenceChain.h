#pragma once

#include "engine/EngineState.h"
#include "engine/ProcessChain.h"

// The chain written the straightforward way, one value and one channel at a time. The plug-in
// runs ProcessChain(); this one is kept, built only into tests and benchmarks, as the oracle
// that ProcessChain() must match bit for bit, and as the baseline it is measured against.
void ReferenceChain(EngineState& state, const ChainSwitches& switches, const double* const* inputs,
                    double* const* outputs, int frameCount);
