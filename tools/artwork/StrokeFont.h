#pragma once

#include <cairo.h>

#include <string_view>

namespace artwork {

enum class TextAlign { Left, Centre, Right };

// Panel lettering drawn from built-in vector glyphs, so the artwork never
// depends on the fonts installed on the machine that regenerates it.
struct TextStyle {
    double capHeight = 8.0; // pixels from baseline to the top of a capital
    double tracking = 1.2;  // extra space between glyphs, in glyph units
    double strokeWidth = 1.2;
    TextAlign align = TextAlign::Left;
};

// True when every character of text has a glyph.
bool CanDraw(std::string_view text);

// Width in pixels of the inked extent of text.
double TextWidth(std::string_view text, const TextStyle& style);

// Adds text as a path whose baseline starts at (x, baseline), aligned by style.align;
// the caller strokes it. Returns false, adding nothing, when a glyph is missing.
bool AppendTextPath(cairo_t* cr, std::string_view text, double x, double baseline,
                    const TextStyle& style);

} // namespace artwork
