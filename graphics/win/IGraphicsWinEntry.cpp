// The text box over a control: a subclassed edit control whose events move the shared
// text-entry state; the editor's timer applies or discards it.
#include "graphics/win/IGraphicsWin.h"

#include "graphics/ScaledBitmap.h"
#include "graphics/win/WideText.h"
#include "graphics/win/WindowsHeaders.h"

namespace {

HWND Hwnd(void* handle) {
    return static_cast<HWND>(handle);
}

// The box's own thread, the host's user-interface thread.
LRESULT CALLBACK EntryBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND editor = GetParent(box);
    auto* graphics = editor
                         ? reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrW(editor, GWLP_USERDATA))
                         : nullptr;
    if (!graphics || graphics->EntryWindow() != box)
        return DefWindowProcW(box, message, wParam, lParam);
    return graphics->HandleEntryMessage(message, wParam, lParam);
}

} // namespace

void IGraphicsWin::OpenTextEntry(IControl* control, const TextStyle& style,
                                 const PixelRect& layoutRect, const char* initialText,
                                 ICoreParameter* parameter) {
    if (!control || entry.IsOpen() || !window)
        return;
    // The box sits over the control as drawn, its text at the drawing's scale.
    const PixelRect rect = PixelsOf(layoutRect);
    DWORD alignment = ES_CENTER;
    if (style.align == AlignLeft)
        alignment = ES_LEFT;
    else if (style.align == AlignRight)
        alignment = ES_RIGHT;
    const std::wstring text = WideOf(initialText);
    HWND box = CreateWindowExW(
        0, L"EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | alignment,
        rect.left, rect.top, rect.Width() + 1, rect.Height() + 1, Hwnd(window),
        reinterpret_cast<HMENU>(kEntryControlId), static_cast<HINSTANCE>(moduleHandle), nullptr);
    if (!box)
        return;
    entry.Open(control, parameter);
    const std::wstring face = WideOf(style.faceName);
    HFONT font = CreateFontW(
        ScaledLength(style.size, Scale()), 0, 0, 0, style.style == TextBold ? FW_BOLD : FW_DONTCARE,
        style.style == TextItalic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str());
    if (font)
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    entryFont = font;
    const int limit = control->TextEntryLengthLimit();
    SendMessageW(box, EM_LIMITTEXT, static_cast<WPARAM>(limit > 0 ? limit : 0), 0);
    SendMessageW(box, EM_SETSEL, 0, -1);
    SetFocus(box);
    entryWindow = box;
    previousEntryProcedure = reinterpret_cast<void*>(
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EntryBoxProcedure)));
    SetWindowLongPtrW(box, GWLP_USERDATA, static_cast<LONG_PTR>(kEntryMarker));
    // The box took the focus before its procedure was replaced: that focus counts as typing,
    // so a press in the editor now discards, as it does at any later time while the box has
    // the focus.
    if (GetFocus() == box)
        entry.FocusGained();
}

intptr_t IGraphicsWin::HandleEntryMessage(unsigned int message, uintptr_t wParam, intptr_t lParam) {
    HWND box = Hwnd(entryWindow);
    auto previous = reinterpret_cast<WNDPROC>(previousEntryProcedure);
    HideTooltip();
    switch (message) {
    case WM_SETFOCUS:
        entry.FocusGained();
        break;
    case WM_KILLFOCUS:
        entry.FocusLost();
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            entry.EnterPressed();
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            entry.EscapePressed();
            return 0;
        }
        break;
    case WM_CHAR:
        // The characters of Enter and Escape would put a line break or a box into the text.
        if (wParam == '\r' || wParam == '\n' || wParam == 27)
            return 0;
        if (entry.Parameter() && !entry.AcceptsCharacter(static_cast<int>(wParam)))
            return 0;
        break;
    case WM_GETDLGCODE:
        if (!entry.Parameter()) {
            LRESULT code = CallWindowProcW(previous, box, message, wParam, lParam);
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
                code |= DLGC_WANTALLKEYS;
            return code;
        }
        break;
    case WM_COMMAND:
        entry.CommandNotified(HIWORD(wParam));
        break;
    default:
        break;
    }
    return CallWindowProcW(previous, box, message, wParam, lParam);
}

void IGraphicsWin::CancelTextEntry() {
    entry.Cancel();
}

void IGraphicsWin::CloseEntryBox() {
    HWND box = Hwnd(entryWindow);
    entry.Close();
    if (box) {
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousEntryProcedure));
        DestroyWindow(box);
    }
    if (entryFont)
        DeleteObject(static_cast<HFONT>(entryFont));
    entryWindow = nullptr;
    entryFont = nullptr;
    previousEntryProcedure = nullptr;
    // The editor takes the keys back.
    if (window && GetFocus() == nullptr)
        SetFocus(Hwnd(window));
}
