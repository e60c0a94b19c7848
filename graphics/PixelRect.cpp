#include "graphics/PixelRect.h"

#include <algorithm>

bool PixelRect::Intersects(const PixelRect& other) const {
    if (IsEmpty() || other.IsEmpty())
        return false;
    return right >= other.left && left < other.right && bottom >= other.top && top < other.bottom;
}

PixelRect PixelRect::Intersection(const PixelRect& other) const {
    if (!Intersects(other))
        return {};
    return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
            std::min(bottom, other.bottom)};
}

PixelRect PixelRect::Union(const PixelRect& other) const {
    if (IsEmpty())
        return other;
    if (other.IsEmpty())
        return *this;
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
}

bool PixelRect::Contains(int x, int y) const {
    return !IsEmpty() && left <= x && x < right && top <= y && y < bottom;
}
