#include "tools/artwork/Faceplate.h"

#include "tools/artwork/ArtworkTable.h"
#include "tools/artwork/Knob.h"
#include "tools/artwork/Paint.h"
#include "tools/artwork/SlideSwitch.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace artwork {
namespace {

// Vertical bands of the faceplate.
constexpr double kRowATop = 21, kRowABottom = 177;
constexpr double kRowBTop = 239, kRowBBottom = 406;
constexpr double kPanelLeft = 8, kPanelRightMargin = 8;

// Fixed-seed generator for the brushed grain, so every run paints the same.
struct Grain {
    std::uint32_t state = 0x5021E1u;
    double Next() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1u << 24);
    }
};

const ControlArt* FindArt(const char* stem) {
    for (const ControlArt& art : AllArtwork()) {
        if (std::strcmp(art.stem, stem) == 0)
            return &art;
    }
    return nullptr;
}

TextStyle Style(double capHeight, double tracking, double stroke, TextAlign align) {
    TextStyle s;
    s.capHeight = capHeight;
    s.tracking = tracking;
    s.strokeWidth = stroke;
    s.align = align;
    return s;
}

void PaintMetal(cairo_t* cr, int width, int height) {
    cairo_pattern_t* base = cairo_pattern_create_linear(0, 0, 0, height);
    AddColourStop(base, 0.0, colour::kPanelTop);
    AddColourStop(base, 1.0, colour::kPanelBottom);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_set_source(cr, base);
    cairo_fill(cr);
    cairo_pattern_destroy(base);

    // Brushed grain runs along the rows.
    Grain grain;
    for (int y = 0; y < height; ++y) {
        const double g = grain.Next() - 0.5;
        cairo_rectangle(cr, 0, y, width, 1);
        SetColour(cr, g > 0 ? 0xFFFFFF : 0x000000, std::fabs(g) * 0.05);
        cairo_fill(cr);
    }

    // Edge bevel: lit top and left, shaded bottom and right.
    cairo_set_line_width(cr, 1.0);
    cairo_move_to(cr, 0.5, height);
    cairo_line_to(cr, 0.5, 0.5);
    cairo_line_to(cr, width, 0.5);
    SetColour(cr, 0xFFFFFF, 0.16);
    cairo_stroke(cr);
    cairo_move_to(cr, width - 0.5, 0);
    cairo_line_to(cr, width - 0.5, height - 0.5);
    cairo_line_to(cr, 0, height - 0.5);
    SetColour(cr, 0x000000, 0.6);
    cairo_stroke(cr);
}

// A shallow recess holding one channel's controls.
void PaintRecess(cairo_t* cr, double left, double top, double right, double bottom) {
    RoundedRectangle(cr, left, top, right - left, bottom - top, 6);
    SetColour(cr, 0x000000, 0.2);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.0);
    RoundedRectangle(cr, left + 0.5, top + 0.5, right - left - 1, bottom - top - 1, 6);
    cairo_pattern_t* edge = cairo_pattern_create_linear(0, top, 0, bottom);
    AddColourStop(edge, 0.0, 0x000000, 0.7);
    AddColourStop(edge, 0.5, 0x000000, 0.25);
    AddColourStop(edge, 1.0, 0xFFFFFF, 0.12);
    cairo_set_source(cr, edge);
    cairo_stroke(cr);
    cairo_pattern_destroy(edge);
}

void PaintScrew(cairo_t* cr, double x, double y, double slotAngle) {
    cairo_arc(cr, x, y + 0.8, 5.2, 0, 2 * kPi);
    SetColour(cr, 0x000000, 0.5);
    cairo_fill(cr);
    cairo_pattern_t* head = cairo_pattern_create_radial(x - 1.5, y - 1.8, 0.5, x, y, 5.5);
    AddColourStop(head, 0.0, 0x9EA2A8);
    AddColourStop(head, 1.0, 0x3A3C40);
    cairo_arc(cr, x, y, 4.8, 0, 2 * kPi);
    cairo_set_source(cr, head);
    cairo_fill(cr);
    cairo_pattern_destroy(head);
    const double dx = 3.6 * std::cos(slotAngle), dy = 3.6 * std::sin(slotAngle);
    cairo_move_to(cr, x - dx, y - dy);
    cairo_line_to(cr, x + dx, y + dy);
    cairo_set_line_width(cr, 1.4);
    SetColour(cr, 0x141518);
    cairo_stroke(cr);
}

bool PaintChannelBadge(cairo_t* cr, double centreY, const char* text) {
    const double left = 18, width = 46, height = 24;
    RoundedRectangle(cr, left, centreY - height / 2, width, height, 4);
    SetColour(cr, 0x000000, 0.35);
    cairo_fill(cr);
    RoundedRectangle(cr, left + 0.5, centreY - height / 2 + 0.5, width - 1, height - 1, 4);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, colour::kAmber, 0.45);
    cairo_stroke(cr);
    return PrintLegend(cr, text, left + width / 2, centreY + 5,
                       Style(10, 1.4, 1.5, TextAlign::Centre), colour::kLegend);
}

bool PaintKnobLegends(cairo_t* cr, const ControlArt& art) {
    const TextStyle side = Style(6.5, 1.0, 1.05, TextAlign::Right);
    const double cx = art.x + art.frameWidth / 2.0, cy = art.y + art.frameHeight / 2.0;
    // Scale ends sit level with the end ticks, just outside the rectangle.
    const double endY = cy + KnobRadius(art) * std::sqrt(0.5) + side.capHeight / 2;
    bool ok = PrintLegend(cr, art.marks[0], art.x - 2, endY, side, colour::kLegendDim);
    TextStyle right = side;
    right.align = TextAlign::Left;
    ok &=
        PrintLegend(cr, art.marks[2], art.x + art.frameWidth + 2, endY, right, colour::kLegendDim);
    const bool caption = art.kind == ArtKind::UnipolarKnob;
    const TextStyle top = caption ? Style(7.5, 1.5, 1.2, TextAlign::Centre)
                                  : Style(6.5, 1.0, 1.05, TextAlign::Centre);
    ok &= PrintLegend(cr, art.marks[1], cx, art.y - 3, top,
                      caption ? colour::kLegend : colour::kLegendDim);
    if (!caption) {
        // The unit follows the centre mark so that the mark itself stays over its tick.
        TextStyle unit = Style(5.5, 0.8, 1.0, TextAlign::Left);
        ok &= PrintLegend(cr, "dB", cx + TextWidth(art.marks[1], top) / 2 + 3, art.y - 3, unit,
                          colour::kLegendDim);
    }
    return ok;
}

bool PaintSelectorLegends(cairo_t* cr, const ControlArt& art) {
    const double cx = art.x + art.frameWidth / 2.0;
    bool ok = true;
    if (art.kind == ArtKind::SideSelector) {
        const TextStyle s = Style(6.5, 1.0, 1.05, TextAlign::Right);
        const double baseline = art.y + art.frameHeight / 2.0 + 2.0 + s.capHeight / 2;
        const std::string left = std::string(art.marks[0]) + " Hz";
        const std::string right = std::string(art.marks[1]) + " Hz";
        ok &= PrintLegend(cr, left, art.x - 3, baseline, s, colour::kLegendDim);
        TextStyle r = s;
        r.align = TextAlign::Left;
        ok &= PrintLegend(cr, right, art.x + art.frameWidth + 3, baseline, r, colour::kLegendDim);
        return ok;
    }
    const TextStyle s = Style(5.5, 0.7, 1.0, TextAlign::Centre);
    const double baseline = art.y + art.frameHeight + 3 + s.capHeight;
    for (int p = 0; p < art.frames; ++p) {
        ok &= PrintLegend(cr, art.marks[p], cx + LabelOffset(art, p), baseline, s,
                          colour::kLegendDim);
    }
    return ok;
}

bool PaintButtonCaption(cairo_t* cr, const ControlArt& art) {
    return PrintLegend(cr, art.marks[0], art.x + art.frameWidth / 2.0, art.y - 4,
                       Style(6.5, 1.3, 1.1, TextAlign::Centre), colour::kLegend);
}

bool PaintControlLegends(cairo_t* cr) {
    bool ok = true;
    for (const ControlArt& art : AllArtwork()) {
        switch (art.kind) {
        case ArtKind::BipolarKnob:
        case ArtKind::UnipolarKnob:
            ok &= PaintKnobLegends(cr, art);
            break;
        case ArtKind::Selector:
        case ArtKind::SideSelector:
            ok &= PaintSelectorLegends(cr, art);
            break;
        case ArtKind::LedButton:
            ok &= PaintButtonCaption(cr, art);
            break;
        case ArtKind::Background:
        case ArtKind::LedPanel: // lettered on its own frames
            break;
        }
    }
    return ok;
}

bool PaintHeadings(cairo_t* cr) {
    bool ok = true;
    for (const Heading& heading : AllHeadings()) {
        const ControlArt* art = FindArt(heading.overStem);
        if (art == nullptr)
            return false;
        ok &= PrintLegend(cr, heading.text, art->x + art->frameWidth / 2.0, 17,
                          Style(8.5, 1.8, 1.35, TextAlign::Centre), colour::kLegend);
    }
    return ok;
}

bool PaintNameplate(cairo_t* cr, double left, double right, double top, double bottom) {
    const double cx = (left + right) / 2;
    const TextStyle name = Style(17, 2.6, 2.2, TextAlign::Centre);
    const TextStyle sub = Style(6, 1.6, 1.0, TextAlign::Centre);
    const double nameBaseline = top + (bottom - top) / 2 + 4;
    const double half = TextWidth("SORVEL", name) / 2 + 16;
    cairo_set_line_width(cr, 1.0);
    for (double sign : {-1.0, 1.0}) {
        const double inner = cx + sign * half, outer = sign < 0 ? left : right;
        cairo_move_to(cr, inner, nameBaseline - 8.5);
        cairo_line_to(cr, outer, nameBaseline - 8.5);
        SetColour(cr, 0x000000, 0.5);
        cairo_stroke(cr);
        cairo_move_to(cr, inner, nameBaseline - 7.5);
        cairo_line_to(cr, outer, nameBaseline - 7.5);
        SetColour(cr, 0xFFFFFF, 0.1);
        cairo_stroke(cr);
    }
    bool ok = PrintLegend(cr, "SORVEL", cx, nameBaseline, name, colour::kLegend);
    ok &= PrintLegend(cr, "TWO-CHANNEL EQUALISER", cx, nameBaseline + 13, sub, colour::kLegendDim);
    return ok;
}

} // namespace

bool PaintFaceplate(cairo_t* cr, int width, int height) {
    const ControlArt* knobA = FindArt("LGAINL");
    const ControlArt* knobB = FindArt("LGAINR");
    const ControlArt* lastSwitch = FindArt("MS");
    if (knobA == nullptr || knobB == nullptr || lastSwitch == nullptr)
        return false;

    cairo_save(cr);
    PaintMetal(cr, width, height);
    PaintRecess(cr, kPanelLeft, kRowATop, width - kPanelRightMargin, kRowABottom);
    PaintRecess(cr, kPanelLeft, kRowBTop, width - kPanelRightMargin, kRowBBottom);

    bool ok = PaintHeadings(cr);
    ok &= PaintChannelBadge(cr, knobA->y + knobA->frameHeight / 2.0, "A/L");
    ok &= PaintChannelBadge(cr, knobB->y + knobB->frameHeight / 2.0, "B/R");
    ok &= PaintControlLegends(cr);
    ok &= PaintNameplate(cr, lastSwitch->x + lastSwitch->frameWidth + 40, width - 30, kRowABottom,
                         kRowBTop);
    ok &= PrintLegend(cr, "VELMORA", width - 28, height - 10, Style(9, 2.2, 1.45, TextAlign::Right),
                      colour::kLegend);

    PaintScrew(cr, 12, 12, 0.6);
    PaintScrew(cr, width - 12, 12, 2.1);
    // The oversampling button owns the bottom-left corner.
    PaintScrew(cr, 166, height - 15, 1.2);
    PaintScrew(cr, width - 12, height - 15, 2.6);
    cairo_restore(cr);
    return ok;
}

} // namespace artwork
