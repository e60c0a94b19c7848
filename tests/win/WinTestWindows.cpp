#include "WinTestWindows.h"

#include "graphics/win/WindowsHeaders.h"

#include <chrono>
#include <cstdlib>
#include <map>

namespace {

std::map<HWND, int>& KeyCounts() {
    static std::map<HWND, int> counts;
    return counts;
}

LRESULT CALLBACK HostProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        ++KeyCounts()[hwnd];
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

BOOL CALLBACK CountChild(HWND, LPARAM data) {
    ++*reinterpret_cast<int*>(data);
    return TRUE;
}

} // namespace

bool GuiAvailable() {
    const char* flag = std::getenv("SORVEL_WINE_GUI");
    return flag && *flag == '1';
}

HostWindow::HostWindow(int width, int height) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HostProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = L"SorvelTestHost";
    RegisterClassW(&windowClass);
    window = CreateWindowExW(0, L"SorvelTestHost", L"Sorvel test host",
                             WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(static_cast<HWND>(window));
}

HostWindow::~HostWindow() {
    KeyCounts().erase(static_cast<HWND>(window));
    DestroyWindow(static_cast<HWND>(window));
}

int HostWindow::KeysReceived() const {
    return KeyCounts()[static_cast<HWND>(window)];
}

int HostWindow::Descendants() const {
    int count = 0;
    EnumChildWindows(static_cast<HWND>(window), CountChild, reinterpret_cast<LPARAM>(&count));
    return count;
}

plughost::editor::RgbImage HostWindow::Pixels(int width, int height) const {
    plughost::editor::RgbImage image;
    HWND hwnd = static_cast<HWND>(window);
    HDC source = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, section);
    if (BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY)) {
        GdiFlush();
        image.width = width;
        image.height = height;
        image.rgb.resize(size_t(width) * height * 3);
        const auto* pixels = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < size_t(width) * height; ++i) {
            image.rgb[3 * i] = uint8_t(pixels[i] >> 16);
            image.rgb[3 * i + 1] = uint8_t(pixels[i] >> 8);
            image.rgb[3 * i + 2] = uint8_t(pixels[i]);
        }
    }
    SelectObject(memory, previous);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(hwnd, source);
    return image;
}

void PumpMessages(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              end - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(left), QS_ALLINPUT);
    }
}

// A process with windows always owns some of each; none means the system keeps no count.
int GdiObjects() {
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return count > 0 ? int(count) : -1;
}

int UserObjects() {
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    return count > 0 ? int(count) : -1;
}
