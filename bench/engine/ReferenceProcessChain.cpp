// Linked ahead of the engine library into the SorvelReference bundle, this definition takes the
// place of the fast ProcessChain(), so that whole renders can be timed with either chain.
#include "engine/ReferenceChain.h"

void ProcessChain(EngineState& state, const ChainSwitches& switches, const double* const* inputs,
                  double* const* outputs, int frameCount) {
    ReferenceChain(state, switches, inputs, outputs, frameCount);
}
