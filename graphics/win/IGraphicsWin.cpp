#include "graphics/win/IGraphicsWin.h"

#include "core/IPlugBase.h"
#include "graphics/DisplayScale.h"
#include "graphics/ResourceImage.h"
#include "graphics/win/DesktopFolders.h"
#include "graphics/win/WideText.h"
#include "graphics/win/WindowClass.h"
#include "graphics/win/WindowsHeaders.h"
#include "lice/LICE_SysBitmap.h"

#include <commctrl.h>

namespace {

HWND Hwnd(void* handle) {
    return static_cast<HWND>(handle);
}

// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window, HWND parent) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct TopWindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK CheckTopWindow(HWND candidate, LPARAM data) {
    auto* search = reinterpret_cast<TopWindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(candidate, &owner);
    wchar_t className[256];
    if (owner != search->processId || GetClassNameW(candidate, className, 256) == 0 ||
        lstrcmpW(className, search->className) != 0)
        return TRUE;
    search->found = candidate;
    return FALSE;
}

// The first top-level window of the process whose class is `className`.
HWND FindProcessTopWindow(DWORD processId, const char* className) {
    const std::wstring wide = WideOf(className);
    TopWindowSearch search{processId, wide.c_str(), nullptr};
    EnumWindows(CheckTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

IGraphicsWin::IGraphicsWin(IPlugBase* plug, int width, int height, int frameRate)
    : IGraphics(plug, width, height, frameRate), moduleHandle(WindowClass::ModuleHandle()) {}

// A host may destroy the plug-in without removing the view first.
IGraphicsWin::~IGraphicsWin() {
    CloseWindow();
    delete[] customColours;
    customColours = nullptr;
}

void* IGraphicsWin::OpenWindow(void* parent) {
    PrepareImages();
    parentWindow = parent;
    int x = 0;
    int y = 0;
    int w = WindowWidth();
    int h = WindowHeight();
    if (window) {
        // A second open replaces the window at the place and size the first one had.
        const RECT r = RectInParent(Hwnd(window), Hwnd(parent));
        x = r.left;
        y = r.top;
        w = r.right - r.left;
        h = r.bottom - r.top;
        CloseWindow();
    }
    if (!WindowClass::Acquire())
        return nullptr;
    const int rate = frameRate > 0 ? frameRate : kDefaultFrameRate;
    WindowClass::SetRedrawRate(rate);
    HWND created =
        CreateWindowExW(0, WindowClass::kName, L"IPlug", WS_CHILD | WS_VISIBLE, x, y, w, h,
                        Hwnd(parent), nullptr, static_cast<HINSTANCE>(moduleHandle), this);
    if (!created) {
        WindowClass::Release();
        return nullptr;
    }
    window = created;
    // The first tick draws everything.
    for (int i = 0; i < NControls(); ++i)
        GetControl(i)->MarkChanged(false);
    if (TooltipsEnabled() && !OpenTooltip())
        EnableTooltips(false);
    return window;
}

bool IGraphicsWin::OpenTooltip() {
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(window), nullptr,
                               static_cast<HINSTANCE>(moduleHandle), nullptr);
    if (!tip)
        return false;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Hwnd(window);
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.lpszText = const_cast<wchar_t*>(L"");
    if (!SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
        DestroyWindow(tip);
        return false;
    }
    tooltipWindow = tip;
    return true;
}

void IGraphicsWin::CloseWindow() {
    if (!window)
        return;
    if (entry.IsOpen())
        CloseEntryBox();
    if (tooltipWindow) {
        DestroyWindow(Hwnd(tooltipWindow));
        tooltipWindow = nullptr;
    }
    tooltipShown = false;
    tooltipControl = -1;
    // A press still held would leave the host's gesture open for good.
    ReleaseCapture();
    HWND closing = Hwnd(window);
    // Messages sent while it is destroyed find no editor and go to the default procedure.
    window = nullptr;
    SetWindowLongPtrW(closing, GWLP_USERDATA, 0);
    DestroyWindow(closing);
    WindowClass::Release();
}

bool IGraphicsWin::PresentToWindow(const PixelRect& rect) {
    LICE_SysBitmap* bitmap = DrawingBitmap();
    if (!window || !bitmap || !bitmap->DeviceContext())
        return true;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Hwnd(window), &paint);
    if (dc) {
        // The editor's window does not clip its children: the copy must leave an entry box's
        // area alone or the artwork would cover the box.
        if (entryWindow) {
            RECT box{};
            GetWindowRect(Hwnd(entryWindow), &box);
            MapWindowPoints(HWND_DESKTOP, Hwnd(window), reinterpret_cast<POINT*>(&box), 2);
            ExcludeClipRect(dc, box.left, box.top, box.right, box.bottom);
        }
        BitBlt(dc, rect.left, rect.top, rect.Width(), rect.Height(),
               static_cast<HDC>(bitmap->DeviceContext()), rect.left, rect.top, SRCCOPY);
    }
    EndPaint(Hwnd(window), &paint);
    return true;
}

void IGraphicsWin::ResizeEditor(int newWidth, int newHeight) {
    if (newWidth == width && newHeight == height)
        return;
    const int widthBefore = WindowWidth();
    const int heightBefore = WindowHeight();
    IGraphics::ResizeEditor(newWidth, newHeight);
    const int dw = WindowWidth() - widthBefore;
    const int dh = WindowHeight() - heightBefore;
    if (!window)
        return;
    constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    auto grow = [&](HWND target) {
        RECT r{};
        GetWindowRect(target, &r);
        SetWindowPos(target, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
                     kKeepPlace);
    };
    grow(Hwnd(window));
    // Formats 1 (VST 3) and 3 have their host resize its own windows when asked.
    const int format = plug ? plug->GetFormatCode() : -1;
    HWND parent = GetParent(Hwnd(window));
    if (format != 1 && format != 3 && parent && (GetWindowLongPtrW(parent, GWL_STYLE) & WS_CHILD)) {
        grow(parent);
        if (HWND grandparent = GetParent(parent))
            grow(grandparent);
    }
    RECT area{0, 0, WindowWidth(), WindowHeight()};
    InvalidateRect(Hwnd(window), &area, FALSE);
}

void IGraphicsWin::WindowScaleChanged() {
    if (!window)
        return;
    SetWindowPos(Hwnd(window), nullptr, 0, 0, WindowWidth(), WindowHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Hwnd(window), nullptr, FALSE);
}

double IGraphicsWin::SystemScale(void* parent) {
    // GetDpiForWindow came with Windows 10 (1607); older systems have one DPI for the screen.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow && parent)
        if (const UINT dpi = dpiForWindow(Hwnd(parent)))
            return ScaleForDpi(dpi);
    HDC dc = GetDC(Hwnd(parent));
    if (!dc)
        return 1.0;
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(Hwnd(parent), dc);
    return ScaleForDpi(dpi);
}

void* IGraphicsWin::FindHostTopWindow() {
    if (hostTopWindow && IsWindow(Hwnd(hostTopWindow)))
        return hostTopWindow;
    hostTopWindow = nullptr;
    wchar_t className[256];
    if (parentWindow && IsWindow(Hwnd(parentWindow))) {
        HWND top = Hwnd(parentWindow);
        while (HWND up = GetParent(top))
            top = up;
        hostTopWindow = top;
        if (GetClassNameW(top, className, 256) > 0)
            hostTopWindowClass.Set(Utf8Of(className).c_str());
        return hostTopWindow;
    }
    if (hostTopWindowClass.Length() == 0)
        return nullptr;
    processId = GetCurrentProcessId();
    hostTopWindow = FindProcessTopWindow(processId, hostTopWindowClass.Get());
    return hostTopWindow;
}

int IGraphicsWin::ShowMessageBox(const char* text, const char* caption, int type) {
    return MessageBoxW(Hwnd(FindHostTopWindow()), WideOf(text).c_str(), WideOf(caption).c_str(),
                       static_cast<UINT>(type));
}

void IGraphicsWin::HideMouseCursor() {
    if (cursorHidden)
        return;
    POINT p{};
    GetCursorPos(&p);
    savedCursorX = p.x;
    savedCursorY = p.y;
    ShowCursor(FALSE);
    cursorHidden = true;
}

void IGraphicsWin::RestoreMouseCursor() {
    if (!cursorHidden)
        return;
    SetCursorPos(savedCursorX, savedCursorY);
    ShowCursor(TRUE);
    cursorHidden = false;
}

void IGraphicsWin::HostExecutableFolder(TextBuffer& out) {
    FolderOfModule(nullptr, out);
}

void IGraphicsWin::ModuleFolder(TextBuffer& out) {
    FolderOfModule(moduleHandle, out);
}

void IGraphicsWin::DesktopFolder(TextBuffer& out) {
    SpecialFolder(SpecialFolderKind::Desktop, out);
}

void IGraphicsWin::AppDataFolder(TextBuffer& out, bool allUsers) {
    SpecialFolder(allUsers ? SpecialFolderKind::CommonAppData : SpecialFolderKind::LocalAppData,
                  out);
}

void IGraphicsWin::UserDataFolder(TextBuffer& out) {
    AppDataFolder(out, false);
}

LICE_IBitmap* IGraphicsWin::LoadResourceImage(int id, const char* name) {
    return ::LoadResourceImage(id, name);
}
