#include "graphics/IGraphics.h"

#include "graphics/FontCache.h"
#include "graphics/StyleFont.h"
#include "lice/LICE_CachedFont.h"
#include "lice/LICE_SysBitmap.h"

bool IGraphics::MeasureText(TextStyle& style, const char* text, PixelRect& rect) {
    return RenderText(style, text, rect, true);
}

bool IGraphics::RenderText(TextStyle& style, const char* text, PixelRect& rect, bool measure) {
    if (!text || !text[0])
        return true;
    LICE_CachedFont* font = style.cachedFont ? style.cachedFont : CachedFontFor(style);
    if (!font)
        return false;
    font->SetTextColour(style.colour.Packed());
    int flags = LICE_CachedFont::DrawNoClip;
    if (style.colour.alpha != 255)
        flags |= LICE_CachedFont::DrawColourAlpha;
    if (style.align == AlignCentre)
        flags |= LICE_CachedFont::DrawCentre;
    if (style.align == AlignRight)
        flags |= LICE_CachedFont::DrawRight;

    if (!measure) {
        LICE_Rect area{rect.left, rect.top, rect.right, rect.bottom};
        font->DrawText(drawingBitmap, text, -1, &area, flags);
        return true;
    }
    LICE_Rect measured{0, 0, 0, 0};
    font->DrawText(nullptr, text, -1, &measured, flags | LICE_CachedFont::DrawMeasureOnly);
    const int w = measured.right - measured.left;
    const int h = measured.bottom - measured.top;
    rect.bottom = rect.top + h;
    if (style.align == AlignCentre) {
        rect.left = static_cast<int>((rect.left + rect.right) * 0.5) - w / 2;
        rect.right = rect.left + w;
    } else if (style.align == AlignRight) {
        rect.left = rect.right - w;
    } else {
        rect.right = rect.left + w;
    }
    return true;
}

LICE_CachedFont* IGraphics::CachedFontFor(TextStyle& style) {
    if (LICE_CachedFont* cached =
            FontCache::Find(style.size, style.orientation, style.style, style.faceName)) {
        style.cachedFont = cached;
        return cached;
    }
    LICE_CachedFont* font = MakeStyleFont(style);
    if (!font)
        return nullptr;
    font = FontCache::Add(style.size, style.orientation, style.style, style.faceName, font);
    style.cachedFont = font;
    return font;
}
