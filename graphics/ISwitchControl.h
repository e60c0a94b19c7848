#pragma once

#include "graphics/IBitmapControl.h"

// A bitmap control that steps to its next frame on every press, wrapping after the last.
class ISwitchControl : public IBitmapControl {
  public:
    using IBitmapControl::IBitmapControl;

    void MousePressed(int x, int y, const MouseMods& mods) override;
    // A quick second press is still a press.
    void MouseDoubleClicked(int x, int y, const MouseMods& mods) override;
};
