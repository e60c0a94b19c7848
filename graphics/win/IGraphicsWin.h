#pragma once

#include "core/TextBuffer.h"
#include "graphics/IGraphics.h"
#include "graphics/TextEntry.h"

#include <cstdint>

// The editor's window on Windows: a visible child of the host's window, of the module's one
// window class "IPlugWndClass". Its timer (id 2, at the frame rate) redraws what changed and
// moves the text entry along; its window procedure turns messages into the editor's input
// routing; painting copies from the drawing bitmap's memory device context.
//
// Threads: the thread that owns the window, the host's user-interface thread, like everything
// of IGraphics but the value mirroring. Window handles are kept as void* so that users of this
// header need no Windows headers.
class IGraphicsWin : public IGraphics {
  public:
    static constexpr uintptr_t kTimerId = 2;
    static constexpr int kEntryControlId = 99;
    static constexpr uintptr_t kEntryMarker = 0xdeadf00b;
    static constexpr int kEntryTextSize = 32; // 31 characters and the terminator

    IGraphicsWin(IPlugBase* plug, int width, int height, int frameRate = kDefaultFrameRate);
    ~IGraphicsWin() override;

    bool PresentToWindow(const PixelRect& rect) override;
    void CancelTextEntry() override;
    void ResizeEditor(int newWidth, int newHeight) override;
    bool IsWindowOpen() override { return window != nullptr; }
    const char* DrawingApiName() override { return "Windows GDI"; }
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
    // `parent` is the host's HWND. Returns the editor's HWND, or none when it cannot be made.
    void* OpenWindow(void* parent) override;
    void CloseWindow() override;
    void* WindowHandle() override { return window; }
    bool ReadClipboardText(TextBuffer& out) override;
    void HideMouseCursor() override;
    void RestoreMouseCursor() override;
    void UnusedHook27() override {}
    LICE_IBitmap* LoadResourceImage(int id, const char* name) override;
    // The DPI of the host's window over 96.
    double SystemScale(void* parent) override;

    // The window procedure's work for this editor's window, and the entry procedure's for its
    // entry box. Called only by those procedures.
    intptr_t HandleMessage(unsigned int message, uintptr_t wParam, intptr_t lParam);
    intptr_t HandleEntryMessage(unsigned int message, uintptr_t wParam, intptr_t lParam);

    // Module-wide: editor windows open now, and whether the class is registered.
    static int OpenWindowCount();
    static bool WindowClassRegistered();

    void* EntryWindow() const { return entryWindow; }
    const TextEntry& Entry() const { return entry; }

  protected:
    void WindowScaleChanged() override;

  private:
    void TimerTick();
    void HandleKeyDown(unsigned int message, uintptr_t wParam, intptr_t lParam);
    void PassToRoot(unsigned int message, uintptr_t wParam, intptr_t lParam);
    void CloseEntryBox();
    bool OpenTooltip();
    void HideTooltip();
    void* FindHostTopWindow();

    void* moduleHandle;
    void* window = nullptr;
    void* entryWindow = nullptr;
    void* tooltipWindow = nullptr;
    void* previousEntryProcedure = nullptr;
    void* entryFont = nullptr;
    TextEntry entry;               // the edited control and parameter, and the state
    bool releasingCapture = false; // the editor gives up the mouse itself, at a release
    bool tooltipShown = false;
    int32_t tooltipControl = -1;
    uint32_t* customColours = nullptr; // 16 COLORREFs, made by the first colour dialog
    uint32_t processId = 0;
    void* parentWindow = nullptr;
    void* hostTopWindow = nullptr;
    TextBuffer hostTopWindowClass;
};
