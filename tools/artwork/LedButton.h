#pragma once

#include "tools/artwork/ArtworkTable.h"

#include <cairo.h>

namespace artwork {

// Paints one frame of a latching button (LedButton or LedPanel) into the
// rectangle (0, 0, frameWidth, frameHeight) of cr; lit shows the engaged state.
// Returns false when its caption cannot be lettered.
[[nodiscard]] bool PaintButtonFrame(cairo_t* cr, const ControlArt& art, bool lit);

} // namespace artwork
