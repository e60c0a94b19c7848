#include "TestPlug.h"

#include "graphics/IBitmapControl.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/ISwitchControl.h"
#include "lice/LICE_SysBitmap.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

namespace {

constexpr int kBackgroundId = 8001;
constexpr int kKnobId = 8002;
constexpr int kSwitchId = 8003;

// Knobs on parameter 0 at x = 0, 50, 100 (the last also linked to parameter 1) and a selector
// on parameter 2, over a 200 x 100 background.
StripGraphics* BuildEditor(TestPlug& plug) {
    StripGraphics::Register(kBackgroundId, 200, 100, 1);
    StripGraphics::Register(kKnobId, 40, 60, 31);
    StripGraphics::Register(kSwitchId, 20, 10, 3);
    auto* graphics = new StripGraphics(&plug, 200, 100);
    graphics->InstallBackground(graphics->LoadFrameBitmap(kBackgroundId, "bg.png", 1));
    for (int x : {0, 50, 100}) {
        auto* knob =
            new IKnobMultiControl(&plug, x, 0, 0, graphics->LoadFrameBitmap(kKnobId, "k.png", 31));
        if (x == 100)
            knob->AddLinkedParameter(1);
        graphics->AddControl(knob);
    }
    graphics->AddControl(
        new ISwitchControl(&plug, 150, 80, 2, graphics->LoadFrameBitmap(kSwitchId, "s.png", 3)));
    return graphics;
}

// The frame byte a made-up strip leaves at the top-left pixel of a control.
int DrawnFrame(IGraphics& graphics, const IControl& control) {
    LICE_SysBitmap* bitmap = graphics.DrawingBitmap();
    const LICE_pixel pixel =
        bitmap->Bits()[control.Rect().top * bitmap->RowSpan() + control.Rect().left];
    return int((pixel >> 16) & 255);
}

} // namespace

// The audio thread mirrors values into the controls while the user-interface thread draws and
// routes the mouse. Run under ThreadSanitizer; afterwards nothing may be left undrawn.
TEST(GraphicsThreads, MirroringWhileDrawingAndRoutingLosesNoRedraw) {
    TestPlug plug;
    StripGraphics* graphics = BuildEditor(plug);
    plug.AttachEditor(graphics);
    const PixelRect whole{0, 0, 200, 100};
    graphics->RedrawArea(whole);

    // Both sides keep going until each has done its share while the other was running.
    constexpr int kRounds = 3000;
    constexpr int kPasses = 300;
    std::atomic<int> uiPasses{0};
    std::atomic<int> lastRound{-1};
    std::thread audio([&] {
        int round = 0;
        for (; round < kRounds || uiPasses.load() < kPasses; ++round) {
            PluginLockGuard guard(plug.Lock());
            const double normalised = (round % 97) / 96.0;
            graphics->ParameterChangedInCore(0, normalised, true);
            graphics->ParameterChangedInCore(1, normalised,
                                             false); // a 0..1 range: plain = normalised
            graphics->ParameterChangedInCore(2, double(round % 3), false);
        }
        lastRound = round - 1;
    });

    MouseMods left;
    left.left = true;
    for (int passes = 0; lastRound.load() < 0 || passes < kPasses; ++passes) {
        PixelRect dirty;
        if (graphics->CollectDirtyArea(dirty))
            graphics->RedrawArea(dirty);
        const int y = 10 + passes % 40;
        graphics->HandleMouseDown(20, 30, left);
        graphics->HandleMouseDrag(20, y, left);
        graphics->HandleMouseUp(20, y, left);
        graphics->HandleWheel(60, 30, {}, passes % 2 ? 1 : -1);
        uiPasses = passes + 1;
    }
    audio.join();

    // When nothing is dirty any more, the screen shows every control's latest value.
    PixelRect dirty;
    for (int pass = 0; pass < 3 && graphics->CollectDirtyArea(dirty); ++pass)
        graphics->RedrawArea(dirty);
    EXPECT_FALSE(graphics->CollectDirtyArea(dirty));
    for (int i = 1; i < graphics->NControls(); ++i) {
        IControl* control = graphics->GetControl(i);
        const double value = control->GetValue();
        ASSERT_TRUE(value >= 0.0 && value <= 1.0) << "control " << i << " holds " << value;
        const int frames = i == 4 ? 3 : 31;
        EXPECT_EQ(DrawnFrame(*graphics, *control), FrameForValue(value, frames)) << "control " << i;
    }
    const double linked = graphics->GetControl(3)->GetLinkedParameter(0)->value.load();
    EXPECT_DOUBLE_EQ(linked, (lastRound.load() % 97) / 96.0) << "the linked parameter's last value";
}
