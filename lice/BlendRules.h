#pragma once

// One functor per blend rule: given the destination and source pixel, the new destination pixel.
// Channel arithmetic is signed with truncating division; results are limited to 0..255, which
// only matters for weights outside 0..1. `w` is the weight in 1/256 steps.

#include "lice/HsvColour.h"
#include "lice/LICE_IBitmap.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>

namespace blend {

inline int Channel(LICE_pixel p, int index) {
    return int(p >> (8 * index) & 0xFF);
}
inline int Alpha(LICE_pixel p) {
    return int(p >> 24);
}
inline int ClampByte(int v) {
    return std::clamp(v, 0, 255);
}
inline int ClampByte(int64_t v) {
    return int(std::clamp<int64_t>(v, 0, 255));
}

inline LICE_pixel Pack(int b, int g, int r, int a) {
    return LICE_pixel(ClampByte(b)) | LICE_pixel(ClampByte(g)) << 8 |
           LICE_pixel(ClampByte(r)) << 16 | LICE_pixel(ClampByte(a)) << 24;
}

// Applies f(d, s) to all four channels.
template <class F> LICE_pixel EachChannel(LICE_pixel d, LICE_pixel s, F f) {
    return Pack(f(Channel(d, 0), Channel(s, 0)), f(Channel(d, 1), Channel(s, 1)),
                f(Channel(d, 2), Channel(s, 2)), f(Channel(d, 3), Channel(s, 3)));
}

// The weight a source pixel contributes when its alpha scales the effect.
inline int AlphaWeight(int w, LICE_pixel s) {
    return w * (Alpha(s) + 1) / 256;
}

inline int CopyChannel(int d, int s, int w) {
    return s + (d - s) * (256 - w) / 256;
}
inline int AddChannel(int d, int s, int w) {
    return d + s * w / 256;
}

inline int DodgeChannel(int d, int s, int w) {
    const int t = s * w / 256;
    if (t < 255)
        return std::min(255, d * 256 / (256 - t));
    return d == 0 ? 0 : 255;
}

inline int64_t MultiplyChannel(int d, int s, int w) {
    return ((int64_t{s} * w + int64_t{256 - w} * 256) * d) >> 16;
}

inline int64_t OverlayChannel(int d, int s, int w) {
    const int64_t m = int64_t{256 - w} * 128;
    const int64_t sw = int64_t{s} * w;
    return (((32768 - sw - m) * d / 256) + sw + m) * d >> 15;
}

struct AverageHalves {
    LICE_pixel operator()(LICE_pixel d, LICE_pixel s) const {
        return ((d >> 1) & 0x7F7F7F7F) + ((s >> 1) & 0x7F7F7F7F);
    }
};

struct ChannelCopy {
    int fromShift, toShift;
    LICE_pixel operator()(LICE_pixel d, LICE_pixel s) const {
        return (d & ~(LICE_pixel{0xFF} << toShift)) | ((s >> fromShift) & 0xFF) << toShift;
    }
};

// A per-channel rule at weight `w`, applied to all four channels. Pack limits what the 32-bit
// rules give; the 64-bit ones are limited before they are narrowed.
template <auto ChannelRule> struct EachChannelAt {
    int w;
    LICE_pixel operator()(LICE_pixel d, LICE_pixel s) const {
        return EachChannel(d, s, [w = w](int dc, int sc) {
            const auto v = ChannelRule(dc, sc, w);
            if constexpr (std::is_same_v<decltype(v), const int64_t>)
                return ClampByte(v);
            else
                return v;
        });
    }
};

using Copy = EachChannelAt<CopyChannel>;
using Add = EachChannelAt<AddChannel>;
using Dodge = EachChannelAt<DodgeChannel>;
using Multiply = EachChannelAt<MultiplyChannel>;
using Overlay = EachChannelAt<OverlayChannel>;

// The source drives a shift of the destination's colour: red the hue, green the saturation, blue
// the value, each neutral at 128; the destination takes the source's alpha.
struct HsvAdjust {
    int w;
    LICE_pixel operator()(LICE_pixel d, LICE_pixel s) const {
        const int sR = Channel(s, 2), sG = Channel(s, 1), sB = Channel(s, 0);
        HsvColour hsv = RgbToHsv(Channel(d, 2), Channel(d, 1), Channel(d, 0));
        hsv.hue = (hsv.hue + w * (sR / 2 + sR - 192) / 256) % 384;
        if (hsv.hue < 0)
            hsv.hue += 384;
        hsv.saturation = ClampByte(hsv.saturation + w * (sG - 128) / 128);
        hsv.value = ClampByte(hsv.value + w * (sB - 128) / 128);
        int r, g, b;
        HsvToRgb(hsv, &r, &g, &b);
        return Pack(b, g, r, Alpha(s));
    }
};

// Copy at full weight with the source alpha as coverage.
struct CopyOverFull {
    LICE_pixel operator()(LICE_pixel d, LICE_pixel s) const {
        const int sA = Alpha(s);
        if (sA == 0)
            return d;
        if (sA == 255)
            return s;
        const auto colour = [sA](int dc, int sc) { return sc + (dc - sc) * (255 - sA) / 256; };
        return Pack(colour(Channel(d, 0), Channel(s, 0)), colour(Channel(d, 1), Channel(s, 1)),
                    colour(Channel(d, 2), Channel(s, 2)), std::min(255, Alpha(d) + sA));
    }
};

struct CopyOver {
    int w;
    LICE_pixel operator()(LICE_pixel d, LICE_pixel s) const {
        if (Alpha(s) == 0)
            return d;
        const int a = AlphaWeight(w, s);
        return Pack(CopyChannel(Channel(d, 0), Channel(s, 0), a),
                    CopyChannel(Channel(d, 1), Channel(s, 1), a),
                    CopyChannel(Channel(d, 2), Channel(s, 2), a), std::min(255, Alpha(d) + a));
    }
};

// Adds, multiplies, dodges, overlays or shifts with the weight scaled by each source alpha.
template <class Rule, bool kTransparentSkips> struct ScaledBySourceAlpha {
    int w;
    LICE_pixel operator()(LICE_pixel d, LICE_pixel s) const {
        if (kTransparentSkips && Alpha(s) == 0)
            return d;
        return Rule{AlphaWeight(w, s)}(d, s);
    }
};

using AddOver = ScaledBySourceAlpha<Add, true>;
using MultiplyOver = ScaledBySourceAlpha<Multiply, true>;
using DodgeOver = ScaledBySourceAlpha<Dodge, false>;
using OverlayOver = ScaledBySourceAlpha<Overlay, false>;
using HsvAdjustOver = ScaledBySourceAlpha<HsvAdjust, false>;

} // namespace blend
