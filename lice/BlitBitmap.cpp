#include "lice/BlitBitmap.h"

#include "lice/BlendRules.h"
#include "lice/BlitArea.h"

#include <cmath>
#include <cstring>

namespace {

// Beyond 256 times full strength every rule has long saturated; the limit keeps the channel
// arithmetic inside its integer range for any weight, infinities included.
constexpr float kMaxWeightSteps = 65536.0f;

enum : int { kChannelCopyModes = 0xF0, kModeMask = 0xFF };

template <class Rule> void WalkArea(const BlitArea& area, Rule rule) {
    LICE_pixel* dest = area.destRow;
    const LICE_pixel* src = area.srcRow;
    for (int y = 0; y < area.rows; ++y, dest += area.destStep, src += area.srcStep) {
        for (int end = area.columns; end > 0; end -= area.piece) {
            const int start = end > area.piece ? end - area.piece : 0;
            for (int x = start; x < end; ++x)
                dest[x] = rule(dest[x], src[x]);
        }
    }
}

void CopyRows(const BlitArea& area) {
    LICE_pixel* dest = area.destRow;
    const LICE_pixel* src = area.srcRow;
    const size_t rowBytes = size_t(area.columns) * sizeof(LICE_pixel);
    for (int y = 0; y < area.rows; ++y, dest += area.destStep, src += area.srcStep)
        std::memmove(dest, src, rowBytes);
}

// truncate(weight * 256), limited; false for a weight that draws nothing (0 or not a number).
bool WeightSteps(float weight, int* steps) {
    const float scaled = weight * 256.0f;
    if (std::isnan(scaled))
        return false;
    *steps = static_cast<int>(std::fmax(-kMaxWeightSteps, std::fmin(kMaxWeightSteps, scaled)));
    return *steps != 0;
}

// Each rule comes as a pair of kernels: weighted by the source's alpha, or not.
template <class Plain, class BySourceAlpha>
void WalkRule(const BlitArea& area, bool bySourceAlpha, int w) {
    if (bySourceAlpha)
        WalkArea(area, BySourceAlpha{w});
    else
        WalkArea(area, Plain{w});
}

void BlendArea(const BlitArea& area, int rule, bool bySourceAlpha, int w) {
    using namespace blend;
    switch (rule) {
    case BlitCopy:
        if (w != 256)
            WalkRule<Copy, CopyOver>(area, bySourceAlpha, w);
        else if (bySourceAlpha)
            WalkArea(area, CopyOverFull{});
        else
            CopyRows(area);
        return;
    case BlitAdd:
        WalkRule<Add, AddOver>(area, bySourceAlpha, w);
        return;
    case BlitDodge:
        WalkRule<Dodge, DodgeOver>(area, bySourceAlpha, w);
        return;
    case BlitMultiply:
        WalkRule<Multiply, MultiplyOver>(area, bySourceAlpha, w);
        return;
    case BlitOverlay:
        WalkRule<Overlay, OverlayOver>(area, bySourceAlpha, w);
        return;
    case BlitHsvAdjust:
        WalkRule<HsvAdjust, HsvAdjustOver>(area, bySourceAlpha, w);
        return;
    default:
        return; // an unknown rule draws nothing rather than guess
    }
}

} // namespace

// Called on the user-interface thread while drawing; takes no lock.
void BlitBitmap(LICE_IBitmap* dest, LICE_IBitmap* src, int dstX, int dstY, const LICE_Rect* srcRect,
                float weight, int mode) {
    if (dest == nullptr || src == nullptr || weight == 0.0f)
        return;
    BlitArea area;
    if (!ClipBlitArea(dest, src, dstX, dstY, srcRect, &area))
        return;

    const int rule = mode & kModeMask;
    if (rule >= kChannelCopyModes) {
        WalkArea(area, blend::ChannelCopy{8 * (rule & 3), 8 * (rule >> 2 & 3)});
        return;
    }
    const bool bySourceAlpha = (mode & BlitUseSourceAlpha) != 0;
    if (rule == BlitCopy && !bySourceAlpha) {
        if (weight == 1.0f) {
            CopyRows(area);
            return;
        }
        if (weight == 0.5f) {
            WalkArea(area, blend::AverageHalves{});
            return;
        }
    }
    int w;
    if (WeightSteps(weight, &w))
        BlendArea(area, rule, bySourceAlpha, w);
}
