#include "graphics/ResourceImage.h"

#include "lice/DecodePngMemory.h"
#include "lice/PngImageSize.h"
#include "resources/EmbeddedImages.h"

namespace {

// A PNG signature alone is eight bytes; anything shorter cannot be an image.
constexpr std::size_t kSmallestImage = 8;

} // namespace

LICE_IBitmap* LoadResourceImage(int id, const char* name) {
    if (!name || !HasPngExtension(name))
        return nullptr;
    // Resource identifiers are 16-bit.
    const EmbeddedImage* image = FindEmbeddedImage(id & 0xFFFF);
    if (!image || !image->data || image->size < kSmallestImage)
        return nullptr;
    return DecodePngMemory(image->data, image->size);
}

bool ResourceImageSize(int id, int& width, int& height) {
    const EmbeddedImage* image = FindEmbeddedImage(id & 0xFFFF);
    return image && image->data && PngImageSize(image->data, image->size, width, height);
}

LICE_IBitmap* LoadModuleImage(int id) {
    const EmbeddedImage* image = FindEmbeddedImage(id & 0xFFFF);
    return image ? LoadResourceImage(id, image->name) : nullptr;
}
