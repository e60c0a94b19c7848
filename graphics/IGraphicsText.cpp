#include "graphics/IGraphics.h"

#include "graphics/FontCache.h"
#include "graphics/ScaledBitmap.h"
#include "graphics/StyleFont.h"
#include "lice/LICE_CachedFont.h"
#include "lice/LICE_SysBitmap.h"

#include <cmath>

bool IGraphics::MeasureText(TextStyle& style, const char* text, PixelRect& rect) {
    return RenderText(style, text, rect, true);
}

bool IGraphics::RenderText(TextStyle& style, const char* text, PixelRect& rect, bool measure) {
    if (!text || !text[0])
        return true;
    LICE_CachedFont* font = nullptr;
    if (scale == 1.0) {
        font = style.cachedFont ? style.cachedFont : CachedFontFor(style);
    } else {
        // The style keeps its own font for scale 1; the scaled size has its own cache entry.
        TextStyle scaled = style;
        scaled.size = ScaledLength(style.size, scale);
        scaled.cachedFont = nullptr;
        font = CachedFontFor(scaled);
    }
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
        const PixelRect pixels = PixelsOf(rect);
        LICE_Rect area{pixels.left, pixels.top, pixels.right, pixels.bottom};
        font->DrawText(drawingBitmap, text, -1, &area, flags);
        return true;
    }
    LICE_Rect measured{0, 0, 0, 0};
    font->DrawText(nullptr, text, -1, &measured, flags | LICE_CachedFont::DrawMeasureOnly);
    // Measured in pixels; the caller lays out in 1x units.
    int w = measured.right - measured.left;
    int h = measured.bottom - measured.top;
    if (scale != 1.0) {
        w = static_cast<int>(std::ceil(w / scale));
        h = static_cast<int>(std::ceil(h / scale));
    }
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
