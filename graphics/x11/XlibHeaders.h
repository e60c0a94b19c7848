#pragma once

// Xlib names a type KeyCode, as the editor does for its own key codes. Every file of this
// folder takes Xlib through here, where Xlib's type is renamed, so both can be seen at once.
#define KeyCode XlibKeyCode
#include <X11/X.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#undef KeyCode
