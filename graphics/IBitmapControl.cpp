#include "graphics/IBitmapControl.h"

#include "graphics/IGraphics.h"

#include <cmath>

int FrameForValue(double value, int frameCount) {
    if (frameCount <= 1)
        return 1;
    const double position = 0.5 + value * (frameCount - 1);
    if (!(position >= 0.0))
        return 1; // also NaN
    if (position >= frameCount)
        return frameCount;
    const int frame = 1 + static_cast<int>(position);
    return frame > frameCount ? frameCount : frame;
}

PixelRect FrameRectAt(int x, int y, const FrameBitmap& bitmap) {
    return {x, y, x + bitmap.FrameWidth(), y + bitmap.FrameHeight()};
}

IBitmapControl::IBitmapControl(IPlugBase* plug, int x, int y, int paramIdx,
                               const FrameBitmap& bitmap, int32_t blendKind)
    : IControl(plug, FrameRectAt(x, y, bitmap), paramIdx, Blend{blendKind, 1.0f}), bitmap(bitmap) {}

void IBitmapControl::Draw(IGraphics* graphics) {
    graphics->DrawBitmapFrame(bitmap, rect, FrameForValue(GetValue(), bitmap.Frames()), &blend);
}
