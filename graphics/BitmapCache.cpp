#include "graphics/BitmapCache.h"

#include "graphics/SharedStore.h"
#include "lice/LICE_IBitmap.h"

namespace {

// Destroyed when the module is unloaded, which is when the cached bitmaps may go.
SharedStore<int, LICE_IBitmap>& TheStore() {
    static SharedStore<int, LICE_IBitmap> store;
    return store;
}

SharedStore<BitmapCache::ScaledKey, LICE_IBitmap>& TheScaledStore() {
    static SharedStore<BitmapCache::ScaledKey, LICE_IBitmap> store;
    return store;
}

} // namespace

namespace BitmapCache {

LICE_IBitmap* Find(int id) {
    return TheStore().Find(id);
}

LICE_IBitmap* Add(int id, LICE_IBitmap* bitmap) {
    if (!bitmap)
        return nullptr;
    return TheStore().Add(id, bitmap);
}

LICE_IBitmap* FindScaled(const ScaledKey& key) {
    return TheScaledStore().Find(key);
}

LICE_IBitmap* AddScaled(const ScaledKey& key, LICE_IBitmap* bitmap) {
    if (!bitmap)
        return nullptr;
    return TheScaledStore().Add(key, bitmap);
}

} // namespace BitmapCache
