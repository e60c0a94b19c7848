#include "lice/LiceAllocation.h"

#include <atomic>
#include <cstdlib>

namespace {

std::atomic<LICE_AllocationVeto> allocationVeto{nullptr};

bool Refused(size_t bytes, bool resizing) {
    const LICE_AllocationVeto veto = allocationVeto.load(std::memory_order_relaxed);
    return veto != nullptr && veto(bytes, resizing);
}

} // namespace

void* LICE_Allocate(size_t bytes) {
    if (Refused(bytes, false))
        return nullptr;
    return std::malloc(bytes);
}

void* LICE_Reallocate(void* block, size_t bytes) {
    if (Refused(bytes, true))
        return nullptr;
    return std::realloc(block, bytes);
}

void LICE_Free(void* block) {
    std::free(block);
}

void LICE_SetAllocationVetoForTesting(LICE_AllocationVeto veto) {
    allocationVeto.store(veto, std::memory_order_relaxed);
}
