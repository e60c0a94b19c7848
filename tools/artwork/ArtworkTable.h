#pragma once

#include <array>
#include <span>

namespace artwork {

enum class ArtKind {
    Background,
    BipolarKnob,  // value arc grows from the centre (0 dB) position
    UnipolarKnob, // value arc grows from the minimum position
    Selector,     // slide switch, one detent per frame, labels below
    SideSelector, // two-position slide switch, labels left and right
    LedButton,    // latching button with an LED, caption above
    LedPanel,     // wide button with LED and caption inside its frames
};

enum class LedColour { Amber, Red };

// One image of the editor and what the faceplate prints around it.
struct ControlArt {
    const char* stem; // file name without folder and ".png"
    ArtKind kind;
    int x, y; // top-left corner of the control on the faceplate
    int frameWidth, frameHeight, frames;
    // Knobs: scale marks at minimum, centre, maximum. Selectors: one label per
    // position, in value order. Buttons: the caption.
    std::array<const char*, 3> marks;
    LedColour led;
    int litFrame; // buttons: the frame (1-based) that shows the LED lit
};

std::span<const ControlArt> AllArtwork();

// Column headings printed along the top edge, each centred over a control.
struct Heading {
    const char* text;
    const char* overStem;
};

std::span<const Heading> AllHeadings();

} // namespace artwork
