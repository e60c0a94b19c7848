#include "BitmapTestSupport.h"
#include "lice/BlitBitmap.h"
#include "lice/LICE_MemBitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

constexpr LICE_pixel kUntouched = 0x11223344;

// Checks that dest shows src shifted by (shiftX, shiftY) inside [left, right) x [top, bottom)
// and is untouched elsewhere.
void ExpectShiftedCopy(LICE_IBitmap& dest, LICE_IBitmap& src, int shiftX, int shiftY, int left,
                       int top, int right, int bottom, LICE_pixel untouched = kUntouched) {
    for (int y = 0; y < dest.Height(); ++y)
        for (int x = 0; x < dest.Width(); ++x) {
            const bool inside = x >= left && x < right && y >= top && y < bottom;
            const LICE_pixel expected = inside ? At(src, x - shiftX, y - shiftY) : untouched;
            ASSERT_EQ(At(dest, x, y), expected) << "at (" << x << ", " << y << ")";
        }
}

struct ClipCase {
    const char* name;
    int dstX, dstY;
    bool hasRect;
    LICE_Rect rect;
    // Where the copy lands in the 6 x 6 destination, and the shift from source to destination.
    int shiftX, shiftY, left, top, right, bottom;
};

} // namespace

TEST(Blit, ClipsAtEveryEdge) {
    LICE_MemBitmap src(4, 4), dest(6, 6);
    FillNumbered(src);
    const ClipCase cases[] = {
        {"whole source inside", 1, 1, false, {}, 1, 1, 1, 1, 5, 5},
        {"negative destination clips the source", -1, -2, false, {}, -1, -2, 0, 0, 3, 2},
        {"source rect left of and above the source shifts the destination",
         0,
         0,
         true,
         {-1, -1, 2, 2},
         1,
         1,
         1,
         1,
         3,
         3},
        {"source rect beyond the source is limited", 2, 3, true, {1, 2, 99, 99}, 1, 1, 2, 3, 5, 5},
        {"right and bottom edge of the destination", 5, 5, false, {}, 5, 5, 5, 5, 6, 6},
        {"at the destination width draws nothing", 6, 0, false, {}, 0, 0, 0, 0, 0, 0},
        {"at the destination height draws nothing", 0, 6, false, {}, 0, 0, 0, 0, 0, 0},
        {"far left draws nothing", -4, 0, false, {}, 0, 0, 0, 0, 0, 0},
        {"empty source rect draws nothing", 0, 0, true, {2, 2, 2, 4}, 0, 0, 0, 0, 0, 0},
        {"source rect wholly outside draws nothing", 0, 0, true, {5, 0, 9, 4}, 0, 0, 0, 0, 0, 0},
        {"extreme positions do not overflow",
         INT_MIN,
         INT_MAX,
         true,
         {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
         0,
         0,
         0,
         0,
         0,
         0},
        {"far-negative rect pushes the copy off the destination",
         0,
         0,
         true,
         {INT_MIN + 8, INT_MIN + 8, INT_MAX, INT_MAX},
         0,
         0,
         0,
         0,
         0,
         0},
    };
    for (const ClipCase& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(dest, kUntouched);
        BlitBitmap(&dest, &src, c.dstX, c.dstY, c.hasRect ? &c.rect : nullptr, 1.0f, BlitCopy);
        ExpectShiftedCopy(dest, src, c.shiftX, c.shiftY, c.left, c.top, c.right, c.bottom);
    }
}

TEST(Blit, MissingBitmapsOrPixelsDrawNothing) {
    LICE_MemBitmap src(2, 2), dest(2, 2), empty;
    FillNumbered(src);
    Fill(dest, kUntouched);
    BlitBitmap(nullptr, &src, 0, 0, nullptr, 1.0f, BlitCopy);
    BlitBitmap(&dest, nullptr, 0, 0, nullptr, 1.0f, BlitCopy);
    BlitBitmap(&dest, &empty, 0, 0, nullptr, 1.0f, BlitCopy);
    BlitBitmap(&empty, &src, 0, 0, nullptr, 1.0f, BlitCopy);
    ExpectShiftedCopy(dest, src, 0, 0, 0, 0, 0, 0);
}

TEST(Blit, WalksBottomUpBitmapsByImageRow) {
    FlippedBitmap flipped(3, 4);
    LICE_MemBitmap plain(3, 4);
    const LICE_Rect lowerRows{0, 1, 3, 4};
    FillNumbered(flipped);
    {
        SCOPED_TRACE("from a bottom-up source, row copy");
        Fill(plain, kUntouched);
        BlitBitmap(&plain, &flipped, 0, 0, &lowerRows, 1.0f, BlitCopy);
        ExpectShiftedCopy(plain, flipped, 0, -1, 0, 0, 3, 3);
    }
    {
        SCOPED_TRACE("from a bottom-up source, per pixel");
        Fill(plain, 0);
        BlitBitmap(&plain, &flipped, 0, 0, &lowerRows, 1.0f, BlitAdd);
        ExpectShiftedCopy(plain, flipped, 0, -1, 0, 0, 3, 3, 0);
    }
    FillNumbered(plain);
    {
        SCOPED_TRACE("into a bottom-up destination, row copy");
        Fill(flipped, kUntouched);
        BlitBitmap(&flipped, &plain, 1, 2, nullptr, 1.0f, BlitCopy);
        ExpectShiftedCopy(flipped, plain, 1, 2, 1, 2, 3, 4);
    }
    {
        SCOPED_TRACE("into a bottom-up destination, per pixel");
        Fill(flipped, 0);
        BlitBitmap(&flipped, &plain, 1, 2, nullptr, 1.0f, BlitAdd);
        ExpectShiftedCopy(flipped, plain, 1, 2, 1, 2, 3, 4, 0);
    }
}

// A bitmap blitted onto itself must give what a blit from an untouched copy gives.
TEST(Blit, OverlappingSelfBlitReadsBeforeWriting) {
    struct Shift {
        int dx, dy;
    };
    const Shift shifts[] = {{1, 0}, {3, 0}, {-2, 0}, {0, 1}, {0, -2}, {2, 1}, {-1, -1}, {-3, 2}};
    const struct {
        const char* name;
        float weight;
        int mode;
    } modes[] = {{"row copy", 1.0f, BlitCopy},
                 {"weighted copy", 0.3f, BlitCopy},
                 {"add", 1.0f, BlitAdd},
                 {"channel copy", 1.0f, BlitChannelCopy(2, 0)}};
    for (const bool flipped : {false, true})
        for (const auto& mode : modes)
            for (const Shift& shift : shifts) {
                SCOPED_TRACE(std::string(mode.name) + (flipped ? ", bottom-up" : ", top-down") +
                             ", shift " + std::to_string(shift.dx) + "," +
                             std::to_string(shift.dy));
                FlippedBitmap upsideDown(7, 6);
                LICE_MemBitmap topDown(7, 6);
                LICE_IBitmap& bitmap = flipped ? static_cast<LICE_IBitmap&>(upsideDown) : topDown;
                LICE_MemBitmap reference(7, 6), original(7, 6);
                FillNumbered(bitmap);
                FillNumbered(reference);
                FillNumbered(original);
                const LICE_Rect area{1, 1, 6, 5};
                BlitBitmap(&bitmap, &bitmap, 1 + shift.dx, 1 + shift.dy, &area, mode.weight,
                           mode.mode);
                BlitBitmap(&reference, &original, 1 + shift.dx, 1 + shift.dy, &area, mode.weight,
                           mode.mode);
                for (int y = 0; y < 6; ++y)
                    for (int x = 0; x < 7; ++x)
                        ASSERT_EQ(At(bitmap, x, y), At(reference, x, y))
                            << "at (" << x << ", " << y << ")";
            }
}
