#include "graphics/IGraphics.h"

#include "core/IPlugBase.h"
#include "graphics/ScaledBitmap.h"

// A parameter control holds the capture exactly while its host gesture is open: capturing
// begins the gesture and every way of losing the capture ends it, so the host always sees
// begin and end in pairs around the value changes.

namespace {

constexpr int kFormatVst3 = 1;

} // namespace

void IGraphics::ReleaseCapture() {
    IControl* control = controls.Get(capturedControl);
    if (control && control->ParamIdx() >= 0 && plug)
        plug->EndHostEdit(control->ParamIdx());
    capturedControl = -1;
    lastMouseX = -1;
    lastMouseY = -1;
}

void IGraphics::HandleMouseDown(int x, int y, const MouseMods& mods) {
    ReleaseCapture();
    const int index = ControlUnder(x, y);
    if (index < 0)
        return;
    IControl* control = controls.Get(index);
    const int paramIdx = control->ParamIdx();
    if (plug && plug->GetFormatCode() == kFormatVst3 && mods.right && paramIdx >= 0) {
        // The host shows its own parameter menu, in the view's pixels; the control is not told.
        plug->PopupHostParamMenu(paramIdx, ScaledLength(x, scale), ScaledLength(y, scale));
        return;
    }
    capturedControl = index;
    lastMouseX = x;
    lastMouseY = y;
    if (paramIdx >= 0 && plug)
        plug->BeginHostEdit(paramIdx);
    control->MousePressed(x, y, mods);
}

void IGraphics::HandleMouseUp(int x, int y, const MouseMods& mods) {
    const bool captured = capturedControl >= 0;
    const int index = captured ? capturedControl : ControlUnder(x, y);
    capturedControl = -1;
    lastMouseX = -1;
    lastMouseY = -1;
    IControl* control = controls.Get(index);
    if (!control)
        return;
    control->MouseReleased(x, y, mods);
    // Only a press began a gesture; a release that arrives without one ends none.
    if (captured && control->ParamIdx() >= 0 && plug)
        plug->EndHostEdit(control->ParamIdx());
}

void IGraphics::HandleMouseDrag(int x, int y, const MouseMods& mods) {
    IControl* control = controls.Get(capturedControl);
    if (!control || (x == lastMouseX && y == lastMouseY))
        return;
    const int dx = x - lastMouseX;
    const int dy = y - lastMouseY;
    lastMouseX = x;
    lastMouseY = y;
    control->MouseDragged(x, y, dx, dy, mods);
}

bool IGraphics::HandleDoubleClick(int x, int y, const MouseMods& mods) {
    ReleaseCapture();
    const int index = ControlUnder(x, y);
    if (index < 0)
        return false;
    IControl* control = controls.Get(index);
    const int paramIdx = control->ParamIdx();
    const bool asPress = control->DoubleClickActsAsPress();
    if (asPress || paramIdx >= 0) {
        capturedControl = index;
        lastMouseX = x;
        lastMouseY = y;
    }
    if (paramIdx >= 0 && plug)
        plug->BeginHostEdit(paramIdx);
    if (asPress) {
        control->MousePressed(x, y, mods);
        return true;
    }
    control->MouseDoubleClicked(x, y, mods);
    return false;
}

void IGraphics::HandleWheel(int x, int y, const MouseMods& mods, int notches) {
    const bool captured = capturedControl >= 0;
    IControl* control = controls.Get(captured ? capturedControl : ControlUnder(x, y));
    if (!control)
        return;
    // Outside a drag the turn is a gesture of its own.
    const int paramIdx = captured || !plug ? -1 : control->ParamIdx();
    if (paramIdx >= 0)
        plug->BeginHostEdit(paramIdx);
    control->MouseWheelTurned(x, y, mods, notches);
    if (paramIdx >= 0)
        plug->EndHostEdit(paramIdx);
}

bool IGraphics::HandleKey(int x, int y, int keyCode) {
    const int index = capturedControl >= 0 ? capturedControl : ControlUnder(x, y);
    IControl* target = index <= 0 ? keyHandler : controls.Get(index);
    if (!target)
        return false;
    return target->KeyPressed(x, y, keyCode);
}

bool IGraphics::HandleMouseOver(int x, int y, const MouseMods& mods) {
    if (!handleMouseOver)
        return false;
    int index = capturedControl;
    if (index < 0) {
        for (int i = controls.Count() - 1; i >= 0; --i) {
            IControl* control = controls.Get(i);
            if (control->IsHidden())
                continue;
            if (control->IsDisabled() && !control->ReportsWhileDisabled())
                continue;
            if (control->HitTest(x, y)) {
                index = i;
                break;
            }
        }
    }
    if (IControl* control = controls.Get(index)) {
        lastMouseX = x;
        lastMouseY = y;
        control->MouseHovered(x, y, mods);
        if (mouseOverControl != index)
            if (IControl* previous = controls.Get(mouseOverControl))
                previous->MouseLeft();
        mouseOverControl = index;
    }
    return handleMouseOver;
}

void IGraphics::HandleMouseOut() {
    const int count = controls.Count();
    for (int i = 0; i < count; ++i)
        controls.Get(i)->MouseLeft();
    mouseOverControl = -1;
}
