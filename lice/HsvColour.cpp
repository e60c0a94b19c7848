#include "lice/HsvColour.h"

#include "lice/ReciprocalTable.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kSector = 64;

// kSector * part / whole, rounded to nearest, for |part| <= whole <= 255.
int SectorFraction(int part, int whole) {
    const int magnitude = (std::abs(part) * kSector * kReciprocal[whole] + 32768) >> 16;
    return part < 0 ? -magnitude : magnitude;
}

int Divide255(int x) {
    return (x + 127) / 255;
}

// v x (1 - s x part / 64), in one rounding.
int Edge(int v, int s, int part) {
    constexpr int kFull = 255 * kSector;
    return (v * (kFull - s * part) + kFull / 2) / kFull;
}

} // namespace

HsvColour RgbToHsv(int red, int green, int blue) {
    const int high = std::max({red, green, blue});
    const int low = std::min({red, green, blue});
    const int spread = high - low;
    if (spread == 0)
        return {0, 0, high};

    // Computed from the low channel so that a colour with a zero channel is exactly saturated.
    const int saturation = 255 - ((low * 255 * kReciprocal[high] + 32768) >> 16);
    int hue;
    if (high == red)
        hue = SectorFraction(green - blue, spread);
    else if (high == green)
        hue = 2 * kSector + SectorFraction(blue - red, spread);
    else
        hue = 4 * kSector + SectorFraction(red - green, spread);
    if (hue < 0)
        hue += 6 * kSector;
    return {hue, saturation, high};
}

void HsvToRgb(const HsvColour& colour, int* red, int* green, int* blue) {
    const int v = colour.value, s = colour.saturation;
    const int sector = colour.hue / kSector, within = colour.hue % kSector;
    const int bottom = Divide255(v * (255 - s));
    const int falling = Edge(v, s, within);
    const int rising = Edge(v, s, kSector - within);
    int r, g, b;
    switch (sector) {
    case 0:
        r = v, g = rising, b = bottom;
        break;
    case 1:
        r = falling, g = v, b = bottom;
        break;
    case 2:
        r = bottom, g = v, b = rising;
        break;
    case 3:
        r = bottom, g = falling, b = v;
        break;
    case 4:
        r = rising, g = bottom, b = v;
        break;
    default:
        r = v, g = bottom, b = falling;
        break;
    }
    *red = r;
    *green = g;
    *blue = b;
}
