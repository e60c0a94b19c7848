#include "lice/PngImageSize.h"

#include "lice/BitmapLimits.h"

#include <cstdint>

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// Signature, then the header chunk's length and type, then its width and height.
constexpr size_t kHeaderEnd = 24;

uint32_t BigEndian32(const unsigned char* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

} // namespace

bool PngImageSize(const void* bytes, size_t length, int& width, int& height) {
    if (!bytes || length < kHeaderEnd)
        return false;
    const auto* p = static_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < sizeof kSignature; ++i)
        if (p[i] != kSignature[i])
            return false;
    if (p[12] != 'I' || p[13] != 'H' || p[14] != 'D' || p[15] != 'R')
        return false;
    const uint32_t w = BigEndian32(p + 16);
    const uint32_t h = BigEndian32(p + 20);
    if (w == 0 || h == 0 || w > INT32_MAX || h > INT32_MAX ||
        PaddedBitmapBytes(int(w), int(h)) <= 0)
        return false;
    width = int(w);
    height = int(h);
    return true;
}
