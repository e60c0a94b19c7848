#pragma once

#include "core/GrowBuffer.h"

#include <cstring>

// The saved parameter state: one little-endian double per parameter, in index order, nothing
// before or after.
class StateChunk : public GrowBuffer {
  public:
    StateChunk() : GrowBuffer(4096) {}

    // Appends raw bytes; false when the chunk could not grow or the count is negative.
    bool Append(const void* bytes, int count) {
        if (count < 0)
            return false;
        const int oldSize = Size();
        Resize(oldSize + count, false);
        if (Size() != oldSize + count)
            return false;
        if (count > 0)
            std::memcpy(static_cast<char*>(Get()) + oldSize, bytes, static_cast<size_t>(count));
        return true;
    }

    const unsigned char* Bytes() const { return static_cast<const unsigned char*>(Get()); }
};
