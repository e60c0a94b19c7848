#pragma once

#include <cstdint>

class LICE_IBitmap;

// A strip of equally sized frames. The bitmap belongs to the module-wide bitmap cache; the
// record only refers to it. A module image is decoded only when something first draws it, so
// until then `bitmap` may be none while the sizes are already known: BitmapAtScale gives the
// pixels.
struct FrameBitmap {
    LICE_IBitmap* bitmap = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t frameCount = 1;
    bool framesHorizontal = false;
    // The image's resource id: its 2x artwork has id + kDoubleSizeIdOffset.
    int32_t id = 0;

    int FrameWidth() const { return framesHorizontal ? width / Frames() : width; }
    int FrameHeight() const { return framesHorizontal ? height : height / Frames(); }
    // The frame count, never below 1, so a bad count cannot divide by zero.
    int Frames() const { return frameCount > 1 ? frameCount : 1; }
};

// The 2x artwork of the module's image N is the module's image N + kDoubleSizeIdOffset.
inline constexpr int kDoubleSizeIdOffset = 1000;
