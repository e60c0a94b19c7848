#include "graphics/FontCache.h"

#include "core/ICoreParameter.h"
#include "lice/LICE_CachedFont.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace {

struct CachedFont {
    int32_t size;
    int32_t orientation;
    int32_t style;
    char faceName[32];
    LICE_CachedFont* font;
};

struct Store {
    std::mutex lock;
    std::vector<CachedFont> entries;

    ~Store() {
        for (CachedFont& entry : entries)
            delete entry.font;
    }

    LICE_CachedFont* FindLocked(int32_t size, int32_t orientation, int32_t style,
                                const char* faceName) const {
        for (const CachedFont& entry : entries)
            if (entry.size == size && entry.orientation == orientation && entry.style == style &&
                std::strncmp(entry.faceName, faceName, sizeof entry.faceName) == 0)
                return entry.font;
        return nullptr;
    }
};

Store& TheStore() {
    static Store store;
    return store;
}

} // namespace

namespace FontCache {

LICE_CachedFont* Find(int32_t size, int32_t orientation, int32_t style, const char* faceName) {
    if (!faceName)
        return nullptr;
    Store& store = TheStore();
    std::lock_guard<std::mutex> guard(store.lock);
    return store.FindLocked(size, orientation, style, faceName);
}

LICE_CachedFont* Add(int32_t size, int32_t orientation, int32_t style, const char* faceName,
                     LICE_CachedFont* font) {
    if (!font || !faceName) {
        delete font;
        return nullptr;
    }
    Store& store = TheStore();
    std::lock_guard<std::mutex> guard(store.lock);
    if (LICE_CachedFont* earlier = store.FindLocked(size, orientation, style, faceName)) {
        delete font;
        return earlier;
    }
    CachedFont entry{size, orientation, style, {}, font};
    CopyText(entry.faceName, faceName, sizeof entry.faceName);
    store.entries.push_back(entry);
    return font;
}

} // namespace FontCache
