#include "graphics/ISwitchControl.h"

void ISwitchControl::MousePressed(int, int, const MouseMods&) {
    const int frames = bitmap.Frames();
    const double step = frames > 1 ? 1.0 / (frames - 1) : 1.0;
    double next = GetValue() + step;
    // The margin keeps rounding error in the sum of steps from wrapping one step early.
    if (next > 1.001)
        next = 0.0;
    SetValue(next);
    MarkChanged(true);
}

void ISwitchControl::MouseDoubleClicked(int x, int y, const MouseMods& mods) {
    MousePressed(x, y, mods);
}
