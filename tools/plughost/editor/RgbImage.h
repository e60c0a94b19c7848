#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plughost::editor {

// 8-bit red, green, blue triples, rows top to bottom without padding.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    const uint8_t* At(int x, int y) const { return rgb.data() + (std::size_t(y) * width + x) * 3; }
};

} // namespace plughost::editor
