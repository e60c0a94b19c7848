#pragma once

// What a control receives for a key. Keys without a code never reach a control.
enum KeyCode : int {
    KeyNone = -1,
    KeySpace = 0,
    KeyUp = 1,
    KeyDown = 2,
    KeyLeft = 3,
    KeyRight = 4,
    KeyDigit0 = 5,   // "0" .. "9" are 5 .. 14
    KeyLetterA = 15, // "A" .. "Z" are 15 .. 40
};

// The code for a character key: space, the digits and the letters in either case; KeyNone for
// anything else. Arrow keys have no character and are mapped by the window layer.
KeyCode KeyCodeForCharacter(int character);
