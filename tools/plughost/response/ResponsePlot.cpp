#include "tools/plughost/response/ResponsePlot.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plughost {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kLowestHz = 10;
constexpr double kLeft = 70, kRight = 24, kTop = 62, kBottom = 52;

struct Colour {
    double r, g, b;
};
constexpr Colour kCurveColours[] = {
    {0.10, 0.35, 0.80}, {0.85, 0.25, 0.15}, {0.15, 0.60, 0.25}, {0.55, 0.30, 0.65}};

// Maps frequency and gain to pixels inside the plot frame.
struct Axes {
    double x0, x1, y0, y1; // frame in pixels
    double lowHz, highHz, lowDb, highDb;

    double X(double hz) const {
        return x0 + (x1 - x0) * std::log(hz / lowHz) / std::log(highHz / lowHz);
    }
    double Y(double db) const { return y1 - (y1 - y0) * (db - lowDb) / (highDb - lowDb); }
};

// A symmetric range in whole steps that holds every curve, at least +-6 dB and at most
// +-48 dB, beyond which a deep cut leaves the frame at the bottom.
void ChooseRange(const ResponsePlotData& data, double& lowDb, double& highDb, double& step) {
    double extent = 0;
    for (const auto& curve : data.curves)
        for (double gain : curve.gainDb)
            if (std::isfinite(gain))
                extent = std::max(extent, std::fabs(gain));
    step = extent > 12 ? 6 : 3;
    const double half = std::clamp(std::ceil((extent + 1) / step) * step, 6.0, 48.0);
    lowDb = -half;
    highDb = half;
}

std::string FrequencyLabel(double hz) {
    char text[16];
    if (hz >= 1000)
        std::snprintf(text, sizeof(text), "%gk", hz / 1000);
    else
        std::snprintf(text, sizeof(text), "%g", hz);
    return text;
}

void Text(cairo_t* cr, const std::string& text, double x, double y, double alignX, double alignY) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_move_to(cr, x - extents.x_advance * alignX - extents.x_bearing * (1 - alignX),
                  y - extents.y_bearing - extents.height * alignY);
    cairo_show_text(cr, text.c_str());
}

void DrawGrid(cairo_t* cr, const Axes& a, double step) {
    cairo_set_line_width(cr, 1);
    cairo_set_font_size(cr, 12);
    for (double decade = 1; decade <= a.highHz; decade *= 10)
        for (int m = 1; m <= 9; ++m) {
            const double hz = decade * m;
            if (hz < a.lowHz || hz > a.highHz)
                continue;
            const bool major = m == 1 || m == 2 || m == 5;
            cairo_set_source_rgb(cr, major ? 0.78 : 0.90, major ? 0.78 : 0.90, major ? 0.78 : 0.90);
            cairo_move_to(cr, std::round(a.X(hz)) + 0.5, a.y0);
            cairo_line_to(cr, std::round(a.X(hz)) + 0.5, a.y1);
            cairo_stroke(cr);
            // The last label would crowd the Nyquist frequency's own.
            if (major && a.X(a.highHz) - a.X(hz) > 28) {
                cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
                Text(cr, FrequencyLabel(hz), a.X(hz), a.y1 + 6, 0.5, 0);
            }
        }
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    Text(cr, FrequencyLabel(a.highHz), a.x1, a.y1 + 6, 0.5, 0);
    for (double db = a.lowDb; db <= a.highDb + 1e-9; db += step) {
        const bool zero = std::fabs(db) < 1e-9;
        cairo_set_source_rgb(cr, zero ? 0.45 : 0.82, zero ? 0.45 : 0.82, zero ? 0.45 : 0.82);
        cairo_move_to(cr, a.x0, std::round(a.Y(db)) + 0.5);
        cairo_line_to(cr, a.x1, std::round(a.Y(db)) + 0.5);
        cairo_stroke(cr);
        char text[16];
        std::snprintf(text, sizeof(text), "%+g", db);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        Text(cr, zero ? "0" : text, a.x0 - 8, a.Y(db), 1, 0.5);
    }
    Text(cr, "Hz", a.x1, a.y1 + 24, 1, 0);
    cairo_save(cr);
    cairo_translate(cr, 18, (a.y0 + a.y1) / 2);
    cairo_rotate(cr, -kPi / 2);
    Text(cr, "gain (dB)", 0, 0, 0.5, 0.5);
    cairo_restore(cr);
}

void DrawCurves(cairo_t* cr, const Axes& a, const ResponsePlotData& data) {
    cairo_save(cr);
    cairo_rectangle(cr, a.x0, a.y0, a.x1 - a.x0, a.y1 - a.y0);
    cairo_clip(cr);
    cairo_set_line_width(cr, 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (size_t c = 0; c < data.curves.size(); ++c) {
        const Colour colour = kCurveColours[c % std::size(kCurveColours)];
        cairo_set_source_rgb(cr, colour.r, colour.g, colour.b);
        // Later curves dashed, so that channels lying on each other stay visible.
        const double dash[] = {8, 5};
        cairo_set_dash(cr, dash, c == 0 ? 0 : 2, 0);
        bool drawing = false;
        const auto& gain = data.curves[c].gainDb;
        for (size_t i = 0; i < gain.size(); ++i) {
            if (!std::isfinite(gain[i]) || data.hz[i] < a.lowHz) {
                drawing = false;
                continue;
            }
            const double y = std::clamp(a.Y(gain[i]), a.y0 - 10, a.y1 + 10);
            if (drawing)
                cairo_line_to(cr, a.X(data.hz[i]), y);
            else
                cairo_move_to(cr, a.X(data.hz[i]), y);
            drawing = true;
        }
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

void DrawLegend(cairo_t* cr, const Axes& a, const ResponsePlotData& data) {
    cairo_set_font_size(cr, 13);
    double x = a.x1 - 12;
    for (size_t c = data.curves.size(); c-- > 0;) {
        cairo_text_extents_t extents;
        cairo_text_extents(cr, data.curves[c].label.c_str(), &extents);
        x -= extents.x_advance;
        cairo_set_source_rgb(cr, 0.15, 0.15, 0.15);
        Text(cr, data.curves[c].label, x, a.y0 - 12, 0, 0.5);
        const Colour colour = kCurveColours[c % std::size(kCurveColours)];
        cairo_set_source_rgb(cr, colour.r, colour.g, colour.b);
        cairo_set_line_width(cr, 2);
        const double dash[] = {8, 5};
        cairo_set_dash(cr, dash, c == 0 ? 0 : 2, 0);
        cairo_move_to(cr, x - 34, a.y0 - 12);
        cairo_line_to(cr, x - 6, a.y0 - 12);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
        x -= 52;
    }
}

cairo_status_t AppendPng(void* closure, const unsigned char* data, unsigned int length) {
    auto* png = static_cast<std::vector<std::uint8_t>*>(closure);
    png->insert(png->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

Status DrawResponsePlot(const ResponsePlotData& data, std::vector<std::uint8_t>& png) {
    png.clear();
    if (data.nyquist <= kLowestHz)
        return Status::Fail("nothing to plot: the Nyquist frequency lies below 10 Hz");
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kPlotWidth, kPlotHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);

    Axes axes{kLeft,     kPlotWidth - kRight, kTop, kPlotHeight - kBottom,
              kLowestHz, data.nyquist,        0,    0};
    double step = 3;
    ChooseRange(data, axes.lowDb, axes.highDb, step);
    DrawGrid(cr, axes, step);
    DrawCurves(cr, axes, data);
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, axes.x0 + 0.5, axes.y0 + 0.5, axes.x1 - axes.x0 - 1, axes.y1 - axes.y0 - 1);
    cairo_stroke(cr);
    DrawLegend(cr, axes, data);

    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_set_font_size(cr, 16);
    Text(cr, data.title, kLeft, 10, 0, 0);
    cairo_set_font_size(cr, 12);
    cairo_set_source_rgb(cr, 0.35, 0.35, 0.35);
    Text(cr, data.subtitle, kLeft, 32, 0, 0);

    const cairo_status_t status = cairo_surface_write_to_png_stream(surface, AppendPng, &png);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        return Status::Fail(std::string("the plot could not be drawn: ") +
                            cairo_status_to_string(status));
    return Status::Ok();
}

void ReleasePlotCaches() {
    cairo_debug_reset_static_data();
    FcFini();
}

} // namespace plughost
