#include "tests/resources/DecodedImage.h"

#include "resources/EmbeddedImages.h"

#include <png.h>

#include <cstring>

DecodedImage DecodePng(const std::uint8_t* data, std::size_t size) {
    DecodedImage out;
    if (size >= 26) { // signature, IHDR length and type, width, height, depth, colour
        out.bitDepth = data[24];
        out.colourType = data[25];
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, data, size) == 0)
        return out;
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return out;
    }
    out.width = int(image.width);
    out.height = int(image.height);
    out.rgba = std::move(pixels);
    return out;
}

DecodedImage DecodeEmbedded(int id) {
    const EmbeddedImage* image = FindEmbeddedImage(id);
    if (image == nullptr)
        return {};
    return DecodePng(image->data, image->size);
}
