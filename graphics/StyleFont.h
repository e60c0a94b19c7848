#pragma once

struct TextStyle;
class LICE_CachedFont;

// A new glyph font for a text style's face, size, weight and slant, owned by the caller; none
// when the system has nothing to render it with. One implementation per font back end: a font
// file found by FontLocator (FreeType), or the system's face of that name (GDI). Any thread.
LICE_CachedFont* MakeStyleFont(const TextStyle& style);

inline constexpr int kBoldFontWeight = 700;
inline constexpr int kNormalFontWeight = 400;
