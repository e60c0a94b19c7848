#pragma once

#include "tools/plughost/editor/RgbImage.h"

#include <string>

namespace plughost::editor {

// The tool's top-level Win32 window that an editor is placed into: a borderless popup, so its
// client area is exactly the editor. It notes the keys that reach it, which is where an editor
// sends the keys it does not use.
class ToolWindow {
  public:
    ToolWindow() = default;
    ~ToolWindow() { Close(); }
    ToolWindow(const ToolWindow&) = delete;
    ToolWindow& operator=(const ToolWindow&) = delete;

    // Shows a width x height window titled `title` at the screen's top-left corner.
    bool Open(int width, int height, const std::string& title, std::string& errorText);
    void Close();
    bool IsOpen() const { return window != nullptr; }

    // The HWND.
    void* Handle() const { return window; }
    int Width() const { return width; }
    int Height() const { return height; }

    void Resize(int newWidth, int newHeight);
    bool CloseRequested() const { return closeRequested; }
    // What the window shows, its child windows included, as the screen has it.
    bool Capture(RgbImage& image, std::string& errorText);
    // The window point (x, y) on the screen.
    bool ToScreen(int x, int y, int& screenX, int& screenY) const;

    // Key-down messages that reached this window, and the last one's virtual key.
    int KeysReceived() const { return keysReceived; }
    unsigned LastKey() const { return lastKey; }

    // Windows calls that failed in the tool's own window handling (capturing, input).
    static int ErrorCount();
    static void CountError();

    // The tool window's procedure's work (called by that procedure only).
    intptr_t HandleMessage(unsigned message, uintptr_t wParam, intptr_t lParam);

  private:
    void* window = nullptr;
    int width = 0;
    int height = 0;
    bool closeRequested = false;
    int keysReceived = 0;
    unsigned lastKey = 0;
};

} // namespace plughost::editor
