#include "graphics/Blend.h"

#include "lice/BlitBitmap.h"

namespace {

struct BlendModeRow {
    BlendKind kind;
    int blitMode;
};

// Every kind but BlendCopy lets the source alpha scale the effect, so artwork with
// transparent corners composes over the background.
constexpr BlendModeRow kBlendModes[] = {
    {BlendNormal, BlitCopy | BlitUseSourceAlpha},
    {BlendCopy, BlitCopy},
    {BlendAdd, BlitAdd | BlitUseSourceAlpha},
    {BlendDodge, BlitDodge | BlitUseSourceAlpha},
};

} // namespace

int BlitModeFor(int32_t kind) {
    for (const BlendModeRow& row : kBlendModes)
        if (row.kind == kind)
            return row.blitMode;
    return kBlendModes[0].blitMode;
}
