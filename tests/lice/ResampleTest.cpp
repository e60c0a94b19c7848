#include "lice/LICE_MemBitmap.h"
#include "lice/LICE_Resample.h"
#include "tests/lice/BitmapTestSupport.h"

#include <gtest/gtest.h>

TEST(Resample, FlatAreasStayExactlyFlatAndOnlyTheSourceRectangleIsRead) {
    // A translucent frame inside an opaque colour that must never appear in the output, as the
    // neighbouring frames of a strip must not.
    const LICE_pixel inside = Bgra(40, 120, 200, 140);
    LICE_MemBitmap src(30, 30);
    Fill(src, Bgra(255, 0, 255, 255));
    for (int y = 5; y < 25; ++y)
        for (int x = 5; x < 25; ++x)
            At(src, x, y) = inside;
    for (int size : {11, 13, 19, 20, 27, 40, 53}) {
        LICE_MemBitmap dest(size + 1, size + 1);
        Fill(dest, 0);
        ASSERT_TRUE(LICE_Resample(&dest, 1, 1, size, size, &src, LICE_Rect{5, 5, 25, 25}));
        int wrong = 0;
        for (int y = 0; y <= size; ++y)
            for (int x = 0; x <= size; ++x)
                wrong += At(dest, x, y) != (x && y ? inside : 0);
        EXPECT_EQ(wrong, 0) << "20 -> " << size;
    }
    LICE_MemBitmap dest(4, 4);
    EXPECT_FALSE(LICE_Resample(&dest, 1, 1, 4, 4, &src, LICE_Rect{0, 0, 9, 1})) << "past dest";
    EXPECT_FALSE(LICE_Resample(&dest, 0, 0, 4, 4, &src, LICE_Rect{0, 0, 31, 1})) << "past src";
}

TEST(Resample, AreasAverageRampsStayRampsAndTransparencyLendsNoColour) {
    LICE_MemBitmap greys(4, 2), halved(2, 1);
    const int grey[] = {10, 20, 30, 41, 100, 100, 200, 200};
    for (int i = 0; i < 8; ++i)
        At(greys, i % 4, i / 4) = Bgra(grey[i], grey[i], grey[i], 255);
    ASSERT_TRUE(LICE_Resample(&halved, 0, 0, 2, 1, &greys, LICE_Rect{0, 0, 4, 2}));
    EXPECT_EQ(At(halved, 0, 0), Bgra(58, 58, 58, 255)) << "(10 + 20 + 100 + 100) / 4";
    EXPECT_EQ(At(halved, 1, 0), Bgra(118, 118, 118, 255)) << "(30 + 41 + 200 + 200) / 4";
    LICE_MemBitmap ramp(9, 1), large(27, 1);
    for (int x = 0; x < 9; ++x)
        At(ramp, x, 0) = Bgra(20 * x + 10, 0, 0, 255);
    ASSERT_TRUE(LICE_Resample(&large, 0, 0, 27, 1, &ramp, LICE_Rect{0, 0, 9, 1}));
    for (int x = 3; x < 24; ++x) // where all four pixels of the cubic lie on the ramp
        EXPECT_NEAR(int(At(large, x, 0) & 255), 20 * ((x + 0.5) / 3 - 0.5) + 10, 0.5) << x;
    // Opaque red beside fully transparent green: whatever the filter, no green may show.
    LICE_MemBitmap edge(16, 1);
    for (int x = 0; x < 16; ++x)
        At(edge, x, 0) = x < 7 ? Bgra(0, 0, 255, 255) : Bgra(0, 255, 0, 0);
    for (int width : {5, 11, 23, 32}) {
        LICE_MemBitmap dest(width, 1);
        ASSERT_TRUE(LICE_Resample(&dest, 0, 0, width, 1, &edge, LICE_Rect{0, 0, 16, 1}));
        int tinted = 0;
        for (int x = 0; x < width; ++x)
            tinted += At(dest, x, 0) >> 24 && (At(dest, x, 0) & 0xFFFFFF) != 0xFF0000u;
        EXPECT_EQ(tinted, 0) << "16 -> " << width;
    }
}
