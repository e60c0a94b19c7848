#include "TestPlug.h"

#include "engine/SorvelEditorLayout.h"
#include "engine/SorvelParameters.h"
#include "graphics/BitmapCache.h"
#include "graphics/IBitmapControl.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/ISwitchControl.h"
#include "graphics/IURLControl.h"
#include "graphics/ResourceImage.h"
#include "graphics/ScaledBitmap.h"
#include "lice/BlitBitmap.h"
#include "lice/LICE_SysBitmap.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

// The core as Sorvel declares it: 33 parameters, the last left as the core creates it.
std::unique_ptr<TestPlug> MakeSorvelPlug() {
    auto plug = std::make_unique<TestPlug>(kNumSorvelParams, false);
    for (const SorvelParamDeclaration& p : kSorvelIntegerParams)
        plug->GetParam(p.index)->DeclareInteger(p.name, p.defaultValue, p.minimum, p.maximum);
    for (const SorvelParamDeclaration& p : kSorvelContinuousParams)
        plug->GetParam(p.index)->DeclareContinuous(p.name, p.defaultValue, p.minimum, p.maximum,
                                                   kContinuousStep, kContinuousLabel);
    return plug;
}

// What a control of the layout shows: its strip, blend and value.
struct Shown {
    FrameBitmap bitmap;
    int mode;
};

bool ShownBy(IControl* control, Shown& shown) {
    if (auto* knob = dynamic_cast<IKnobMultiControl*>(control)) {
        shown = {knob->Bitmap(), BlitCopy | BlitUseSourceAlpha};
        return true;
    }
    if (auto* bitmapControl = dynamic_cast<IBitmapControl*>(control)) {
        const int kind = bitmapControl->GetBlend().kind;
        shown = {bitmapControl->Bitmap(),
                 kind == BlendCopy ? BlitCopy : BlitCopy | BlitUseSourceAlpha};
        return true;
    }
    return false;
}

// The editor as the blit rules compose it: each control's frame for its value, back to front;
// at scale 2 from the module's 2x artwork at doubled positions.
void Compose(IGraphics& graphics, LICE_MemBitmap& expected, int scale) {
    static std::map<int, std::unique_ptr<LICE_IBitmap>> doubled; // decoded once
    for (int i = 0; i < graphics.NControls(); ++i) {
        IControl* control = graphics.GetControl(i);
        Shown shown;
        if (!ShownBy(control, shown))
            continue;
        const int n = shown.bitmap.frameCount;
        const int frame = n <= 1 ? 1 : 1 + static_cast<int>(0.5 + control->GetValue() * (n - 1));
        LICE_IBitmap* image = BitmapAtScale(shown.bitmap, 1.0);
        if (scale == 2) {
            std::unique_ptr<LICE_IBitmap>& art = doubled[shown.bitmap.id];
            if (!art)
                art.reset(LoadResourceImage(shown.bitmap.id + kDoubleSizeIdOffset, "2x.png"));
            image = art.get();
        }
        const int height = shown.bitmap.height * scale;
        const int top = static_cast<int>(double(height) * (frame - 1) / n + 0.5);
        const LICE_Rect source{0, top, shown.bitmap.width * scale,
                               top + shown.bitmap.FrameHeight() * scale};
        BlitBitmap(&expected, image, control->Rect().left * scale, control->Rect().top * scale,
                   &source, 1.0f, shown.mode);
    }
}

::testing::AssertionResult SamePixels(LICE_IBitmap& drawn, LICE_IBitmap& expected) {
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x) {
            const LICE_pixel a = drawn.Bits()[y * drawn.RowSpan() + x];
            const LICE_pixel b = expected.Bits()[y * expected.RowSpan() + x];
            if (a != b)
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") drawn "
                                                     << std::hex << a << ", composed " << b;
        }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(SorvelLayout, BuildsThe35ControlsInTheirPlaces) {
    auto plug = MakeSorvelPlug();
    std::unique_ptr<IGraphics> graphics(BuildSorvelEditor(plug.get()));
    ASSERT_EQ(graphics->NControls(), kSorvelControlCount);
    EXPECT_EQ(graphics->Width(), 1156);
    EXPECT_EQ(graphics->Height(), 456);

    auto* background = dynamic_cast<IBitmapControl*>(graphics->GetControl(0));
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->Rect(), (PixelRect{0, 0, 1156, 456}));
    EXPECT_EQ(background->GetBlend().kind, BlendCopy);
    EXPECT_EQ(background->ParamIdx(), -1);

    int switches = 0;
    int knobs = 0;
    for (int i = 1; i <= 33; ++i) {
        IControl* control = graphics->GetControl(i);
        SCOPED_TRACE(::testing::Message() << "control " << i);
        ASSERT_NE(control->ParamIdx(), -1);
        if (auto* knob = dynamic_cast<IKnobMultiControl*>(control)) {
            ++knobs;
            EXPECT_EQ(knob->Gearing(), 4.0);
            EXPECT_EQ(knob->Direction(), KnobVertical);
            EXPECT_EQ(knob->Bitmap().frameCount, 31);
        } else {
            ASSERT_NE(dynamic_cast<ISwitchControl*>(control), nullptr);
            ++switches;
        }
        Shown shown;
        ASSERT_TRUE(ShownBy(control, shown));
        EXPECT_NE(BitmapAtScale(shown.bitmap, 1.0), nullptr) << "every image is in the module";
    }
    EXPECT_EQ(switches, 18);
    EXPECT_EQ(knobs, 15);

    EXPECT_EQ(graphics->GetControl(2)->Rect(), (PixelRect{0, 429, 150, 454}));
    EXPECT_EQ(graphics->GetControl(2)->ParamIdx(), kOversampling);
    EXPECT_EQ(graphics->GetControl(27)->Rect().top, 32) << "MGAIN3L sits six pixels higher";
    EXPECT_EQ(graphics->GetControl(33)->ParamIdx(), kDrive);

    auto* url = dynamic_cast<IURLControl*>(graphics->GetControl(34));
    ASSERT_NE(url, nullptr);
    EXPECT_EQ(url->Rect(), (PixelRect{1060, 430, 1160, 530}));
    EXPECT_STREQ(url->SecondAddress(), "");
    EXPECT_NE(std::string(url->Address()).find("/product/sorvel/"), std::string::npos);
    EXPECT_EQ(graphics->ControlUnder(1100, 450), 34);
    EXPECT_EQ(graphics->ControlUnder(1000, 5), 0);

    {
        SCOPED_TRACE("images are found by id; the name only has to end in .png");
        std::unique_ptr<LICE_IBitmap> image(LoadResourceImage(133, "any/name.PNG"));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->Width(), 150);
        EXPECT_EQ(std::unique_ptr<LICE_IBitmap>(LoadResourceImage(133, "OVER.png.bmp")), nullptr);
        EXPECT_EQ(std::unique_ptr<LICE_IBitmap>(LoadResourceImage(135, "OVER.png")), nullptr);
    }

    std::unique_ptr<IGraphics> second(BuildSorvelEditor(plug.get()));
    for (int i = 0; i <= 33; ++i) {
        Shown a, b;
        ASSERT_TRUE(ShownBy(graphics->GetControl(i), a) && ShownBy(second->GetControl(i), b));
        EXPECT_EQ(BitmapAtScale(a.bitmap, 1.0), BitmapAtScale(b.bitmap, 1.0))
            << "control " << i << ": decoded once, shared";
    }
}

class SorvelLayoutAtScale : public testing::TestWithParam<int> {};
INSTANTIATE_TEST_SUITE_P(Scales, SorvelLayoutAtScale, testing::Values(1, 2));

TEST_P(SorvelLayoutAtScale, DrawsEveryControlsFrameOverTheBackground) {
    const int scale = GetParam();
    auto plug = MakeSorvelPlug();
    IGraphics* graphics = BuildSorvelEditor(plug.get());
    plug->AttachEditor(graphics);
    ASSERT_TRUE(graphics->SetScale(scale));
    const PixelRect whole{0, 0, 1156 * scale, 456 * scale};
    LICE_MemBitmap expected(1156 * scale, 456 * scale);

    struct State {
        const char* name;
        double (*plain)(const ICoreParameter&, int);
    };
    const State states[] = {
        {"as attached", [](const ICoreParameter& p, int) -> double { return p.value; }},
        {"all at maximum", [](const ICoreParameter& p, int) { return p.maximum; }},
        {"all at minimum", [](const ICoreParameter& p, int) { return p.minimum; }},
        {"spread", [](const ICoreParameter& p,
                      int i) { return p.minimum + (p.maximum - p.minimum) * (i % 5) / 4.0; }},
    };
    for (const State& state : states) {
        SCOPED_TRACE(state.name);
        for (int i = 0; i < plug->NParams(); ++i)
            graphics->ParameterChangedInCore(i, state.plain(*plug->GetParam(i), i), false);
        graphics->RedrawArea(whole);
        Compose(*graphics, expected, scale);
        EXPECT_TRUE(SamePixels(*graphics->DrawingBitmap(), expected));
    }
}

TEST(SorvelLayout, DrawsAtOneAndAHalfIn1734By684) {
    std::unique_ptr<IGraphics> graphics(BuildSorvelEditor(nullptr));
    ASSERT_TRUE(graphics->SetScale(1.5));
    graphics->CreateDrawingBitmaps();
    EXPECT_EQ(graphics->DrawingBitmap()->Width(), 1734);
    EXPECT_EQ(graphics->DrawingBitmap()->Height(), 684);
    for (int pixel = 0; pixel < 1734; ++pixel) {
        const int point = graphics->LayoutCoordinate(pixel);
        EXPECT_TRUE(ScaledLength(point, 1.5) <= pixel && pixel < ScaledLength(point + 1, 1.5))
            << "pixel " << pixel << " routed to layout point " << point;
    }
}

TEST(SorvelLayout, ImagesAreDecodedWhenTheEditorFirstDraws) {
    const auto decodedImages = [] {
        int count = 0;
        for (int id = 101; id <= 134; ++id)
            count += BitmapCache::Find(id) != nullptr;
        return count;
    };
    if (decodedImages() != 0)
        GTEST_SKIP() << "an earlier test of this process drew the editor (ctest runs it alone)";
    auto plug = MakeSorvelPlug();
    IGraphics* graphics = BuildSorvelEditor(plug.get());
    plug->AttachEditor(graphics);
    EXPECT_EQ(decodedImages(), 0) << "an instance without a drawn editor decoded images";
    graphics->RedrawArea(PixelRect{0, 0, 1156, 456});
    EXPECT_EQ(decodedImages(), 34);
}
