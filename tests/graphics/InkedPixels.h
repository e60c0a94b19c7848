#pragma once

#include "graphics/PixelRect.h"
#include "lice/LICE_IBitmap.h"

// Text tests draw on white and look at what is no longer white.
inline void FillWhite(LICE_IBitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.Bits()[y * bitmap.RowSpan() + x] = 0xFFFFFFFF;
}

// The pixels that are no longer white, and the box around them.
inline int InkedPixels(LICE_IBitmap& bitmap, PixelRect& box) {
    int count = 0;
    box = {};
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Bits()[y * bitmap.RowSpan() + x] != 0xFFFFFFFF) {
                box = box.Union(PixelRect{x, y, x + 1, y + 1});
                ++count;
            }
    return count;
}
