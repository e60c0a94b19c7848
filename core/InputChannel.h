#pragma once

#include "core/GrowBuffer.h"
#include "core/TextBuffer.h"

// One input channel of the core. `slot` is this channel's entry in the core's input pointer
// array: what the engine reads as its input.
struct InputChannel {
    bool connected = false;
    double** slot = nullptr;
    GrowBuffer scratch{4096};
    TextBuffer label;

    double* Scratch() const { return static_cast<double*>(scratch.Get()); }
    void PointAtScratch() { *slot = Scratch(); }
};
