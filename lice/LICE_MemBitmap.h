#pragma once

#include "lice/LICE_IBitmap.h"

#include <cstddef>

// A bitmap in heap memory: rows padded to four pixels, pixel start aligned to 64 bytes. The
// buffer only grows (by a quarter beyond the need) until a resize to an empty size frees it.
class LICE_MemBitmap : public LICE_IBitmap {
  public:
    LICE_MemBitmap() = default;
    LICE_MemBitmap(int width, int height);
    ~LICE_MemBitmap() override;

    LICE_MemBitmap(const LICE_MemBitmap&) = delete;
    LICE_MemBitmap& operator=(const LICE_MemBitmap&) = delete;

    LICE_pixel* Bits() override;
    int Width() override { return width_; }
    int Height() override { return height_; }
    int RowSpan() override { return (width_ + 3) & ~kRowAlignMask; }
    // Pixel contents are undefined after a resize.
    bool Resize(int width, int height) override;

    // Usable bytes behind Bits(); 0 without a buffer.
    size_t AllocatedBytes() const { return allocatedBytes_; }

  private:
    static constexpr int kRowAlignMask = 3;
    static constexpr size_t kStartAlignment = 64;

    void AllocateExactly(size_t bytes);

    void* buffer_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    size_t allocatedBytes_ = 0;
};
