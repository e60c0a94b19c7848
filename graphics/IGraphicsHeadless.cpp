#include "graphics/IGraphicsHeadless.h"

#include "core/ICoreParameter.h"
#include "graphics/IPopupMenu.h"
#include "graphics/ResourceImage.h"

#include <cstring>

bool IGraphicsHeadless::PresentToWindow(const PixelRect& rect) {
    ++presentCount;
    lastPresented = rect;
    return true;
}

void IGraphicsHeadless::CancelTextEntry() {
    entry.Cancel();
}

int IGraphicsHeadless::ShowMessageBox(const char*, const char*, int) {
    return 0; // nobody can answer
}

IPopupMenu* IGraphicsHeadless::PopupMenuAt(IPopupMenu& menu, const PixelRect&) {
    ReleaseCapture();
    const int command = scriptedCommand;
    scriptedCommand = -1;
    IPopupMenu* chosen = menu.ChooseCommand(command);
    // The menu covered part of the editor.
    for (int i = 0; i < NControls(); ++i)
        GetControl(i)->MarkChanged(false);
    return chosen;
}

void IGraphicsHeadless::OpenTextEntry(IControl* control, const TextStyle&, const PixelRect&,
                                      const char* initialText, ICoreParameter* parameter) {
    if (!entry.Open(control, parameter))
        return;
    entryLimit = control->TextEntryLengthLimit();
    if (entryLimit < 0)
        entryLimit = 0;
    if (entryLimit > kEntryCapacity - 1)
        entryLimit = kEntryCapacity - 1;
    CopyText(entryText, initialText, entryLimit + 1);
    entry.FocusGained();
}

void IGraphicsHeadless::TypeIntoEntry(const char* typed) {
    if (!entry.IsOpen() || !typed)
        return;
    for (const char* c = typed; *c; ++c) {
        const int character = static_cast<unsigned char>(*c);
        if (!entry.AcceptsCharacter(character))
            continue;
        const size_t length = std::strlen(entryText);
        if (character == 8) {
            if (length > 0)
                entryText[length - 1] = '\0';
        } else if (static_cast<int>(length) < entryLimit) {
            entryText[length] = static_cast<char>(character);
            entryText[length + 1] = '\0';
        }
    }
}

PixelRect IGraphicsHeadless::TimerTick() {
    switch (entry.Tick()) {
    case EntryTick::Commit:
        entry.Commit(entryText);
        entryText[0] = '\0';
        return {};
    case EntryTick::Discard:
        entry.Close();
        entryText[0] = '\0';
        return {};
    case EntryTick::Wait:
        return {};
    case EntryTick::Redraw:
        break;
    }
    PixelRect dirtyArea;
    if (!CollectDirtyArea(dirtyArea))
        return {};
    RedrawArea(dirtyArea);
    if (entry.IsOpen())
        entry.EditorRedrawnAround();
    return dirtyArea;
}

void IGraphicsHeadless::PromptForFile(TextBuffer& file, int, TextBuffer&, const char*) {
    file.Set("");
}

bool IGraphicsHeadless::OpenUrl(const char* url, const char*, const char*, const char*) {
    ++urlRequests;
    CopyText(lastUrl, url, sizeof lastUrl);
    return false; // no browser to hand it to
}

bool IGraphicsHeadless::ReadClipboardText(TextBuffer& out) {
    out.Set("");
    return false;
}

LICE_IBitmap* IGraphicsHeadless::LoadResourceImage(int id, const char* name) {
    return ::LoadResourceImage(id, name);
}
