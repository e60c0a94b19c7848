#pragma once

#include <cstdint>

enum BlendKind : int32_t {
    BlendNormal = 0,
    BlendCopy = 1,
    BlendAdd = 2,
    BlendDodge = 3,
};

// How a control's pixels combine with what lies below: a kind and a strength (1.0 = full).
struct Blend {
    int32_t kind = BlendNormal;
    float weight = 1.0f;
};

// The raster library's blit mode for a blend kind; unknown kinds draw as BlendNormal.
int BlitModeFor(int32_t kind);
