#pragma once

#include "core/GrowBuffer.h"

#include <cstdint>

// Delays the pass-through by the reported latency so that a bypassed plug-in stays aligned
// with its processed output. One segment of `length` samples per input channel.
class LatencyDelay {
  public:
    LatencyDelay(uint32_t inputCount, uint32_t outputCount)
        : inputCount(inputCount), outputCount(outputCount) {}

    // Sets the delay and clears the history. False when the buffer could not grow.
    bool SetLength(uint32_t frames);
    // Output j lags input j by `length` frames, for every channel present on both sides.
    void Process(double* const* inputs, double* const* outputs, int frames);

    uint32_t Length() const { return length; }

  private:
    GrowBuffer buffer{4096};
    uint32_t writePosition = 0;
    uint32_t inputCount;
    uint32_t outputCount;
    uint32_t length = 0;
};
