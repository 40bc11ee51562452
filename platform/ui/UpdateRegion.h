#pragma once
// The set of rectangles a window still has to paint. A plain list of
// non-overlapping rectangles: invalidations are few and small, and the
// list only ever needs union, subtraction, intersection with a rectangle
// and the bounding box.

#include "platform/ui/UiGeometry.h"

#include <vector>

namespace platform {

class TUpdateRegion {
public:
    bool IsEmpty() const { return FRects.empty(); }
    const std::vector<TRect>& Rects() const { return FRects; }
    TRect Box() const;
    void Clear() { FRects.clear(); }
    void Add(const TRect& R);
    void Subtract(const TRect& R);
    void Intersect(const TRect& R);
    void Offset(int DX, int DY);
    bool Intersects(const TRect& R) const;

private:
    std::vector<TRect> FRects;   // disjoint
};

} // namespace platform
