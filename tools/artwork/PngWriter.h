#pragma once

#include "tools/artwork/RgbaImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace artwork {

// Encodes an 8-bit RGBA PNG with no ancillary chunks and a fixed filter and
// compression choice, so the same pixels always give the same bytes.
std::vector<std::uint8_t> EncodePng(const RgbaImage& image);

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace artwork
