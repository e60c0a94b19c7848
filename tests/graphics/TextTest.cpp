#include "InkedPixels.h"
#include "TestPlug.h"

#include "graphics/FontLocator.h"
#include "lice/LICE_CachedFont.h"
#include "lice/LICE_SysBitmap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

class Text : public ::testing::Test {
  protected:
    void SetUp() override {
        graphics = new StripGraphics(&plug, 120, 40);
        plug.AttachEditor(graphics);
        FillWhite(*graphics->DrawingBitmap());
    }

    int Inked(PixelRect& box) const { return InkedPixels(*graphics->DrawingBitmap(), box); }

    TestPlug plug;
    StripGraphics* graphics = nullptr;
};

} // namespace

TEST_F(Text, RenderTextDrawsAndMeasuresWhenAFontExists) {
    TextStyle style;
    PixelRect rect{0, 0, 120, 40};
    EXPECT_TRUE(graphics->RenderText(style, "", rect)) << "an empty text needs no font";

    char path[FontLocator::kPathSize];
    if (!FontLocator::Find(style.faceName, false, false, path, sizeof path)) {
        EXPECT_FALSE(graphics->RenderText(style, "Sorvel", rect));
        PixelRect box;
        EXPECT_EQ(Inked(box), 0);
        GTEST_SKIP() << "no usable font on this machine; only the failure path was checked";
    }

    PixelRect measured{10, 5, 110, 5};
    ASSERT_TRUE(graphics->MeasureText(style, "Sorvel", measured));
    const int w = measured.Width();
    const int h = measured.Height();
    EXPECT_GT(w, 20);
    EXPECT_LT(w, 80);
    EXPECT_GE(h, 12);
    EXPECT_EQ(measured.left, 60 - w / 2) << "centred in 10..110";
    EXPECT_NE(style.cachedFont, nullptr);

    ASSERT_TRUE(graphics->RenderText(style, "Sorvel", rect));
    PixelRect box;
    EXPECT_GT(Inked(box), 30);
    EXPECT_GE(box.left, 60 - w / 2 - 2);
    EXPECT_LE(box.right, 60 + w / 2 + 2);
    EXPECT_LE(box.bottom, h + 1);

    TextStyle again;
    EXPECT_EQ(graphics->CachedFontFor(again), style.cachedFont) << "one font per style";
    TextStyle bold;
    bold.style = TextBold;
    EXPECT_NE(graphics->CachedFontFor(bold), style.cachedFont) << "bold is another font";
}

TEST(FontLocator, FindsNothingInAFolderWithoutFonts) {
    char folder[] = "/tmp/sorvel-fonts-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const char* folders[] = {folder, nullptr};
    char path[FontLocator::kPathSize] = "unchanged";
    EXPECT_FALSE(FontLocator::FindIn(folders, "Verdana", false, false, path, sizeof path));
    EXPECT_STREQ(path, "");

    LICE_CachedFont font;
    EXPECT_FALSE(font.SetFromFile((std::string(folder) + "/missing.ttf").c_str(), 12, 400, false,
                                  true, LICE_CachedFont::kTakeOverFace));
    LICE_Rect rect{0, 0, 0, 0};
    EXPECT_EQ(font.DrawText(nullptr, "x", -1, &rect, LICE_CachedFont::DrawMeasureOnly), 0);
    rmdir(folder);
}
