#pragma once

#include "graphics/IGraphics.h"
#include "graphics/x11/DoubleClickDetector.h"

namespace Steinberg::Linux {
class IRunLoop;
}
class RunLoopClient;
class X11EmbeddedWindow;
union _XEvent;

// The editor's window on Linux: a child of the host's X11 window, embedded with XEmbed, on a
// display connection of its own. The host's run loop drives it: X events arrive through a
// handler registered on the connection's descriptor, and the redraw tick through a timer at
// the frame rate. There is no thread of its own. Without a run loop nothing runs by itself;
// a caller may then drive the window with ProcessPendingEvents and TimerTick.
//
// Threads: the host's user-interface thread, like everything of IGraphics but the value
// mirroring.
class IGraphicsX11 : public IGraphics {
  public:
    IGraphicsX11(IPlugBase* plug, int width, int height, int frameRate = kDefaultFrameRate);
    ~IGraphicsX11() override;

    bool PresentToWindow(const PixelRect& rect) override;
    void CancelTextEntry() override {}
    void ResizeEditor(int newWidth, int newHeight) override;
    const char* DrawingApiName() override { return "Xlib"; }
    int ShowMessageBox(const char* text, const char* caption, int type) override;
    IPopupMenu* PopupMenuAt(IPopupMenu& menu, const PixelRect& rect) override;
    void OpenTextEntry(IControl* control, const TextStyle& style, const PixelRect& rect,
                       const char* initialText, ICoreParameter* parameter) override;
    void HostExecutableFolder(TextBuffer& out) override;
    void ModuleFolder(TextBuffer& out) override;
    void DesktopFolder(TextBuffer& out) override;
    void AppDataFolder(TextBuffer& out, bool allUsers) override;
    void UserDataFolder(TextBuffer& out) override;
    void PromptForFile(TextBuffer& file, int action, TextBuffer& folder,
                       const char* extensions) override;
    bool PromptForColour(Colour& colour, const char* title) override;
    bool OpenUrl(const char* url, const char* title, const char* confirmText,
                 const char* failureText) override;
    // `parent` is the host's X11 Window id. Returns the editor's window id, or none.
    void* OpenWindow(void* parent) override;
    void CloseWindow() override;
    void* WindowHandle() override;
    bool ReadClipboardText(TextBuffer& out) override;
    void UnusedHook27() override {}
    LICE_IBitmap* LoadResourceImage(int id, const char* name) override;
    // A Steinberg::Linux::IRunLoop, or none.
    void SetHostEventLoop(void* hostEventLoop) override;
    // Xft.dpi of the display's resource database over 96.
    double SystemScale(void* parent) override;

    // Handles every event the connection has ready, then redraws what they exposed.
    void ProcessPendingEvents();
    // One redraw tick: handles queued events, then redraws the changed controls' area.
    void TimerTick();
    // Whether the host's run loop accepted the timer and the descriptor handler.
    bool TimerRegistered() const { return timerRegistered; }
    bool EventHandlerRegistered() const { return eventHandlerRegistered; }

  protected:
    void WindowScaleChanged() override;

  private:
    // Reads and handles every event the connection has ready; `exposed` collects the areas
    // to draw again.
    void HandleReadyEvents(PixelRect& exposed);
    void EndEventPass();
    void HandleEvent(const _XEvent& event, PixelRect& exposed);
    void HandleButtonPress(const _XEvent& event);
    void HandleButtonRelease(const _XEvent& event);
    void HandleMotion(const _XEvent& event);
    void HandleKeyPress(const _XEvent& event);
    void HandleClientMessage(const _XEvent& event);
    void RegisterWithRunLoop();
    void UnregisterFromRunLoop();

    X11EmbeddedWindow* window;
    Steinberg::Linux::IRunLoop* runLoop = nullptr;
    RunLoopClient* runLoopClient = nullptr;
    bool timerRegistered = false;
    bool eventHandlerRegistered = false;
    bool captured = false;     // a press is held by the editor until its release
    bool reportsLeave = false; // the pointer was reported over a control
    bool inEventPass = false;  // events or a tick are being handled
    bool closePending = false; // CloseWindow came during that pass
    DoubleClickDetector doubleClick;
};
