#pragma once

#include "tools/artwork/RgbaImage.h"

#include <span>

namespace artwork {

// The editor as a user sees it, once per control value in `values`: the
// background copied, then every control's frame for that value blended over
// it at its position, the states stacked top to bottom.
[[nodiscard]] bool ComposeContactSheet(std::span<const double> values, RgbaImage& sheet);

} // namespace artwork
