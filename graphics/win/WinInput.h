#pragma once

#include "graphics/KeyCode.h"
#include "graphics/MouseMods.h"

#include <cstdint>

// Win32 input as the editor's routing sees it: pure functions of message words, so they hold
// without a window.

// The signed 16-bit halves of a mouse message's position word.
int PositionX(intptr_t lParam);
int PositionY(intptr_t lParam);
// Buttons and modifiers from a mouse message's key-state word (left, right, shift, control);
// alt is not in the word and is given by the caller.
MouseMods ModsFromKeyState(uintptr_t wParam, bool altDown);
// Whole notches of a wheel message: its signed delta over 120, truncated toward zero.
int WheelNotches(uintptr_t wParam);
// The editor's code for a virtual key: space, the four arrows, the digit keys and the letter
// keys. The codes 0x61-0x7A are the keypad and function keys here, not letters: no code.
KeyCode KeyCodeForVirtualKey(uintptr_t virtualKey);
