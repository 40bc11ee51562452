#include "platform/ui/UpdateRegion.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

int Area(const TUpdateRegion& R)
{
    int a = 0;
    for (const TRect& r : R.Rects())
        a += r.Width() * r.Height();
    return a;
}

} // namespace

TEST(UpdateRegion, UnionSubtractIntersect)
{
    struct TCase {
        const char* Name;
        std::vector<TRect> Add;
        TRect Subtract;
        int Area;
        TRect Box;
    } cases[] = {
        {"disjoint", {Rect(0, 0, 10, 10), Rect(20, 0, 30, 10)}, TRect{}, 200, Rect(0, 0, 30, 10)},
        {"overlap counted once", {Rect(0, 0, 10, 10), Rect(5, 5, 15, 15)}, TRect{}, 175, Rect(0, 0, 15, 15)},
        {"contained", {Rect(0, 0, 10, 10), Rect(2, 2, 4, 4)}, TRect{}, 100, Rect(0, 0, 10, 10)},
        {"hole", {Rect(0, 0, 10, 10)}, Rect(2, 2, 4, 4), 96, Rect(0, 0, 10, 10)},
        {"all gone", {Rect(0, 0, 10, 10)}, Rect(-1, -1, 11, 11), 0, TRect{}},
        {"empty ignored", {Rect(5, 5, 5, 9)}, TRect{}, 0, TRect{}},
    };
    for (const TCase& c : cases) {
        TUpdateRegion r;
        for (const TRect& a : c.Add)
            r.Add(a);
        r.Subtract(c.Subtract);
        EXPECT_EQ(Area(r), c.Area) << c.Name;
        EXPECT_EQ(r.Box(), c.Box) << c.Name;
    }
    TUpdateRegion r;
    r.Add(Rect(0, 0, 10, 10));
    r.Intersect(Rect(5, 5, 20, 20));
    EXPECT_EQ(r.Box(), Rect(5, 5, 10, 10));
    EXPECT_TRUE(r.Intersects(Rect(9, 9, 12, 12)));
    r.Offset(1, 2);
    EXPECT_EQ(r.Box(), Rect(6, 7, 11, 12));
}
