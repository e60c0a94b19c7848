#pragma once

namespace plughost::editor {

class ToolWindow;

// A user's pointer, played through the XTEST extension: the server moves the real pointer and
// presses real buttons, so the events reach whichever window is under it, as a user's would.
class PointerInput {
  public:
    explicit PointerInput(ToolWindow& window) : window(window) {}

    // Whether the server offers XTEST.
    bool Available() const;
    // Moves the pointer to the tool window's point (x, y).
    bool MoveTo(int x, int y);
    // Presses or releases `button` (1 left, 2 middle, 3 right, 4 and 5 the wheel).
    void Button(unsigned int button, bool down);

  private:
    ToolWindow& window;
};

} // namespace plughost::editor
