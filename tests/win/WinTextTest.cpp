#include "../graphics/InkedPixels.h"
#include "../graphics/TestPlug.h"
#include "lice/LICE_CachedFont.h"
#include "lice/LICE_SysBitmap.h"

#include <gtest/gtest.h>

// Text through the GDI back end of the glyph font: the system's face (or the one it
// substitutes) is measured and drawn like FreeType's on Linux.
TEST(WinText, GdiFontsMeasureAndDrawTheStylesText) {
    TestPlug plug;
    auto* graphics = new StripGraphics(&plug, 120, 40);
    plug.AttachEditor(graphics);
    LICE_SysBitmap* bitmap = graphics->DrawingBitmap();

    TextStyle style;
    PixelRect measured{10, 5, 110, 5};
    ASSERT_TRUE(graphics->MeasureText(style, "Sorvel", measured)) << "no GDI font for Verdana";
    const int w = measured.Width();
    const int h = measured.Height();
    EXPECT_GT(w, 20);
    EXPECT_LT(w, 80);
    EXPECT_GE(h, 12);
    EXPECT_EQ(measured.left, 60 - w / 2) << "centred in 10..110";

    FillWhite(*bitmap);
    PixelRect rect{0, 0, 120, 40};
    ASSERT_TRUE(graphics->RenderText(style, "Sorvel", rect));
    PixelRect box;
    EXPECT_GT(InkedPixels(*bitmap, box), 30);
    EXPECT_GE(box.left, 60 - w / 2 - 2);
    EXPECT_LE(box.right, 60 + w / 2 + 2);
    EXPECT_LE(box.bottom, h + 1);

    TextStyle bold;
    bold.style = TextBold;
    PixelRect boldMeasured{10, 5, 110, 5};
    ASSERT_TRUE(graphics->MeasureText(bold, "Sorvel", boldMeasured));
    EXPECT_NE(bold.cachedFont, style.cachedFont) << "bold is another font";
    EXPECT_GE(boldMeasured.Width(), w);

    LICE_CachedFont font;
    EXPECT_FALSE(font.SetFromFace("Verdana", 0, 400, false, true)) << "no height";
    LICE_Rect nothing{0, 0, 0, 0};
    EXPECT_EQ(font.DrawText(nullptr, "x", -1, &nothing, LICE_CachedFont::DrawMeasureOnly), 0);
}
