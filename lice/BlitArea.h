#pragma once

#include "lice/BlitBitmap.h"

#include <cstddef>

// What remains of a blit after clipping: the first row of each side, the step from one row to
// the next (negative for bottom-up storage or when the walk runs upwards), and the size.
//
// When a bitmap is blitted onto itself the rows and columns must be visited so that every source
// pixel is read before it is overwritten: rows then run in the direction of the shift, and each
// row is done in pieces of `piece` pixels from its right end, each piece no longer than the shift.
struct BlitArea {
    LICE_pixel* destRow;
    const LICE_pixel* srcRow;
    ptrdiff_t destStep;
    ptrdiff_t srcStep;
    int columns;
    int rows;
    int piece;
};

// False when nothing is left to draw.
bool ClipBlitArea(LICE_IBitmap* dest, LICE_IBitmap* src, int dstX, int dstY,
                  const LICE_Rect* srcRect, BlitArea* area);
