#pragma once

#include <cstddef>

// Hands a PNG held in memory to the decoder piece by piece. Reads past the end come back as
// zeros, so a truncated image fails on its chunk structure or checksum rather than on the read,
// but only up to kMaxOverrun bytes: a damaged chunk length could otherwise make the decoder
// checksum gigabytes of zeros.
class PngMemoryReader {
  public:
    static constexpr size_t kMaxOverrun = 4096;

    PngMemoryReader(const void* data, size_t length)
        : next_(static_cast<const unsigned char*>(data)), remaining_(length) {}

    // Fills out with the next count bytes; false once the reads have run too far past the end.
    bool Read(unsigned char* out, size_t count);

  private:
    const unsigned char* next_;
    size_t remaining_;
    size_t overrun_ = 0;
};
