#pragma once

#include "lice/LICE_IBitmap.h"

struct LICE_Rect {
    int left, top, right, bottom; // right and bottom exclusive
};

// Blend modes: the low byte picks the rule, BlitUseSourceAlpha lets the source alpha scale it.
// Other bits are ignored.
enum : int {
    BlitCopy = 0,
    BlitAdd = 1,
    BlitDodge = 2,
    BlitMultiply = 3,
    BlitOverlay = 4,
    BlitHsvAdjust = 5,
    BlitUseSourceAlpha = 0x10000,
};

// A mode that copies one byte channel (0 blue, 1 green, 2 red, 3 alpha) and leaves the rest.
constexpr int BlitChannelCopy(int sourceChannel, int destChannel) {
    return 0xF0 | (destChannel & 3) << 2 | (sourceChannel & 3);
}

// Composes src (or srcRect of it) onto dest with its top-left corner at (dstX, dstY), clipped to
// both bitmaps. weight 1.0 is full strength. Allocates nothing; dest and src may be the same
// bitmap, with overlapping areas read before they are overwritten.
void BlitBitmap(LICE_IBitmap* dest, LICE_IBitmap* src, int dstX, int dstY, const LICE_Rect* srcRect,
                float weight, int mode);
