#include "lice/LICE_MemBitmap.h"
#include "lice/LICE_SysBitmap.h"
#include "lice/LiceAllocation.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

// Windows keeps a system bitmap's pixels in a section selected into a drawing context (checked in
// SysBitmapWinTest.cpp); elsewhere the raster library's allocator provides them.
#ifdef _WIN32
constexpr bool kPixelsInDrawingContext = true;
#else
constexpr bool kPixelsInDrawingContext = false;
#endif

bool RefuseReallocation(size_t, bool resizing) {
    return resizing;
}
bool RefuseEverything(size_t, bool) {
    return true;
}

// Installs a veto for the lifetime of the object.
struct VetoScope {
    explicit VetoScope(LICE_AllocationVeto veto) { LICE_SetAllocationVetoForTesting(veto); }
    ~VetoScope() { LICE_SetAllocationVetoForTesting(nullptr); }
};

// Writes every pixel the bitmap claims to own, so the sanitizer sees any short buffer.
void TouchAllRows(LICE_IBitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.RowSpan(); ++x)
            bitmap.Bits()[y * bitmap.RowSpan() + x] = 0xA5A5A5A5;
}

} // namespace

TEST(MemBitmap, GrowsByAQuarterAndNeverShrinks) {
    LICE_MemBitmap bitmap;
    EXPECT_EQ(bitmap.Bits(), nullptr);
    EXPECT_FALSE(bitmap.Resize(0, 0)) << "same size must report no change";

    ASSERT_TRUE(bitmap.Resize(10, 10));
    EXPECT_EQ(bitmap.RowSpan(), 12);
    EXPECT_EQ(bitmap.AllocatedBytes(), 480u) << "first allocation is exactly the need";
    EXPECT_EQ(reinterpret_cast<uintptr_t>(bitmap.Bits()) % 64, 0u);
    TouchAllRows(bitmap);
    EXPECT_FALSE(bitmap.Resize(10, 10));

    const LICE_pixel* before = bitmap.Bits();
    ASSERT_TRUE(bitmap.Resize(11, 10));
    EXPECT_EQ(bitmap.AllocatedBytes(), 480u) << "a wider size within the row padding fits";
    EXPECT_EQ(bitmap.Bits(), before);

    ASSERT_TRUE(bitmap.Resize(13, 10));
    EXPECT_EQ(bitmap.RowSpan(), 16);
    EXPECT_EQ(bitmap.AllocatedBytes(), 800u) << "growth is (640 / 4) * 5";
    EXPECT_EQ(reinterpret_cast<uintptr_t>(bitmap.Bits()) % 64, 0u);
    TouchAllRows(bitmap);

    before = bitmap.Bits();
    ASSERT_TRUE(bitmap.Resize(3, 2));
    EXPECT_EQ(bitmap.AllocatedBytes(), 800u) << "shrinking keeps the buffer";
    EXPECT_EQ(bitmap.Bits(), before);
    EXPECT_EQ(bitmap.RowSpan(), 4);

    ASSERT_TRUE(bitmap.Resize(0, 0));
    EXPECT_EQ(bitmap.Bits(), nullptr);
    EXPECT_EQ(bitmap.AllocatedBytes(), 0u);

    ASSERT_TRUE(bitmap.Resize(5, 0)) << "an empty size frees too";
    EXPECT_EQ(bitmap.Width(), 0);
    ASSERT_TRUE(bitmap.Resize(4, 4));
    ASSERT_TRUE(bitmap.Resize(-4, 9));
    EXPECT_EQ(bitmap.Width(), 0) << "a negative size leaves an empty bitmap";
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_EQ(bitmap.Bits(), nullptr);
}

TEST(MemBitmap, AllocationFailureFallsBackOrEmpties) {
    {
        SCOPED_TRACE("failed growth allocates the exact need afresh");
        LICE_MemBitmap bitmap(4, 4);
        VetoScope veto(RefuseReallocation);
        ASSERT_TRUE(bitmap.Resize(5, 4));
        EXPECT_EQ(bitmap.AllocatedBytes(), 128u);
        ASSERT_NE(bitmap.Bits(), nullptr);
        EXPECT_EQ(bitmap.Width(), 5);
        TouchAllRows(bitmap);
    }
    {
        SCOPED_TRACE("no memory at all leaves 0 x 0");
        LICE_MemBitmap bitmap(4, 4);
        VetoScope veto(RefuseEverything);
        EXPECT_TRUE(bitmap.Resize(64, 4));
        EXPECT_EQ(bitmap.Bits(), nullptr);
        EXPECT_EQ(bitmap.Width(), 0);
        EXPECT_EQ(bitmap.Height(), 0);
        LICE_MemBitmap fresh(8, 8);
        EXPECT_EQ(fresh.Bits(), nullptr);
        EXPECT_EQ(fresh.Width(), 0);
    }
    {
        SCOPED_TRACE("sizes past 2 GiB are refused, not wrapped");
        LICE_MemBitmap bitmap(40000, 40000);
        EXPECT_EQ(bitmap.Bits(), nullptr);
        EXPECT_EQ(bitmap.Width(), 0);
        EXPECT_TRUE(bitmap.Resize(INT_MAX, 1));
        EXPECT_EQ(bitmap.Width(), 0);
    }
}

TEST(SysBitmap, OnlyGrowsAndKeepsRowsContiguous) {
    LICE_SysBitmap bitmap(10, 3);
    EXPECT_EQ(bitmap.DeviceContext() != nullptr, kPixelsInDrawingContext);
    EXPECT_FALSE(bitmap.IsFlipped());
    EXPECT_EQ(bitmap.RowSpan(), 12);
    ASSERT_NE(bitmap.Bits(), nullptr);
    TouchAllRows(bitmap);
    EXPECT_FALSE(bitmap.Resize(10, 3));

    const LICE_pixel* before = bitmap.Bits();
    EXPECT_TRUE(bitmap.Resize(12, 2)) << "fits the allocation";
    EXPECT_EQ(bitmap.Bits(), before);
    EXPECT_EQ(bitmap.RowSpan(), 12) << "the row span stays the allocated width";
    EXPECT_EQ(bitmap.Width(), 12);

    EXPECT_TRUE(bitmap.Resize(13, 2));
    EXPECT_EQ(bitmap.RowSpan(), 16);
    TouchAllRows(bitmap);
    EXPECT_TRUE(bitmap.Resize(13, 5)) << "taller than allocated reallocates";
    EXPECT_EQ(bitmap.RowSpan(), 16);
    TouchAllRows(bitmap);

    EXPECT_FALSE(bitmap.Resize(0, 7)) << "an empty size releases the pixels";
    EXPECT_EQ(bitmap.Bits(), nullptr);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_FALSE(bitmap.Resize(-3, -3));
    EXPECT_EQ(bitmap.Width(), 0) << "a negative size never shows";

    if (!kPixelsInDrawingContext) {
        VetoScope veto(RefuseEverything);
        EXPECT_TRUE(bitmap.Resize(8, 8));
        EXPECT_EQ(bitmap.Bits(), nullptr);
        EXPECT_EQ(bitmap.Width(), 0);
    }
    EXPECT_TRUE(bitmap.Resize(INT_MAX, INT_MAX));
    EXPECT_EQ(bitmap.Bits(), nullptr);
    EXPECT_EQ(bitmap.Width(), 0);
}
