// What every back end of the glyph font shares: measuring and composing cached glyphs.
#include "lice/LICE_CachedFont.h"

#include "lice/LICE_CachedFontGlyph.h"

#include <cstring>

LICE_CachedFont::LICE_CachedFont() = default;

LICE_CachedFont::~LICE_CachedFont() {
    Release();
}

int LICE_CachedFont::TextWidth(const char* text, int length) {
    int width = 0;
    for (int i = 0; i < length; ++i) {
        const auto character = static_cast<unsigned char>(text[i]);
        if (character >= 32)
            width += GlyphFor(character)->advance;
    }
    return width;
}

int LICE_CachedFont::DrawText(LICE_IBitmap* dest, const char* text, int length, LICE_Rect* rect,
                              int flags) {
    std::lock_guard<std::mutex> guard(lock);
    if (!face || !rect)
        return 0;
    if (!text)
        text = "";
    if (length < 0)
        length = static_cast<int>(std::strlen(text));
    const int width = TextWidth(text, length);
    const int height = LineHeight();
    if (flags & DrawMeasureOnly) {
        rect->right = rect->left + width;
        rect->bottom = rect->top + height;
        return height;
    }
    if (!dest || !dest->Bits())
        return height;

    LICE_Rect clip{0, 0, dest->Width(), dest->Height()};
    if (!(flags & DrawNoClip)) {
        if (rect->left > clip.left)
            clip.left = rect->left;
        if (rect->top > clip.top)
            clip.top = rect->top;
        if (rect->right < clip.right)
            clip.right = rect->right;
        if (rect->bottom < clip.bottom)
            clip.bottom = rect->bottom;
    }
    int penX = rect->left;
    if (flags & DrawCentre)
        penX = rect->left + (rect->right - rect->left - width) / 2;
    else if (flags & DrawRight)
        penX = rect->right - width;
    const int baseline = rect->top + ascent;
    for (int i = 0; i < length; ++i) {
        const auto character = static_cast<unsigned char>(text[i]);
        if (character < 32)
            continue;
        const Glyph& glyph = *GlyphFor(character);
        Compose(dest, glyph, penX, baseline, clip, flags);
        penX += glyph.advance;
    }
    return height;
}

void LICE_CachedFont::Compose(LICE_IBitmap* dest, const Glyph& glyph, int penX, int baseline,
                              const LICE_Rect& clip, int flags) {
    const int colourAlpha = (flags & DrawColourAlpha) ? int(textColour >> 24) : 255;
    const int channels[3] = {int(textColour & 255), int((textColour >> 8) & 255),
                             int((textColour >> 16) & 255)};
    const int originX = penX + glyph.left;
    const int originY = baseline - glyph.top;
    LICE_pixel* bits = dest->Bits();
    const int span = dest->RowSpan();
    const int height = dest->Height();
    for (int gy = 0; gy < glyph.rows; ++gy) {
        const int y = originY + gy;
        if (y < clip.top || y >= clip.bottom)
            continue;
        const int row = dest->IsFlipped() ? height - 1 - y : y;
        LICE_pixel* line = bits + static_cast<long>(row) * span;
        for (int gx = 0; gx < glyph.width; ++gx) {
            const int x = originX + gx;
            if (x < clip.left || x >= clip.right)
                continue;
            const int a =
                glyph.coverage[static_cast<size_t>(gy) * glyph.width + gx] * colourAlpha / 255;
            if (a == 0)
                continue;
            LICE_pixel& pixel = line[x];
            LICE_pixel result = 0;
            for (int c = 0; c < 3; ++c) {
                const int d = int((pixel >> (8 * c)) & 255);
                result |= LICE_pixel(d + (channels[c] - d) * a / 255) << (8 * c);
            }
            const int destAlpha = int(pixel >> 24);
            result |= LICE_pixel(destAlpha + (255 - destAlpha) * a / 255) << 24;
            pixel = result;
        }
    }
}
