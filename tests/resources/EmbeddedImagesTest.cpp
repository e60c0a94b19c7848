#include "resources/EmbeddedImages.h"
#include "tests/resources/DecodedImage.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

// What the editor expects of each image: id, name, whole image size, frames.
struct ExpectedImage {
    int id;
    const char* name;
    int width, height, frames;
};

// clang-format off
constexpr ExpectedImage kEditorImages[] = {
    {101, "resources/img/BG.png", 1156, 456, 1},    {102, "resources/img/BY.png", 60, 92, 2},
    {103, "resources/img/HFREQL.png", 60, 111, 3},  {104, "resources/img/HFREQR.png", 60, 132, 3},
    {105, "resources/img/HGAINL.png", 62, 2201, 31}, {106, "resources/img/HGAINR.png", 62, 2263, 31},
    {107, "resources/img/LCUTL.png", 60, 80, 2},    {108, "resources/img/LCUTR.png", 60, 80, 2},
    {109, "resources/img/LFREQL.png", 56, 111, 3},  {110, "resources/img/LFREQR.png", 54, 132, 3},
    {111, "resources/img/LGAINL.png", 71, 2201, 31}, {112, "resources/img/LGAINR.png", 62, 2263, 31},
    {113, "resources/img/LINK.png", 65, 74, 2},     {114, "resources/img/MFREQ1L.png", 65, 74, 2},
    {115, "resources/img/MFREQ1R.png", 54, 88, 2},  {116, "resources/img/MFREQ2L.png", 62, 111, 3},
    {117, "resources/img/MFREQ2R.png", 52, 132, 3}, {118, "resources/img/MFREQ3L.png", 65, 111, 3},
    {119, "resources/img/MFREQ3R.png", 54, 132, 3}, {120, "resources/img/MFREQ4L.png", 60, 74, 2},
    {121, "resources/img/MFREQ4R.png", 50, 88, 2},  {122, "resources/img/MGAIN1L.png", 69, 2201, 31},
    {123, "resources/img/MGAIN1R.png", 65, 2263, 31}, {124, "resources/img/MGAIN2L.png", 65, 2201, 31},
    {125, "resources/img/MGAIN2R.png", 65, 2263, 31}, {126, "resources/img/MGAIN3L.png", 62, 2201, 31},
    {127, "resources/img/MGAIN3R.png", 65, 2263, 31}, {128, "resources/img/MGAIN4L.png", 62, 2201, 31},
    {129, "resources/img/MGAIN4R.png", 65, 2263, 31}, {130, "resources/img/MS.png", 62, 74, 2},
    {131, "resources/img/OUTL.png", 65, 2201, 31},  {132, "resources/img/OUTR.png", 65, 2263, 31},
    {133, "resources/img/OVER.png", 150, 50, 2},    {134, "resources/img/DRV.png", 60, 1798, 31},
};
// clang-format on

bool FramesEqual(const DecodedImage& image, int frameHeight, int a, int b) {
    const std::size_t frameBytes = std::size_t(image.width) * frameHeight * 4;
    return std::memcmp(&image.rgba[frameBytes * a], &image.rgba[frameBytes * b], frameBytes) == 0;
}

// The 2x artwork of image N: id N + 1000, the same file name in the 2x folder.
constexpr int kDoubleSizeOffset = 1000;

TEST(EmbeddedImages, EveryEditorImageIsFoundByIdWithItsName) {
    EXPECT_EQ(EmbeddedImageCount(), 2 * int(std::size(kEditorImages)));
    for (const ExpectedImage& expected : kEditorImages) {
        SCOPED_TRACE(expected.name);
        const EmbeddedImage* image = FindEmbeddedImage(expected.id);
        ASSERT_NE(image, nullptr) << "no image under id " << expected.id;
        EXPECT_EQ(image->id, expected.id);
        EXPECT_STREQ(image->name, expected.name);
        EXPECT_GT(image->size, 8u);
        const EmbeddedImage* doubled = FindEmbeddedImage(expected.id + kDoubleSizeOffset);
        ASSERT_NE(doubled, nullptr) << "no 2x artwork";
        EXPECT_EQ(doubled->name, std::string(expected.name).insert(sizeof "resources/img", "2x/"));
    }
    for (int i = 0; i < EmbeddedImageCount(); ++i) {
        const EmbeddedImage* image = EmbeddedImageAt(i);
        ASSERT_NE(image, nullptr) << "index " << i;
        EXPECT_EQ(FindEmbeddedImage(image->id), image) << "index " << i << " id " << image->id;
    }
    {
        SCOPED_TRACE("unknown ids and indices find nothing");
        for (int id : {-1, 0, 100, 135, 0x10065})
            EXPECT_EQ(FindEmbeddedImage(id), nullptr) << id;
        EXPECT_EQ(EmbeddedImageAt(-1), nullptr);
        EXPECT_EQ(EmbeddedImageAt(EmbeddedImageCount()), nullptr);
    }
}

TEST(EmbeddedImages, EveryImageDecodesAsEightBitRgbaOfItsSize) {
    for (const ExpectedImage& expected : kEditorImages) {
        SCOPED_TRACE(expected.name);
        const DecodedImage image = DecodeEmbedded(expected.id);
        ASSERT_FALSE(image.rgba.empty()) << "libpng cannot decode it";
        EXPECT_EQ(image.bitDepth, 8);
        EXPECT_EQ(image.colourType, PNG_COLOR_TYPE_RGB_ALPHA);
        EXPECT_EQ(image.width, expected.width);
        EXPECT_EQ(image.height, expected.height);
        EXPECT_EQ(image.height % expected.frames, 0) << "frames are not of equal height";
        const DecodedImage doubled = DecodeEmbedded(expected.id + kDoubleSizeOffset);
        EXPECT_EQ(doubled.colourType, PNG_COLOR_TYPE_RGB_ALPHA);
        EXPECT_EQ(doubled.width, 2 * expected.width) << "2x artwork";
        EXPECT_EQ(doubled.height, 2 * expected.height) << "2x artwork";
    }
}

TEST(EmbeddedImages, BackgroundIsOpaque) {
    const DecodedImage image = DecodeEmbedded(101);
    ASSERT_FALSE(image.rgba.empty());
    int seeThrough = 0;
    for (std::size_t i = 3; i < image.rgba.size(); i += 4)
        seeThrough += image.rgba[i] != 255;
    EXPECT_EQ(seeThrough, 0) << "pixels of the background are not fully opaque";
}

TEST(EmbeddedImages, KnobFramesTurnAndStayInsideTheirCircle) {
    for (const ExpectedImage& expected : kEditorImages) {
        if (expected.frames != 31)
            continue;
        SCOPED_TRACE(expected.name);
        const DecodedImage image = DecodeEmbedded(expected.id);
        ASSERT_EQ(image.height, expected.height);
        const int frameHeight = image.height / expected.frames;
        EXPECT_FALSE(FramesEqual(image, frameHeight, 0, expected.frames - 1))
            << "minimum and maximum look the same";
        for (int f = 1; f < expected.frames; ++f) {
            EXPECT_FALSE(FramesEqual(image, frameHeight, f - 1, f))
                << "frames " << f << " and " << f + 1 << " look the same";
        }
        // The strip is blended over the faceplate by its alpha: the corners of
        // every frame, outside the inscribed circle, must not cover it.
        const double cx = image.width / 2.0, cy = frameHeight / 2.0;
        const double radius = std::min(image.width, frameHeight) / 2.0;
        int covering = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const double dx = x + 0.5 - cx, dy = (y % frameHeight) + 0.5 - cy;
                if (dx * dx + dy * dy > radius * radius)
                    covering += image.At(x, y)[3] != 0;
            }
        }
        EXPECT_EQ(covering, 0) << "pixels outside the knob's circle are not transparent";
    }
}

TEST(EmbeddedImages, EverySwitchPositionLooksDifferent) {
    for (const ExpectedImage& expected : kEditorImages) {
        if (expected.frames != 2 && expected.frames != 3)
            continue;
        SCOPED_TRACE(expected.name);
        const DecodedImage image = DecodeEmbedded(expected.id);
        ASSERT_EQ(image.height, expected.height);
        const int frameHeight = image.height / expected.frames;
        for (int a = 0; a < expected.frames; ++a) {
            for (int b = a + 1; b < expected.frames; ++b) {
                EXPECT_FALSE(FramesEqual(image, frameHeight, a, b))
                    << "positions " << a + 1 << " and " << b + 1 << " look the same";
            }
        }
    }
}

} // namespace
