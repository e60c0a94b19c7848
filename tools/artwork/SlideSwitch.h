#pragma once

#include "tools/artwork/ArtworkTable.h"

#include <cairo.h>

namespace artwork {

// Horizontal offset of a detent from the frame's centre; position 0 is the
// leftmost and shows value 0.
double DetentOffset(const ControlArt& art, int position);

// Horizontal offset from the frame's centre of the faceplate label for a position.
double LabelOffset(const ControlArt& art, int position);

// Paints one slide-switch frame with the slider at `position` (0-based)
// into the rectangle (0, 0, frameWidth, frameHeight) of cr.
void PaintSlideSwitchFrame(cairo_t* cr, const ControlArt& art, int position);

} // namespace artwork
