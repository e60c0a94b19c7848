#include "engine/FastChainUnit.h"

void FastChainSse2(EngineState& state, const ChainBlock& block, const double* const* inputs,
                   double* const* outputs, int frameCount) {
    FastChainKernel<1> kernel(state, block);
    kernel.Run(inputs, outputs, frameCount);
    kernel.Finish();
}

ChainKernelParts ChainKernelPartsSse2() {
    return KernelParts<1>();
}
