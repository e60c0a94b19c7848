// The artwork generator's building blocks: what it writes must decode to the
// pixels it drew, in the form the editor blends (straight alpha).

#include "tests/resources/DecodedImage.h"
#include "tools/artwork/ArtworkRenderer.h"
#include "tools/artwork/PngWriter.h"
#include "tools/artwork/RgbaImage.h"
#include "tools/artwork/StrokeFont.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cairo.h>

#include <cstdint>

namespace {

std::uint8_t Noise(std::uint32_t n) {
    n = n * 1664525u + 1013904223u;
    n ^= n >> 15;
    return std::uint8_t((n * 2246822519u) >> 24);
}

// Bands of gradient, noise, transparent holes and a mix that only the Paeth
// predictor follows (columns repeat on the left, rows on the right), so every
// PNG row filter gets chosen somewhere.
artwork::RgbaImage TestPattern() {
    artwork::RgbaImage image;
    image.width = 37;
    image.height = 40;
    image.pixels.resize(std::size_t(image.width) * image.height * 4);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            std::uint8_t* p = image.At(x, y);
            for (int c = 0; c < 4; ++c) {
                const std::uint32_t salt = std::uint32_t(c) << 20;
                switch ((y / 5) % 4) {
                case 0:
                    p[c] = std::uint8_t(c == 3 ? 255 - y : x * 6 + y * c);
                    break;
                case 1:
                    p[c] = Noise(salt | std::uint32_t(y * 64 + x));
                    break;
                case 2:
                    p[c] = (x + y) % 7 == 0 ? 0 : Noise(salt | std::uint32_t(x));
                    break;
                default:
                    p[c] = x < image.width / 2 ? Noise(salt | std::uint32_t(x))
                                               : Noise(salt | 0x8000u | std::uint32_t(y));
                    break;
                }
            }
        }
    }
    return image;
}

TEST(ArtworkGenerator, PngWriterRoundTripsExactlyAndDeterministically) {
    const artwork::RgbaImage image = TestPattern();
    const auto bytes = artwork::EncodePng(image);
    ASSERT_FALSE(bytes.empty());
    const DecodedImage decoded = DecodePng(bytes.data(), bytes.size());
    ASSERT_FALSE(decoded.rgba.empty()) << "libpng rejects the file";
    EXPECT_EQ(decoded.bitDepth, 8);
    EXPECT_EQ(decoded.colourType, PNG_COLOR_TYPE_RGB_ALPHA);
    EXPECT_EQ(decoded.width, image.width);
    EXPECT_EQ(decoded.height, image.height);
    EXPECT_EQ(decoded.rgba, image.pixels) << "pixels changed on the way through the file";
    EXPECT_EQ(artwork::EncodePng(image), bytes) << "same pixels gave different bytes";
}

TEST(ArtworkGenerator, CairoPixelsBecomeStraightAlpha) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 3, 1);
    cairo_t* cr = cairo_create(surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_rectangle(cr, 0, 0, 1, 1);
    cairo_set_source_rgba(cr, 1.0, 0.5, 0.0, 0.5);
    cairo_fill(cr);
    cairo_rectangle(cr, 1, 0, 1, 1);
    cairo_set_source_rgba(cr, 0.2, 0.4, 0.6, 1.0);
    cairo_fill(cr);
    cairo_destroy(cr);
    const artwork::RgbaImage image = artwork::FromCairoSurface(surface);
    cairo_surface_destroy(surface);

    {
        SCOPED_TRACE("half-transparent orange keeps its full colour");
        const std::uint8_t* p = image.At(0, 0);
        EXPECT_NEAR(p[0], 255, 1);
        EXPECT_NEAR(p[1], 128, 2);
        EXPECT_EQ(p[2], 0);
        EXPECT_NEAR(p[3], 128, 1);
    }
    {
        SCOPED_TRACE("opaque colour unchanged");
        const std::uint8_t* p = image.At(1, 0);
        EXPECT_NEAR(p[0], 51, 1);
        EXPECT_NEAR(p[1], 102, 1);
        EXPECT_NEAR(p[2], 153, 1);
        EXPECT_EQ(p[3], 255);
    }
    {
        SCOPED_TRACE("untouched pixel fully transparent");
        const std::uint8_t* p = image.At(2, 0);
        EXPECT_EQ(p[0] | p[1] | p[2] | p[3], 0);
    }
}

TEST(ArtworkGenerator, CentredLegendIsCentredOnItsPoint) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 120, 20);
    cairo_t* cr = cairo_create(surface);
    artwork::TextStyle style;
    style.align = artwork::TextAlign::Centre;
    ASSERT_TRUE(artwork::AppendTextPath(cr, "LOW CUT", 60.0, 14.0, style));
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_stroke(cr);
    EXPECT_FALSE(artwork::AppendTextPath(cr, "LOW CUT #", 60.0, 14.0, style))
        << "a character without a glyph must be refused";
    cairo_destroy(cr);
    const artwork::RgbaImage image = artwork::FromCairoSurface(surface);
    cairo_surface_destroy(surface);

    int left = image.width, right = -1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.At(x, y)[3] > 64) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    ASSERT_GE(right, left) << "nothing was drawn";
    EXPECT_NEAR((left + right + 1) / 2.0, 60.0, 1.0);
    EXPECT_NEAR(right + 1 - left, artwork::TextWidth("LOW CUT", style) + style.strokeWidth, 2.0);
}

TEST(ArtworkGenerator, ContactSheetShowsTheFrameTheEditorWould) {
    // value 0 shows frame 1, 0.5 the middle, 1 the last; past the ends clamps.
    EXPECT_EQ(artwork::FrameForValue(0.0, 31), 1);
    EXPECT_EQ(artwork::FrameForValue(0.5, 31), 16);
    EXPECT_EQ(artwork::FrameForValue(1.0, 31), 31);
    EXPECT_EQ(artwork::FrameForValue(0.5, 3), 2);
    EXPECT_EQ(artwork::FrameForValue(0.5, 2), 2);
    EXPECT_EQ(artwork::FrameForValue(0.49, 2), 1);
    EXPECT_EQ(artwork::FrameForValue(1.7, 31), 31);
    EXPECT_EQ(artwork::FrameForValue(-0.4, 31), 1);
    EXPECT_EQ(artwork::FrameForValue(0.9, 1), 1);
}

} // namespace
