#include "engine/ProcessChain.h"

#include "engine/FastChain.h"

namespace {

// Chosen once, before any audio thread runs.
const ChainKernel Best = BestChainKernel();

} // namespace

ChainKernel BestChainKernel() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
        __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512bw"))
        return ChainKernel::Avx512;
    return __builtin_cpu_supports("avx2") ? ChainKernel::Avx2 : ChainKernel::Sse2;
}

void ProcessChainWith(ChainKernel kernel, EngineState& state, const ChainSwitches& switches,
                      const double* const* inputs, double* const* outputs, int frameCount) {
    const ChainBlock block = BeginChainBlock(state, switches);
    if (kernel == ChainKernel::Avx512)
        FastChainAvx512(state, block, inputs, outputs, frameCount);
    else if (kernel == ChainKernel::Avx2)
        FastChainAvx2(state, block, inputs, outputs, frameCount);
    else
        FastChainSse2(state, block, inputs, outputs, frameCount);
    state.ResetNonFiniteState();
}

void ProcessChain(EngineState& state, const ChainSwitches& switches, const double* const* inputs,
                  double* const* outputs, int frameCount) {
    ProcessChainWith(Best, state, switches, inputs, outputs, frameCount);
}
