// Built with -mavx2 (and never -mfma, which would fuse the multiplications and additions and
// change the bits); called only where the processor has AVX2.
#include "engine/FastChainUnit.h"

void FastChainAvx2(EngineState& state, const ChainBlock& block, const double* const* inputs,
                   double* const* outputs, int frameCount) {
    FastChainKernel<2> kernel(state, block);
    kernel.Run(inputs, outputs, frameCount);
    kernel.Finish();
}

ChainKernelParts ChainKernelPartsAvx2() {
    return KernelParts<2>();
}
