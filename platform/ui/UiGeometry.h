#pragma once
// Rectangle helpers of the window system (right and bottom edges are
// outside the rectangle).

#include "platform/core/Types.h"

#include <algorithm>

namespace platform {

inline bool PtInRect(const TRect& R, TPoint P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }
inline TRect OffsetRect(TRect R, int DX, int DY) { return TRect{R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY}; }
inline TRect IntersectRect(const TRect& A, const TRect& B)
{
    TRect r{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right), std::min(A.Bottom, B.Bottom)};
    return r.IsEmpty() ? TRect{} : r;
}
inline TRect UnionRect(const TRect& A, const TRect& B)
{
    if (A.IsEmpty())
        return B;
    if (B.IsEmpty())
        return A;
    return TRect{std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right), std::max(A.Bottom, B.Bottom)};
}

} // namespace platform
