#include "BitmapTestSupport.h"
#include "lice/BlitBitmap.h"
#include "lice/LICE_MemBitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

std::string Channels(LICE_pixel p) {
    char text[48];
    std::snprintf(text, sizeof text, "B%u G%u R%u A%u", p & 0xFF, p >> 8 & 0xFF, p >> 16 & 0xFF,
                  p >> 24);
    return text;
}

// One destination pixel after blitting one source pixel onto it.
LICE_pixel BlendOne(LICE_pixel dest, LICE_pixel src, float weight, int mode) {
    LICE_MemBitmap d(1, 1), s(1, 1);
    *d.Bits() = dest;
    *s.Bits() = src;
    BlitBitmap(&d, &s, 0, 0, nullptr, weight, mode);
    return *d.Bits();
}

struct Case {
    const char* name;
    LICE_pixel dest, src;
    float weight;
    int mode;
    LICE_pixel expected;
};

void Check(const Case& c) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Channels(BlendOne(c.dest, c.src, c.weight, c.mode)), Channels(c.expected));
}

const LICE_pixel kDest = Bgra(200, 100, 50, 255);
const LICE_pixel kSrc = Bgra(100, 200, 0, 128);
const LICE_pixel kDimDest = Bgra(60, 10, 0, 100);
const LICE_pixel kHalfAlphaDest = Bgra(200, 100, 50, 100);

} // namespace

TEST(Blit, PlainModesFollowTheirRules) {
    const Case cases[] = {
        {"copy at 1.0 replaces", kDest, kSrc, 1.0f, BlitCopy, kSrc},
        {"copy with w 256 from 1.002 replaces", kDest, kSrc, 1.002f, BlitCopy, kSrc},
        {"copy at 0.5 halves both", kDest, kSrc, 0.5f, BlitCopy, Bgra(150, 150, 25, 191)},
        {"copy at 0.5 of white on white", 0xFFFFFFFF, 0xFFFFFFFF, 0.5f, BlitCopy, 0xFEFEFEFE},
        {"copy at 0.3 truncates toward zero", kDest, kSrc, 0.3f, BlitCopy, Bgra(170, 130, 35, 217)},
        {"add at 0.5", kDest, kSrc, 0.5f, BlitAdd, Bgra(250, 200, 50, 255)},
        {"add at 1.0 saturates", kDest, kSrc, 1.0f, BlitAdd, Bgra(255, 255, 50, 255)},
        {"dodge at 0.5", kDimDest, Bgra(100, 255, 128, 64), 0.5f, BlitDodge, Bgra(74, 19, 0, 114)},
        {"dodge by white keeps only black", kDimDest, 0xFFFFFFFF, 1.0f, BlitDodge,
         Bgra(255, 255, 0, 255)},
        {"multiply at 1.0", kDest, kSrc, 1.0f, BlitMultiply, Bgra(78, 78, 0, 127)},
        {"multiply at 0.5", kDest, kSrc, 0.5f, BlitMultiply, Bgra(139, 89, 25, 191)},
        {"overlay at 1.0", kDest, kSrc, 1.0f, BlitOverlay, Bgra(190, 134, 9, 255)},
        {"channel copy red to alpha", kDest, kSrc, 0.1f, BlitChannelCopy(2, 3),
         Bgra(200, 100, 50, 0)},
        {"channel copy alpha to blue", kDest, kSrc, 1.0f, BlitChannelCopy(3, 0),
         Bgra(128, 100, 50, 255)},
        {"unknown mode leaves the destination", kDest, kSrc, 1.0f, 0x42, kDest},
        {"bits outside the low byte and flag are ignored", kDest, kSrc, 0.5f, BlitAdd | 0x300,
         Bgra(250, 200, 50, 255)},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST(Blit, SourceAlphaScalesEachRule) {
    const Case cases[] = {
        {"copy, transparent source", kDest, Bgra(1, 2, 3, 0), 1.0f, BlitCopy | BlitUseSourceAlpha,
         kDest},
        {"copy, opaque source replaces alpha too", kHalfAlphaDest, Bgra(1, 2, 3, 255), 1.0f,
         BlitCopy | BlitUseSourceAlpha, Bgra(1, 2, 3, 255)},
        {"copy, half alpha at 1.0", kHalfAlphaDest, kSrc, 1.0f, BlitCopy | BlitUseSourceAlpha,
         Bgra(149, 151, 24, 228)},
        {"copy, half alpha at 0.5 (no halving)", kHalfAlphaDest, kSrc, 0.5f,
         BlitCopy | BlitUseSourceAlpha, Bgra(175, 125, 37, 164)},
        {"copy at 0.5, transparent source", kDest, Bgra(1, 2, 3, 0), 0.5f,
         BlitCopy | BlitUseSourceAlpha, kDest},
        {"add, alpha channel adds the source alpha", kHalfAlphaDest, kSrc, 1.0f,
         BlitAdd | BlitUseSourceAlpha, Bgra(250, 200, 50, 164)},
        {"add, transparent source", kDest, Bgra(90, 90, 90, 0), 1.0f, BlitAdd | BlitUseSourceAlpha,
         kDest},
        {"dodge with alpha as weight", kDimDest, Bgra(100, 255, 128, 127), 1.0f,
         BlitDodge | BlitUseSourceAlpha, Bgra(74, 19, 0, 132)},
        {"multiply with alpha as weight", kDest, Bgra(100, 200, 0, 127), 1.0f,
         BlitMultiply | BlitUseSourceAlpha, Bgra(139, 89, 25, 190)},
        {"multiply, transparent source", kDest, Bgra(0, 0, 0, 0), 1.0f,
         BlitMultiply | BlitUseSourceAlpha, kDest},
        {"overlay with alpha as weight", kDest, Bgra(100, 200, 0, 127), 1.0f,
         BlitOverlay | BlitUseSourceAlpha, Bgra(195, 117, 29, 254)},
        {"channel copy ignores the flag", kDest, kSrc, 1.0f,
         BlitChannelCopy(3, 0) | BlitUseSourceAlpha, Bgra(128, 100, 50, 255)},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST(Blit, HsvAdjustShiftsHueSaturationAndValue) {
    const Case cases[] = {
        {"red turned half way round is cyan", Bgra(0, 0, 255, 255), Bgra(128, 128, 0, 255), 1.0f,
         BlitHsvAdjust, Bgra(255, 255, 0, 255)},
        {"no saturation leaves the grey of the value", Bgra(0, 0, 200, 255), Bgra(128, 0, 128, 77),
         1.0f, BlitHsvAdjust, Bgra(200, 200, 200, 77)},
        {"value up by half of 256", Bgra(100, 100, 100, 255), Bgra(192, 128, 128, 10), 1.0f,
         BlitHsvAdjust, Bgra(228, 228, 228, 10)},
        {"value shift scaled by half", Bgra(100, 100, 100, 255), Bgra(192, 128, 128, 10), 0.5f,
         BlitHsvAdjust, Bgra(164, 164, 164, 10)},
        {"source alpha halves the weight", Bgra(100, 100, 100, 255), Bgra(192, 128, 128, 127), 1.0f,
         BlitHsvAdjust | BlitUseSourceAlpha, Bgra(164, 164, 164, 127)},
    };
    for (const Case& c : cases)
        Check(c);

    // A source of 128s shifts nothing: every colour survives the trip through hue, saturation
    // and value to within the rounding of the conversion. A hue step is 1/64 of a sector, worth
    // up to 4 channel units on a saturated colour, so half a step plus a rounding is 3.
    int worst = 0;
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15) {
                const LICE_pixel out =
                    BlendOne(Bgra(b, g, r, 9), Bgra(128, 128, 128, 200), 1.0f, BlitHsvAdjust);
                worst = std::max({worst, std::abs(int(out & 0xFF) - b),
                                  std::abs(int(out >> 8 & 0xFF) - g),
                                  std::abs(int(out >> 16 & 0xFF) - r)});
                ASSERT_EQ(out >> 24, 200u) << "alpha should come from the source";
            }
    EXPECT_LE(worst, 3) << "a neutral hsv adjust moved a colour channel by " << worst;
}

TEST(Blit, OddWeightsStayWithinTheChannelRange) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {"weight 0 draws nothing", kDest, kSrc, 0.0f, BlitCopy, kDest},
        {"weight below 1/256 draws nothing", kDest, kSrc, 0.003f, BlitAdd, kDest},
        {"not-a-number weight draws nothing", kDest, kSrc, nan, BlitAdd, kDest},
        {"multiply beyond full weight clamps at 0", kDest, 0, 2.0f, BlitMultiply, 0},
        {"overlay beyond full weight clamps at 255", 0xFFFFFFFF, 0xFFFFFFFF, 2.0f, BlitOverlay,
         0xFFFFFFFF},
        {"infinite add saturates where the source is non-zero", kDest, Bgra(1, 0, 0, 0), inf,
         BlitAdd, Bgra(255, 100, 50, 255)},
        {"negative infinite add clears where the source is non-zero", kDest, Bgra(1, 0, 0, 0), -inf,
         BlitAdd, Bgra(0, 100, 50, 255)},
        {"negative copy weight extrapolates and clamps", Bgra(0, 255, 100, 100),
         Bgra(255, 0, 100, 100), -1.0f, BlitCopy, Bgra(0, 255, 100, 100)},
    };
    for (const Case& c : cases)
        Check(c);
}
