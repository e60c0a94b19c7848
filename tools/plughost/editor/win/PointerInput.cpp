#include "tools/plughost/editor/win/PointerInput.h"

#include "tools/plughost/editor/win/ToolWindow.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace plughost::editor {
namespace {

void Send(DWORD flags, LONG data = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = static_cast<DWORD>(data);
    if (SendInput(1, &input, sizeof input) != 1)
        ToolWindow::CountError();
}

} // namespace

bool PointerInput::MoveTo(int x, int y) {
    int screenX = 0;
    int screenY = 0;
    if (!window.ToScreen(x, y, screenX, screenY))
        return false;
    // SetCursorPos alone sends no mouse message; the zero move after it does, at the place.
    if (!SetCursorPos(screenX, screenY))
        return false;
    Send(MOUSEEVENTF_MOVE);
    return true;
}

void PointerInput::Button(unsigned int button, bool down) {
    switch (button) {
    case 1:
        Send(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
        break;
    case 2:
        Send(down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP);
        break;
    case 3:
        Send(down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP);
        break;
    default:
        break;
    }
}

void PointerInput::Wheel(int delta) {
    Send(MOUSEEVENTF_WHEEL, delta);
}

} // namespace plughost::editor
