#include "engine/FastChain.h"
#include "engine/FastChainKernel.h"

void FastChainSse2(EngineState& state, const ChainBlock& block, const double* const* inputs,
                   double* const* outputs, int frameCount) {
    FastChainKernel<1> kernel(state, block);
    kernel.Run(inputs, outputs, frameCount);
    kernel.Finish();
}

namespace {

constexpr int Lanes = 2;
using V = Doubles<Lanes>;
constexpr int Frames = Lanes / 2;

void InterpolateParts(const double* history, double* fresh, int pushes) {
    for (int p = 0; p + Frames <= pushes; p += Frames)
        Interpolate<V>(history + 2 * (p + 1), 2, fresh + 2 * Fresh * p, 2 * Fresh, Unchanged<V>);
}

void DecimateParts(const double* window, int hop, double* out, int count) {
    for (int i = 0; i + Frames <= count; i += Frames)
        StoreFrames(out + 2 * i, 2, Decimate<V>(window + 2 * hop * i, 2 * hop));
}

void SaturateParts(const double* in, double* out, int count) {
    for (int i = 0; i + Frames <= count; i += Frames)
        StoreFrames(out + 2 * i, 2, SaturateLanes(LoadFrames<V>(in + 2 * i, 2)));
}

} // namespace

ChainKernelParts ChainKernelPartsSse2() {
    return {InterpolateParts, DecimateParts, SaturateParts};
}
