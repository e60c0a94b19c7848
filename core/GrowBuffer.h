#pragma once

#include <cstddef>

// Where GrowBuffer gets its memory. Replaceable so that allocation failure can be exercised.
struct GrowBufferAllocator {
    void* (*reallocate)(void* block, std::size_t bytes);
    void* (*allocate)(std::size_t bytes);
    void (*release)(void* block);
};

// A growable block of bytes. Growth is geometric with the granularity as its floor; large
// granularities size the block so that block plus allocator overhead fills whole pages.
// An allocation failure leaves the buffer exactly as it was: callers compare Size() with
// what they asked for.
class GrowBuffer {
  public:
    explicit GrowBuffer(int granularity = 4096) : granularity(granularity) {}
    ~GrowBuffer();
    GrowBuffer(const GrowBuffer&) = delete;
    GrowBuffer& operator=(const GrowBuffer&) = delete;

    // Sets the logical size (negative counts as 0) and returns the data, or none when the
    // size is 0.
    void* Resize(int newSize, bool allowShrink = true);

    // The data, or none while the buffer is empty.
    void* Get() const { return used ? data : nullptr; }
    int Size() const { return used; }
    int Allocated() const { return allocated; }
    int Granularity() const { return granularity; }

    // Replaces the allocator for every buffer; none restores the C library's.
    static void SetAllocator(const GrowBufferAllocator* allocator);

  private:
    void* data = nullptr;
    int allocated = 0;
    int used = 0;
    int granularity;
};
