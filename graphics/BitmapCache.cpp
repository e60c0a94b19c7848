#include "graphics/BitmapCache.h"

#include "graphics/SharedStore.h"
#include "lice/LICE_IBitmap.h"

namespace {

// Destroyed when the module is unloaded, which is when the cached bitmaps may go.
SharedStore<int, LICE_IBitmap>& TheStore() {
    static SharedStore<int, LICE_IBitmap> store;
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

} // namespace BitmapCache
