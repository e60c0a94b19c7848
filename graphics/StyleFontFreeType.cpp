#include "graphics/StyleFont.h"

#include "graphics/FontLocator.h"
#include "graphics/TextStyle.h"
#include "lice/LICE_CachedFont.h"

LICE_CachedFont* MakeStyleFont(const TextStyle& style) {
    char path[FontLocator::kPathSize];
    if (!FontLocator::Find(style.faceName, style.style == TextBold, style.style == TextItalic, path,
                           sizeof path))
        return nullptr;
    auto* font = new LICE_CachedFont;
    const int weight = style.style == TextBold ? kBoldFontWeight : kNormalFontWeight;
    if (!font->SetFromFile(path, style.size, weight, style.style == TextItalic,
                           style.quality != QualityNonAntialiased,
                           LICE_CachedFont::kTakeOverFace)) {
        delete font;
        return nullptr;
    }
    return font;
}
