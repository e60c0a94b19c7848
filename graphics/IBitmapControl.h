#pragma once

#include "graphics/FrameBitmap.h"
#include "graphics/IControl.h"

// Shows the frame of its strip that matches its value.
class IBitmapControl : public IControl {
  public:
    IBitmapControl(IPlugBase* plug, int x, int y, int paramIdx, const FrameBitmap& bitmap,
                   int32_t blendKind = BlendNormal);

    void Draw(IGraphics* graphics) override;

    const FrameBitmap& Bitmap() const { return bitmap; }

  protected:
    FrameBitmap bitmap;
};

// The 1-based frame of an N-frame strip that shows a normalised value.
int FrameForValue(double value, int frameCount);

// The rectangle of one frame of `bitmap` with its top-left corner at (x, y).
PixelRect FrameRectAt(int x, int y, const FrameBitmap& bitmap);
