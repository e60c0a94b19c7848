#include "tools/artwork/Paint.h"

namespace artwork {

void SetColour(cairo_t* cr, std::uint32_t rgb, double alpha) {
    cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                          (rgb & 0xFF) / 255.0, alpha);
}

void AddColourStop(cairo_pattern_t* pattern, double offset, std::uint32_t rgb, double alpha) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, ((rgb >> 16) & 0xFF) / 255.0,
                                      ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha);
}

void RoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

double KnobAngle(double value) {
    const double fromTwelve = (-135.0 + 270.0 * value) * kPi / 180.0;
    return fromTwelve - kPi / 2;
}

bool PrintLegend(cairo_t* cr, std::string_view text, double x, double baseline,
                 const TextStyle& style, std::uint32_t rgb) {
    if (!CanDraw(text))
        return false;
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, style.strokeWidth);
    cairo_new_path(cr);
    AppendTextPath(cr, text, x, baseline + 1.0, style);
    SetColour(cr, 0x000000, 0.55);
    cairo_stroke(cr);
    AppendTextPath(cr, text, x, baseline, style);
    SetColour(cr, rgb);
    cairo_stroke(cr);
    cairo_restore(cr);
    return true;
}

} // namespace artwork
