#pragma once

#include <cairo.h>

namespace artwork {

// Paints the opaque editor background: panel, sections, brand and every
// legend, each placed around (never under) its control's rectangle.
// Returns false when some legend cannot be lettered.
[[nodiscard]] bool PaintFaceplate(cairo_t* cr, int width, int height);

} // namespace artwork
