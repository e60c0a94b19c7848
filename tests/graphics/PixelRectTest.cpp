#include "graphics/PixelRect.h"

#include <gtest/gtest.h>

TEST(PixelRect, EmptinessIntersectionUnionAndContainment) {
    const PixelRect none{};
    const PixelRect a{10, 10, 20, 20};
    {
        SCOPED_TRACE("only the all-zero rectangle is empty");
        EXPECT_TRUE(none.IsEmpty());
        EXPECT_FALSE((PixelRect{5, 5, 5, 5}).IsEmpty());
        EXPECT_FALSE(none.Contains(0, 0));
        EXPECT_FALSE(none.Intersects(none));
        EXPECT_FALSE(a.Intersects(none));
        EXPECT_FALSE(none.Intersects(a));
    }
    {
        SCOPED_TRACE("touching at the first one's right or bottom edge intersects");
        EXPECT_TRUE(a.Intersects(PixelRect{20, 12, 30, 18}));
        EXPECT_TRUE(a.Intersects(PixelRect{12, 20, 18, 30}));
        EXPECT_FALSE((PixelRect{20, 12, 30, 18}).Intersects(a)) << "its left edge does not";
        EXPECT_FALSE((PixelRect{12, 20, 18, 30}).Intersects(a)) << "its top edge does not";
        EXPECT_FALSE(a.Intersects(PixelRect{21, 10, 30, 20}));
    }
    {
        SCOPED_TRACE("the overlap of an edge contact has no area");
        EXPECT_EQ(a.Intersection(PixelRect{15, 0, 40, 12}), (PixelRect{15, 10, 20, 12}));
        const PixelRect edge = a.Intersection(PixelRect{20, 12, 30, 18});
        EXPECT_EQ(edge.Width(), 0);
        EXPECT_TRUE(a.Intersection(PixelRect{30, 30, 40, 40}).IsEmpty());
    }
    {
        SCOPED_TRACE("an empty operand leaves the union unchanged");
        EXPECT_EQ(none.Union(a), a);
        EXPECT_EQ(a.Union(none), a);
        EXPECT_EQ(a.Union(PixelRect{-5, 15, 12, 40}), (PixelRect{-5, 10, 20, 40}));
    }
    {
        SCOPED_TRACE("right and bottom are exclusive");
        EXPECT_TRUE(a.Contains(10, 10));
        EXPECT_TRUE(a.Contains(19, 19));
        EXPECT_FALSE(a.Contains(20, 15));
        EXPECT_FALSE(a.Contains(15, 20));
        EXPECT_FALSE(a.Contains(9, 15));
    }
}
