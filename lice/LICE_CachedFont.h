#pragma once

#include "lice/BlitBitmap.h"
#include "lice/LICE_IBitmap.h"

#include <cstdint>
#include <mutex>

// A font that renders each single-byte character once and keeps the glyph, then draws strings
// into bitmaps from those glyphs. Characters are taken as Latin-1. Two back ends render the
// glyphs, one per build: FreeType from a font file (SetFromFile), and on Windows GDI from an
// installed face (SetFromFace); the other setter is not built. Drawing on one font is
// serialised by its own lock, so editors on different threads may share it.
class LICE_CachedFont {
  public:
    // Draw flags.
    static constexpr int DrawCentre = 0x1;
    static constexpr int DrawRight = 0x2;
    static constexpr int DrawNoClip = 0x100;
    static constexpr int DrawMeasureOnly = 0x400;
    static constexpr int DrawColourAlpha = 0x40000000;
    // Face flags: the font takes the face over and releases it itself.
    static constexpr int kTakeOverFace = 0x600;

    LICE_CachedFont();
    ~LICE_CachedFont();
    LICE_CachedFont(const LICE_CachedFont&) = delete;
    LICE_CachedFont& operator=(const LICE_CachedFont&) = delete;

    // Loads the face in `path` at `pixelHeight`; weight 700 and above is bold. A face that lacks
    // the weight or slant gets it synthesised. False, leaving the font without a face, when the
    // file cannot be used or the height is outside 1..kMaxPixelHeight.
    bool SetFromFile(const char* path, int pixelHeight, int weight, bool italic, bool antialiased,
                     int flags);
    // The system's face of that name, rendered by GDI; the system substitutes a near face for
    // a missing one. Same results as SetFromFile.
    bool SetFromFace(const char* faceName, int pixelHeight, int weight, bool italic,
                     bool antialiased);
    bool HasFace() const { return face != nullptr; }

    // Packed alpha << 24 | red << 16 | green << 8 | blue.
    void SetTextColour(LICE_pixel colour) { textColour = colour; }
    LICE_pixel TextColour() const { return textColour; }

    // Draws `length` characters of `text` (-1: up to the terminator) on one line at the top of
    // `rect`, aligned left, centred (DrawCentre) or right (DrawRight), clipped to `rect` unless
    // DrawNoClip. With DrawMeasureOnly nothing is drawn and `rect` becomes left, top to
    // left + width, top + height of the text. Returns the line height, 0 without a face.
    int DrawText(LICE_IBitmap* dest, const char* text, int length, LICE_Rect* rect, int flags);

    int LineHeight() const { return ascent + descent; }

    static constexpr int kMaxPixelHeight = 1024;

  private:
    struct Glyph;

    const Glyph* GlyphFor(unsigned char character);
    int TextWidth(const char* text, int length);
    void Compose(LICE_IBitmap* dest, const Glyph& glyph, int penX, int baseline,
                 const LICE_Rect& clip, int flags);
    void Release();

    std::mutex lock;
    void* face = nullptr;    // FT_Face or HFONT, opaque so users need no back-end headers
    void* context = nullptr; // GDI: the memory device context the font is selected into
    Glyph* glyphs = nullptr;
    LICE_pixel textColour = 0xFF000000;
    int ascent = 0;
    int descent = 0;
    bool emboldened = false;
    bool slanted = false;
    bool antialiased = true;
};
