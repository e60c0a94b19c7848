#pragma once

#include "tools/plughost/AudioFormat.h"

#include <algorithm>
#include <cmath>

namespace plughost {

// Integer PCM has 2^bits steps; a sample goes to the nearest one, and beyond full scale to the
// last. Every build writes integer files through this one rule, so a render saved as 16- or
// 24-bit PCM is the same file whichever library writes it.

// The bits of an integer PCM encoding; 0 for float and compressed encodings.
constexpr int PcmBits(int encoding) {
    switch (encoding) {
    case format::kPcmS8:
    case format::kPcmU8:
        return 8;
    case format::kPcm16:
        return 16;
    case format::kPcm24:
        return 24;
    case format::kPcm32:
        return 32;
    default:
        return 0;
    }
}

// `v` on the grid of `bits`-bit PCM (full scale 1.0), as a double that holds it exactly.
inline double QuantisePcm(double v, int bits) {
    if (std::isnan(v))
        return 0;
    const double scale = std::ldexp(1.0, bits - 1);
    return std::clamp(std::nearbyint(v * scale), -scale, scale - 1) / scale;
}

} // namespace plughost
