#include "graphics/BitmapCache.h"

#include "lice/LICE_IBitmap.h"

#include <mutex>
#include <vector>

namespace {

struct CachedBitmap {
    int id;
    LICE_IBitmap* bitmap;
};

// Destroyed when the module is unloaded, which is when the cached bitmaps may go.
struct Store {
    std::mutex lock;
    std::vector<CachedBitmap> entries;

    ~Store() {
        for (CachedBitmap& entry : entries)
            delete entry.bitmap;
    }

    LICE_IBitmap* FindLocked(int id) const {
        for (const CachedBitmap& entry : entries)
            if (entry.id == id)
                return entry.bitmap;
        return nullptr;
    }
};

Store& TheStore() {
    static Store store;
    return store;
}

} // namespace

namespace BitmapCache {

LICE_IBitmap* Find(int id) {
    Store& store = TheStore();
    std::lock_guard<std::mutex> guard(store.lock);
    return store.FindLocked(id);
}

LICE_IBitmap* Add(int id, LICE_IBitmap* bitmap) {
    if (!bitmap)
        return nullptr;
    Store& store = TheStore();
    std::lock_guard<std::mutex> guard(store.lock);
    if (LICE_IBitmap* earlier = store.FindLocked(id)) {
        delete bitmap;
        return earlier;
    }
    store.entries.push_back({id, bitmap});
    return bitmap;
}

} // namespace BitmapCache
