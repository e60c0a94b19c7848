#pragma once

#include "tools/plughost/editor/RgbImage.h"

#include <string>

struct _XDisplay;

namespace plughost::editor {

// The tool's top-level X11 window that an editor is embedded into, on the tool's own
// connection. Errors on any X connection of the process are counted (and reported on stderr)
// while a tool window exists, so a plug-in's errors show as well as the tool's.
class ToolWindow {
  public:
    ToolWindow() = default;
    ~ToolWindow() { Close(); }
    ToolWindow(const ToolWindow&) = delete;
    ToolWindow& operator=(const ToolWindow&) = delete;

    // Opens $DISPLAY and shows a width x height window titled `title`, waiting until the
    // server has mapped it.
    bool Open(int width, int height, const std::string& title, std::string& errorText);
    void Close();
    bool IsOpen() const { return display != nullptr; }

    _XDisplay* Connection() const { return display; }
    unsigned long Id() const { return window; }
    int ConnectionFd() const;
    int Width() const { return width; }
    int Height() const { return height; }

    void Resize(int newWidth, int newHeight);
    // Handles the events that have arrived; notes a request from the user to close.
    void HandleEvents();
    bool CloseRequested() const { return closeRequested; }
    // Sends everything pending and waits until the server has handled it.
    void Sync();
    // What the window shows, its embedded children included.
    bool Capture(RgbImage& image, std::string& errorText);
    // The window point (x, y) on the root window, where the pointer must go to reach it.
    bool ToRoot(int x, int y, int& rootX, int& rootY) const;

    // X errors seen in this process since the first tool window was opened.
    static int ErrorCount();

  private:
    _XDisplay* display = nullptr;
    unsigned long window = 0;
    unsigned long deleteAtom = 0;
    int width = 0;
    int height = 0;
    bool closeRequested = false;
};

} // namespace plughost::editor
