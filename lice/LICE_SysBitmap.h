#pragma once

#include "lice/LICE_IBitmap.h"

// A bitmap the window layer can put on screen directly: 32-bit rows, top-down, contiguous with
// RowSpan() * 4 bytes per row. The storage only grows; rows are padded to four pixels.
//
// On Win32 the pixels live in a device-independent section selected into a memory drawing
// context. Elsewhere the pixel buffer itself stands in for the drawing context, and
// DeviceContext() is nullptr.
class LICE_SysBitmap : public LICE_IBitmap {
  public:
    explicit LICE_SysBitmap(int width = 0, int height = 0);
    ~LICE_SysBitmap() override;

    LICE_SysBitmap(const LICE_SysBitmap&) = delete;
    LICE_SysBitmap& operator=(const LICE_SysBitmap&) = delete;

    LICE_pixel* Bits() override { return pixels_; }
    int Width() override { return width_; }
    int Height() override { return height_; }
    int RowSpan() override { return allocatedWidth_; }
    bool Resize(int width, int height) override;
    void* DeviceContext() override;

  private:
    // The platform part, one implementation per platform.
    bool OpenContext();
    void CloseContext();
    bool CreatePixels(); // allocatedWidth_ x allocatedHeight_ pixels into pixels_
    void DestroyPixels();

    void ForgetPixels();

    int width_ = 0;
    int height_ = 0;
    int allocatedWidth_ = 0;
    int allocatedHeight_ = 0;
    LICE_pixel* pixels_ = nullptr;
    bool hasContext_ = false;
#ifdef _WIN32
    void* context_ = nullptr;
    void* section_ = nullptr;
    void* previouslySelected_ = nullptr;
#endif
};
