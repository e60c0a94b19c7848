#include "graphics/ScaledBitmap.h"

#include "graphics/BitmapCache.h"
#include "graphics/ResourceImage.h"
#include "lice/LICE_MemBitmap.h"
#include "lice/LICE_Resample.h"

#include <climits>
#include <cmath>

namespace {

constexpr double kSmallestScale = 1.0;
constexpr double kLargestScale = 4.0;
constexpr double kArtworkScale = 2.0;

// The 1x image: the record's own bitmap, else the cached one, else the module image decoded now
// (the layout sized it from the file's header and left the decoding to its first use).
LICE_IBitmap* ImageAtOne(const FrameBitmap& strip) {
    if (strip.bitmap)
        return strip.bitmap;
    if (LICE_IBitmap* cached = BitmapCache::Find(strip.id))
        return cached;
    return BitmapCache::Add(strip.id, LoadModuleImage(strip.id));
}

bool HasSize(LICE_IBitmap* bitmap, int width, int height) {
    return bitmap && bitmap->Width() == width && bitmap->Height() == height;
}

// A new strip at `scale` with the frame layout of `strip`, each frame resampled on its own from
// the same frame of `source`, whose frames are laid out alike at whatever size it has.
LICE_IBitmap* ResampleFrames(const FrameBitmap& strip, LICE_IBitmap* source, double scale) {
    const int frames = strip.Frames();
    const bool across = strip.framesHorizontal;
    const int frameWidth = ScaledLength(strip.FrameWidth(), scale);
    const int frameHeight = ScaledLength(strip.FrameHeight(), scale);
    const int sourceWidth = source->Width() / (across ? frames : 1);
    const int sourceHeight = source->Height() / (across ? 1 : frames);
    if (frameWidth < 1 || frameHeight < 1 || sourceWidth < 1 || sourceHeight < 1)
        return nullptr;
    const int width = across ? frameWidth * frames : frameWidth;
    const int height = across ? frameHeight : frameHeight * frames;
    auto* out = new LICE_MemBitmap(width, height);
    if (!HasSize(out, width, height)) {
        delete out;
        return nullptr;
    }
    for (int f = 0; f < frames; ++f) {
        const int sx = across ? f * sourceWidth : 0;
        const int sy = across ? 0 : f * sourceHeight;
        const LICE_Rect from{sx, sy, sx + sourceWidth, sy + sourceHeight};
        const int dx = across ? f * frameWidth : 0;
        const int dy = across ? 0 : f * frameHeight;
        if (!LICE_Resample(out, dx, dy, frameWidth, frameHeight, source, from)) {
            delete out;
            return nullptr;
        }
    }
    return out;
}

// The 2x artwork of the module, or, for an image that has none (or none of twice the size),
// the 1x image enlarged.
LICE_IBitmap* DoubleSize(const FrameBitmap& strip, LICE_IBitmap* one) {
    const BitmapCache::ScaledKey key{one, strip.Frames(), strip.framesHorizontal, kArtworkScale};
    if (LICE_IBitmap* found = BitmapCache::FindScaled(key))
        return found;
    LICE_IBitmap* art = LoadModuleImage(strip.id + kDoubleSizeIdOffset);
    if (!HasSize(art, 2 * one->Width(), 2 * one->Height())) {
        delete art;
        art = ResampleFrames(strip, one, kArtworkScale);
    }
    return BitmapCache::AddScaled(key, art);
}

} // namespace

int ScaledLength(int length, double scale) {
    const double scaled = std::round(double(length) * scale);
    if (!(scaled > double(INT_MIN) && scaled < double(INT_MAX)))
        return 0;
    return int(scaled);
}

LICE_IBitmap* BitmapAtScale(const FrameBitmap& bitmap, double scale) {
    if (!(scale >= kSmallestScale && scale <= kLargestScale))
        return nullptr;
    LICE_IBitmap* one = ImageAtOne(bitmap);
    if (!one || scale == kSmallestScale)
        return one;
    if (!HasSize(one, bitmap.width, bitmap.height) || bitmap.FrameWidth() < 1 ||
        bitmap.FrameHeight() < 1)
        return nullptr;
    LICE_IBitmap* art = DoubleSize(bitmap, one);
    if (!art || scale == kArtworkScale)
        return art;
    const BitmapCache::ScaledKey key{one, bitmap.Frames(), bitmap.framesHorizontal, scale};
    if (LICE_IBitmap* found = BitmapCache::FindScaled(key))
        return found;
    return BitmapCache::AddScaled(key, ResampleFrames(bitmap, art, scale));
}
