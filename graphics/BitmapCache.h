#pragma once

class LICE_IBitmap;

// The module-wide store of decoded control bitmaps, shared by every editor of the process.
// Entries are only ever added; their bitmaps live until the module is unloaded. The lock is
// held for a lookup or an append only, never while an image is decoded.
// Any thread.
namespace BitmapCache {

// The bitmap cached for resource `id`, or none.
LICE_IBitmap* Find(int id);

// Caches `bitmap` (taking ownership) for `id` and returns it. When another caller cached the
// same id meanwhile, `bitmap` is deleted and the earlier one is returned, so every editor
// shares one copy.
LICE_IBitmap* Add(int id, LICE_IBitmap* bitmap);

// The strips drawn at other scales, beside the 1x images: one per 1x bitmap (a bitmap of this
// cache), frame layout and scale, found and added by the same rules.
struct ScaledKey {
    const LICE_IBitmap* image;
    int frameCount;
    bool framesHorizontal;
    double scale;

    bool operator==(const ScaledKey&) const = default;
};

LICE_IBitmap* FindScaled(const ScaledKey& key);
LICE_IBitmap* AddScaled(const ScaledKey& key, LICE_IBitmap* bitmap);

} // namespace BitmapCache
