#pragma once

#include "graphics/FrameBitmap.h"

class LICE_IBitmap;

// round(length * scale) as an int: the one rounding used for every layout length and position at a
// scale.
int ScaledLength(int length, double scale);

// The strip `bitmap` (a FrameBitmap from IGraphics::LoadFrameBitmap) as drawn at `scale`
// (1 <= scale <= 4), shared module-wide and made at most once per (image, scale):
// scale 1: the 1x image; scale 2: the 2x artwork; any other scale: the 2x artwork resampled so that
// every frame is ScaledLength(FrameWidth, scale) x ScaledLength(FrameHeight, scale), each frame
// resampled on its own (no bleeding between frames). None when the image is not usable. Any thread.
LICE_IBitmap* BitmapAtScale(const FrameBitmap& bitmap, double scale);
