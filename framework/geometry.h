// Points, sizes and rectangles with the classic conventions: a rectangle is
// (Left, Top, Right, Bottom) with Right and Bottom one past the last pixel.
#pragma once

#include <cstdint>

class QPoint;
class QRect;
class QSize;

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  constexpr TPoint() = default;
  constexpr TPoint(int32_t x, int32_t y) : X(x), Y(y) {}
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  constexpr TSize() = default;
  constexpr TSize(int32_t w, int32_t h) : cx(w), cy(h) {}
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  constexpr TRect() = default;
  constexpr TRect(int32_t l, int32_t t, int32_t r, int32_t b)
      : Left(l), Top(t), Right(r), Bottom(b) {}
  constexpr int32_t Width() const { return Right - Left; }
  constexpr int32_t Height() const { return Bottom - Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  // True when the rectangle covers no pixel (Right <= Left or Bottom <= Top).
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(int32_t x, int32_t y) {
  return {x, y};
}
constexpr TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return {left, top, right, bottom};
}
constexpr TRect Rect(TPoint topLeft, TPoint bottomRight) {
  return {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
}
constexpr TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  return {left, top, left + width, top + height};
}

// Grows the rectangle by dx on the left and right and by dy on top and bottom
// (negative values shrink it).
void InflateRect(TRect& r, int32_t dx, int32_t dy);
void OffsetRect(TRect& r, int32_t dx, int32_t dy);
// dest = a intersected with b; returns false (and dest empty 0,0,0,0) when
// they share no pixel.
bool IntersectRect(TRect& dest, const TRect& a, const TRect& b);
// dest = the smallest rectangle holding both; empty rectangles are ignored.
bool UnionRect(TRect& dest, const TRect& a, const TRect& b);
// Point inside: Left <= X < Right and Top <= Y < Bottom.
bool PtInRect(const TRect& r, const TPoint& p);
bool IsRectEmpty(const TRect& r);
bool EqualRect(const TRect& a, const TRect& b);

// Qt conversions (QRect's right/bottom are inclusive; these keep pixel cover).
QRect ToQRect(const TRect& r);
TRect FromQRect(const QRect& r);
QPoint ToQPoint(const TPoint& p);
TPoint FromQPoint(const QPoint& p);
QSize ToQSize(const TSize& s);
