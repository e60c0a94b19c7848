#include "graphics/StyleFont.h"

#include "graphics/TextStyle.h"
#include "lice/LICE_CachedFont.h"

LICE_CachedFont* MakeStyleFont(const TextStyle& style) {
    auto* font = new LICE_CachedFont;
    const int weight = style.style == TextBold ? kBoldFontWeight : kNormalFontWeight;
    if (!font->SetFromFace(style.faceName, style.size, weight, style.style == TextItalic,
                           style.quality != QualityNonAntialiased)) {
        delete font;
        return nullptr;
    }
    return font;
}
