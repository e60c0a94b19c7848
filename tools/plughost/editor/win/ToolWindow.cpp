#include "tools/plughost/editor/win/ToolWindow.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <atomic>

namespace plughost::editor {
namespace {

constexpr const wchar_t* kClassName = L"PlughostToolWindow";
std::atomic<int> errors{0};

LRESULT CALLBACK ToolWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* tool = reinterpret_cast<ToolWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!tool || tool->Handle() != hwnd)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return tool->HandleMessage(message, wParam, lParam);
}

bool RegisterToolClass() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ToolWindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = kClassName;
    return RegisterClassW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    const int count =
        MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), int(wide.size()));
    wide.resize(count > 0 ? size_t(count - 1) : 0);
    return wide;
}

} // namespace

int ToolWindow::ErrorCount() {
    return errors.load();
}

void ToolWindow::CountError() {
    ++errors;
}

bool ToolWindow::Open(int newWidth, int newHeight, const std::string& title,
                      std::string& errorText) {
    Close();
    if (!RegisterToolClass()) {
        errorText = "cannot register the tool's window class";
        return false;
    }
    width = newWidth;
    height = newHeight;
    closeRequested = false;
    // Set before creation: the procedure finds this object during CreateWindowExW.
    window =
        CreateWindowExW(0, kClassName, Wide(title).c_str(), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                        0, 0, width, height, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!window) {
        errorText = "cannot create the tool window";
        return false;
    }
    SetForegroundWindow(static_cast<HWND>(window));
    UpdateWindow(static_cast<HWND>(window));
    return true;
}

void ToolWindow::Close() {
    if (!window)
        return;
    HWND closing = static_cast<HWND>(window);
    window = nullptr;
    DestroyWindow(closing);
}

void ToolWindow::Resize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    if (window)
        SetWindowPos(static_cast<HWND>(window), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

intptr_t ToolWindow::HandleMessage(unsigned message, uintptr_t wParam, intptr_t lParam) {
    HWND hwnd = static_cast<HWND>(window);
    switch (message) {
    case WM_CLOSE:
        closeRequested = true;
        return 0;
    case WM_KEYDOWN:
        ++keysReceived;
        lastKey = static_cast<unsigned>(wParam);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

bool ToolWindow::ToScreen(int x, int y, int& screenX, int& screenY) const {
    POINT p{x, y};
    if (!window || !ClientToScreen(static_cast<HWND>(window), &p))
        return false;
    screenX = p.x;
    screenY = p.y;
    return true;
}

bool ToolWindow::Capture(RgbImage& image, std::string& errorText) {
    if (!window) {
        errorText = "no window to capture";
        return false;
    }
    HWND hwnd = static_cast<HWND>(window);
    HDC source = GetDC(hwnd);
    HDC memory = source ? CreateCompatibleDC(source) : nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section =
        memory ? CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    bool copied = false;
    if (section) {
        HGDIOBJ previous = SelectObject(memory, section);
        copied = BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY) != FALSE;
        GdiFlush();
        if (copied) {
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
    }
    if (memory)
        DeleteDC(memory);
    if (source)
        ReleaseDC(hwnd, source);
    if (!copied) {
        CountError();
        errorText = "cannot copy the window's pixels";
    }
    return copied;
}

} // namespace plughost::editor
