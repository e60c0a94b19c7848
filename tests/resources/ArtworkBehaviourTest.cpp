// What a user sees the controls do, measured on the embedded images.

#include "tests/resources/DecodedImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Strip {
    int id;
    const char* name;
};

constexpr Strip kKnobs[] = {{105, "HGAINL"},  {106, "HGAINR"},  {111, "LGAINL"},  {112, "LGAINR"},
                            {122, "MGAIN1L"}, {123, "MGAIN1R"}, {124, "MGAIN2L"}, {125, "MGAIN2R"},
                            {126, "MGAIN3L"}, {127, "MGAIN3R"}, {128, "MGAIN4L"}, {129, "MGAIN4R"},
                            {131, "OUTL"},    {132, "OUTR"},    {134, "DRV"}};

struct Selector {
    int id;
    const char* name;
    int positions;
};

constexpr Selector kSelectors[] = {{103, "HFREQL", 3},  {104, "HFREQR", 3},  {107, "LCUTL", 2},
                                   {108, "LCUTR", 2},   {109, "LFREQL", 3},  {110, "LFREQR", 3},
                                   {114, "MFREQ1L", 2}, {115, "MFREQ1R", 2}, {116, "MFREQ2L", 3},
                                   {117, "MFREQ2R", 3}, {118, "MFREQ3L", 3}, {119, "MFREQ3R", 3},
                                   {120, "MFREQ4L", 2}, {121, "MFREQ4R", 2}};

bool IsPointer(const std::uint8_t* p) {
    return p[3] >= 200 && std::min({p[0], p[1], p[2]}) >= 200;
}
bool IsLitAmberOrRed(const std::uint8_t* p) {
    const int hi = std::max({p[0], p[1], p[2]}), lo = std::min({p[0], p[1], p[2]});
    return p[3] >= 128 && hi >= 200 && hi - lo >= 80;
}
bool IsSliderMetal(const std::uint8_t* p) {
    return p[3] == 255 && p[0] >= 90 && std::abs(p[0] - p[2]) <= 12;
}

struct Centroid {
    double x = 0, y = 0;
    int count = 0;
};

template <typename Pick>
Centroid FindCentroid(const DecodedImage& image, int frame, int frameHeight, double maxRadius,
                      Pick pick) {
    Centroid c;
    const double cx = image.width / 2.0, cy = frameHeight / 2.0;
    for (int y = 0; y < frameHeight; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            if (dx * dx + dy * dy > maxRadius * maxRadius)
                continue;
            if (!pick(image.At(x, frame * frameHeight + y)))
                continue;
            c.x += dx;
            c.y += dy;
            ++c.count;
        }
    }
    if (c.count > 0) {
        c.x /= c.count;
        c.y /= c.count;
    }
    return c;
}

TEST(ArtworkBehaviour, KnobPointersTurnEvenlyFromMinimumToMaximum) {
    for (const Strip& knob : kKnobs) {
        SCOPED_TRACE(knob.name);
        const DecodedImage image = DecodeEmbedded(knob.id);
        ASSERT_FALSE(image.rgba.empty());
        const int frameHeight = image.height / 31;
        // The pointer lies on the cap, well inside the scale around it.
        const double capArea = 0.6 * std::min(image.width, frameHeight) / 2.0;
        for (int frame = 0; frame < 31; ++frame) {
            const Centroid c = FindCentroid(image, frame, frameHeight, capArea, IsPointer);
            ASSERT_GT(c.count, 10) << "no pointer in frame " << frame + 1;
            const double clockwiseFromTwelve = std::atan2(c.x, -c.y) * 180.0 / kPi;
            EXPECT_NEAR(clockwiseFromTwelve, -135.0 + 9.0 * frame, 3.0) << "frame " << frame + 1;
        }
    }
}

TEST(ArtworkBehaviour, SelectorSlidersMoveLeftToRightWithTheirLampLit) {
    for (const Selector& selector : kSelectors) {
        SCOPED_TRACE(selector.name);
        const DecodedImage image = DecodeEmbedded(selector.id);
        ASSERT_FALSE(image.rgba.empty());
        const int frames = selector.positions;
        const int frameHeight = image.height / frames;
        const double everywhere = 2.0 * (image.width + frameHeight);
        double previousX = -1e9;
        for (int frame = 0; frame < frames; ++frame) {
            const Centroid slider =
                FindCentroid(image, frame, frameHeight, everywhere, IsSliderMetal);
            const Centroid lamp =
                FindCentroid(image, frame, frameHeight, everywhere, IsLitAmberOrRed);
            ASSERT_GT(slider.count, 20) << "no slider in frame " << frame + 1;
            ASSERT_GT(lamp.count, 2) << "no lit lamp in frame " << frame + 1;
            EXPECT_GT(slider.x, previousX + 10.0)
                << "frame " << frame + 1 << " is not further right";
            EXPECT_NEAR(lamp.x, slider.x, 2.0)
                << "lamp not above the slider in frame " << frame + 1;
            previousX = slider.x;
        }
    }
}

TEST(ArtworkBehaviour, ButtonsLightOnlyInTheirEngagedState) {
    struct Button {
        int id;
        const char* name;
        int engagedFrame;
    };
    // Engaged: BY at 1 (bypassed), LINK at 0 (channel B follows A), MS at 0
    // (mid/side), the oversampling switch at 1 (four times).
    constexpr Button kButtons[] = {
        {102, "BY", 2}, {113, "LINK", 1}, {130, "MS", 1}, {133, "OVER", 2}};
    for (const Button& button : kButtons) {
        SCOPED_TRACE(button.name);
        const DecodedImage image = DecodeEmbedded(button.id);
        ASSERT_FALSE(image.rgba.empty());
        const int frameHeight = image.height / 2;
        const double everywhere = 2.0 * (image.width + frameHeight);
        for (int frame = 1; frame <= 2; ++frame) {
            const int lit =
                FindCentroid(image, frame - 1, frameHeight, everywhere, IsLitAmberOrRed).count;
            if (frame == button.engagedFrame) {
                EXPECT_GT(lit, 20) << "LED dark in engaged frame " << frame;
            } else {
                EXPECT_EQ(lit, 0) << "LED lit in released frame " << frame;
            }
        }
    }
}

} // namespace
