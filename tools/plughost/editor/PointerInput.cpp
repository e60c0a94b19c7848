#include "tools/plughost/editor/PointerInput.h"

#include "tools/plughost/editor/ToolWindow.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace plughost::editor {

bool PointerInput::Available() const {
    Display* display = window.Connection();
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    return display && XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor);
}

bool PointerInput::MoveTo(int x, int y) {
    Display* display = window.Connection();
    int rootX = 0, rootY = 0;
    if (!display || !window.ToRoot(x, y, rootX, rootY))
        return false;
    XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
    XFlush(display);
    return true;
}

void PointerInput::Button(unsigned int button, bool down) {
    Display* display = window.Connection();
    if (!display)
        return;
    XTestFakeButtonEvent(display, button, down ? True : False, CurrentTime);
    XFlush(display);
}

} // namespace plughost::editor
