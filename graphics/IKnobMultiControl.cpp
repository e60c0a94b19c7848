#include "graphics/IKnobMultiControl.h"

#include "graphics/IBitmapControl.h"
#include "graphics/IGraphics.h"

namespace {

constexpr double kFineFactor = 10.0;
constexpr double kWheelStep = 0.01;
constexpr double kFineWheelStep = 0.001;

bool WantsFine(const MouseMods& mods) {
    return mods.control || mods.shift;
}

} // namespace

IKnobMultiControl::IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIdx,
                                     const FrameBitmap& bitmap, int32_t direction, double gearing)
    : IControl(plug, FrameRectAt(x, y, bitmap), paramIdx, Blend{BlendNormal, 1.0f}),
      direction(direction), gearing(gearing), bitmap(bitmap) {}

void IKnobMultiControl::MouseDragged(int, int, int dx, int dy, const MouseMods& mods) {
    const double g = WantsFine(mods) ? gearing * kFineFactor : gearing;
    // Upward (negative dy) raises the value, hence top - bottom.
    const double span =
        direction == KnobVertical ? double(rect.top) - rect.bottom : double(rect.right) - rect.left;
    const double moved = direction == KnobVertical ? dy : dx;
    if (span == 0.0 || !(g > 0.0))
        return; // a degenerate knob cannot be turned
    SetValue(GetValue() + (moved / span) / g);
    MarkChanged(true);
}

void IKnobMultiControl::MouseWheelTurned(int, int, const MouseMods& mods, int notches) {
    SetValue(GetValue() + notches * (WantsFine(mods) ? kFineWheelStep : kWheelStep));
    MarkChanged(true);
}

void IKnobMultiControl::Draw(IGraphics* graphics) {
    graphics->DrawBitmapFrame(bitmap, rect, FrameForValue(GetValue(), bitmap.Frames()), &blend);
}
