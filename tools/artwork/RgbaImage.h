#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

namespace artwork {

// Straight (not premultiplied) 8-bit RGBA pixels, rows top to bottom: the
// form the PNG files carry and the editor's blit expects.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // width * height * 4 bytes: R, G, B, A

    std::uint8_t* At(int x, int y) { return &pixels[(std::size_t(y) * width + x) * 4]; }
    const std::uint8_t* At(int x, int y) const { return &pixels[(std::size_t(y) * width + x) * 4]; }
};

// Converts a finished cairo ARGB32 surface, undoing cairo's premultiplication.
RgbaImage FromCairoSurface(cairo_surface_t* surface);

// Composes src over dst at (x, y) the way the editor's normal blend does
// (copy with source alpha at full weight), clipped to dst.
void BlendSourceAlpha(RgbaImage& dst, const RgbaImage& src, int srcTop, int srcHeight, int x,
                      int y);

} // namespace artwork
