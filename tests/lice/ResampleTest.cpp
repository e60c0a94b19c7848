#include "lice/LICE_MemBitmap.h"
#include "lice/LICE_Resample.h"
#include "tests/lice/BitmapTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Pixels of `bitmap` inside (left, top) - (right, bottom) that are not `expected`.
int Differing(LICE_IBitmap& bitmap, int left, int top, int right, int bottom, LICE_pixel expected) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            count += At(bitmap, x, y) != expected;
    return count;
}

int Channel(LICE_pixel p, int shift) {
    return int(p >> shift) & 255;
}

} // namespace

TEST(Resample, FlatAreasStayExactlyFlatAndOnlyTheSourceRectangleIsRead) {
    // A translucent frame surrounded by an opaque colour that must never appear in the output,
    // as the neighbouring frames of a strip must not.
    const LICE_pixel inside = Bgra(40, 120, 200, 140);
    LICE_MemBitmap src(30, 30);
    Fill(src, Bgra(255, 0, 255, 255));
    for (int y = 5; y < 25; ++y)
        for (int x = 5; x < 25; ++x)
            At(src, x, y) = inside;
    const LICE_Rect frame{5, 5, 25, 25};
    for (int size : {11, 13, 19, 20, 27, 40, 53}) {
        SCOPED_TRACE(::testing::Message() << "20 -> " << size);
        LICE_MemBitmap dest(size + 2, size + 2);
        Fill(dest, 0);
        ASSERT_TRUE(LICE_Resample(&dest, 1, 1, size, size, &src, frame));
        EXPECT_EQ(Differing(dest, 1, 1, size + 1, size + 1, inside), 0);
        EXPECT_EQ(Differing(dest, 0, 0, size + 2, 1, 0), 0) << "wrote outside its rectangle";
    }
}

TEST(Resample, ShrinkingAveragesAreasAndTransparencyLendsNoColour) {
    {
        SCOPED_TRACE("halving averages each 2 x 2 block");
        LICE_MemBitmap src(4, 2), dest(2, 1);
        const int greys[] = {10, 20, 30, 41, 100, 100, 200, 200};
        for (int i = 0; i < 8; ++i)
            At(src, i % 4, i / 4) = Bgra(greys[i], greys[i], greys[i], 255);
        ASSERT_TRUE(LICE_Resample(&dest, 0, 0, 2, 1, &src, LICE_Rect{0, 0, 4, 2}));
        EXPECT_EQ(At(dest, 0, 0), Bgra(58, 58, 58, 255)) << "(10 + 20 + 100 + 100) / 4 rounded";
        EXPECT_EQ(At(dest, 1, 0), Bgra(118, 118, 118, 255)) << "(30 + 41 + 200 + 200) / 4 rounded";
    }
    // Opaque red beside fully transparent green: whatever the filter, no green may show, and
    // where anything shows it is pure red, only less opaque.
    LICE_MemBitmap src(16, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 16; ++x)
            At(src, x, y) = x < 7 ? Bgra(0, 0, 255, 255) : Bgra(0, 255, 0, 0);
    for (int width : {5, 11, 16, 23, 32}) {
        SCOPED_TRACE(::testing::Message() << "16 -> " << width);
        LICE_MemBitmap dest(width, 4);
        ASSERT_TRUE(LICE_Resample(&dest, 0, 0, width, 4, &src, LICE_Rect{0, 0, 16, 4}));
        int partlyCovered = 0;
        for (int x = 0; x < width; ++x) {
            const LICE_pixel p = At(dest, x, 0);
            if (Channel(p, 24) == 0)
                continue;
            EXPECT_EQ(p & 0xFFFFFF, 0xFF0000u) << "x " << x;
            partlyCovered += Channel(p, 24) != 255;
        }
        if (width != 16) {
            EXPECT_GT(partlyCovered, 0) << "the edge is filtered, not cut";
        }
    }
}

TEST(Resample, EnlargingFollowsARampAndSameSizeCopies) {
    LICE_MemBitmap src(9, 1);
    for (int x = 0; x < 9; ++x)
        At(src, x, 0) = Bgra(20 * x + 10, 0, 0, 255);
    LICE_MemBitmap same(9, 1);
    ASSERT_TRUE(LICE_Resample(&same, 0, 0, 9, 1, &src, LICE_Rect{0, 0, 9, 1}));
    for (int x = 0; x < 9; ++x)
        EXPECT_EQ(At(same, x, 0), At(src, x, 0)) << "x " << x;

    LICE_MemBitmap large(27, 3);
    ASSERT_TRUE(LICE_Resample(&large, 0, 0, 27, 3, &src, LICE_Rect{0, 0, 9, 1}));
    for (int x = 0; x < 27; ++x) {
        // Output pixel x samples the source at (x + 0.5) / 3 - 0.5; a cubic reproduces a ramp
        // exactly where all four of its pixels lie on it, and the edges only ever rise.
        const double position = (x + 0.5) / 3 - 0.5;
        if (position >= 1 && position <= 7) {
            EXPECT_NEAR(Channel(At(large, x, 1), 0), 20 * position + 10, 0.5) << "x " << x;
        }
        if (x > 0) {
            EXPECT_GE(Channel(At(large, x, 1), 0), Channel(At(large, x - 1, 1), 0)) << "x " << x;
        }
    }

    LICE_MemBitmap dest(4, 4);
    EXPECT_FALSE(LICE_Resample(&dest, 1, 1, 4, 4, &src, LICE_Rect{0, 0, 9, 1})) << "past dest";
    EXPECT_FALSE(LICE_Resample(&dest, 0, 0, 4, 4, &src, LICE_Rect{0, 0, 10, 1})) << "past src";
    EXPECT_FALSE(LICE_Resample(&dest, 0, 0, 0, 4, &src, LICE_Rect{0, 0, 9, 1})) << "empty";
}
