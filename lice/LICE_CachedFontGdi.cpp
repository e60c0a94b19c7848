// The glyph font's GDI back end: installed faces, glyphs from GetGlyphOutline.
#include "lice/LICE_CachedFont.h"

#include "lice/LICE_CachedFontGlyph.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstring>

namespace {

constexpr int kCharacterCount = 256;
// GGO_GRAY8_BITMAP gives coverage 0..64.
constexpr int kGrayLevels = 64;

constexpr MAT2 kIdentity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};

} // namespace

void LICE_CachedFont::Release() {
    delete[] glyphs;
    glyphs = nullptr;
    if (context) {
        DeleteDC(static_cast<HDC>(context));
        context = nullptr;
    }
    if (face) {
        DeleteObject(static_cast<HFONT>(face));
        face = nullptr;
    }
}

bool LICE_CachedFont::SetFromFace(const char* faceName, int pixelHeight, int weight, bool italic,
                                  bool antialias) {
    std::lock_guard<std::mutex> guard(lock);
    Release();
    if (!faceName || pixelHeight < 1 || pixelHeight > kMaxPixelHeight)
        return false;
    wchar_t wideName[LF_FACESIZE] = {};
    MultiByteToWideChar(CP_UTF8, 0, faceName, -1, wideName, LF_FACESIZE - 1);
    // A negative height asks for the em size, as FreeType's pixel size does.
    HFONT font = CreateFontW(-pixelHeight, 0, 0, 0, weight >= FW_BOLD ? FW_BOLD : FW_NORMAL, italic,
                             FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                             antialias ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY,
                             DEFAULT_PITCH, wideName);
    HDC dc = font ? CreateCompatibleDC(nullptr) : nullptr;
    if (!dc) {
        if (font)
            DeleteObject(font);
        return false;
    }
    SelectObject(dc, font);
    TEXTMETRICW metrics{};
    if (!GetTextMetricsW(dc, &metrics)) {
        DeleteDC(dc);
        DeleteObject(font);
        return false;
    }
    face = font;
    context = dc;
    glyphs = new Glyph[kCharacterCount];
    ascent = metrics.tmAscent;
    descent = metrics.tmDescent;
    antialiased = antialias;
    emboldened = false;
    slanted = false;
    return true;
}

const LICE_CachedFont::Glyph* LICE_CachedFont::GlyphFor(unsigned char character) {
    Glyph& glyph = glyphs[character];
    if (glyph.rendered)
        return &glyph;
    glyph.rendered = true;
    HDC dc = static_cast<HDC>(context);
    // Latin-1 is the first block of Unicode.
    const UINT code = character;
    const UINT format = antialiased ? GGO_GRAY8_BITMAP : GGO_BITMAP;
    GLYPHMETRICS metrics{};
    const DWORD size = GetGlyphOutlineW(dc, code, format, &metrics, 0, nullptr, &kIdentity);
    if (size == GDI_ERROR)
        return &glyph;
    glyph.advance = metrics.gmCellIncX;
    // A blank glyph (space) reports a one-pixel box but no bits.
    if (size == 0)
        return &glyph;
    std::vector<uint8_t> bits(size);
    if (GetGlyphOutlineW(dc, code, format, &metrics, size, bits.data(), &kIdentity) == GDI_ERROR)
        return &glyph;
    glyph.left = metrics.gmptGlyphOrigin.x;
    glyph.top = metrics.gmptGlyphOrigin.y;
    glyph.width = static_cast<int>(metrics.gmBlackBoxX);
    glyph.rows = static_cast<int>(metrics.gmBlackBoxY);
    // Rows are padded to four bytes in both formats.
    const size_t pitch = antialiased ? (size_t(glyph.width) + 3) & ~size_t(3)
                                     : ((size_t(glyph.width) + 31) / 32) * 4;
    if (pitch * size_t(glyph.rows) > bits.size()) {
        glyph.width = glyph.rows = 0;
        return &glyph;
    }
    glyph.coverage.assign(size_t(glyph.width) * glyph.rows, 0);
    for (int y = 0; y < glyph.rows; ++y) {
        const uint8_t* row = bits.data() + pitch * size_t(y);
        uint8_t* out = glyph.coverage.data() + size_t(y) * glyph.width;
        for (int x = 0; x < glyph.width; ++x) {
            if (antialiased)
                out[x] =
                    static_cast<uint8_t>(row[x] >= kGrayLevels ? 255 : row[x] * 255 / kGrayLevels);
            else
                out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        }
    }
    return &glyph;
}
