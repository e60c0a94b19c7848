// The glyph font's FreeType back end: faces from font files.
#include "lice/LICE_CachedFont.h"
#include "lice/LICE_CachedFontGlyph.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cstring>
#include <vector>

namespace {

// One library for the process. It is never released: fonts live in caches that are destroyed
// at unload in no particular order, and each must still be able to release its face.
struct Library {
    std::mutex lock; // FreeType requires face creation and release to be serialised
    FT_Library library = nullptr;
};

Library& TheLibrary() {
    static Library* shared = [] {
        auto* created = new Library;
        if (FT_Init_FreeType(&created->library) != 0)
            created->library = nullptr;
        return created;
    }();
    return *shared;
}

constexpr int kCharacterCount = 256;
// A twelfth of an em of slant for a face without an italic.
constexpr FT_Fixed kSlant = 0x1555;

} // namespace

void LICE_CachedFont::Release() {
    delete[] glyphs;
    glyphs = nullptr;
    if (face) {
        Library& shared = TheLibrary();
        std::lock_guard<std::mutex> guard(shared.lock);
        FT_Done_Face(static_cast<FT_Face>(face));
        face = nullptr;
    }
}

bool LICE_CachedFont::SetFromFile(const char* path, int pixelHeight, int weight, bool italic,
                                  bool antialias, int) {
    std::lock_guard<std::mutex> guard(lock);
    Release();
    if (!path || pixelHeight < 1 || pixelHeight > kMaxPixelHeight)
        return false;
    FT_Face opened = nullptr;
    {
        Library& shared = TheLibrary();
        std::lock_guard<std::mutex> libraryGuard(shared.lock);
        if (!shared.library || FT_New_Face(shared.library, path, 0, &opened) != 0)
            return false;
        if (!FT_IS_SCALABLE(opened) ||
            FT_Set_Pixel_Sizes(opened, 0, static_cast<FT_UInt>(pixelHeight)) != 0) {
            FT_Done_Face(opened);
            return false;
        }
    }
    face = opened;
    glyphs = new Glyph[kCharacterCount];
    emboldened = weight >= 700 && !(opened->style_flags & FT_STYLE_FLAG_BOLD);
    slanted = italic && !(opened->style_flags & FT_STYLE_FLAG_ITALIC);
    antialiased = antialias;
    if (slanted) {
        FT_Matrix shear{0x10000, kSlant, 0, 0x10000};
        FT_Set_Transform(opened, &shear, nullptr);
    }
    ascent = static_cast<int>((opened->size->metrics.ascender + 63) >> 6);
    descent = static_cast<int>((-opened->size->metrics.descender + 63) >> 6);
    return true;
}

const LICE_CachedFont::Glyph* LICE_CachedFont::GlyphFor(unsigned char character) {
    Glyph& glyph = glyphs[character];
    if (glyph.rendered)
        return &glyph;
    glyph.rendered = true;
    auto* ftFace = static_cast<FT_Face>(face);
    const FT_UInt index = FT_Get_Char_Index(ftFace, character);
    const FT_Int32 target = antialiased ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    if (FT_Load_Glyph(ftFace, index, FT_LOAD_DEFAULT | target) != 0)
        return &glyph;
    FT_GlyphSlot slot = ftFace->glyph;
    FT_Pos extra = 0;
    if (emboldened && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        extra = ftFace->size->metrics.x_ppem * 64 / 24;
        FT_Outline_Embolden(&slot->outline, extra);
    }
    if (FT_Render_Glyph(slot, antialiased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0)
        return &glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.advance = static_cast<int>((slot->advance.x + extra + 32) >> 6);
    glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.rows, 0);
    for (int y = 0; y < glyph.rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
        uint8_t* out = glyph.coverage.data() + static_cast<size_t>(y) * glyph.width;
        for (int x = 0; x < glyph.width; ++x) {
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            else
                out[x] = row[x];
        }
    }
    return &glyph;
}
