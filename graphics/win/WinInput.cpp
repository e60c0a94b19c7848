#include "graphics/win/WinInput.h"

namespace {

// Virtual-key codes and key-state bits, as Win32 defines them.
constexpr uintptr_t kSpace = 0x20;
constexpr uintptr_t kLeft = 0x25;
constexpr uintptr_t kUp = 0x26;
constexpr uintptr_t kRight = 0x27;
constexpr uintptr_t kDown = 0x28;
constexpr uintptr_t kLeftButton = 0x1;
constexpr uintptr_t kRightButton = 0x2;
constexpr uintptr_t kShift = 0x4;
constexpr uintptr_t kControl = 0x8;
constexpr int kWheelDelta = 120;

} // namespace

int PositionX(intptr_t lParam) {
    return static_cast<int16_t>(static_cast<uint16_t>(lParam & 0xFFFF));
}

int PositionY(intptr_t lParam) {
    return static_cast<int16_t>(static_cast<uint16_t>((lParam >> 16) & 0xFFFF));
}

MouseMods ModsFromKeyState(uintptr_t wParam, bool altDown) {
    MouseMods mods;
    mods.left = (wParam & kLeftButton) != 0;
    mods.right = (wParam & kRightButton) != 0;
    mods.shift = (wParam & kShift) != 0;
    mods.control = (wParam & kControl) != 0;
    mods.alt = altDown;
    return mods;
}

int WheelNotches(uintptr_t wParam) {
    const int delta = static_cast<int16_t>(static_cast<uint16_t>((wParam >> 16) & 0xFFFF));
    return delta / kWheelDelta;
}

KeyCode KeyCodeForVirtualKey(uintptr_t virtualKey) {
    switch (virtualKey) {
    case kSpace:
        return KeySpace;
    case kUp:
        return KeyUp;
    case kDown:
        return KeyDown;
    case kLeft:
        return KeyLeft;
    case kRight:
        return KeyRight;
    default:
        break;
    }
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return KeyCodeForCharacter(static_cast<int>(virtualKey));
    return KeyNone;
}
