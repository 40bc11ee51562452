#pragma once
// Points and rectangles of the window system (right and bottom edges are
// outside the rectangle).

#include <algorithm>

namespace platform {

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int L, int T, int R, int B) { return TRect{L, T, R, B}; }
inline TRect Bounds(int L, int T, int W, int H) { return TRect{L, T, L + W, T + H}; }
inline TPoint Point(int X, int Y) { return TPoint{X, Y}; }
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
