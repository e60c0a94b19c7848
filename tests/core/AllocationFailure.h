#pragma once

#include "core/GrowBuffer.h"

#include <cstdlib>

// While in scope, GrowBuffer's reallocation and/or its fresh-block fallback fail. Releases
// still go to the C library, so blocks allocated before or during the scope stay valid.
class AllocationFailure {
public:
    AllocationFailure(bool reallocateFails, bool allocateFails)
    {
        reallocateFailing = reallocateFails;
        allocateFailing = allocateFails;
        GrowBuffer::SetAllocator(&allocator);
    }
    ~AllocationFailure() { GrowBuffer::SetAllocator(nullptr); }
    AllocationFailure(const AllocationFailure&) = delete;
    AllocationFailure& operator=(const AllocationFailure&) = delete;

private:
    static void* Reallocate(void* block, std::size_t bytes)
    {
        return reallocateFailing ? nullptr : std::realloc(block, bytes);
    }
    static void* Allocate(std::size_t bytes) { return allocateFailing ? nullptr : std::malloc(bytes); }

    static inline bool reallocateFailing = false;
    static inline bool allocateFailing = false;
    static inline const GrowBufferAllocator allocator{&Reallocate, &Allocate, &std::free};
};
