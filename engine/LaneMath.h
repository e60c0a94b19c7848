#pragma once

// Arithmetic on short vectors of doubles, one lane per channel (and per frame where a stage has
// no memory), that gives in every lane exactly the bits the scalar code gives: the same
// operations in the same order, no fused multiply-add, the same conversions to single precision.
// Included only by the chain kernels, each built for its own instruction set; everything has
// internal linkage so that no copy built for one set can be linked into the other's caller.

#include "engine/BiquadSection.h"
#include "engine/SaturationCurves.h"

#include <cstdint>
#include <cstring>

#include <emmintrin.h>
#if defined(__AVX2__)
// GCC 12's AVX-512 header makes its "undefined" vectors by self-initialisation, which its own
// uninitialised-use warnings then report wherever they are inlined.
#if defined(__clang__)
#include <immintrin.h>
#else
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
#endif
#endif

namespace {

template <int Lanes> struct LaneTypes;

template <> struct LaneTypes<2> {
    typedef double Doubles __attribute__((vector_size(16)));
    typedef float Floats __attribute__((vector_size(8)));
    typedef int64_t Bits __attribute__((vector_size(16)));
};

template <> struct LaneTypes<4> {
    typedef double Doubles __attribute__((vector_size(32)));
    typedef float Floats __attribute__((vector_size(16)));
    typedef int64_t Bits __attribute__((vector_size(32)));
};

template <> struct LaneTypes<8> {
    typedef double Doubles __attribute__((vector_size(64)));
    typedef float Floats __attribute__((vector_size(32)));
    typedef int64_t Bits __attribute__((vector_size(64)));
};

template <int Lanes> using Doubles = typename LaneTypes<Lanes>::Doubles;
template <int Lanes> using Bits = typename LaneTypes<Lanes>::Bits;

// Channels A and B of one position.
using Pair = Doubles<2>;

constexpr int64_t SignBit = INT64_MIN;

template <class V> constexpr int LaneCount = static_cast<int>(sizeof(V) / sizeof(double));

// Lanes 2f and 2f + 1 hold channels A and B of frame f; frame f is read from base + f * stride.
template <class V> inline V LoadFrames(const double* base, int stride) {
    V v;
    if constexpr (LaneCount<V> == 4) {
        if (stride != 2) {
            Pair first, second;
            std::memcpy(&first, base, sizeof first);
            std::memcpy(&second, base + stride, sizeof second);
            return __builtin_shufflevector(first, second, 0, 1, 2, 3);
        }
    } else if constexpr (LaneCount<V> == 8) {
        if (stride != 2) {
            const Doubles<4> low = LoadFrames<Doubles<4>>(base, stride);
            const Doubles<4> high = LoadFrames<Doubles<4>>(base + 2 * stride, stride);
            return __builtin_shufflevector(low, high, 0, 1, 2, 3, 4, 5, 6, 7);
        }
    }
    std::memcpy(&v, base, sizeof v); // the frames lie side by side
    return v;
}

template <class V> inline void StoreFrames(double* base, int stride, V v) {
    if constexpr (LaneCount<V> == 2) {
        std::memcpy(base, &v, sizeof v);
    } else if constexpr (LaneCount<V> == 4) {
        const Pair first = __builtin_shufflevector(v, v, 0, 1);
        const Pair second = __builtin_shufflevector(v, v, 2, 3);
        std::memcpy(base, &first, sizeof first);
        std::memcpy(base + stride, &second, sizeof second);
    } else if (stride == 2) {
        std::memcpy(base, &v, sizeof v);
    } else {
        StoreFrames(base, stride, Doubles<4>(__builtin_shufflevector(v, v, 0, 1, 2, 3)));
        StoreFrames(base + 2 * stride, stride,
                    Doubles<4>(__builtin_shufflevector(v, v, 4, 5, 6, 7)));
    }
}

template <class V> inline V Broadcast(double x) {
    V v;
    for (int l = 0; l < LaneCount<V>; ++l)
        v[l] = x;
    return v;
}

// Channel A's value in the even lanes, channel B's in the odd ones.
template <class V> inline V PerChannel(const double (&channels)[2]) {
    V v;
    for (int l = 0; l < LaneCount<V>; ++l)
        v[l] = channels[l % 2];
    return v;
}

// Rounded to single precision and back, as BiquadSection does.
template <class V> inline V ThroughSingle(V x) {
#if defined(__AVX512F__)
    if constexpr (LaneCount<V> == 8)
        return reinterpret_cast<V>(_mm512_cvtps_pd(_mm512_cvtpd_ps(reinterpret_cast<__m512d>(x))));
#endif
#if defined(__AVX2__)
    if constexpr (LaneCount<V> == 4)
        return reinterpret_cast<V>(_mm256_cvtps_pd(_mm256_cvtpd_ps(reinterpret_cast<__m256d>(x))));
#endif
    if constexpr (LaneCount<V> == 2) {
        return reinterpret_cast<V>(_mm_cvtps_pd(_mm_cvtpd_ps(reinterpret_cast<__m128d>(x))));
    } else {
        using Floats = typename LaneTypes<LaneCount<V>>::Floats;
        return __builtin_convertvector(__builtin_convertvector(x, Floats), V);
    }
}

// Both halves of the curve in one table, PositiveCurve first, so that the sign bit becomes an
// offset; entry k also holds entry k + 1 beside it, so that one lookup finds both neighbours.
struct CurveTable {
    float entries[2 * CurveEntries][2];
    CurveTable() {
        for (int half = 0; half < 2; ++half) {
            const float* curve = half == 0 ? PositiveCurve : NegativeCurve;
            for (int i = 0; i < CurveEntries; ++i) {
                entries[half * CurveEntries + i][0] = curve[i];
                entries[half * CurveEntries + i][1] = curve[i + 1 < CurveEntries ? i + 1 : i];
            }
        }
    }
};
const CurveTable Curves;

// The entries around each lane's position (0 <= position < CurveEntries - 1), the position's
// integer part and the end of the lane's half.
template <class V> struct CurveLookup {
    V lower, upper, whole, end;

    CurveLookup(V position, Bits<LaneCount<V>> sign) {
        constexpr int last = CurveEntries - 1;
#if defined(__AVX512F__)
        if constexpr (LaneCount<V> == 8) {
            const __mmask8 negative = _mm512_test_epi64_mask(reinterpret_cast<__m512i>(sign),
                                                             reinterpret_cast<__m512i>(sign));
            whole = reinterpret_cast<V>(_mm512_roundscale_pd(
                reinterpret_cast<__m512d>(position), _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC));
            const __m512d half = _mm512_maskz_mov_pd(negative, _mm512_set1_pd(CurveEntries));
            const __m256i at = _mm512_cvttpd_epi32(reinterpret_cast<__m512d>(whole) + half);
            // Eight pairs of floats, then the lower entries to one half and the upper to the
            // other.
            const __m512 pairs = _mm512_castpd_ps(
                _mm512_i32gather_pd(at, reinterpret_cast<const double*>(Curves.entries), 8));
            const __m512 split = _mm512_permutexvar_ps(
                _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 1, 3, 5, 7, 9, 11, 13, 15), pairs);
            lower = reinterpret_cast<V>(_mm512_cvtps_pd(_mm512_castps512_ps256(split)));
            upper = reinterpret_cast<V>(_mm512_cvtps_pd(_mm512_extractf32x8_ps(split, 1)));
            end = reinterpret_cast<V>(
                _mm512_mask_blend_pd(negative, _mm512_set1_pd(Curves.entries[last][0]),
                                     _mm512_set1_pd(Curves.entries[CurveEntries + last][0])));
            return;
        }
#endif
#if defined(__AVX2__)
        if constexpr (LaneCount<V> == 4) {
            const Bits<4> negative = sign != 0;
            const V half = reinterpret_cast<V>(
                negative & reinterpret_cast<Bits<4>>(Broadcast<V>(CurveEntries)));
            whole = reinterpret_cast<V>(_mm256_round_pd(reinterpret_cast<__m256d>(position),
                                                        _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC));
            const __m128i at = _mm256_cvttpd_epi32(reinterpret_cast<__m256d>(whole + half));
            // Four pairs of floats, then the lower entries to one half and the upper to the other.
            const __m256 pairs = _mm256_castpd_ps(_mm256_mask_i32gather_pd(
                _mm256_setzero_pd(), reinterpret_cast<const double*>(Curves.entries), at,
                _mm256_castsi256_pd(_mm256_set1_epi64x(-1)), 8));
            const __m256 split =
                _mm256_permutevar8x32_ps(pairs, _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7));
            lower = reinterpret_cast<V>(_mm256_cvtps_pd(_mm256_castps256_ps128(split)));
            upper = reinterpret_cast<V>(_mm256_cvtps_pd(_mm256_extractf128_ps(split, 1)));
            const Bits<4> positiveEnd =
                reinterpret_cast<Bits<4>>(Broadcast<V>(Curves.entries[last][0]));
            const Bits<4> negativeEnd =
                reinterpret_cast<Bits<4>>(Broadcast<V>(Curves.entries[CurveEntries + last][0]));
            end = reinterpret_cast<V>((negativeEnd & negative) | (positiveEnd & ~negative));
            return;
        }
#endif
        for (int l = 0; l < LaneCount<V>; ++l) {
            const float(*curve)[2] = Curves.entries + (sign[l] ? CurveEntries : 0);
            const int i = static_cast<int>(position[l]);
            whole[l] = i;
            lower[l] = curve[i][0];
            upper[l] = curve[i][1];
            end[l] = curve[last][0];
        }
    }
};

template <> inline CurveLookup<Pair>::CurveLookup(Pair position, Bits<2> sign) {
    constexpr int last = CurveEntries - 1;
    const float(*curveA)[2] = Curves.entries + (sign[0] ? CurveEntries : 0);
    const float(*curveB)[2] = Curves.entries + (sign[1] ? CurveEntries : 0);
    const int iA = static_cast<int>(position[0]);
    const int iB = static_cast<int>(position[1]);
    whole = Pair{static_cast<double>(iA), static_cast<double>(iB)};
    lower = Pair{curveA[iA][0], curveB[iB][0]};
    upper = Pair{curveA[iA][1], curveB[iB][1]};
    end = Pair{curveA[last][0], curveB[last][0]};
}

// Saturate() lane by lane.
template <class V> inline V SaturateLanes(V x) {
    using B = Bits<LaneCount<V>>;
    constexpr int last = CurveEntries - 1;
    const B bits = reinterpret_cast<B>(x);
    const B sign = bits & SignBit;
    const V s = reinterpret_cast<V>(bits & ~SignBit) * CurveScale;
    const B inRange = s < static_cast<double>(last); // false for NaN and infinity
    const V position = reinterpret_cast<V>(reinterpret_cast<B>(s) & inRange);
    const CurveLookup<V> at(position, sign);
    const V f = position - at.whole;
    const V inside = at.lower * (1.0 - f) + at.upper * f;
    const B magnitude =
        (reinterpret_cast<B>(inside) & inRange) | (reinterpret_cast<B>(at.end) & ~inRange);
    // A NaN has no position on the curve; it comes out as silence.
    return reinterpret_cast<V>((magnitude | sign) & (x == x));
}

// One BiquadSection per lane.
template <class V> struct SectionLanes {
    V a0, a1, a2, b1, b2, z1, z2;

    // The input is already a single-precision value (another section's output, or zero).
    V ProcessRounded(V in) {
        const V out = in * a0 + z1;
        z1 = in * a1 + z2 - b1 * out;
        z2 = in * a2 - b2 * out;
        return ThroughSingle(out);
    }

    V Process(V x) { return ProcessRounded(ThroughSingle(x)); }
};

// SectionLanes::ProcessRounded() of a zero input, with the products of that zero and the
// feed-forward coefficients worked out once: the same operations on the same values.
template <class V> struct ZeroInputStep {
    V zeroA0, zeroA1, zeroA2;

    explicit ZeroInputStep(const SectionLanes<V>& s)
        : zeroA0(0.0 * s.a0), zeroA1(0.0 * s.a1), zeroA2(0.0 * s.a2) {}

    void Run(SectionLanes<V>& s) const {
        const V out = zeroA0 + s.z1;
        s.z1 = zeroA1 + s.z2 - s.b1 * out;
        s.z2 = zeroA2 - s.b2 * out;
    }
};

inline SectionLanes<Pair> LoadSections(const BiquadSection (&s)[2]) {
    SectionLanes<Pair> lanes;
    lanes.a0 = Pair{s[0].a0, s[1].a0};
    lanes.a1 = Pair{s[0].a1, s[1].a1};
    lanes.a2 = Pair{s[0].a2, s[1].a2};
    lanes.b1 = Pair{s[0].b1, s[1].b1};
    lanes.b2 = Pair{s[0].b2, s[1].b2};
    lanes.z1 = Pair{s[0].z1, s[1].z1};
    lanes.z2 = Pair{s[0].z2, s[1].z2};
    return lanes;
}

inline void StoreState(const SectionLanes<Pair>& lanes, BiquadSection (&s)[2]) {
    for (int c = 0; c < 2; ++c) {
        s[c].z1 = lanes.z1[c];
        s[c].z2 = lanes.z2[c];
    }
}

} // namespace
