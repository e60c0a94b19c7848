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

} // namespace BitmapCache
