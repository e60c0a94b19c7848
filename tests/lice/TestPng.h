#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Everything needed to write a small PNG with libpng: samples are listed one per channel value,
// row by row, at the image's bit depth, and packed here.
struct PngPicture {
    int width = 0;
    int height = 0;
    int colourType = 0; // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<int> samples;
    std::vector<uint8_t> paletteRgb;   // three bytes an entry
    std::vector<uint8_t> paletteAlpha; // tRNS for palette images
    int transparentGrey = -1;          // tRNS key for grey images
};

// The encoded file; empty if libpng refused the picture.
std::vector<uint8_t> EncodePng(const PngPicture& picture);

// Offset just past the last chunk of the given type (its checksum included), or 0.
size_t EndOfLastChunk(const std::vector<uint8_t>& png, const char* type);
