#include "lice/LICE_MemBitmap.h"

#include "lice/BitmapLimits.h"
#include "lice/LiceAllocation.h"

#include <cstdint>

LICE_MemBitmap::LICE_MemBitmap(int width, int height) {
    Resize(width, height);
}

LICE_MemBitmap::~LICE_MemBitmap() {
    LICE_Free(buffer_);
}

LICE_pixel* LICE_MemBitmap::Bits() {
    if (buffer_ == nullptr)
        return nullptr;
    const uintptr_t start =
        (reinterpret_cast<uintptr_t>(buffer_) + kStartAlignment - 1) & ~(kStartAlignment - 1);
    return reinterpret_cast<LICE_pixel*>(start);
}

void LICE_MemBitmap::AllocateExactly(size_t bytes) {
    buffer_ = LICE_Allocate(bytes + kStartAlignment - 1);
    allocatedBytes_ = buffer_ != nullptr ? bytes : 0;
}

bool LICE_MemBitmap::Resize(int width, int height) {
    if (width == width_ && height == height_)
        return false;
    width_ = width;
    height_ = height;

    const int64_t needed = PaddedBitmapBytes(width, height);
    if (needed > 0) {
        const size_t neededBytes = static_cast<size_t>(needed);
        if (buffer_ == nullptr) {
            AllocateExactly(neededBytes);
        } else if (allocatedBytes_ < neededBytes) {
            // Growing by a quarter more than asked keeps a window being dragged larger from
            // reallocating on every step.
            const size_t grown = neededBytes / 4 * 5;
            void* moved = LICE_Reallocate(buffer_, grown + kStartAlignment - 1);
            if (moved != nullptr) {
                buffer_ = moved;
                allocatedBytes_ = grown;
            } else {
                LICE_Free(buffer_);
                AllocateExactly(neededBytes);
            }
        }
    } else {
        LICE_Free(buffer_);
        buffer_ = nullptr;
        allocatedBytes_ = 0;
    }

    if (buffer_ == nullptr) {
        width_ = 0;
        height_ = 0;
    }
    return true;
}
