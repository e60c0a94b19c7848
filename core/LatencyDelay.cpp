#include "core/LatencyDelay.h"

#include <algorithm>
#include <cstring>

bool LatencyDelay::SetLength(uint32_t frames) {
    const uint64_t doubles = uint64_t{frames} * inputCount;
    if (doubles * sizeof(double) > 0x7fffffffu)
        return false;
    const int bytes = static_cast<int>(doubles * sizeof(double));
    buffer.Resize(bytes);
    if (buffer.Size() != bytes)
        return false;
    length = frames;
    writePosition = 0;
    if (bytes)
        std::memset(buffer.Get(), 0, static_cast<size_t>(bytes));
    return true;
}

void LatencyDelay::Process(double* const* inputs, double* const* outputs, int frames) {
    if (length == 0 || frames <= 0 || !outputs)
        return;
    double* history = static_cast<double*>(buffer.Get());
    const uint32_t channels = std::min(inputCount, outputCount);
    for (int n = 0; n < frames; ++n) {
        for (uint32_t j = 0; j < channels; ++j) {
            double* segment = history + size_t{j} * length;
            // Read before write: the slot holds the sample written `length` frames earlier.
            const double delayed = segment[writePosition];
            // A channel without samples feeds silence into its history.
            segment[writePosition] = inputs && inputs[j] ? inputs[j][n] : 0.0;
            if (outputs[j])
                outputs[j][n] = delayed;
        }
        if (++writePosition == length)
            writePosition = 0;
    }
    // Outputs without an input are silent, as in the undelayed pass-through.
    for (uint32_t j = channels; j < outputCount; ++j)
        if (outputs[j])
            std::fill(outputs[j], outputs[j] + frames, 0.0);
}
