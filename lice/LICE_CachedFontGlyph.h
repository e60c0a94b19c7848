#pragma once

#include "lice/LICE_CachedFont.h"

#include <cstdint>
#include <vector>

// A character as a font back end renders it: coverage in 0..255 and where it sits.
struct LICE_CachedFont::Glyph {
    bool rendered = false;
    int left = 0; // from the pen position to the first column
    int top = 0;  // from the baseline up to the first row
    int width = 0;
    int rows = 0;
    int advance = 0;               // whole pixels
    std::vector<uint8_t> coverage; // rows x width, 0..255
};
