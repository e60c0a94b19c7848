#include "tools/artwork/Knob.h"

#include "tools/artwork/Paint.h"

#include <algorithm>
#include <cmath>

namespace artwork {
namespace {

// Radii as fractions of the knob radius, outermost first.
constexpr double kTickOuter = 0.98;
constexpr double kTickInner = 0.905;
constexpr double kArcRadius = 0.805;
constexpr double kShadowRadius = 0.77;
constexpr double kSkirtRadius = 0.68;
constexpr double kCapRadius = 0.54;
constexpr int kKnurlRidges = 40;
// Light falls from the upper left.
constexpr double kLightAngle = -3.0 * kPi / 4.0;

void RadialLine(cairo_t* cr, double cx, double cy, double angle, double r0, double r1) {
    cairo_move_to(cr, cx + r0 * std::cos(angle), cy + r0 * std::sin(angle));
    cairo_line_to(cr, cx + r1 * std::cos(angle), cy + r1 * std::sin(angle));
}

void PaintScale(cairo_t* cr, double cx, double cy, double r, int ticks, bool bipolar) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < ticks; ++i) {
        const bool major = i == 0 || i == ticks - 1 || (bipolar && 2 * i == ticks - 1);
        const double angle = KnobAngle(double(i) / (ticks - 1));
        RadialLine(cr, cx, cy, angle, r * (major ? kTickInner - 0.04 : kTickInner), r * kTickOuter);
        cairo_set_line_width(cr, major ? 1.5 : 1.1);
        SetColour(cr, major ? colour::kLegend : colour::kLegendDim, major ? 0.95 : 0.7);
        cairo_stroke(cr);
    }
}

void PaintValueArc(cairo_t* cr, double cx, double cy, double r, double value, bool bipolar) {
    const double arcR = r * kArcRadius;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, arcR, KnobAngle(0.0), KnobAngle(1.0));
    cairo_set_line_width(cr, 3.2);
    SetColour(cr, 0x0B0C0E, 0.9);
    cairo_stroke(cr);

    const double from = KnobAngle(bipolar ? 0.5 : 0.0);
    const double to = KnobAngle(value);
    if (std::fabs(to - from) < 1e-9)
        return;
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, arcR, std::min(from, to), std::max(from, to));
    cairo_set_line_width(cr, 5.0);
    SetColour(cr, colour::kAmber, 0.22);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 2.0);
    SetColour(cr, colour::kAmber);
    cairo_stroke(cr);
}

void PaintBody(cairo_t* cr, double cx, double cy, double r, double angle) {
    // Soft drop shadow, offset downwards.
    const double shadowY = cy + r * 0.07;
    cairo_pattern_t* shadow = cairo_pattern_create_radial(cx, shadowY, r * kSkirtRadius * 0.8, cx,
                                                          shadowY, r * kShadowRadius);
    AddColourStop(shadow, 0.0, 0x000000, 0.7);
    AddColourStop(shadow, 1.0, 0x000000, 0.0);
    cairo_arc(cr, cx, shadowY, r * kShadowRadius, 0, 2 * kPi);
    cairo_set_source(cr, shadow);
    cairo_fill(cr);
    cairo_pattern_destroy(shadow);

    // Skirt: dark metal lit from the top.
    const double skirtR = r * kSkirtRadius;
    cairo_pattern_t* skirt = cairo_pattern_create_linear(cx, cy - skirtR, cx, cy + skirtR);
    AddColourStop(skirt, 0.0, 0x54575E);
    AddColourStop(skirt, 1.0, 0x121316);
    cairo_arc(cr, cx, cy, skirtR, 0, 2 * kPi);
    cairo_set_source(cr, skirt);
    cairo_fill(cr);
    cairo_pattern_destroy(skirt);

    // Knurled rim turns with the knob; its ridges catch the light by angle.
    const double capR = r * kCapRadius;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_width(cr, 1.0);
    for (int i = 0; i < kKnurlRidges; ++i) {
        const double ridge = angle + 2 * kPi * i / kKnurlRidges;
        const double lit = 0.5 + 0.5 * std::cos(ridge - kLightAngle);
        RadialLine(cr, cx, cy, ridge, capR + 0.8, skirtR - 0.6);
        SetColour(cr, 0xFFFFFF, 0.05 + 0.17 * lit);
        cairo_stroke(cr);
        RadialLine(cr, cx, cy, ridge + kPi / kKnurlRidges, capR + 0.8, skirtR - 0.6);
        SetColour(cr, 0x000000, 0.35);
        cairo_stroke(cr);
    }

    // Cap: brushed dome with a highlight towards the light.
    cairo_pattern_t* cap = cairo_pattern_create_radial(cx - capR * 0.35, cy - capR * 0.45,
                                                       capR * 0.1, cx, cy, capR * 1.25);
    AddColourStop(cap, 0.0, 0x6E727A);
    AddColourStop(cap, 0.55, 0x3A3D43);
    AddColourStop(cap, 1.0, 0x1F2124);
    cairo_arc(cr, cx, cy, capR, 0, 2 * kPi);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);

    cairo_pattern_t* rim = cairo_pattern_create_linear(cx, cy - capR, cx, cy + capR);
    AddColourStop(rim, 0.0, 0xFFFFFF, 0.35);
    AddColourStop(rim, 0.5, 0xFFFFFF, 0.05);
    AddColourStop(rim, 1.0, 0x000000, 0.5);
    cairo_arc(cr, cx, cy, capR - 0.5, 0, 2 * kPi);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source(cr, rim);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);

    // Pointer line with a dark keyline so it reads on the highlight too.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    RadialLine(cr, cx, cy, angle, capR * 0.3, skirtR - 1.0);
    cairo_set_line_width(cr, 3.6);
    SetColour(cr, 0x000000, 0.45);
    cairo_stroke(cr);
    RadialLine(cr, cx, cy, angle, capR * 0.3, skirtR - 1.0);
    cairo_set_line_width(cr, 2.0);
    SetColour(cr, colour::kPointer);
    cairo_stroke(cr);
}

} // namespace

double KnobRadius(const ControlArt& art) {
    const double inscribed = std::min(art.frameWidth, art.frameHeight) / 2.0 - 1.0;
    return std::min(kKnobRadius, inscribed);
}

void PaintKnobFrame(cairo_t* cr, const ControlArt& art, double value) {
    const bool bipolar = art.kind == ArtKind::BipolarKnob;
    const double cx = art.frameWidth / 2.0;
    const double cy = art.frameHeight / 2.0;
    const double r = KnobRadius(art);
    cairo_save(cr);
    PaintScale(cr, cx, cy, r, bipolar ? 13 : 9, bipolar);
    PaintValueArc(cr, cx, cy, r, value, bipolar);
    PaintBody(cr, cx, cy, r, KnobAngle(value));
    cairo_restore(cr);
}

} // namespace artwork
