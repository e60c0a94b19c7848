#include "BitmapTestSupport.h"
#include "TestPng.h"
#include "lice/DecodePngMemory.h"
#include "lice/LiceAllocation.h"
#include "lice/PngMemoryReader.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <memory>
#include <vector>

namespace {

struct DecodeCase {
    const char* name;
    PngPicture picture;
    std::vector<LICE_pixel> expected; // row by row
};

PngPicture Picture(int width, int height, int colourType, int bitDepth, std::vector<int> samples) {
    PngPicture p;
    p.width = width;
    p.height = height;
    p.colourType = colourType;
    p.bitDepth = bitDepth;
    p.samples = std::move(samples);
    return p;
}

PngPicture WithPalette(PngPicture p, std::vector<uint8_t> rgb, std::vector<uint8_t> alpha = {}) {
    p.paletteRgb = std::move(rgb);
    p.paletteAlpha = std::move(alpha);
    return p;
}

PngPicture Interlaced(PngPicture p) {
    p.interlaced = true;
    return p;
}

PngPicture WithTransparentGrey(PngPicture p, int grey) {
    p.transparentGrey = grey;
    return p;
}

LICE_pixel Grey(int g, int a = 255) {
    return Bgra(g, g, g, a);
}

std::unique_ptr<LICE_MemBitmap> Decode(const std::vector<uint8_t>& bytes, size_t length) {
    return std::unique_ptr<LICE_MemBitmap>(DecodePngMemory(bytes.data(), length));
}

void ExpectPixels(LICE_MemBitmap& bitmap, int width, int height,
                  const std::vector<LICE_pixel>& expected) {
    ASSERT_EQ(bitmap.Width(), width);
    ASSERT_EQ(bitmap.Height(), height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            EXPECT_EQ(At(bitmap, x, y), expected[size_t(y) * width + x])
                << "pixel (" << x << ", " << y << ")";
}

// A 3 x 3 RGB image, rows wider than the picture because of the 4-pixel padding.
PngPicture Rgb3x3() {
    std::vector<int> samples;
    for (int i = 0; i < 27; ++i)
        samples.push_back(i * 9);
    return Picture(3, 3, PNG_COLOR_TYPE_RGB, 8, samples);
}

std::vector<LICE_pixel> Rgb3x3Pixels() {
    std::vector<LICE_pixel> pixels;
    for (int i = 0; i < 9; ++i)
        pixels.push_back(Bgra((3 * i + 2) * 9, (3 * i + 1) * 9, 3 * i * 9, 255));
    return pixels;
}

size_t largestRequest = 0;
bool RecordRequest(size_t bytes, bool) {
    largestRequest = std::max(largestRequest, bytes);
    return false;
}
bool RefuseEverything(size_t, bool) {
    return true;
}

} // namespace

TEST(DecodePng, EveryColourTypeComesOutAsBgra) {
    const uint8_t rgbw[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 8, 7};
    const std::vector<uint8_t> fourColours(rgbw, rgbw + 12);
    std::vector<int> ramp;
    for (int i = 0; i < 25; ++i)
        ramp.insert(ramp.end(), {i * 10, 255 - i * 10, i});
    std::vector<LICE_pixel> rampPixels;
    for (int i = 0; i < 25; ++i)
        rampPixels.push_back(Bgra(i, 255 - i * 10, i * 10, 255));

    const DecodeCase cases[] = {
        {"RGBA",
         Picture(2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {10, 20, 30, 40, 250, 0, 5, 255}),
         {Bgra(30, 20, 10, 40), Bgra(5, 0, 250, 255)}},
        {"RGB gets opaque alpha",
         Picture(2, 1, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 4, 5, 6}),
         {Bgra(3, 2, 1, 255), Bgra(6, 5, 4, 255)}},
        {"RGB rows on padded spans", Rgb3x3(), Rgb3x3Pixels()},
        {"2-bit palette with partial tRNS",
         WithPalette(Picture(4, 1, PNG_COLOR_TYPE_PALETTE, 2, {0, 1, 2, 3}), fourColours, {0, 128}),
         {Bgra(0, 0, 255, 0), Bgra(0, 255, 0, 128), Bgra(255, 0, 0, 255), Bgra(7, 8, 9, 255)}},
        {"4-bit palette without tRNS",
         WithPalette(Picture(3, 1, PNG_COLOR_TYPE_PALETTE, 4, {2, 0, 3}), fourColours),
         {Bgra(255, 0, 0, 255), Bgra(0, 0, 255, 255), Bgra(7, 8, 9, 255)}},
        {"1-bit palette",
         WithPalette(Picture(2, 1, PNG_COLOR_TYPE_PALETTE, 1, {1, 0}), {255, 0, 0, 0, 255, 0}),
         {Bgra(0, 255, 0, 255), Bgra(0, 0, 255, 255)}},
        {"grey",
         Picture(3, 1, PNG_COLOR_TYPE_GRAY, 8, {0, 77, 255}),
         {Grey(0), Grey(77), Grey(255)}},
        {"grey with alpha",
         Picture(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {77, 10, 200, 255}),
         {Grey(77, 10), Grey(200)}},
        {"grey with a transparent key",
         WithTransparentGrey(Picture(2, 1, PNG_COLOR_TYPE_GRAY, 8, {0, 77}), 77),
         {Grey(0), Grey(77, 0)}},
        {"1-bit grey across a byte",
         Picture(9, 1, PNG_COLOR_TYPE_GRAY, 1, {1, 0, 1, 1, 0, 0, 0, 1, 1}),
         {Grey(255), Grey(0), Grey(255), Grey(255), Grey(0), Grey(0), Grey(0), Grey(255),
          Grey(255)}},
        {"2-bit grey",
         Picture(4, 1, PNG_COLOR_TYPE_GRAY, 2, {0, 1, 2, 3}),
         {Grey(0), Grey(85), Grey(170), Grey(255)}},
        {"4-bit grey",
         Picture(3, 1, PNG_COLOR_TYPE_GRAY, 4, {0, 5, 15}),
         {Grey(0), Grey(85), Grey(255)}},
        {"16-bit RGBA keeps the high bytes",
         Picture(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {0x1234, 0xFF00, 0x00FF, 0x8080}),
         {Bgra(0x00, 0xFF, 0x12, 0x80)}},
        {"16-bit grey", Picture(1, 1, PNG_COLOR_TYPE_GRAY, 16, {0xABCD}), {Grey(0xAB)}},
        {"interlaced", Interlaced(Picture(5, 5, PNG_COLOR_TYPE_RGB, 8, ramp)), rampPixels},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> png = EncodePng(c.picture);
        ASSERT_FALSE(png.empty()) << "test picture could not be encoded";
        std::unique_ptr<LICE_MemBitmap> bitmap = Decode(png, png.size());
        ASSERT_NE(bitmap, nullptr);
        ExpectPixels(*bitmap, c.picture.width, c.picture.height, c.expected);
    }
}

TEST(DecodePng, ShortOrDamagedDataGivesNoBitmap) {
    const std::vector<uint8_t> png = EncodePng(Rgb3x3());
    const size_t imageDataEnd = EndOfLastChunk(png, "IDAT");
    ASSERT_GT(imageDataEnd, 8u);

    EXPECT_EQ(DecodePngMemory(nullptr, 100), nullptr);
    for (size_t length = 0; length < png.size(); ++length) {
        SCOPED_TRACE("truncated to " + std::to_string(length) + " bytes");
        // Copied so that the sanitizer catches any read past the shortened data.
        const std::vector<uint8_t> prefix(png.begin(), png.begin() + length);
        std::unique_ptr<LICE_MemBitmap> bitmap = Decode(prefix, length);
        if (length < imageDataEnd)
            EXPECT_EQ(bitmap, nullptr);
        else if (bitmap == nullptr)
            ADD_FAILURE() << "only the end chunk was missing, yet nothing decoded";
        else
            ExpectPixels(*bitmap, 3, 3, Rgb3x3Pixels());
    }

    for (const size_t offset : {size_t(0), size_t(5), size_t(17), imageDataEnd - 6}) {
        SCOPED_TRACE("byte " + std::to_string(offset) + " flipped");
        std::vector<uint8_t> damaged = png;
        damaged[offset] ^= 0x40;
        EXPECT_EQ(Decode(damaged, damaged.size()), nullptr);
    }
}

TEST(DecodePng, RefusesHugeHeadersAndSurvivesAllocationFailure) {
    {
        SCOPED_TRACE("a header claiming 20000 x 20000 pixels");
        std::vector<uint8_t> png = EncodePng(Rgb3x3());
        const uint8_t side[4] = {0x00, 0x00, 0x4E, 0x20};
        std::copy(side, side + 4, png.begin() + 16);
        std::copy(side, side + 4, png.begin() + 20);
        const uLong crc = crc32(0, png.data() + 12, 17);
        for (int i = 0; i < 4; ++i)
            png[29 + i] = uint8_t(crc >> (24 - 8 * i));
        largestRequest = 0;
        LICE_SetAllocationVetoForTesting(RecordRequest);
        EXPECT_EQ(Decode(png, png.size()), nullptr);
        LICE_SetAllocationVetoForTesting(nullptr);
        EXPECT_LT(largestRequest, size_t(1) << 20) << "pixels were allocated for a bogus header";
    }
    {
        SCOPED_TRACE("no memory for the pixels");
        const std::vector<uint8_t> png = EncodePng(Rgb3x3());
        LICE_SetAllocationVetoForTesting(RefuseEverything);
        EXPECT_EQ(Decode(png, png.size()), nullptr);
        LICE_SetAllocationVetoForTesting(nullptr);
    }
}

TEST(PngMemoryReader, ZeroFillsOnlyAShortOverrun) {
    const unsigned char data[3] = {7, 8, 9};
    PngMemoryReader reader(data, sizeof data);
    unsigned char out[8];
    std::fill(out, out + 8, 0xEE);
    ASSERT_TRUE(reader.Read(out, 2));
    EXPECT_EQ(out[0], 7);
    EXPECT_EQ(out[1], 8);
    ASSERT_TRUE(reader.Read(out, 4)) << "a read across the end is zero-filled";
    EXPECT_EQ(out[0], 9);
    EXPECT_EQ(out[1] | out[2] | out[3], 0);
    std::vector<unsigned char> zeros(PngMemoryReader::kMaxOverrun);
    EXPECT_FALSE(reader.Read(zeros.data(), zeros.size()))
        << "3 bytes were already past the end, so this passes the overrun limit";

    PngMemoryReader exact(data, sizeof data);
    std::vector<unsigned char> all(sizeof data + PngMemoryReader::kMaxOverrun);
    EXPECT_TRUE(exact.Read(all.data(), all.size())) << "an overrun right at the limit is allowed";
    EXPECT_FALSE(exact.Read(out, 1));
}

TEST(DecodePng, AHugeChunkLengthBeyondTheDataFailsQuickly) {
    // An ancillary chunk claiming 2 GiB, cut off right after its header.
    std::vector<uint8_t> png = EncodePng(Rgb3x3());
    png.resize(33);
    const uint8_t header[8] = {0x7F, 0xFF, 0xFF, 0xF0, 't', 'e', 'S', 't'};
    png.insert(png.end(), header, header + 8);
    EXPECT_EQ(Decode(png, png.size()), nullptr);
}

TEST(DecodePng, AChunkClaimingGigabytesGetsNoMemory) {
    // Found by fuzzing: a valid 9 x 5 header, then a text chunk declaring 1.9 GB.
    const std::vector<uint8_t> png = {
        0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
        0x52, 0x00, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00, 0x05, 0x01, 0x00, 0x00, 0x00, 0x00, 0xbf,
        0x28, 0xfb, 0xc6, 0x00, 0x00, 0x00, 0x10, 0x63, 0x48, 0x52, 0x4d, 0x49, 0x44, 0x41, 0x54,
        0x08, 0x99, 0x63, 0x08, 0x65, 0x60, 0x58, 0xd5, 0xc0, 0x00, 0x23, 0x25, 0x00, 0x22, 0xa7,
        0x03, 0x73, 0x42, 0x49, 0x54, 0x74, 0x45, 0x58, 0x74, 0x60, 0x82,
    };
    largestRequest = 0;
    LICE_SetAllocationVetoForTesting(RecordRequest);
    EXPECT_EQ(Decode(png, png.size()), nullptr);
    LICE_SetAllocationVetoForTesting(nullptr);
    EXPECT_LE(largestRequest, size_t{8000000}) << "the decoder asked for " << largestRequest;
}

TEST(PngExtension, OnlyTheLastExtensionCounts) {
    const struct {
        const char* name;
        bool accepted;
    } cases[] = {
        {"knob.png", true},      {"KNOB.PNG", true}, {"a.b.PnG", true},    {".png", true},
        {"knob.png.bak", false}, {"knob.pn", false}, {"knob.pngx", false}, {"knobpng", false},
        {"png", false},          {"knob.", false},   {"", false},          {nullptr, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasPngExtension(c.name), c.accepted) << (c.name ? c.name : "(null)");
}
