// gtest first: Xlib's macros (None, Bool) would break its declarations.
#include <gtest/gtest.h>

#include "graphics/x11/DoubleClickDetector.h"
#include "graphics/x11/X11Input.h"
#include "graphics/x11/XlibHeaders.h"

namespace {

bool Same(const MouseMods& a, const MouseMods& b) {
    return a.left == b.left && a.right == b.right && a.shift == b.shift && a.control == b.control &&
           a.alt == b.alt;
}

MouseMods Mods(bool left, bool right, bool shift, bool control, bool alt) {
    MouseMods mods;
    mods.left = left;
    mods.right = right;
    mods.shift = shift;
    mods.control = control;
    mods.alt = alt;
    return mods;
}

} // namespace

TEST(X11Input, ButtonsAndModifiersBecomeMouseMods) {
    {
        SCOPED_TRACE("motion: held buttons and keys from the state mask; lock and mod2 ignored");
        EXPECT_TRUE(Same(ModsFromState(Button1Mask | ShiftMask | LockMask | Mod2Mask),
                         Mods(true, false, true, false, false)));
        EXPECT_TRUE(Same(ModsFromState(Button3Mask | ControlMask | Mod1Mask),
                         Mods(false, true, false, true, true)));
        EXPECT_TRUE(Same(ModsFromState(Button2Mask), Mods(false, false, false, false, false)));
    }
    {
        SCOPED_TRACE("press: the pressed button counts, though the state predates it");
        EXPECT_TRUE(Same(ModsForPress(0, Button1), Mods(true, false, false, false, false)));
        EXPECT_TRUE(Same(ModsForPress(ShiftMask, Button3), Mods(false, true, true, false, false)));
        EXPECT_TRUE(Same(ModsForPress(Button1Mask | Button3Mask, Button2),
                         Mods(false, false, false, false, false)))
            << "a middle press is neither left nor right";
    }
    {
        SCOPED_TRACE("release: the released button is no longer held");
        EXPECT_TRUE(Same(ModsForRelease(Button1Mask | Button3Mask, Button1),
                         Mods(false, true, false, false, false)));
        EXPECT_TRUE(Same(ModsForRelease(Button3Mask | ControlMask, Button3),
                         Mods(false, false, false, true, false)));
    }
    {
        SCOPED_TRACE("wheel buttons");
        EXPECT_EQ(WheelNotches(Button4), 1);
        EXPECT_EQ(WheelNotches(Button5), -1);
        EXPECT_EQ(WheelNotches(6), 0) << "horizontal wheel";
        EXPECT_EQ(WheelNotches(7), 0) << "horizontal wheel";
        EXPECT_EQ(WheelNotches(Button1), 0);
        for (unsigned int button = 4; button <= 7; ++button)
            EXPECT_TRUE(IsWheelButton(button)) << button;
        EXPECT_FALSE(IsWheelButton(Button3));
        EXPECT_FALSE(IsWheelButton(8)) << "back/forward buttons are not wheel steps";
    }
}

TEST(X11Input, KeysymsMapToEditorKeyCodes) {
    struct Case {
        unsigned long keysym;
        int expected;
    };
    const Case cases[] = {{XK_space, KeySpace},    {XK_Up, KeyUp},          {XK_Down, KeyDown},
                          {XK_Left, KeyLeft},      {XK_Right, KeyRight},    {XK_KP_Up, KeyUp},
                          {XK_KP_Right, KeyRight}, {XK_0, KeyDigit0},       {XK_9, KeyDigit0 + 9},
                          {XK_a, KeyLetterA},      {XK_A, KeyLetterA},      {XK_z, KeyLetterA + 25},
                          {XK_Z, KeyLetterA + 25}, {XK_F1, KeyNone},        {XK_Return, KeyNone},
                          {XK_Escape, KeyNone},    {XK_exclam, KeyNone},    {XK_KP_0, KeyNone},
                          {XK_Shift_L, KeyNone},   {XK_adiaeresis, KeyNone}};
    for (const Case& c : cases)
        EXPECT_EQ(KeyCodeForKeysym(c.keysym), c.expected) << "keysym 0x" << std::hex << c.keysym;
}

TEST(X11Input, DoubleClicksAreTwoQuickCloseLeftPresses) {
    {
        SCOPED_TRACE("within 400 ms and 4 pixels");
        DoubleClickDetector detector;
        EXPECT_FALSE(detector.Press(1, 1000, 50, 50));
        EXPECT_TRUE(detector.Press(1, 1400, 54, 46));
        EXPECT_FALSE(detector.Press(1, 1500, 54, 46)) << "a third press starts a new pair";
        EXPECT_TRUE(detector.Press(1, 1600, 54, 46));
    }
    {
        SCOPED_TRACE("too slow or too far");
        DoubleClickDetector detector;
        EXPECT_FALSE(detector.Press(1, 1000, 50, 50));
        EXPECT_FALSE(detector.Press(1, 1401, 50, 50)) << "401 ms";
        EXPECT_FALSE(detector.Press(1, 1500, 55, 50)) << "5 pixels across";
        EXPECT_FALSE(detector.Press(1, 1600, 55, 45)) << "5 pixels up";
        EXPECT_TRUE(detector.Press(1, 1700, 55, 45));
    }
    {
        SCOPED_TRACE("another button in between breaks the pair; only the left button pairs");
        DoubleClickDetector detector;
        EXPECT_FALSE(detector.Press(1, 1000, 50, 50));
        EXPECT_FALSE(detector.Press(3, 1100, 50, 50));
        EXPECT_FALSE(detector.Press(1, 1200, 50, 50));
        EXPECT_FALSE(detector.Press(3, 1300, 50, 50));
        EXPECT_FALSE(detector.Press(3, 1350, 50, 50));
    }
    {
        SCOPED_TRACE("the server clock wraps at 32 bits");
        DoubleClickDetector detector;
        EXPECT_FALSE(detector.Press(1, 0xFFFFFF00u, 10, 10));
        EXPECT_TRUE(detector.Press(1, 0x00000050u, 10, 10)) << "336 ms across the wrap";
    }
    {
        SCOPED_TRACE("an old press does not pair with the next one after the clock wraps");
        DoubleClickDetector detector;
        EXPECT_FALSE(detector.Press(1, 500, 10, 10));
        EXPECT_FALSE(detector.Press(1, 300, 10, 10)) << "a press 'before' the last one";
    }
}
