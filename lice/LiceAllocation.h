#pragma once

#include <cstddef>

// All of the raster library's heap memory (bitmap pixels, the PNG decoder's working memory) comes
// from these, so that tests can make an allocation fail and watch the fallbacks. They behave
// like malloc, realloc and free.
void* LICE_Allocate(size_t bytes);
void* LICE_Reallocate(void* block, size_t bytes); // nullptr leaves block untouched
void LICE_Free(void* block);

// Returns true to refuse a request; `resizing` is true for a reallocation.
using LICE_AllocationVeto = bool (*)(size_t bytes, bool resizing);

// Test hook: nullptr lets every request through again.
void LICE_SetAllocationVetoForTesting(LICE_AllocationVeto veto);
