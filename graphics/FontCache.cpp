#include "graphics/FontCache.h"

#include "core/ICoreParameter.h"
#include "graphics/SharedStore.h"
#include "lice/LICE_CachedFont.h"

#include <cstring>

namespace {

struct FontKey {
    int32_t size;
    int32_t orientation;
    int32_t style;
    char faceName[32];

    FontKey(int32_t size, int32_t orientation, int32_t style, const char* face)
        : size(size), orientation(orientation), style(style), faceName{} {
        CopyText(faceName, face, sizeof faceName);
    }

    bool operator==(const FontKey& other) const {
        return size == other.size && orientation == other.orientation && style == other.style &&
               std::strncmp(faceName, other.faceName, sizeof faceName) == 0;
    }
};

SharedStore<FontKey, LICE_CachedFont>& TheStore() {
    static SharedStore<FontKey, LICE_CachedFont> store;
    return store;
}

} // namespace

namespace FontCache {

LICE_CachedFont* Find(int32_t size, int32_t orientation, int32_t style, const char* faceName) {
    if (!faceName)
        return nullptr;
    return TheStore().Find(FontKey(size, orientation, style, faceName));
}

LICE_CachedFont* Add(int32_t size, int32_t orientation, int32_t style, const char* faceName,
                     LICE_CachedFont* font) {
    if (!font || !faceName) {
        delete font;
        return nullptr;
    }
    return TheStore().Add(FontKey(size, orientation, style, faceName), font);
}

} // namespace FontCache
