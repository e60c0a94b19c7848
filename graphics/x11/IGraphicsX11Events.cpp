// The editor window's X events, turned into the editor's input routing. Event positions are
// window pixels; the routing takes layout coordinates.
#include "graphics/x11/IGraphicsX11.h"

#include "graphics/x11/X11EmbeddedWindow.h"
#include "graphics/x11/X11Input.h"
#include "graphics/x11/XEmbedProtocol.h"

void IGraphicsX11::HandleReadyEvents(PixelRect& exposed) {
    Display* display = window->Connection();
    // XPending also reads what the server has sent since the last call, without waiting.
    while (!closePending && window->IsOpen() && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        HandleEvent(event, exposed);
    }
}

void IGraphicsX11::HandleEvent(const XEvent& event, PixelRect& exposed) {
    window->Observe(event);
    if (event.xany.window != window->Id())
        return;
    switch (event.type) {
    case Expose: {
        const XExposeEvent& e = event.xexpose;
        exposed = exposed.Union(PixelRect{e.x, e.y, e.x + e.width, e.y + e.height});
        break;
    }
    case ButtonPress:
        HandleButtonPress(event);
        break;
    case ButtonRelease:
        HandleButtonRelease(event);
        break;
    case MotionNotify:
        HandleMotion(event);
        break;
    case LeaveNotify:
        if (reportsLeave) {
            reportsLeave = false;
            HandleMouseOut();
        }
        break;
    case KeyPress:
        HandleKeyPress(event);
        break;
    case ClientMessage:
        HandleClientMessage(event);
        break;
    default:
        break;
    }
}

void IGraphicsX11::HandleButtonPress(const XEvent& event) {
    const XButtonEvent& e = event.xbutton;
    if (IsWheelButton(e.button)) {
        const int notches = WheelNotches(e.button);
        if (notches != 0)
            HandleWheel(LayoutCoordinate(e.x), LayoutCoordinate(e.y), ModsFromState(e.state),
                        notches);
        return;
    }
    if (e.button < Button1 || e.button > Button3)
        return;
    window->RequestFocus();
    const MouseMods mods = ModsForPress(e.state, e.button);
    if (doubleClick.Press(e.button, static_cast<uint32_t>(e.time), e.x, e.y)) {
        // The second press of a double click is not a press of its own.
        captured = HandleDoubleClick(LayoutCoordinate(e.x), LayoutCoordinate(e.y), mods);
        return;
    }
    captured = true;
    HandleMouseDown(LayoutCoordinate(e.x), LayoutCoordinate(e.y), mods);
}

void IGraphicsX11::HandleButtonRelease(const XEvent& event) {
    const XButtonEvent& e = event.xbutton;
    // The middle button's release is not routed, nor are the wheel's.
    if (e.button != Button1 && e.button != Button3)
        return;
    captured = false;
    HandleMouseUp(LayoutCoordinate(e.x), LayoutCoordinate(e.y), ModsForRelease(e.state, e.button));
}

void IGraphicsX11::HandleMotion(const XEvent& event) {
    const XMotionEvent& e = event.xmotion;
    const MouseMods mods = ModsFromState(e.state);
    if (mods.left || mods.right) {
        if (captured)
            HandleMouseDrag(LayoutCoordinate(e.x), LayoutCoordinate(e.y), mods);
        return;
    }
    if (HandleMouseOver(LayoutCoordinate(e.x), LayoutCoordinate(e.y), mods))
        reportsLeave = true;
}

void IGraphicsX11::HandleKeyPress(const XEvent& event) {
    XKeyEvent e = event.xkey;
    // The unshifted level names the key itself: shift with "1" is still the digit key.
    const KeyCode code = KeyCodeForKeysym(XLookupKeysym(&e, 0));
    // A key no control takes is left alone: it is not consumed.
    if (code != KeyNone)
        HandleKey(LayoutCoordinate(e.x), LayoutCoordinate(e.y), code);
}

void IGraphicsX11::HandleClientMessage(const XEvent& event) {
    const XClientMessageEvent& e = event.xclient;
    if (e.message_type != window->XEmbedAtom() || e.format != 32)
        return;
    // Focus and activation need nothing from this editor; only the embedder is remembered.
    if (e.data.l[1] == xembed::kEmbeddedNotify)
        window->SetEmbedder(static_cast<Window>(e.data.l[3]));
}
