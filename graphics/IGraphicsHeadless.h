#pragma once

#include "graphics/IGraphics.h"
#include "graphics/TextEntry.h"

// An editor without a window: everything is drawn into the drawing bitmap and stays there.
// Serves hosts that never open the editor, and tests, which drive it through the routing
// operations and TimerTick as a window layer would. Platform services (dialogs, folders,
// clipboard, web pages) report failure; a menu returns the choice scripted with
// ScriptMenuChoice, and a text entry keeps its text in memory, typed with TypeIntoEntry.
// User-interface thread.
class IGraphicsHeadless : public IGraphics {
  public:
    static constexpr int kEntryCapacity = 256;

    using IGraphics::IGraphics;

    bool PresentToWindow(const PixelRect& rect) override;
    void CancelTextEntry() override;
    const char* DrawingApiName() override { return "headless"; }
    int ShowMessageBox(const char* text, const char* caption, int type) override;
    IPopupMenu* PopupMenuAt(IPopupMenu& menu, const PixelRect& rect) override;
    void OpenTextEntry(IControl* control, const TextStyle& style, const PixelRect& rect,
                       const char* initialText, ICoreParameter* parameter) override;
    void HostExecutableFolder(TextBuffer& out) override { out.Set(""); }
    void ModuleFolder(TextBuffer& out) override { out.Set(""); }
    void DesktopFolder(TextBuffer& out) override { out.Set(""); }
    void AppDataFolder(TextBuffer& out, bool) override { out.Set(""); }
    void UserDataFolder(TextBuffer& out) override { out.Set(""); }
    void PromptForFile(TextBuffer& file, int action, TextBuffer& folder,
                       const char* extensions) override;
    bool PromptForColour(Colour&, const char*) override { return false; }
    bool OpenUrl(const char* url, const char* title, const char* confirmText,
                 const char* failureText) override;
    void* OpenWindow(void*) override { return nullptr; }
    void CloseWindow() override {}
    void* WindowHandle() override { return nullptr; }
    bool ReadClipboardText(TextBuffer& out) override;
    void UnusedHook27() override {}
    LICE_IBitmap* LoadResourceImage(int id, const char* name) override;

    // One tick of the redraw timer: the text entry's business, or else a redraw of the dirty
    // area. Returns the area redrawn (empty when nothing was).
    PixelRect TimerTick();

    // The next menu shown picks command `command` (-1: the user dismisses it). Used once.
    void ScriptMenuChoice(int command) { scriptedCommand = command; }
    // Types into the open entry as a user would: refused characters are dropped, and the
    // control's length limit holds. Backspace (8) deletes.
    void TypeIntoEntry(const char* typed);
    const char* EntryText() const { return entryText; }
    TextEntry& Entry() { return entry; }

    int PresentCount() const { return presentCount; }
    const PixelRect& LastPresented() const { return lastPresented; }
    int UrlRequests() const { return urlRequests; }
    const char* LastUrl() const { return lastUrl; }

  private:
    TextEntry entry;
    char entryText[kEntryCapacity] = {};
    int entryLimit = 0;
    int scriptedCommand = -1;
    int presentCount = 0;
    PixelRect lastPresented;
    int urlRequests = 0;
    char lastUrl[kEntryCapacity] = {};
};
