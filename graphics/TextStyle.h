#pragma once

#include "graphics/Colour.h"

#include <cstdint>

class LICE_CachedFont;

enum TextStyleKind : int32_t { TextNormal = 0, TextBold = 1, TextItalic = 2 };
enum TextAlign : int32_t { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };
enum TextQuality : int32_t {
    QualityDefault = 0,
    QualityNonAntialiased = 1,
    QualityAntialiased = 2,
    QualityClearType = 3,
};

// How a control shows or edits text. The font is filled in by the font cache on first use and
// belongs to that cache.
struct TextStyle {
    char faceName[32] = "Verdana";
    int32_t size = 12;
    Colour colour = ColourBlack;
    Colour entryBackground = ColourWhite;
    Colour entryForeground = ColourBlack;
    int32_t style = TextNormal;
    int32_t align = AlignCentre;
    int32_t orientation = 0;
    int32_t quality = QualityDefault;
    LICE_CachedFont* cachedFont = nullptr;
};
