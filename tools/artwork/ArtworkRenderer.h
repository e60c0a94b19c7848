#pragma once

#include "tools/artwork/ArtworkTable.h"
#include "tools/artwork/RgbaImage.h"

namespace artwork {

// Renders the whole image of one table entry: every frame, stacked top to
// bottom, at `scale` device pixels per layout pixel (1 or 2: the same drawing,
// not a resampled picture). Returns false when the art cannot be drawn (a
// legend lacks a glyph or cairo fails); out is then unspecified.
[[nodiscard]] bool RenderArtwork(const ControlArt& art, RgbaImage& out, int scale = 1);

// The frame (1-based) the editor shows for a normalised value.
int FrameForValue(double value, int frames);

} // namespace artwork
