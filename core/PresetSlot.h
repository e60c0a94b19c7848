#pragma once

#include "core/StateChunk.h"

// One preset: a captured state under a name.
struct PresetSlot {
    static constexpr int kNameSize = 256;

    bool used = false;
    char name[kNameSize] = "empty";
    StateChunk chunk;
};
