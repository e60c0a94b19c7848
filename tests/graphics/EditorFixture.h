#pragma once

#include "TestPlug.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/ISwitchControl.h"
#include "graphics/IURLControl.h"

#include <gtest/gtest.h>

// A small editor of 200 x 100 attached to a TestPlug:
//   0 background (200 x 100)
//   1 knob, 40 x 71, at (10, 10), gain parameter 0 (mirrored value 0.5)
//   2 three-position switch, 20 x 10, at (100, 10), parameter 2
//   3 two-state switch, 20 x 10, at (100, 40), parameter 1
//   4 URL area (150, 60) to (250, 160) with a second address
// Image ids are offset per fixture user so tests sharing a process share no cache entries.
class EditorFixture : public ::testing::Test {
  protected:
    static constexpr int kBackground = 0;
    static constexpr int kKnob = 1;
    static constexpr int kSelector = 2;
    static constexpr int kToggle = 3;
    static constexpr int kUrl = 4;

    void SetUp() override;

    IControl* Control(int index) const { return graphics->GetControl(index); }
    double Value(int index) const { return Control(index)->GetValue(); }

    TestPlug plug;
    StripGraphics* graphics = nullptr; // owned by plug once attached
};
