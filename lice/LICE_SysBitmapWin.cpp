#include "lice/LICE_SysBitmap.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// The pixels live in a 32-bit top-down device-independent section selected into a memory
// drawing context, so the window layer copies them to the window with one BitBlt.

bool LICE_SysBitmap::OpenContext() {
    context_ = CreateCompatibleDC(nullptr);
    return context_ != nullptr;
}

void LICE_SysBitmap::CloseContext() {
    if (context_)
        DeleteDC(static_cast<HDC>(context_));
    context_ = nullptr;
}

void* LICE_SysBitmap::DeviceContext() {
    return context_;
}

bool LICE_SysBitmap::CreatePixels() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = allocatedWidth_;
    info.bmiHeader.biHeight = IsFlipped() ? allocatedHeight_ : -allocatedHeight_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section =
        CreateDIBSection(static_cast<HDC>(context_), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr || bits == nullptr) {
        if (section)
            DeleteObject(section);
        return false;
    }
    section_ = section;
    previouslySelected_ = SelectObject(static_cast<HDC>(context_), section);
    pixels_ = static_cast<LICE_pixel*>(bits);
    return true;
}

// The section must leave the context before it can be deleted.
void LICE_SysBitmap::DestroyPixels() {
    if (previouslySelected_)
        SelectObject(static_cast<HDC>(context_), static_cast<HGDIOBJ>(previouslySelected_));
    previouslySelected_ = nullptr;
    if (section_)
        DeleteObject(static_cast<HGDIOBJ>(section_));
    section_ = nullptr;
    pixels_ = nullptr;
}
