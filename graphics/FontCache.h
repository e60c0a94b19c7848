#pragma once

#include <cstdint>

class LICE_CachedFont;

// The module-wide store of fonts, one per (size, orientation, style, face name), shared by
// every editor of the process and never emptied before the module is unloaded. The lock is held
// for a lookup or an append only, never while a font is made. Any thread.
namespace FontCache {

LICE_CachedFont* Find(int32_t size, int32_t orientation, int32_t style, const char* faceName);

// Caches `font` (taking ownership) and returns the font to use: an earlier entry with the same
// key wins and `font` is deleted.
LICE_CachedFont* Add(int32_t size, int32_t orientation, int32_t style, const char* faceName,
                     LICE_CachedFont* font);

} // namespace FontCache
