#include "tools/artwork/StrokeFont.h"

#include <cstdlib>

namespace artwork {
namespace {

// Glyphs on a grid where a capital spans y = 0 (top) to y = 6 (baseline).
// Outlines are stroked centre lines: M move, L line, C cubic curve, Z close.
struct Glyph {
    char character;
    double width;
    const char* outline;
};

// clang-format off
constexpr Glyph kGlyphs[] = {
    {' ', 2.4, ""},
    {'A', 4.4, "M0 6 L2.2 0 L4.4 6 M0.75 4 L3.65 4"},
    {'B', 4.0, "M0 3 L2.4 3 C3.4 3 4 3.7 4 4.5 C4 5.4 3.4 6 2.4 6 L0 6 L0 0 L2.2 0 "
               "C3.1 0 3.6 0.6 3.6 1.5 C3.6 2.4 3.1 3 2.2 3"},
    {'C', 4.0, "M4 1 C3.5 0.3 2.9 0 2.1 0 C0.8 0 0 1.3 0 3 C0 4.7 0.8 6 2.1 6 C2.9 6 3.5 5.7 4 5"},
    {'D', 4.1, "M0 0 L0 6 L1.7 6 C3.2 6 4.1 4.8 4.1 3 C4.1 1.2 3.2 0 1.7 0 Z"},
    {'E', 3.7, "M3.7 0 L0 0 L0 6 L3.7 6 M0 3 L3 3"},
    {'F', 3.6, "M3.6 0 L0 0 L0 6 M0 3 L2.9 3"},
    {'G', 4.2, "M4 1 C3.5 0.3 2.9 0 2.1 0 C0.8 0 0 1.3 0 3 C0 4.7 0.8 6 2.1 6 C3.3 6 4.2 5.2 "
               "4.2 4 L4.2 3.3 L2.4 3.3"},
    {'H', 4.0, "M0 0 L0 6 M4 0 L4 6 M0 3 L4 3"},
    {'I', 0.0, "M0 0 L0 6"},
    {'J', 3.4, "M3.4 0 L3.4 4.4 C3.4 5.4 2.8 6 1.8 6 C0.9 6 0.3 5.5 0 4.7"},
    {'K', 4.0, "M0 0 L0 6 M4 0 L0 4 M1.4 2.6 L4 6"},
    {'L', 3.5, "M0 0 L0 6 L3.5 6"},
    {'M', 5.0, "M0 6 L0 0 L2.5 4.2 L5 0 L5 6"},
    {'N', 4.0, "M0 6 L0 0 L4 6 L4 0"},
    {'O', 4.4, "M2.2 0 C0.9 0 0 1.3 0 3 C0 4.7 0.9 6 2.2 6 C3.5 6 4.4 4.7 4.4 3 "
               "C4.4 1.3 3.5 0 2.2 0 Z"},
    {'P', 4.0, "M0 6 L0 0 L2.5 0 C3.5 0 4 0.7 4 1.65 C4 2.6 3.5 3.3 2.5 3.3 L0 3.3"},
    {'Q', 4.4, "M2.2 0 C0.9 0 0 1.3 0 3 C0 4.7 0.9 6 2.2 6 C3.5 6 4.4 4.7 4.4 3 "
               "C4.4 1.3 3.5 0 2.2 0 Z M2.8 4.6 L4.4 6.3"},
    {'R', 4.0, "M0 6 L0 0 L2.5 0 C3.5 0 4 0.7 4 1.65 C4 2.6 3.5 3.3 2.5 3.3 L0 3.3 M2.3 3.3 L4 6"},
    {'S', 3.9, "M3.7 0.9 C3.3 0.3 2.7 0 2 0 C1 0 0.2 0.6 0.2 1.5 C0.2 3.3 3.9 2.6 3.9 4.5 "
               "C3.9 5.4 3.1 6 2 6 C1.1 6 0.4 5.6 0 5"},
    {'T', 4.4, "M0 0 L4.4 0 M2.2 0 L2.2 6"},
    {'U', 4.0, "M0 0 L0 4 C0 5.3 0.8 6 2 6 C3.2 6 4 5.3 4 4 L4 0"},
    {'V', 4.4, "M0 0 L2.2 6 L4.4 0"},
    {'W', 5.6, "M0 0 L1.25 6 L2.8 1.6 L4.35 6 L5.6 0"},
    {'X', 4.0, "M0 0 L4 6 M4 0 L0 6"},
    {'Y', 4.4, "M0 0 L2.2 3.2 L4.4 0 M2.2 3.2 L2.2 6"},
    {'Z', 4.0, "M0 0 L4 0 L0 6 L4 6"},
    {'0', 4.0, "M2 0 C0.8 0 0 1.2 0 3 C0 4.8 0.8 6 2 6 C3.2 6 4 4.8 4 3 C4 1.2 3.2 0 2 0 Z"},
    {'1', 1.7, "M0 1.1 L1.7 0 L1.7 6"},
    {'2', 3.9, "M0.2 1.3 C0.5 0.5 1.2 0 2 0 C3.1 0 3.8 0.7 3.8 1.7 C3.8 3.3 0 4.1 0 6 L3.9 6"},
    {'3', 4.0, "M0.3 0 L3.8 0 L1.8 2.5 C3.1 2.5 4 3.2 4 4.3 C4 5.4 3.1 6 2 6 C1.2 6 0.5 5.7 0 5.1"},
    {'4', 4.2, "M3 6 L3 0 L0 4.2 L4.2 4.2"},
    {'5', 4.0, "M3.7 0 L0.5 0 L0.2 2.7 C0.7 2.3 1.3 2.2 1.9 2.2 C3.2 2.2 4 3 4 4.1 C4 5.3 3.1 6 "
               "1.9 6 C1.1 6 0.4 5.7 0 5.1"},
    {'6', 4.0, "M3.4 0.4 C3 0.1 2.6 0 2.1 0 C0.8 0 0 1.4 0 3.4 C0 5 0.7 6 2 6 C3.2 6 4 5.2 4 4.1 "
               "C4 3 3.2 2.3 2.1 2.3 C1.1 2.3 0.3 2.9 0 3.6"},
    {'7', 4.0, "M0 0 L4 0 L1.5 6"},
    {'8', 4.0, "M2 2.8 C1 2.8 0.3 2.3 0.3 1.4 C0.3 0.5 1 0 2 0 C3 0 3.7 0.5 3.7 1.4 C3.7 2.3 3 "
               "2.8 2 2.8 C0.9 2.8 0 3.4 0 4.4 C0 5.4 0.9 6 2 6 C3.1 6 4 5.4 4 4.4 C4 3.4 3.1 "
               "2.8 2 2.8 Z"},
    {'9', 4.0, "M0.6 5.6 C1 5.9 1.4 6 1.9 6 C3.2 6 4 4.6 4 2.6 C4 1 3.3 0 2 0 C0.8 0 0 0.8 0 1.9 "
               "C0 3 0.8 3.7 1.9 3.7 C2.9 3.7 3.7 3.1 4 2.4"},
    {'.', 0.0, "M0 6 L0 6"},
    {'-', 2.4, "M0 3.3 L2.4 3.3"},
    {'+', 3.6, "M0 3.3 L3.6 3.3 M1.8 1.5 L1.8 5.1"},
    {'/', 2.8, "M0 6.3 L2.8 -0.3"},
    {'x', 3.0, "M0 2.4 L3 6 M3 2.4 L0 6"},
    {'z', 3.0, "M0 2.4 L3 2.4 L0 6 L3 6"},
    {'k', 3.1, "M0 0 L0 6 M3 2.4 L0 4.6 M1 3.8 L3.1 6"},
    {'d', 3.2, "M3.2 0 L3.2 6 M3.2 4.2 C3.2 3.1 2.5 2.4 1.6 2.4 C0.7 2.4 0 3.1 0 4.2 C0 5.3 0.7 "
               "6 1.6 6 C2.5 6 3.2 5.3 3.2 4.2"},
};
// clang-format on

constexpr double kGridHeight = 6.0;

const Glyph* FindGlyph(char c) {
    for (const Glyph& g : kGlyphs) {
        if (g.character == c)
            return &g;
    }
    return nullptr;
}

// Number of coordinates each outline command takes.
int OperandCount(char command) {
    switch (command) {
    case 'M':
    case 'L':
        return 2;
    case 'C':
        return 6;
    default:
        return 0;
    }
}

void AppendGlyph(cairo_t* cr, const Glyph& glyph, double originX, double top, double scale) {
    const char* p = glyph.outline;
    while (*p != '\0') {
        while (*p == ' ')
            ++p;
        if (*p == '\0')
            break;
        const char command = *p++;
        double v[6] = {};
        for (int i = 0; i < OperandCount(command); ++i) {
            char* end = nullptr;
            v[i] = std::strtod(p, &end);
            p = end;
        }
        auto px = [&](int i) { return originX + v[i] * scale; };
        auto py = [&](int i) { return top + v[i] * scale; };
        switch (command) {
        case 'M':
            cairo_move_to(cr, px(0), py(1));
            break;
        case 'L':
            cairo_line_to(cr, px(0), py(1));
            break;
        case 'C':
            cairo_curve_to(cr, px(0), py(1), px(2), py(3), px(4), py(5));
            break;
        case 'Z':
            cairo_close_path(cr);
            break;
        default:
            break;
        }
    }
}

} // namespace

bool CanDraw(std::string_view text) {
    for (char c : text) {
        if (FindGlyph(c) == nullptr)
            return false;
    }
    return true;
}

double TextWidth(std::string_view text, const TextStyle& style) {
    const double scale = style.capHeight / kGridHeight;
    double units = 0.0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph* g = FindGlyph(text[i]);
        if (g == nullptr)
            continue;
        units += g->width;
        if (i + 1 < text.size())
            units += style.tracking;
    }
    return units * scale;
}

bool AppendTextPath(cairo_t* cr, std::string_view text, double x, double baseline,
                    const TextStyle& style) {
    if (!CanDraw(text))
        return false;
    const double scale = style.capHeight / kGridHeight;
    const double width = TextWidth(text, style);
    double pen = x;
    if (style.align == TextAlign::Centre)
        pen -= width / 2.0;
    if (style.align == TextAlign::Right)
        pen -= width;
    const double top = baseline - style.capHeight;
    for (char c : text) {
        const Glyph* g = FindGlyph(c);
        AppendGlyph(cr, *g, pen, top, scale);
        pen += (g->width + style.tracking) * scale;
    }
    return true;
}

} // namespace artwork
