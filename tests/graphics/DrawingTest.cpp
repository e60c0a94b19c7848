#include "EditorFixture.h"

#include "lice/LICE_SysBitmap.h"

namespace {

class Drawing : public EditorFixture {
  protected:
    LICE_pixel Pixel(int x, int y) const {
        LICE_SysBitmap* bitmap = graphics->DrawingBitmap();
        return bitmap->Bits()[y * bitmap->RowSpan() + x];
    }

    void Fill(LICE_pixel colour) {
        LICE_SysBitmap* bitmap = graphics->DrawingBitmap();
        for (int y = 0; y < bitmap->Height(); ++y)
            for (int x = 0; x < bitmap->Width(); ++x)
                bitmap->Bits()[y * bitmap->RowSpan() + x] = colour;
    }

    // Whether the knob's rectangle shows exactly frame `frame` of its made-up strip.
    ::testing::AssertionResult KnobShowsFrame(int frame) {
        const PixelRect& r = Control(kKnob)->Rect();
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const LICE_pixel want = 0xFF000000u | LICE_pixel(frame) << 16 |
                                        LICE_pixel(y - r.top) << 8 | LICE_pixel(x - r.left);
                if (Pixel(x, y) != want)
                    return ::testing::AssertionFailure()
                           << "pixel (" << x << ", " << y << ") is " << std::hex << Pixel(x, y)
                           << ", frame " << std::dec << frame << " has " << std::hex << want;
            }
        return ::testing::AssertionSuccess();
    }

    const PixelRect kWhole{0, 0, 200, 100};
};

} // namespace

TEST_F(Drawing, KnobShowsTheFrameItsValueSelects) {
    struct Case {
        double value;
        int frame;
    };
    const Case cases[] = {
        {0.0, 1},        {0.5, 16}, {1.0, 31}, {0.5 / 30, 2}, {0.5 / 30 - 1e-9, 1},
        {29.5 / 30, 31}, {-3.0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "value " << c.value);
        Control(kKnob)->SetValue(c.value);
        graphics->RedrawArea(kWhole);
        EXPECT_TRUE(KnobShowsFrame(c.frame));
    }
    EXPECT_EQ(graphics->PresentCount(), 7);
}

TEST_F(Drawing, FrameOffsetsRoundToTheNearestRow) {
    // 100 rows in 3 frames: frames start at rows 0, 33 and 67 (33.3 and 66.7 rounded).
    LICE_MemBitmap* strip = MakeStrip(4, 100, 1);
    const FrameBitmap frames{strip, 4, 100, 3, false};
    graphics->RedrawArea(kWhole);
    const int expectedRow[] = {0, 33, 67};
    for (int frame = 1; frame <= 3; ++frame) {
        graphics->DrawBitmapFrame(frames, PixelRect{0, 0, 4, 33}, frame);
        EXPECT_EQ((Pixel(0, 0) >> 8) & 255, LICE_pixel(expectedRow[frame - 1]))
            << "frame " << frame;
    }
    const FrameBitmap single{strip, 4, 100, 1, false};
    graphics->DrawBitmapFrame(single, PixelRect{0, 0, 4, 33}, 5);
    EXPECT_EQ((Pixel(0, 0) >> 8) & 255, 0u) << "a one-frame strip always shows frame 1";
    delete strip;
}

TEST_F(Drawing, OnlyChangedControlsAreCollectedAndRedrawn) {
    graphics->RedrawArea(kWhole);
    PixelRect dirty;
    ASSERT_FALSE(graphics->CollectDirtyArea(dirty)) << "a full pass leaves nothing dirty";
    EXPECT_TRUE(dirty.IsEmpty());

    // Both changes arrive as the audio thread delivers them.
    graphics->ParameterChangedInCore(0, 18.0, false);
    graphics->ParameterChangedInCore(1, 1.0, true);
    graphics->ParameterChangedInCore(2, 0.0, false); // unchanged: not dirty
    ASSERT_TRUE(graphics->CollectDirtyArea(dirty));
    EXPECT_EQ(dirty, (PixelRect{10, 10, 120, 81}))
        << "knob (10,10)-(50,81) with toggle (100,40)-(120,50)";

    const LICE_pixel sentinel = 0x12345678;
    Fill(sentinel);
    graphics->RedrawArea(dirty);
    EXPECT_EQ(graphics->LastPresented(), dirty);
    EXPECT_TRUE(KnobShowsFrame(31));
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (!dirty.Contains(x, y)) {
                ASSERT_EQ(Pixel(x, y), sentinel) << x << ", " << y;
            }
    EXPECT_NE(Pixel(119, 80), sentinel) << "the background fills the rest of the dirty area";

    {
        SCOPED_TRACE("a mirrored change is drawn once more on the following pass");
        PixelRect again;
        ASSERT_TRUE(graphics->CollectDirtyArea(again));
        EXPECT_EQ(again, dirty);
        graphics->RedrawArea(again);
        EXPECT_FALSE(graphics->CollectDirtyArea(again));
    }
    {
        SCOPED_TRACE("hidden controls are neither drawn nor hit, but their area is redrawn");
        Control(kKnob)->SetHidden(true);
        ASSERT_TRUE(graphics->CollectDirtyArea(dirty));
        EXPECT_EQ(dirty, Control(kKnob)->Rect());
        graphics->RedrawArea(dirty);
        EXPECT_EQ((Pixel(30, 40) >> 16) & 255, 1u) << "background frame 1 shows where the knob was";
        EXPECT_EQ(graphics->ControlUnder(30, 40), kBackground);
    }
}

TEST_F(Drawing, BitmapCacheDecodesEachIdOnceForEveryEditor) {
    StripGraphics::Register(7101, 8, 8, 2);
    StripGraphics other(&plug, 10, 10);
    const FrameBitmap first = graphics->LoadFrameBitmap(7101, "a.png", 2);
    const FrameBitmap second = other.LoadFrameBitmap(7101, "another name.png", 4);
    EXPECT_EQ(StripGraphics::LoadCount(7101), 1);
    EXPECT_EQ(first.bitmap, second.bitmap);
    EXPECT_EQ(second.frameCount, 4) << "the frame count is the caller's, not the cache's";
    EXPECT_EQ(second.FrameHeight(), 4);

    const FrameBitmap missing = graphics->LoadFrameBitmap(7199, "none.png", 3);
    EXPECT_EQ(missing.bitmap, nullptr);
    EXPECT_EQ(missing.FrameWidth(), 0);
    IBitmapControl nothing(&plug, 5, 5, -1, missing);
    EXPECT_FALSE(nothing.HitTest(5, 5)) << "a control without an image covers no pixel";
}
