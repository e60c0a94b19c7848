#pragma once

#include <cstdint>

// Channels 0-255, alpha first.
struct Colour {
    int32_t alpha = 255;
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;

    // The raster library's packed form: alpha << 24 | red << 16 | green << 8 | blue.
    uint32_t Packed() const {
        return uint32_t(alpha & 255) << 24 | uint32_t(red & 255) << 16 |
               uint32_t(green & 255) << 8 | uint32_t(blue & 255);
    }
};

inline constexpr Colour ColourBlack{255, 0, 0, 0};
inline constexpr Colour ColourWhite{255, 255, 255, 255};
