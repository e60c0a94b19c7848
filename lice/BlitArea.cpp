#include "lice/BlitArea.h"

#include <algorithm>
#include <cstdint>

namespace {

struct RowWalk {
    LICE_pixel* first;
    ptrdiff_t step;
};

RowWalk WalkFrom(LICE_IBitmap* bitmap, LICE_pixel* bits, int64_t y) {
    const ptrdiff_t span = bitmap->RowSpan();
    if (bitmap->IsFlipped())
        return {bits + (bitmap->Height() - 1 - y) * span, -span};
    return {bits + y * span, span};
}

// Same buffer, same row layout: every destination pixel sits a fixed distance from the source
// pixel it reads, so walking away from that distance never reads a pixel already written.
void OrderForOverlap(BlitArea* area) {
    const ptrdiff_t shift = area->destRow - area->srcRow;
    if (shift == 0)
        return;
    const bool rowsAscend = area->destStep > 0;
    if ((shift > 0) == rowsAscend) {
        const ptrdiff_t last = ptrdiff_t(area->rows - 1);
        area->destRow += last * area->destStep;
        area->srcRow += last * area->srcStep;
        area->destStep = -area->destStep;
        area->srcStep = -area->srcStep;
    }
    if (shift > 0 && shift < area->columns)
        area->piece = static_cast<int>(shift);
}

} // namespace

bool ClipBlitArea(LICE_IBitmap* dest, LICE_IBitmap* src, int dstX, int dstY,
                  const LICE_Rect* srcRect, BlitArea* area) {
    // 64-bit so that extreme positions and rectangles cannot overflow while clipping.
    int64_t x = dstX, y = dstY;
    int64_t left = 0, top = 0, right = src->Width(), bottom = src->Height();
    if (srcRect != nullptr) {
        left = srcRect->left;
        top = srcRect->top;
        if (left < 0) {
            x -= left;
            left = 0;
        }
        if (top < 0) {
            y -= top;
            top = 0;
        }
        right = std::min<int64_t>(srcRect->right, right);
        bottom = std::min<int64_t>(srcRect->bottom, bottom);
    }
    if (x < 0) {
        left -= x;
        x = 0;
    }
    if (y < 0) {
        top -= y;
        y = 0;
    }
    const int64_t destWidth = dest->Width(), destHeight = dest->Height();
    if (right <= left || bottom <= top || x >= destWidth || y >= destHeight)
        return false;
    right = std::min(right, left + (destWidth - x));
    bottom = std::min(bottom, top + (destHeight - y));

    LICE_pixel* destBits = dest->Bits();
    LICE_pixel* srcBits = src->Bits();
    if (destBits == nullptr || srcBits == nullptr)
        return false;

    const RowWalk destWalk = WalkFrom(dest, destBits, y);
    const RowWalk srcWalk = WalkFrom(src, srcBits, top);
    area->destRow = destWalk.first + x;
    area->srcRow = srcWalk.first + left;
    area->destStep = destWalk.step;
    area->srcStep = srcWalk.step;
    area->columns = static_cast<int>(right - left);
    area->rows = static_cast<int>(bottom - top);
    area->piece = area->columns;
    if (destBits == srcBits && destWalk.step == srcWalk.step)
        OrderForOverlap(area);
    return true;
}
