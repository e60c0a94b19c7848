#include "tools/artwork/RgbaImage.h"

namespace artwork {

RgbaImage FromCairoSurface(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    RgbaImage image;
    image.width = cairo_image_surface_get_width(surface);
    image.height = cairo_image_surface_get_height(surface);
    image.pixels.assign(std::size_t(image.width) * image.height * 4, 0);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < image.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * stride);
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t argb = row[x];
            const unsigned a = argb >> 24;
            std::uint8_t* out = image.At(x, y);
            if (a == 0)
                continue; // fully transparent pixels carry no colour
            const unsigned channel[3] = {(argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF};
            for (int c = 0; c < 3; ++c) {
                const unsigned straight = (channel[c] * 255 + a / 2) / a;
                out[c] = std::uint8_t(straight > 255 ? 255 : straight);
            }
            out[3] = std::uint8_t(a);
        }
    }
    return image;
}

void BlendSourceAlpha(RgbaImage& dst, const RgbaImage& src, int srcTop, int srcHeight, int x,
                      int y) {
    for (int row = 0; row < srcHeight; ++row) {
        const int dy = y + row;
        if (dy < 0 || dy >= dst.height)
            continue;
        for (int col = 0; col < src.width; ++col) {
            const int dx = x + col;
            if (dx < 0 || dx >= dst.width)
                continue;
            const std::uint8_t* s = src.At(col, srcTop + row);
            std::uint8_t* d = dst.At(dx, dy);
            const int sa = s[3];
            if (sa == 0)
                continue;
            if (sa == 255) {
                for (int c = 0; c < 4; ++c)
                    d[c] = s[c];
                continue;
            }
            for (int c = 0; c < 3; ++c)
                d[c] = std::uint8_t(s[c] + (d[c] - s[c]) * (255 - sa) / 256);
            d[3] = std::uint8_t(d[3] + sa > 255 ? 255 : d[3] + sa);
        }
    }
}

} // namespace artwork
