#pragma once

#include <cstddef>

// A PNG file compiled into the module, found by its resource id. The bytes
// are constant for the life of the process; every function here may be
// called from any thread.
struct EmbeddedImage {
    int id;
    const char* name; // "resources/img/BG.png" ...
    const unsigned char* data;
    std::size_t size;
};

// nullptr when no image has this id.
const EmbeddedImage* FindEmbeddedImage(int id);

int EmbeddedImageCount();

// nullptr when index is outside 0 .. EmbeddedImageCount() - 1.
const EmbeddedImage* EmbeddedImageAt(int index);
