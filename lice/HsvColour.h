#pragma once

// Hue 0..383 in six sectors of 64 (red at 0, green at 128, blue at 256); saturation and value
// 0..255. Channels are 0..255.
struct HsvColour {
    int hue;
    int saturation;
    int value;
};

HsvColour RgbToHsv(int red, int green, int blue);
void HsvToRgb(const HsvColour& colour, int* red, int* green, int* blue);
