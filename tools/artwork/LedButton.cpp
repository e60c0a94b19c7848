#include "tools/artwork/LedButton.h"

#include "tools/artwork/Paint.h"

#include <algorithm>

namespace artwork {
namespace {

constexpr double kLedRadius = 3.6;
constexpr double kGlowRadius = 11.0;

void PaintLed(cairo_t* cr, double x, double y, LedColour led, bool lit) {
    const std::uint32_t bright = led == LedColour::Red ? colour::kRed : colour::kAmber;
    const std::uint32_t dark = led == LedColour::Red ? colour::kRedDark : colour::kAmberDark;
    if (lit) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, kLedRadius, x, y, kGlowRadius);
        AddColourStop(glow, 0.0, bright, 0.45);
        AddColourStop(glow, 1.0, bright, 0.0);
        cairo_arc(cr, x, y, kGlowRadius, 0, 2 * kPi);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    // Bezel ring.
    cairo_arc(cr, x, y, kLedRadius + 1.2, 0, 2 * kPi);
    SetColour(cr, 0x08090A, 0.9);
    cairo_fill(cr);

    cairo_pattern_t* lens = cairo_pattern_create_radial(x - 1.0, y - 1.2, 0.3, x, y, kLedRadius);
    AddColourStop(lens, 0.0, lit ? 0xFFF4DC : 0x77705F);
    AddColourStop(lens, 0.5, lit ? bright : dark);
    AddColourStop(lens, 1.0, lit ? bright : 0x161310);
    cairo_arc(cr, x, y, kLedRadius, 0, 2 * kPi);
    cairo_set_source(cr, lens);
    cairo_fill(cr);
    cairo_pattern_destroy(lens);
}

// A metal cap in a recess; an engaged cap sits a pixel lower and catches
// less light.
void PaintCap(cairo_t* cr, double left, double top, double w, double h, bool pressed) {
    RoundedRectangle(cr, left - 2, top - 2, w + 4, h + 4, 5);
    cairo_pattern_t* recess = cairo_pattern_create_linear(0, top - 2, 0, top + h + 2);
    AddColourStop(recess, 0.0, 0x000000, 0.75);
    AddColourStop(recess, 1.0, 0xFFFFFF, 0.12);
    cairo_set_source(cr, recess);
    cairo_fill(cr);
    cairo_pattern_destroy(recess);
    RoundedRectangle(cr, left - 1, top - 1, w + 2, h + 2, 4);
    SetColour(cr, 0x060708);
    cairo_fill(cr);

    const double y = top + (pressed ? 1.0 : 0.0);
    const double capH = h - (pressed ? 1.0 : 0.0);
    RoundedRectangle(cr, left, y, w, capH, 3.5);
    cairo_pattern_t* face = cairo_pattern_create_linear(0, y, 0, y + capH);
    AddColourStop(face, 0.0, pressed ? 0x4A4D53 : 0x5E626A);
    AddColourStop(face, 0.12, pressed ? 0x34373C : 0x43464C);
    AddColourStop(face, 1.0, pressed ? 0x1C1E21 : 0x222428);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);

    RoundedRectangle(cr, left + 0.5, y + 0.5, w - 1, capH - 1, 3);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, 0xFFFFFF, pressed ? 0.06 : 0.14);
    cairo_stroke(cr);
}

bool PaintPanelButton(cairo_t* cr, const ControlArt& art, bool lit) {
    const double w = art.frameWidth, h = art.frameHeight;
    PaintCap(cr, 3, 3, w - 6, h - 6, lit);
    const double ledX = 16.0, cy = h / 2.0 + (lit ? 0.5 : 0.0);
    PaintLed(cr, ledX, cy, art.led, lit);
    TextStyle style;
    style.capHeight = 7.0;
    style.tracking = 1.3;
    style.strokeWidth = 1.15;
    return PrintLegend(cr, art.marks[0], ledX + 11, cy + style.capHeight / 2, style,
                       lit ? 0xFFF1D6 : colour::kLegendDim);
}

} // namespace

bool PaintButtonFrame(cairo_t* cr, const ControlArt& art, bool lit) {
    bool lettered = true;
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, art.frameWidth, art.frameHeight);
    cairo_clip(cr);
    if (art.kind == ArtKind::LedPanel) {
        lettered = PaintPanelButton(cr, art, lit);
    } else {
        const double w = std::min(38.0, art.frameWidth - 12.0);
        const double h = std::min(25.0, art.frameHeight - 10.0);
        const double left = (art.frameWidth - w) / 2.0, top = (art.frameHeight - h) / 2.0;
        PaintCap(cr, left, top, w, h, lit);
        PaintLed(cr, art.frameWidth / 2.0, top + h / 2.0 + (lit ? 0.5 : 0.0), art.led, lit);
    }
    cairo_restore(cr);
    return lettered;
}

} // namespace artwork
