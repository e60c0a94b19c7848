#pragma once

#include "lice/LICE_MemBitmap.h"

#include <cstddef>

// Decodes a PNG image held in memory into a new bitmap owned by the caller, in the blue, green,
// red, alpha byte order (alpha 255 for images without transparency). nullptr on any failure; a
// partly decoded bitmap is never returned. Safe to call from any thread.
LICE_MemBitmap* DecodePngMemory(const void* bytes, size_t length);

// True when the text after the last '.' of fileName is "png" in any letter case.
bool HasPngExtension(const char* fileName);
