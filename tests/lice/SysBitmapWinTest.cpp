// The Windows system bitmap as the window layer uses it: GDI draws into the drawing context and
// the raster library sees the same pixels, top row first, bytes blue, green, red.
#include "lice/LICE_SysBitmap.h"

#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

TEST(SysBitmapWin, SectionIsTopDownAndSharedWithGdi) {
    LICE_SysBitmap bitmap(5, 3);
    HDC context = static_cast<HDC>(bitmap.DeviceContext());
    ASSERT_NE(context, nullptr);

    DIBSECTION section{};
    HGDIOBJ selected = GetCurrentObject(context, OBJ_BITMAP);
    ASSERT_EQ(GetObjectW(selected, sizeof section, &section), int(sizeof section));
    EXPECT_EQ(section.dsBm.bmBits, bitmap.Bits());
    EXPECT_EQ(section.dsBmih.biWidth, bitmap.RowSpan());
    EXPECT_EQ(section.dsBmih.biBitCount, 32);

    // A bottom-up section would put GDI's row 2 at the start of the pixels.
    GdiFlush();
    ASSERT_NE(SetPixel(context, 4, 2, RGB(0x12, 0x34, 0x56)), COLORREF(CLR_INVALID));
    GdiFlush();
    EXPECT_EQ(bitmap.Bits()[2 * bitmap.RowSpan() + 4] & 0xFFFFFF, 0x123456u);

    SCOPED_TRACE("a larger size gets a new section, selected in place of the old one");
    ASSERT_TRUE(bitmap.Resize(40, 30));
    EXPECT_NE(GetCurrentObject(context, OBJ_BITMAP), selected);
    ASSERT_EQ(GetObjectW(GetCurrentObject(context, OBJ_BITMAP), sizeof section, &section),
              int(sizeof section));
    EXPECT_EQ(section.dsBm.bmBits, bitmap.Bits());
    EXPECT_EQ(section.dsBm.bmHeight, 30);
}
