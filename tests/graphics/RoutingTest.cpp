#include "EditorFixture.h"

#include "graphics/KeyCode.h"

#include <vector>

namespace {

using Calls = std::vector<HostCall>;

MouseMods Left() {
    MouseMods mods;
    mods.left = true;
    return mods;
}

HostCall Begin(int index) {
    return {HostCall::Begin, index, 0.0};
}
HostCall End(int index) {
    return {HostCall::End, index, 0.0};
}

class Routing : public EditorFixture {};

} // namespace

TEST_F(Routing, PressesFindTheTopmostControlAndGesturesReachTheHost) {
    {
        SCOPED_TRACE("a click on the background begins no gesture");
        graphics->HandleMouseDown(5, 95, Left());
        EXPECT_EQ(graphics->CapturedControl(), kBackground);
        graphics->HandleMouseUp(5, 95, Left());
        EXPECT_TRUE(plug.calls.empty()) << Describe(plug.calls);
    }
    {
        SCOPED_TRACE("a right click on the knob asks for the host's menu and the knob is not told");
        MouseMods right;
        right.right = true;
        graphics->HandleMouseDown(30, 40, right);
        graphics->HandleMouseDrag(30, 20, right);
        graphics->HandleMouseUp(30, 20, right);
        EXPECT_EQ(plug.calls, (Calls{{HostCall::HostMenu, 0, 30.0, 40}})) << Describe(plug.calls);
        EXPECT_DOUBLE_EQ(Value(kKnob), 0.5);
        plug.calls.clear();
    }
    {
        SCOPED_TRACE("a press and release on the toggle is one gesture around one change");
        graphics->HandleMouseDown(105, 45, Left());
        graphics->HandleMouseUp(105, 45, Left());
        EXPECT_EQ(plug.calls, (Calls{Begin(1), {HostCall::Perform, 1, 1.0}, End(1)}))
            << Describe(plug.calls);
        EXPECT_EQ(plug.GetParam(1)->value, 1.0);
        plug.calls.clear();
    }
    {
        SCOPED_TRACE("a disabled control is passed over, and draws at a quarter of its weight");
        Control(kToggle)->SetDisabled(true);
        EXPECT_EQ(graphics->ControlUnder(105, 45), kBackground);
        EXPECT_FLOAT_EQ(Control(kToggle)->GetBlend().weight, 0.25f);
        Control(kToggle)->SetDisabled(false);
        EXPECT_EQ(graphics->ControlUnder(105, 45), kToggle);
        EXPECT_FLOAT_EQ(Control(kToggle)->GetBlend().weight, 1.0f);
    }
    {
        SCOPED_TRACE("a second press without a release first ends the open gesture");
        graphics->HandleMouseDown(30, 40, Left());
        graphics->HandleMouseDown(30, 40, Left());
        graphics->HandleMouseUp(30, 40, Left());
        EXPECT_EQ(plug.calls, (Calls{Begin(0), End(0), Begin(0), End(0)})) << Describe(plug.calls);
    }
}

TEST_F(Routing, KnobDragFollowsGearingAndFineAdjustment) {
    const double perPixel = 1.0 / (71.0 * 4.0);
    graphics->HandleMouseDown(30, 40, Left());
    {
        SCOPED_TRACE("one pixel up on a 71-pixel knob with gearing 4");
        graphics->HandleMouseDrag(30, 39, Left());
        EXPECT_NEAR(Value(kKnob), 0.5 + perPixel, 1e-12);
    }
    {
        SCOPED_TRACE("a report at the same position calls nobody");
        const size_t before = plug.calls.size();
        graphics->HandleMouseDrag(30, 39, Left());
        EXPECT_EQ(plug.calls.size(), before) << Describe(plug.calls);
    }
    for (const bool shift : {true, false}) {
        SCOPED_TRACE(shift ? "one pixel down with shift" : "one pixel down with control");
        MouseMods fine = Left();
        (shift ? fine.shift : fine.control) = true;
        const double before = Value(kKnob);
        graphics->HandleMouseDrag(30, graphics->LastMouseY() + 1, fine);
        EXPECT_NEAR(Value(kKnob), before - perPixel / 10.0, 1e-12);
    }
    {
        SCOPED_TRACE("a drag far past the top stops at 1 and the core receives 1");
        graphics->HandleMouseDrag(30, -1000, Left());
        EXPECT_EQ(Value(kKnob), 1.0);
        EXPECT_EQ(plug.GetParam(0)->value, 18.0);
    }
    graphics->HandleMouseUp(30, -1000, Left());
    ASSERT_EQ(plug.calls.size(), 6u) << Describe(plug.calls);
    EXPECT_EQ(plug.calls.front(), Begin(0));
    EXPECT_EQ(plug.calls.back(), End(0));
    EXPECT_NEAR(plug.calls[1].value, 0.5 + perPixel, 1e-12);
    EXPECT_EQ(plug.calls[4], (HostCall{HostCall::Perform, 0, 1.0})) << Describe(plug.calls);
    {
        SCOPED_TRACE("without a capture a drag does nothing");
        graphics->HandleMouseDrag(30, 50, Left());
        EXPECT_EQ(Value(kKnob), 1.0);
    }
}

TEST_F(Routing, SwitchesStepThroughTheirFramesAndWrap) {
    const double expected[] = {0.5, 1.0, 0.0, 0.5};
    for (const double value : expected) {
        graphics->HandleMouseDown(105, 15, Left());
        graphics->HandleMouseUp(105, 15, Left());
        EXPECT_DOUBLE_EQ(Value(kSelector), value) << "three-position switch";
    }
    EXPECT_EQ(plug.GetParam(2)->value, 1.0);

    graphics->ParameterChangedInCore(1, 0.6, true);
    graphics->HandleMouseDown(105, 45, Left());
    EXPECT_EQ(Value(kToggle), 0.0) << "0.6 + 1 passes 1.001 and wraps";
    graphics->HandleMouseUp(105, 45, Left());

    plug.calls.clear();
    EXPECT_FALSE(graphics->HandleDoubleClick(105, 45, Left()));
    graphics->HandleMouseUp(105, 45, Left());
    EXPECT_EQ(Value(kToggle), 1.0) << "a double click is one more press";
    EXPECT_EQ(plug.calls, (Calls{Begin(1), {HostCall::Perform, 1, 1.0}, End(1)}))
        << Describe(plug.calls);
}

TEST_F(Routing, DoubleClickRestoresTheMirroredValue) {
    {
        SCOPED_TRACE("before any mirror the default is unknown and nothing changes");
        IKnobMultiControl loose(&plug, 0, 0, 0, FrameBitmap{});
        loose.SetValue(0.3);
        loose.MouseDoubleClicked(0, 0, Left());
        EXPECT_EQ(loose.GetValue(), 0.3);
        EXPECT_TRUE(plug.calls.empty()) << Describe(plug.calls);
    }
    graphics->HandleMouseDown(30, 40, Left());
    graphics->HandleMouseDrag(30, 20, Left());
    graphics->HandleMouseUp(30, 20, Left());
    ASSERT_GT(Value(kKnob), 0.5);
    plug.calls.clear();

    graphics->HandleDoubleClick(30, 20, Left());
    graphics->HandleMouseUp(30, 20, Left());
    EXPECT_EQ(Value(kKnob), 0.5);
    EXPECT_EQ(plug.calls, (Calls{Begin(0), {HostCall::Perform, 0, 0.5}, End(0)}))
        << Describe(plug.calls);
    EXPECT_EQ(plug.GetParam(0)->value, 0.0);
}

TEST_F(Routing, WheelTurnsTheKnobInItsOwnGesture) {
    graphics->HandleWheel(30, 40, {}, 1);
    EXPECT_NEAR(Value(kKnob), 0.51, 1e-12);
    EXPECT_EQ(plug.calls.size(), 3u) << Describe(plug.calls);
    EXPECT_EQ(plug.calls.front(), Begin(0));
    EXPECT_EQ(plug.calls.back(), End(0));

    MouseMods fine;
    fine.shift = true;
    graphics->HandleWheel(30, 40, fine, -2);
    EXPECT_NEAR(Value(kKnob), 0.508, 1e-12);

    graphics->HandleWheel(30, 40, {}, 0);
    EXPECT_NEAR(Value(kKnob), 0.508, 1e-12) << "a turn below one step still reaches the knob";

    Control(kKnob)->SetValue(0.995);
    graphics->HandleWheel(30, 40, {}, 1);
    EXPECT_EQ(Value(kKnob), 1.0);

    plug.calls.clear();
    graphics->HandleMouseDown(30, 40, Left());
    graphics->HandleWheel(190, 5, {}, -10);
    graphics->HandleMouseUp(30, 40, Left());
    EXPECT_NEAR(Value(kKnob), 0.9, 1e-12) << "while captured the wheel turns the captured knob";
    EXPECT_EQ(plug.calls.size(), 3u)
        << "inside a drag the wheel opens no gesture of its own: " << Describe(plug.calls);
}

TEST_F(Routing, UrlAreaOpensItsAddressesAndKeysFallBack) {
    graphics->HandleMouseDown(160, 70, Left());
    graphics->HandleMouseUp(160, 70, Left());
    EXPECT_EQ(graphics->UrlRequests(), 2) << "the headless layer cannot open pages";
    EXPECT_STREQ(graphics->LastUrl(), "https://example.invalid/second");
    EXPECT_TRUE(plug.calls.empty()) << Describe(plug.calls);

    EXPECT_FALSE(graphics->HandleKey(5, 95, KeySpace)) << "background without a key handler";
    EXPECT_FALSE(graphics->HandleKey(30, 40, KeyUp)) << "the knob takes no keys";
    EXPECT_FALSE(graphics->HandleMouseOver(30, 40, {}));
    EXPECT_EQ(graphics->MouseOverControl(), -1);
}
