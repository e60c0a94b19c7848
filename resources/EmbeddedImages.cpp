#include "resources/EmbeddedImages.h"

#include "resources/EmbeddedImageTable.h"

const EmbeddedImage* FindEmbeddedImage(int id) {
    for (const EmbeddedImage* image : EmbeddedImageTable()) {
        if (image->id == id)
            return image;
    }
    return nullptr;
}

int EmbeddedImageCount() {
    return int(EmbeddedImageTable().size());
}

const EmbeddedImage* EmbeddedImageAt(int index) {
    const auto table = EmbeddedImageTable();
    if (index < 0 || std::size_t(index) >= table.size())
        return nullptr;
    return table[std::size_t(index)];
}
