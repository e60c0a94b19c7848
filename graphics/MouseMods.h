#pragma once

// Buttons and modifier keys held during a mouse report.
struct MouseMods {
    bool left = false;
    bool right = false;
    bool shift = false;
    bool control = false;
    bool alt = false;
};
