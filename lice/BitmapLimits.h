#pragma once

#include <cstdint>

// Pixel buffers stay below 2 GiB so that any row offset or byte count fits a 32-bit int, which
// is what the bitmap interface hands out. Sizes past this behave like a failed allocation.
inline constexpr int64_t kMaxBitmapBytes = INT32_MAX;

// Rows are padded to a multiple of four pixels.
inline constexpr int64_t PaddedRowPixels(int width) {
    return (int64_t{width} + 3) & ~int64_t{3};
}

// Bytes of a width x height buffer with padded rows: 0 for an empty or negative size, -1 past
// the limit. Each factor is below 2^32, so the product cannot overflow before the comparison.
inline constexpr int64_t PaddedBitmapBytes(int width, int height) {
    if (width < 1 || height < 1)
        return 0;
    const int64_t pixels = PaddedRowPixels(width) * height;
    return pixels > kMaxBitmapBytes / 4 ? -1 : pixels * 4;
}
