#pragma once

#include "tools/artwork/StrokeFont.h"

#include <cairo.h>

#include <cstdint>
#include <string_view>

namespace artwork {

// The palette of the faceplate, as 0xRRGGBB.
namespace colour {
constexpr std::uint32_t kPanelTop = 0x2B2E33;
constexpr std::uint32_t kPanelBottom = 0x1C1E22;
constexpr std::uint32_t kLegend = 0xDCD7CC;    // printed lettering
constexpr std::uint32_t kLegendDim = 0x9C988F; // secondary lettering
constexpr std::uint32_t kAmber = 0xFFB13D;
constexpr std::uint32_t kAmberDark = 0x4A3412;
constexpr std::uint32_t kRed = 0xFF4A32;
constexpr std::uint32_t kRedDark = 0x4A1A14;
constexpr std::uint32_t kPointer = 0xF4F1EA;
} // namespace colour

constexpr double kPi = 3.14159265358979323846;

void SetColour(cairo_t* cr, std::uint32_t rgb, double alpha = 1.0);
void AddColourStop(cairo_pattern_t* pattern, double offset, std::uint32_t rgb, double alpha = 1.0);
void RoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double r);

// Angle of a knob position: value 0..1 turns from -135 to +135 degrees,
// measured clockwise from twelve o'clock; returned in cairo's convention.
double KnobAngle(double value);

// Prints lettering with a faint shadow below it, like silk-screen on metal.
// Returns false, printing nothing, when a character has no glyph.
[[nodiscard]] bool PrintLegend(cairo_t* cr, std::string_view text, double x, double baseline,
                               const TextStyle& style, std::uint32_t rgb);

} // namespace artwork
