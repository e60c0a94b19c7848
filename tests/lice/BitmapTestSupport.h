#pragma once

#include "lice/LICE_IBitmap.h"

#include <cstddef>
#include <cstdint>
#include <vector>

inline LICE_pixel Bgra(int b, int g, int r, int a) {
    return LICE_pixel(b) | LICE_pixel(g) << 8 | LICE_pixel(r) << 16 | LICE_pixel(a) << 24;
}

// Image row y, whichever way the bitmap stores its rows.
inline LICE_pixel* ImageRow(LICE_IBitmap& bitmap, int y) {
    const int stored = bitmap.IsFlipped() ? bitmap.Height() - 1 - y : y;
    return bitmap.Bits() + stored * bitmap.RowSpan();
}

inline LICE_pixel& At(LICE_IBitmap& bitmap, int x, int y) {
    return ImageRow(bitmap, y)[x];
}

inline void Fill(LICE_IBitmap& bitmap, LICE_pixel value) {
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            At(bitmap, x, y) = value;
}

// Each pixel different, so a misplaced pixel shows.
inline void FillNumbered(LICE_IBitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            At(bitmap, x, y) = LICE_pixel(0x01000000u * (y + 1) + 0x010000u * (x + 1) + 0x5A5A);
}

// Rows stored bottom-up with padding, as a platform bitmap might.
class FlippedBitmap : public LICE_IBitmap {
  public:
    FlippedBitmap(int width, int height)
        : width_(width), height_(height), pixels_(size_t(width + 3) * height, 0xDEADBEEF) {}
    LICE_pixel* Bits() override { return pixels_.data(); }
    int Width() override { return width_; }
    int Height() override { return height_; }
    int RowSpan() override { return width_ + 3; }
    bool IsFlipped() override { return true; }
    bool Resize(int, int) override { return false; }

  private:
    int width_, height_;
    std::vector<LICE_pixel> pixels_;
};
