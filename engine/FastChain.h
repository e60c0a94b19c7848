#pragma once

#include "engine/ChainBlock.h"

// The instruction sets the chain has a kernel for. Every kernel gives the same bits.
enum class ChainKernel { Sse2, Avx2, Avx512 };

// The widest kernel this processor runs.
ChainKernel BestChainKernel();

// ProcessChain() with a chosen kernel, so that tests and benchmarks can run each of them; the
// caller makes sure the processor has the kernel's instruction set.
// Audio thread, under the plug-in lock.
void ProcessChainWith(ChainKernel kernel, EngineState& state, const ChainSwitches& switches,
                      const double* const* inputs, double* const* outputs, int frameCount);

// The kernels, each in its own translation unit built for its instruction set.
void FastChainSse2(EngineState& state, const ChainBlock& block, const double* const* inputs,
                   double* const* outputs, int frameCount);
void FastChainAvx2(EngineState& state, const ChainBlock& block, const double* const* inputs,
                   double* const* outputs, int frameCount);
void FastChainAvx512(EngineState& state, const ChainBlock& block, const double* const* inputs,
                     double* const* outputs, int frameCount);

// The oversampler and curve arithmetic of one kernel on its own, on streams of channel pairs:
// the whole chain rounds every section input to single precision, which can hide a last-bit
// difference in these sums, so tests compare them with Oversampler and Saturate() directly.
// Counts are multiples of four: the AVX-512 kernel takes four pairs at a time.
struct ChainKernelParts {
    // Push p writes fresh[4p .. 4p + 3] from its history history[p + 1 .. p + 8].
    void (*interpolate)(const double* history, double* fresh, int pushes);
    // out[i] is the decimation of the window window[hop i .. hop i + 30].
    void (*decimate)(const double* window, int hop, double* out, int count);
    // out[i] is the decimation of stream[4i .. 4i + 30], through the window kept by phase.
    void (*decimateByPhase)(const double* stream, double* out, int count);
    void (*saturate)(const double* in, double* out, int count);
};
ChainKernelParts ChainKernelPartsSse2();
ChainKernelParts ChainKernelPartsAvx2();
ChainKernelParts ChainKernelPartsAvx512();
