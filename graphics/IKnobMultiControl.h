#pragma once

#include "graphics/FrameBitmap.h"
#include "graphics/IControl.h"

enum KnobDirection : int32_t { KnobVertical = 0, KnobHorizontal = 1 };

// A knob drawn from a strip of frames, turned by dragging or by the wheel.
class IKnobMultiControl : public IControl {
  public:
    IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIdx, const FrameBitmap& bitmap,
                      int32_t direction = KnobVertical, double gearing = 4.0);

    void MouseDragged(int x, int y, int dx, int dy, const MouseMods& mods) override;
    void MouseWheelTurned(int x, int y, const MouseMods& mods, int notches) override;
    void Draw(IGraphics* graphics) override;

    double Gearing() const { return gearing; }
    int32_t Direction() const { return direction; }
    const FrameBitmap& Bitmap() const { return bitmap; }

  protected:
    int32_t direction;
    // Full range takes gearing times the knob's size in pixels of drag.
    double gearing;
    FrameBitmap bitmap;
};
