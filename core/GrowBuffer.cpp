#include "core/GrowBuffer.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

const GrowBufferAllocator systemAllocator{&std::realloc, &std::malloc, &std::free};
const GrowBufferAllocator* currentAllocator = &systemAllocator;

constexpr int64_t kPage = 4096;
constexpr int64_t kAllocatorOverhead = 96;
constexpr int64_t kLargestGrowthStep = 4194304;

// The allocation for a new logical size n > 0.
int64_t AllocationFor(int64_t n, int64_t granularity) {
    if (granularity < kPage)
        return n + std::max(n / 2, granularity);
    int64_t increment = std::max(n / 2, granularity) & ~(kPage - 1);
    increment = std::clamp(increment, kPage, kLargestGrowthStep);
    return ((n + kAllocatorOverhead + increment) & ~(kPage - 1)) - kAllocatorOverhead;
}

} // namespace

GrowBuffer::~GrowBuffer() {
    if (data)
        currentAllocator->release(data);
}

void GrowBuffer::SetAllocator(const GrowBufferAllocator* allocator) {
    currentAllocator = allocator ? allocator : &systemAllocator;
}

void* GrowBuffer::Resize(int newSize, bool allowShrink) {
    const int n = std::max(newSize, 0);
    if (n == used)
        return Get();

    int threshold = 0;
    if (allowShrink && n < used)
        threshold = std::max(1, std::min(allocated / 2, allocated - 4 * granularity));

    if (n > allocated || n < threshold) {
        const int64_t wanted = n == 0 ? 0 : AllocationFor(n, granularity);
        if (wanted > INT_MAX)
            return Get(); // cannot be represented: treated as a failed allocation
        const int newAllocation = static_cast<int>(wanted);
        if (newAllocation != allocated) {
            if (newAllocation == 0) {
                currentAllocator->release(data);
                data = nullptr;
                allocated = 0;
                used = 0;
                return nullptr;
            }
            void* block =
                currentAllocator->reallocate(data, static_cast<std::size_t>(newAllocation));
            if (!block) {
                block = currentAllocator->allocate(static_cast<std::size_t>(newAllocation));
                if (!block)
                    return Get();
                if (data) {
                    std::memcpy(block, data, static_cast<std::size_t>(std::min(n, used)));
                    currentAllocator->release(data);
                }
            }
            data = block;
            allocated = newAllocation;
        }
    }
    used = n;
    return Get();
}
