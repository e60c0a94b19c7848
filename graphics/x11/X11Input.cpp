#include "graphics/x11/X11Input.h"

#include "graphics/x11/XlibHeaders.h"

MouseMods ModsFromState(unsigned int state) {
    MouseMods mods;
    mods.left = (state & Button1Mask) != 0;
    mods.right = (state & Button3Mask) != 0;
    mods.shift = (state & ShiftMask) != 0;
    mods.control = (state & ControlMask) != 0;
    mods.alt = (state & Mod1Mask) != 0;
    return mods;
}

MouseMods ModsForPress(unsigned int state, unsigned int button) {
    MouseMods mods = ModsFromState(state);
    mods.left = button == Button1;
    mods.right = button == Button3;
    return mods;
}

MouseMods ModsForRelease(unsigned int state, unsigned int button) {
    MouseMods mods = ModsFromState(state);
    if (button == Button1)
        mods.left = false;
    if (button == Button3)
        mods.right = false;
    return mods;
}

bool IsWheelButton(unsigned int button) {
    return button >= Button4 && button <= 7;
}

int WheelNotches(unsigned int button) {
    if (button == Button4)
        return 1;
    if (button == Button5)
        return -1;
    return 0;
}

KeyCode KeyCodeForKeysym(unsigned long keysym) {
    switch (keysym) {
    case XK_Up:
    case XK_KP_Up:
        return KeyUp;
    case XK_Down:
    case XK_KP_Down:
        return KeyDown;
    case XK_Left:
    case XK_KP_Left:
        return KeyLeft;
    case XK_Right:
    case XK_KP_Right:
        return KeyRight;
    default:
        break;
    }
    // Keysyms of the printable ASCII range are the characters themselves.
    if (keysym >= XK_space && keysym <= XK_asciitilde)
        return KeyCodeForCharacter(static_cast<int>(keysym));
    return KeyNone;
}
