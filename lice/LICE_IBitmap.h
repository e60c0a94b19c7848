#pragma once

#include <cstdint>

// Bytes in memory are blue, green, red, alpha: the packed value is A<<24 | R<<16 | G<<8 | B.
using LICE_pixel = uint32_t;

// The abstract 32-bit bitmap. The slot order is part of the binary contract with the graphics
// layer, so new operations go at the end.
//
// Row y of the image lies at Bits() + y * RowSpan(); for a bitmap that reports IsFlipped() the rows
// are stored bottom-up and row y lies at Bits() + (Height() - 1 - y) * RowSpan().
class LICE_IBitmap {
  public:
    virtual ~LICE_IBitmap();
    virtual LICE_pixel* Bits() = 0;
    virtual int Width() = 0;
    virtual int Height() = 0;
    virtual int RowSpan() = 0; // in pixels
    virtual bool IsFlipped() { return false; }
    virtual bool Resize(int width, int height) = 0; // true when the size changed
    virtual void* DeviceContext() { return nullptr; }
    virtual intptr_t Extension(int id, void* data) {
        (void)id;
        (void)data;
        return 0;
    }
};
