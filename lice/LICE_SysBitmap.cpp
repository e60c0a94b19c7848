#include "lice/LICE_SysBitmap.h"

#include "lice/BitmapLimits.h"

LICE_SysBitmap::LICE_SysBitmap(int width, int height) {
    hasContext_ = OpenContext();
    Resize(width, height);
}

LICE_SysBitmap::~LICE_SysBitmap() {
    DestroyPixels();
    CloseContext();
}

void LICE_SysBitmap::ForgetPixels() {
    pixels_ = nullptr;
    width_ = 0;
    height_ = 0;
    allocatedWidth_ = 0;
    allocatedHeight_ = 0;
}

// Resizing an empty or negative size leaves a 0 x 0 bitmap, so no caller ever sees a size
// without pixels behind it.
bool LICE_SysBitmap::Resize(int width, int height) {
    if (!hasContext_) {
        ForgetPixels();
        return false;
    }
    if (width == width_ && height == height_)
        return false;

    width_ = width;
    height_ = height;
    if (width > 0 && height > 0 && allocatedWidth_ >= width && allocatedHeight_ >= height &&
        pixels_ != nullptr)
        return true;

    DestroyPixels();
    ForgetPixels();
    if (width < 1 || height < 1)
        return false;

    if (PaddedBitmapBytes(width, height) < 0)
        return true;
    allocatedWidth_ = static_cast<int>(PaddedRowPixels(width));
    allocatedHeight_ = height;
    if (!CreatePixels()) {
        ForgetPixels();
        return true;
    }
    width_ = width;
    height_ = height;
    return true;
}
