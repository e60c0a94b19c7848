#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An image decoded with libpng's simplified reader into straight RGBA.
struct DecodedImage {
    int width = 0, height = 0;
    int bitDepth = 0, colourType = 0; // as the file's header states them
    std::vector<std::uint8_t> rgba;   // rows top to bottom; empty when decoding failed

    const std::uint8_t* At(int x, int y) const { return &rgba[(std::size_t(y) * width + x) * 4]; }
};

DecodedImage DecodePng(const std::uint8_t* data, std::size_t size);

// Decodes the embedded image with this id; empty when there is none.
DecodedImage DecodeEmbedded(int id);
