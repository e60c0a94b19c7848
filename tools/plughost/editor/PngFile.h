#pragma once

#include "tools/plughost/editor/RgbImage.h"

#include <string>

namespace plughost::editor {

// An 8-bit RGB PNG file; false (and the reason in `errorText`) when it cannot be written.
bool WritePngFile(const std::string& path, const RgbImage& image, std::string& errorText);
// Reads any PNG into RGB (alpha, if any, is dropped); false when it cannot be read.
bool ReadPngFile(const std::string& path, RgbImage& image, std::string& errorText);

} // namespace plughost::editor
