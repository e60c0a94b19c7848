#pragma once

#include <cstdint>

// A rectangle in editor pixels; right and bottom are exclusive. All four fields 0 means
// "no rectangle": such a rectangle is empty, hits nothing and vanishes in a union, while a
// zero-area rectangle with non-zero corners is not empty.
struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }

    // Touching at this rectangle's right or bottom edge counts; at its left or top edge it
    // does not. Dirty areas rely on the generous side so that neighbours are redrawn.
    bool Intersects(const PixelRect& other) const;
    // The overlap of two intersecting rectangles, or the empty rectangle.
    PixelRect Intersection(const PixelRect& other) const;
    // The smallest rectangle holding both; an empty operand leaves the other unchanged.
    PixelRect Union(const PixelRect& other) const;
    bool Contains(int x, int y) const;

    bool operator==(const PixelRect&) const = default;
};
