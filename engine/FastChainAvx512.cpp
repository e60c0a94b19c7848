// Built with AVX-512 (foundation, double and quad words, byte and word, vector lengths) and
// never -mfma, which would fuse the multiplications and additions and change the bits; called
// only where the processor has all four.
#include "engine/FastChainUnit.h"

void FastChainAvx512(EngineState& state, const ChainBlock& block, const double* const* inputs,
                     double* const* outputs, int frameCount) {
    FastChainKernel<4> kernel(state, block);
    kernel.Run(inputs, outputs, frameCount);
    kernel.Finish();
}

ChainKernelParts ChainKernelPartsAvx512() {
    return KernelParts<4>();
}
