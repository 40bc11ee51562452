#include "platform/ui/UpdateRegion.h"

namespace platform {
namespace {

// Appends the parts of A that lie outside B (at most four rectangles).
void AppendDifference(const TRect& A, const TRect& B, std::vector<TRect>& AOut)
{
    TRect i = IntersectRect(A, B);
    if (i.IsEmpty()) {
        AOut.push_back(A);
        return;
    }
    if (A.Top < i.Top)
        AOut.push_back(Rect(A.Left, A.Top, A.Right, i.Top));
    if (i.Bottom < A.Bottom)
        AOut.push_back(Rect(A.Left, i.Bottom, A.Right, A.Bottom));
    if (A.Left < i.Left)
        AOut.push_back(Rect(A.Left, i.Top, i.Left, i.Bottom));
    if (i.Right < A.Right)
        AOut.push_back(Rect(i.Right, i.Top, A.Right, i.Bottom));
}

} // namespace

TRect TUpdateRegion::Box() const
{
    TRect box;
    for (const TRect& r : FRects)
        box = UnionRect(box, r);
    return box;
}

void TUpdateRegion::Add(const TRect& R)
{
    if (R.IsEmpty())
        return;
    std::vector<TRect> pieces{R};
    for (const TRect& have : FRects) {
        std::vector<TRect> next;
        for (const TRect& p : pieces)
            AppendDifference(p, have, next);
        pieces.swap(next);
        if (pieces.empty())
            return;
    }
    FRects.insert(FRects.end(), pieces.begin(), pieces.end());
    // Many small invalidations collapse into their bounding box: painting a
    // little more is cheaper than carrying a long list around.
    if (FRects.size() > 32) {
        TRect box = Box();
        FRects.assign(1, box);
    }
}

void TUpdateRegion::Subtract(const TRect& R)
{
    if (R.IsEmpty())
        return;
    std::vector<TRect> next;
    for (const TRect& have : FRects)
        AppendDifference(have, R, next);
    FRects.swap(next);
}

void TUpdateRegion::Intersect(const TRect& R)
{
    std::vector<TRect> next;
    for (const TRect& have : FRects) {
        TRect i = IntersectRect(have, R);
        if (!i.IsEmpty())
            next.push_back(i);
    }
    FRects.swap(next);
}

void TUpdateRegion::Offset(int DX, int DY)
{
    for (TRect& r : FRects)
        r = OffsetRect(r, DX, DY);
}

bool TUpdateRegion::Intersects(const TRect& R) const
{
    for (const TRect& have : FRects)
        if (!IntersectRect(have, R).IsEmpty())
            return true;
    return false;
}

} // namespace platform
