#pragma once

#include "core/GrowBuffer.h"
#include "core/TextBuffer.h"

// One output channel of the core. `slot` is its entry in the core's output pointer array;
// `hostTarget` the host's single-precision array that the block is narrowed into.
struct OutputChannel {
    bool connected = false;
    double** slot = nullptr;
    float* hostTarget = nullptr;
    GrowBuffer scratch{4096};
    TextBuffer label;

    double* Scratch() const { return static_cast<double*>(scratch.Get()); }
    void PointAtScratch() { *slot = Scratch(); }
};
