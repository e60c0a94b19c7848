#include "lice/LICE_Resample.h"

#include "lice/LiceAllocation.h"

#include <cstdint>
#include <memory>

namespace {

constexpr int kWeightBits = 14;
constexpr int64_t kOne = int64_t{1} << kWeightBits;
constexpr int64_t kHalf = kOne / 2;
// A channel weighted by alpha: colour x alpha, alpha x 255; 255 x 255 at full strength.
constexpr int32_t kFull = 255 * 255;

struct Freer {
    void operator()(void* block) const { LICE_Free(block); }
};
template <typename T> using Block = std::unique_ptr<T[], Freer>;

template <typename T> Block<T> Allocate(int64_t count) {
    return Block<T>(static_cast<T*>(LICE_Allocate(size_t(count) * sizeof(T))));
}

// Which source pixels make output pixel i along one axis, and how much of each: weights in
// units of 1 / kOne that add up to exactly kOne.
struct AxisTable {
    int from = 0;
    int to = 0;
    int maxTaps = 0;
    Block<int32_t> index;  // to x maxTaps
    Block<int32_t> weight; // to x maxTaps
    Block<int32_t> count;  // to

    bool Allocate(int fromLength, int toLength, int taps) {
        from = fromLength;
        to = toLength;
        maxTaps = taps;
        index = ::Allocate<int32_t>(int64_t{to} * maxTaps);
        weight = ::Allocate<int32_t>(int64_t{to} * maxTaps);
        count = ::Allocate<int32_t>(to);
        return index && weight && count;
    }

    int Index(int i, int n) const { return index[int64_t{i} * maxTaps + n]; }
    int32_t Weight(int i, int n) const { return weight[int64_t{i} * maxTaps + n]; }

    void Add(int i, int sourceIndex, int64_t w) {
        const int64_t at = int64_t{i} * maxTaps + count[i]++;
        index[at] = sourceIndex < 0 ? 0 : (sourceIndex >= from ? from - 1 : sourceIndex);
        weight[at] = int32_t(w);
    }

    // Rounding leaves the sum a little off kOne; the largest weight takes the difference, so a
    // flat area stays exactly flat.
    void Normalise(int i) {
        int32_t* w = &weight[int64_t{i} * maxTaps];
        int64_t sum = 0;
        int largest = 0;
        for (int n = 0; n < count[i]; ++n) {
            sum += w[n];
            if (w[n] > w[largest])
                largest = n;
        }
        w[largest] += int32_t(kOne - sum);
    }
};

// Shrinking: output pixel i covers [i * from, (i + 1) * from) in units of 1 / to source pixels;
// each source pixel weighs the part of that span it covers.
bool AreaTable(AxisTable& table, int from, int to) {
    if (!table.Allocate(from, to, (from + to - 1) / to + 1))
        return false;
    for (int i = 0; i < to; ++i) {
        table.count[i] = 0;
        const int64_t low = int64_t{i} * from;
        const int64_t high = low + from;
        for (int64_t j = low / to; j * to < high; ++j) {
            const int64_t start = j * to > low ? j * to : low;
            const int64_t end = (j + 1) * to < high ? (j + 1) * to : high;
            table.Add(i, int(j), ((end - start) * kOne * 2 + from) / (2 * from));
        }
        table.Normalise(i);
    }
    return true;
}

// Enlarging (or keeping the length): output pixel i's centre lies at source position
// ((2i + 1) from - to) / 2to; the Catmull-Rom cubic weighs the four pixels around it, with the
// fraction in 16-bit fixed point.
bool CubicTable(AxisTable& table, int from, int to) {
    if (!table.Allocate(from, to, 4))
        return false;
    for (int i = 0; i < to; ++i) {
        table.count[i] = 0;
        const int64_t numerator = (2 * int64_t{i} + 1) * from - to;
        const int64_t denominator = 2 * int64_t{to};
        int64_t base = numerator / denominator;
        if (base * denominator > numerator)
            --base; // round toward minus infinity
        const int64_t t = ((numerator - base * denominator) << 16) / denominator;
        const int64_t t2 = (t * t) >> 16;
        const int64_t t3 = (t2 * t) >> 16;
        const int64_t unit = int64_t{1} << 16;
        const int64_t w[4] = {(-t3 + 2 * t2 - t) / 2, (3 * t3 - 5 * t2 + 2 * unit) / 2,
                              (-3 * t3 + 4 * t2 + t) / 2, (t3 - t2) / 2};
        for (int n = 0; n < 4; ++n)
            table.Add(i, int(base) - 1 + n, w[n] >> (16 - kWeightBits));
        table.Normalise(i);
    }
    return true;
}

bool MakeTable(AxisTable& table, int from, int to) {
    return to < from ? AreaTable(table, from, to) : CubicTable(table, from, to);
}

// One pixel as four channels weighted by alpha, in the order blue, green, red, alpha.
void Weigh(LICE_pixel p, int32_t* out) {
    const int32_t alpha = int32_t(p >> 24);
    out[0] = int32_t(p & 255) * alpha;
    out[1] = int32_t((p >> 8) & 255) * alpha;
    out[2] = int32_t((p >> 16) & 255) * alpha;
    out[3] = alpha * 255;
}

int32_t Clamp(int64_t v, int32_t high) {
    return v < 0 ? 0 : (v > high ? high : int32_t(v));
}

// Back from weighted channels to a pixel: alpha first, then each colour no brighter than the
// alpha allows (a cubic may overshoot), divided by the alpha with rounding.
LICE_pixel Unweigh(const int64_t* sum) {
    const int32_t alpha = Clamp((sum[3] + kHalf) >> kWeightBits, kFull);
    const int32_t alpha8 = (alpha + 127) / 255;
    if (alpha8 == 0)
        return 0;
    LICE_pixel p = LICE_pixel(alpha8) << 24;
    for (int c = 0; c < 3; ++c) {
        const int32_t weighted = Clamp((sum[c] + kHalf) >> kWeightBits, alpha);
        p |= LICE_pixel((int64_t{weighted} * 255 + alpha / 2) / alpha) << (8 * c);
    }
    return p;
}

LICE_pixel* Row(LICE_IBitmap* bitmap, int y) {
    const int row = bitmap->IsFlipped() ? bitmap->Height() - 1 - y : y;
    return bitmap->Bits() + int64_t{row} * bitmap->RowSpan();
}

bool Inside(LICE_IBitmap* bitmap, int left, int top, int right, int bottom) {
    return bitmap && bitmap->Bits() && left >= 0 && top >= 0 && right > left && bottom > top &&
           right <= bitmap->Width() && bottom <= bitmap->Height();
}

} // namespace

bool LICE_Resample(LICE_IBitmap* dest, int dstX, int dstY, int dstWidth, int dstHeight,
                   LICE_IBitmap* src, const LICE_Rect& srcRect) {
    if (dstWidth < 1 || dstHeight < 1 ||
        !Inside(dest, dstX, dstY, dstX + dstWidth, dstY + dstHeight) ||
        !Inside(src, srcRect.left, srcRect.top, srcRect.right, srcRect.bottom))
        return false;
    const int srcWidth = srcRect.right - srcRect.left;
    const int srcHeight = srcRect.bottom - srcRect.top;
    AxisTable across;
    AxisTable down;
    if (!MakeTable(across, srcWidth, dstWidth) || !MakeTable(down, srcHeight, dstHeight))
        return false;

    // Source rows resampled across, kept in a ring: the rows one output row needs are at most
    // maxTaps consecutive ones, and output rows only ever move down the source.
    const int ringRows = down.maxTaps + 1;
    Block<int32_t> ring = Allocate<int32_t>(int64_t{ringRows} * dstWidth * 4);
    Block<int32_t> weighed = Allocate<int32_t>(int64_t{srcWidth} * 4);
    Block<int> ringRow = Allocate<int>(ringRows);
    Block<const int32_t*> rows = Allocate<const int32_t*>(down.maxTaps);
    if (!ring || !weighed || !ringRow || !rows)
        return false;
    for (int r = 0; r < ringRows; ++r)
        ringRow[r] = -1;

    auto acrossRow = [&](int sourceRow) -> const int32_t* {
        const int slot = sourceRow % ringRows;
        int32_t* out = &ring[int64_t{slot} * dstWidth * 4];
        if (ringRow[slot] == sourceRow)
            return out;
        const LICE_pixel* in = Row(src, srcRect.top + sourceRow) + srcRect.left;
        for (int x = 0; x < srcWidth; ++x)
            Weigh(in[x], &weighed[int64_t{x} * 4]);
        for (int x = 0; x < dstWidth; ++x) {
            int64_t sum[4] = {0, 0, 0, 0};
            for (int n = 0; n < across.count[x]; ++n) {
                const int32_t w = across.Weight(x, n);
                const int32_t* p = &weighed[int64_t{across.Index(x, n)} * 4];
                for (int c = 0; c < 4; ++c)
                    sum[c] += int64_t{w} * p[c];
            }
            // Kept unclamped: the vertical pass may bring an overshoot back.
            for (int c = 0; c < 4; ++c)
                out[x * 4 + c] = int32_t((sum[c] + kHalf) >> kWeightBits);
        }
        ringRow[slot] = sourceRow;
        return out;
    };

    for (int y = 0; y < dstHeight; ++y) {
        const int taps = down.count[y];
        for (int n = 0; n < taps; ++n)
            rows[n] = acrossRow(down.Index(y, n));
        LICE_pixel* out = Row(dest, dstY + y) + dstX;
        for (int x = 0; x < dstWidth; ++x) {
            int64_t sum[4] = {0, 0, 0, 0};
            for (int n = 0; n < taps; ++n) {
                const int32_t w = down.Weight(y, n);
                for (int c = 0; c < 4; ++c)
                    sum[c] += int64_t{w} * rows[n][x * 4 + c];
            }
            out[x] = Unweigh(sum);
        }
    }
    return true;
}
