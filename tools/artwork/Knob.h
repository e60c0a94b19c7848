#pragma once

#include "tools/artwork/ArtworkTable.h"

#include <cairo.h>

namespace artwork {

// Radius of the gain knobs' art; every part of a knob frame lies inside it,
// everything outside stays transparent.
constexpr double kKnobRadius = 30.0;

double KnobRadius(const ControlArt& art);

// Paints one knob frame with its pointer at value (0..1) into the rectangle
// (0, 0, frameWidth, frameHeight) of cr.
void PaintKnobFrame(cairo_t* cr, const ControlArt& art, double value);

} // namespace artwork
