#include "TestPlug.h"

#include "graphics/ResourceImage.h"
#include "graphics/ScaledBitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace {

LICE_pixel& PixelOf(LICE_IBitmap* bitmap, int x, int y) {
    return bitmap->Bits()[y * bitmap->RowSpan() + x];
}

} // namespace

TEST(ScaledBitmap, EveryScaleKeepsTheFramesApartAtTheirScaledSizeAndIsMadeOnce) {
    constexpr int kId = 7401;
    StripGraphics::Register(kId, 13, 7, 3);
    TestPlug plug;
    StripGraphics graphics(&plug, 100, 100);
    const FrameBitmap strip = graphics.LoadFrameBitmap(kId, "strip.png", 3);
    EXPECT_EQ(BitmapAtScale(strip, 1.0), strip.bitmap);
    for (double scale : {1.25, 1.5, 2.0, 3.0, 4.0}) {
        SCOPED_TRACE(::testing::Message() << "scale " << scale);
        LICE_IBitmap* scaled = BitmapAtScale(strip, scale);
        ASSERT_NE(scaled, nullptr);
        const int frameWidth = ScaledLength(13, scale), frameHeight = ScaledLength(7, scale);
        ASSERT_EQ(scaled->Width(), frameWidth);
        ASSERT_EQ(scaled->Height(), 3 * frameHeight);
        // The made-up strip is opaque and names its frame in the red channel, flat across the
        // frame: any pixel of another frame filtered in would change it.
        int foreign = 0;
        for (int y = 0; y < scaled->Height(); ++y)
            for (int x = 0; x < frameWidth; ++x)
                foreign += PixelOf(scaled, x, y) >> 16 != (0xFF00u | (y / frameHeight + 1));
        EXPECT_EQ(foreign, 0) << "pixels bled in from a neighbouring frame";
        EXPECT_EQ(BitmapAtScale(strip, scale), scaled) << "made once, then shared";
    }
    for (double unusable : {0.5, 0.99, 4.01, std::nan("")})
        EXPECT_EQ(BitmapAtScale(strip, unusable), nullptr) << unusable;
    EXPECT_EQ(StripGraphics::LoadCount(kId), 1);
}

TEST(ScaledBitmap, ModuleImagesShowTheir2xArtworkAndLengthsRoundOnce) {
    TestPlug plug;
    StripGraphics graphics(&plug, 100, 100);
    const FrameBitmap knob = graphics.LoadFrameBitmap(105, "resources/img/HGAINL.png", 31);
    LICE_IBitmap* doubled = BitmapAtScale(knob, 2.0);
    std::unique_ptr<LICE_IBitmap> artwork(LoadModuleImage(105 + kDoubleSizeIdOffset));
    ASSERT_TRUE(doubled && artwork && doubled->Width() == 124 && doubled->Height() == 4402);
    int differing = 0;
    for (int y = 0; y < 4402; ++y)
        differing += std::memcmp(&PixelOf(doubled, 0, y), &PixelOf(artwork.get(), 0, y), 124 * 4);
    EXPECT_EQ(differing, 0) << "at 2 the strip is the 2x artwork itself";

    LICE_IBitmap* larger = BitmapAtScale(knob, 1.5);
    ASSERT_TRUE(larger && larger->Width() == 93);
    EXPECT_EQ(larger->Height(), 31 * 107) << "71 x 1.5 = 106.5 rounds up";

    EXPECT_EQ(ScaledLength(1156, 1.5), 1734);
    EXPECT_EQ(ScaledLength(456, 1.25), 570);
    EXPECT_EQ(ScaledLength(37, 1.25), 46);
    EXPECT_EQ(ScaledLength(-3, 1.5), -5) << "halves round away from zero";
}
