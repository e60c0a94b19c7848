#pragma once

#include "graphics/KeyCode.h"
#include "graphics/MouseMods.h"

// X11 input as the editor's routing sees it: pure functions of event fields (state masks,
// button numbers, keysyms), so they hold without a display.

// Buttons and modifiers held according to an event's state mask: button 1 is left, button 3
// right; shift, control and Mod1 (alt).
MouseMods ModsFromState(unsigned int state);
// For a press of `button`: the state mask still describes the moment before the press, so the
// pressed button itself decides left and right. A middle press gives neither.
MouseMods ModsForPress(unsigned int state, unsigned int button);
// For a release of `button`: the buttons still held afterwards.
MouseMods ModsForRelease(unsigned int state, unsigned int button);

// Buttons 4 to 7 are wheel steps, never presses.
bool IsWheelButton(unsigned int button);
// One notch per wheel event: +1 for button 4 (up), -1 for button 5 (down), 0 for the
// horizontal buttons 6 and 7 and anything else.
int WheelNotches(unsigned int button);

// The editor's code for a key, from the keysym of the key's unshifted level: space, the four
// arrows (main block and keypad), digits and letters in either case. KeyNone otherwise.
KeyCode KeyCodeForKeysym(unsigned long keysym);
