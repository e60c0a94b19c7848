#pragma once

#include <cstdint>

class LICE_IBitmap;

// A strip of equally sized frames. The bitmap belongs to the module-wide bitmap cache; the
// record only refers to it.
struct FrameBitmap {
    LICE_IBitmap* bitmap = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t frameCount = 1;
    bool framesHorizontal = false;

    int FrameWidth() const { return framesHorizontal ? width / Frames() : width; }
    int FrameHeight() const { return framesHorizontal ? height : height / Frames(); }
    // The frame count, never below 1, so a bad count cannot divide by zero.
    int Frames() const { return frameCount > 1 ? frameCount : 1; }
};
