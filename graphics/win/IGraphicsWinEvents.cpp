// The editor window's messages, turned into the editor's input routing, and its timer.
#include "graphics/win/IGraphicsWin.h"

#include "graphics/win/WideText.h"
#include "graphics/win/WinInput.h"
#include "graphics/win/WindowClass.h"

#include <commctrl.h>

namespace {

HWND Hwnd(void* handle) {
    return static_cast<HWND>(handle);
}

bool AltDown() {
    return GetKeyState(VK_MENU) < 0;
}

RECT WinRect(const PixelRect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

} // namespace

// The window's own thread, the host's user-interface thread.
LRESULT CALLBACK EditorWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        SetTimer(hwnd, IGraphicsWin::kTimerId, WindowClass::TimerPeriodMs(), nullptr);
        SetFocus(hwnd);
        return 0;
    }
    auto* graphics = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!graphics || graphics->WindowHandle() != hwnd)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return graphics->HandleMessage(message, wParam, lParam);
}

intptr_t IGraphicsWin::HandleMessage(unsigned int message, uintptr_t wParam, intptr_t lParam) {
    HWND hwnd = Hwnd(window);
    if (entry.IsOpen() && entry.State() == EntryTyping) {
        // While the box has the focus the editor only listens for a press that leaves it.
        // Painting still happens: an area the system exposed must not stay blank.
        if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
            entry.EditorButtonPressed();
            return 0;
        }
        if (message != WM_PAINT && message != WM_CTLCOLOREDIT)
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // Messages give window pixels; the routing takes layout coordinates.
    const int x = LayoutCoordinate(PositionX(lParam));
    const int y = LayoutCoordinate(PositionY(lParam));
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return 0;
    case WM_PAINT: {
        RECT r{};
        if (GetUpdateRect(hwnd, &r, FALSE) && !IsRectEmpty(&r)) {
            RedrawArea(PixelRect{r.left, r.top, r.right, r.bottom});
            // Without controls nothing was presented; the area must not be asked for again.
            ValidateRect(hwnd, &r);
        }
        return 0;
    }
    case WM_CLOSE:
        CloseWindow();
        return 0;
    case WM_KEYDOWN:
        HandleKeyDown(message, wParam, lParam);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_KEYUP:
        PassToRoot(message, wParam, lParam);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_TIMER:
        if (wParam == kTimerId)
            TimerTick();
        return 0;
    case WM_CTLCOLOREDIT: {
        IControl* edited = entry.Control();
        if (!edited)
            return DefWindowProcW(hwnd, message, wParam, lParam);
        const TextStyle& style = edited->GetTextStyle();
        const Colour& back = style.entryBackground;
        const Colour& fore = style.entryForeground;
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, RGB(back.red, back.green, back.blue));
        SetTextColor(dc, RGB(fore.red, fore.green, fore.blue));
        SetBkMode(dc, OPAQUE);
        // The box's unused area takes the same background as its text.
        SetDCBrushColor(dc, RGB(back.red, back.green, back.blue));
        return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    }
    case WM_MOUSEMOVE: {
        const MouseMods mods = ModsFromKeyState(wParam, AltDown());
        if (mods.left || mods.right) {
            if (GetCapture() == hwnd && !entry.IsOpen())
                HandleMouseDrag(x, y, mods);
            return 0;
        }
        const int overBefore = MouseOverControl();
        if (HandleMouseOver(x, y, mods)) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, HOVER_DEFAULT};
            if (tooltipWindow && MouseOverControl() >= 0 && MouseOverControl() != overBefore) {
                HideTooltip();
                tooltipControl = MouseOverControl();
                track.dwFlags |= TME_HOVER;
            }
            TrackMouseEvent(&track);
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        HideTooltip();
        if (entry.IsOpen()) {
            entry.EditorButtonPressed();
            return 0;
        }
        SetFocus(hwnd);
        SetCapture(hwnd);
        HandleMouseDown(x, y, ModsFromKeyState(wParam, AltDown()));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        releasingCapture = true;
        ::ReleaseCapture();
        releasingCapture = false;
        HandleMouseUp(x, y, ModsFromKeyState(wParam, AltDown()));
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse mid-gesture: its release will never come here, and
        // the host must not be left with an edit that never ends.
        if (!releasingCapture && reinterpret_cast<HWND>(lParam) != hwnd)
            ReleaseCapture();
        return 0;
    case WM_LBUTTONDBLCLK:
        if (HandleDoubleClick(x, y, ModsFromKeyState(wParam, AltDown())))
            SetCapture(hwnd);
        return 0;
    case WM_MOUSEWHEEL: {
        if (entry.IsOpen()) {
            entry.EditorWheelTurned();
            return 0;
        }
        // The wheel reports the pointer in screen coordinates.
        RECT r{};
        GetWindowRect(hwnd, &r);
        const int notches = WheelNotches(wParam);
        // Less than a notch turns nothing, and asks the host for no gesture.
        if (notches != 0)
            HandleWheel(LayoutCoordinate(PositionX(lParam) - r.left),
                        LayoutCoordinate(PositionY(lParam) - r.top),
                        ModsFromKeyState(wParam, AltDown()), notches);
        return 0;
    }
    case WM_MOUSEHOVER:
        if (tooltipWindow) {
            IControl* control = GetControl(tooltipControl);
            TOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND;
            tool.hwnd = hwnd;
            tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
            std::wstring text = WideOf(control ? control->Tooltip() : "");
            tool.lpszText = text.data();
            SendMessageW(Hwnd(tooltipWindow), TTM_UPDATETIPTEXTW, 0,
                         reinterpret_cast<LPARAM>(&tool));
            SendMessageW(Hwnd(tooltipWindow), TTM_POPUP, 0, 0);
            tooltipShown = true;
        }
        return 0;
    case WM_MOUSELEAVE:
        HideTooltip();
        HandleMouseOut();
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void IGraphicsWin::HandleKeyDown(unsigned int message, uintptr_t wParam, intptr_t lParam) {
    const KeyCode code = KeyCodeForVirtualKey(wParam);
    if (code != KeyNone) {
        POINT p{};
        GetCursorPos(&p);
        ScreenToClient(Hwnd(window), &p);
        if (HandleKey(LayoutCoordinate(p.x), LayoutCoordinate(p.y), code))
            return;
    }
    // Keys no control takes belong to the host: its shortcuts keep working over the editor.
    PassToRoot(message, wParam, lParam);
}

void IGraphicsWin::PassToRoot(unsigned int message, uintptr_t wParam, intptr_t lParam) {
    HWND root = GetAncestor(Hwnd(window), GA_ROOT);
    if (root && root != Hwnd(window))
        SendMessageW(root, message, wParam, lParam);
}

void IGraphicsWin::TimerTick() {
    if (entry.IsOpen() && entry.State() != EntryIdle) {
        switch (entry.Tick()) {
        case EntryTick::Commit: {
            wchar_t typed[kEntryTextSize] = {};
            GetWindowTextW(Hwnd(entryWindow), typed, kEntryTextSize);
            entry.Commit(Utf8Of(typed).c_str());
            CloseEntryBox();
            break;
        }
        case EntryTick::Discard:
            CloseEntryBox();
            break;
        default:
            break;
        }
        return;
    }
    PixelRect dirtyArea;
    if (!CollectDirtyArea(dirtyArea))
        return;
    HWND hwnd = Hwnd(window);
    const RECT r = WinRect(dirtyArea);
    InvalidateRect(hwnd, &r, FALSE);
    if (entry.IsOpen()) {
        // The box lies over its control: painting the control would cover the box.
        const RECT covered = WinRect(entry.Control()->Rect());
        ValidateRect(hwnd, &covered);
        UpdateWindow(hwnd);
        entry.EditorRedrawnAround();
    } else {
        UpdateWindow(hwnd);
    }
}

void IGraphicsWin::HideTooltip() {
    if (tooltipWindow && tooltipShown) {
        SendMessageW(Hwnd(tooltipWindow), TTM_POP, 0, 0);
        tooltipShown = false;
    }
}

int IGraphicsWin::OpenWindowCount() {
    return WindowClass::OpenCount();
}

bool IGraphicsWin::WindowClassRegistered() {
    return WindowClass::Registered();
}
