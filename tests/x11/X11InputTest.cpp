// gtest first: Xlib's macros (None, Bool) would break its declarations.
#include <gtest/gtest.h>

#include "graphics/x11/DoubleClickDetector.h"
#include "graphics/x11/X11Input.h"
#include "graphics/x11/XftDpi.h"
#include "graphics/x11/XlibHeaders.h"

TEST(X11Input, PressesKeepOnlyTheirOwnButtonAndWheelButtonsAreNotches) {
    // The state of a press predates it: a middle press with both other buttons held is
    // still neither left nor right.
    const MouseMods middle = ModsForPress(Button1Mask | Button3Mask | ShiftMask, Button2);
    EXPECT_FALSE(middle.left || middle.right);
    EXPECT_TRUE(middle.shift);
    const MouseMods release = ModsForRelease(Button1Mask | Button3Mask, Button1);
    EXPECT_TRUE(!release.left && release.right) << "the released button is no longer held";
    EXPECT_EQ(WheelNotches(Button4), 1);
    EXPECT_EQ(WheelNotches(Button5), -1);
    EXPECT_EQ(WheelNotches(6) + WheelNotches(7), 0) << "horizontal steps";
    EXPECT_FALSE(IsWheelButton(8)) << "back and forward are not wheel steps";
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

TEST(X11Input, DisplayScaleFromXftDpi) {
    EXPECT_EQ(ScaleFromResources("Xft.antialias:\t1\nMyXft.dpi:\t192\n"), 1.0) << "absent";
    EXPECT_EQ(ScaleFromResources("*background:\tgrey\nXft.dpi:\t192\nXft.rgba:\trgb\n"), 2.0);
    EXPECT_EQ(ScaleFromResources("Xft.dpi: 144.0"), 1.5);
    EXPECT_EQ(ScaleFromResources("Xft.dpi:\t960\n"), 4.0) << "the editor draws at 1 to 4";
}
