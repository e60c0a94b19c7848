#pragma once

namespace plughost::editor {

class ToolWindow;

// A user's mouse, played through SendInput: the system moves the real cursor and presses real
// buttons, so the messages reach whichever window is under it (or has the capture), as a
// user's would.
class PointerInput {
  public:
    explicit PointerInput(ToolWindow& window) : window(window) {}

    bool Available() const { return true; }
    // Moves the cursor to the tool window's point (x, y).
    bool MoveTo(int x, int y);
    // Presses or releases `button` (1 left, 2 middle, 3 right).
    void Button(unsigned int button, bool down);
    // Turns the wheel by `delta` (120 a notch, positive away from the user).
    void Wheel(int delta);

  private:
    ToolWindow& window;
};

} // namespace plughost::editor
