#include "lice/LICE_SysBitmap.h"

#include "lice/LiceAllocation.h"

#include <cstddef>

// Without a platform drawing context the pixel buffer is all there is: the window layer hands
// it to XPutImage as it stands.

bool LICE_SysBitmap::OpenContext() {
    return true;
}

void LICE_SysBitmap::CloseContext() {}

void* LICE_SysBitmap::DeviceContext() {
    return nullptr;
}

bool LICE_SysBitmap::CreatePixels() {
    const size_t bytes = size_t(allocatedWidth_) * size_t(allocatedHeight_) * sizeof(LICE_pixel);
    pixels_ = static_cast<LICE_pixel*>(LICE_Allocate(bytes));
    return pixels_ != nullptr;
}

void LICE_SysBitmap::DestroyPixels() {
    LICE_Free(pixels_);
    pixels_ = nullptr;
}
