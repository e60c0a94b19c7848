#include "tools/artwork/SlideSwitch.h"

#include "tools/artwork/Paint.h"

#include <cmath>

namespace artwork {
namespace {

constexpr double kSlotHeight = 20.0;
constexpr double kSliderWidth = 11.0;
constexpr double kSliderHeight = 15.0;
constexpr double kSlotMargin = 1.5;   // between slider and slot end
constexpr double kIndicatorGap = 4.5; // between slot top and the position lamps

double DetentSpacing(const ControlArt& art) {
    if (art.frames >= 3)
        return 17.0;
    return art.kind == ArtKind::SideSelector ? 18.0 : 20.0;
}

void PaintSlot(cairo_t* cr, double left, double top, double width) {
    RoundedRectangle(cr, left - 1, top - 1, width + 2, kSlotHeight + 2, 5);
    cairo_pattern_t* bezel = cairo_pattern_create_linear(0, top - 1, 0, top + kSlotHeight + 1);
    AddColourStop(bezel, 0.0, 0x000000, 0.6);
    AddColourStop(bezel, 1.0, 0xFFFFFF, 0.14);
    cairo_set_source(cr, bezel);
    cairo_fill(cr);
    cairo_pattern_destroy(bezel);

    RoundedRectangle(cr, left, top, width, kSlotHeight, 4);
    cairo_pattern_t* well = cairo_pattern_create_linear(0, top, 0, top + kSlotHeight);
    AddColourStop(well, 0.0, 0x07080A);
    AddColourStop(well, 1.0, 0x17191C);
    cairo_set_source(cr, well);
    cairo_fill(cr);
    cairo_pattern_destroy(well);
}

void PaintSlider(cairo_t* cr, double cx, double cy) {
    const double left = cx - kSliderWidth / 2;
    const double top = cy - kSliderHeight / 2;
    RoundedRectangle(cr, left, top + 1.5, kSliderWidth, kSliderHeight, 2.5);
    SetColour(cr, 0x000000, 0.6);
    cairo_fill(cr);

    RoundedRectangle(cr, left, top, kSliderWidth, kSliderHeight, 2.5);
    cairo_pattern_t* face = cairo_pattern_create_linear(0, top, 0, top + kSliderHeight);
    AddColourStop(face, 0.0, 0x9A9EA6);
    AddColourStop(face, 0.45, 0x63676E);
    AddColourStop(face, 1.0, 0x35383D);
    cairo_set_source(cr, face);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(face);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, 0x000000, 0.5);
    cairo_stroke(cr);

    // Grip grooves.
    cairo_set_line_width(cr, 1.0);
    for (int i = -1; i <= 1; ++i) {
        const double x = std::round(cx + i * 3.0) - 0.5;
        cairo_move_to(cr, x, top + 3.5);
        cairo_line_to(cr, x, top + kSliderHeight - 3.5);
        SetColour(cr, 0x1A1B1E, 0.8);
        cairo_stroke(cr);
        cairo_move_to(cr, x + 1, top + 3.5);
        cairo_line_to(cr, x + 1, top + kSliderHeight - 3.5);
        SetColour(cr, 0xFFFFFF, 0.25);
        cairo_stroke(cr);
    }
}

void PaintLamp(cairo_t* cr, double x, double y, bool lit) {
    if (lit) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0.5, x, y, 4.5);
        AddColourStop(glow, 0.0, colour::kAmber, 0.7);
        AddColourStop(glow, 1.0, colour::kAmber, 0.0);
        cairo_arc(cr, x, y, 4.5, 0, 2 * kPi);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    cairo_arc(cr, x, y, 1.7, 0, 2 * kPi);
    SetColour(cr, lit ? 0xFFE0A8 : 0x3A3428);
    cairo_fill(cr);
}

} // namespace

double DetentOffset(const ControlArt& art, int position) {
    return (position - (art.frames - 1) / 2.0) * DetentSpacing(art);
}

double LabelOffset(const ControlArt& art, int position) {
    // Three labels need a little more room than the detents give them.
    const double spread = art.frames >= 3 ? 19.0 / 17.0 : 1.0;
    return DetentOffset(art, position) * spread;
}

void PaintSlideSwitchFrame(cairo_t* cr, const ControlArt& art, int position) {
    cairo_save(cr);
    const double cx = art.frameWidth / 2.0;
    const double cy = art.frameHeight / 2.0 + 2.0;
    const double travel = DetentSpacing(art) * (art.frames - 1);
    const double slotWidth = travel + kSliderWidth + 2 * kSlotMargin;
    const double slotTop = cy - kSlotHeight / 2;
    PaintSlot(cr, cx - slotWidth / 2, slotTop, slotWidth);
    for (int p = 0; p < art.frames; ++p) {
        PaintLamp(cr, cx + DetentOffset(art, p), slotTop - kIndicatorGap, p == position);
    }
    PaintSlider(cr, cx + DetentOffset(art, position), cy);
    cairo_restore(cr);
}

} // namespace artwork
