#pragma once

// The stateless stages of the chain alone, for the differential tests, as each kernel
// translation unit builds them for its instruction set. Included only by those units, which give
// the templates their own target flags; internal linkage keeps the copies apart (see LaneMath.h).

#include "engine/FastChain.h"
#include "engine/FastChainKernel.h"

namespace {

template <int FrameLanes> void InterpolateParts(const double* history, double* fresh, int pushes) {
    using V = Doubles<2 * FrameLanes>;
    for (int p = 0; p + FrameLanes <= pushes; p += FrameLanes)
        Interpolate<V>(history + 2 * (p + 1), 2, fresh + 2 * Fresh * p, 2 * Fresh, Unchanged<V>);
}

template <int FrameLanes>
void DecimateParts(const double* window, int hop, double* out, int count) {
    using V = Doubles<2 * FrameLanes>;
    for (int i = 0; i + FrameLanes <= count; i += FrameLanes)
        StoreFrames(out + 2 * i, 2, Decimate<V>(window + 2 * hop * i, 2 * hop));
}

template <int FrameLanes> void SaturateParts(const double* in, double* out, int count) {
    using V = Doubles<2 * FrameLanes>;
    for (int i = 0; i + FrameLanes <= count; i += FrameLanes)
        StoreFrames(out + 2 * i, 2, SaturateLanes(LoadFrames<V>(in + 2 * i, 2)));
}

template <int FrameLanes> ChainKernelParts KernelParts() {
    return {InterpolateParts<FrameLanes>, DecimateParts<FrameLanes>, SaturateParts<FrameLanes>};
}

} // namespace
