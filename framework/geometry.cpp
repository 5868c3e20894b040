#include "framework/geometry.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>

void InflateRect(TRect& r, int32_t dx, int32_t dy) {
  r.Left -= dx;
  r.Right += dx;
  r.Top -= dy;
  r.Bottom += dy;
}

void OffsetRect(TRect& r, int32_t dx, int32_t dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}

bool IntersectRect(TRect& dest, const TRect& a, const TRect& b) {
  TRect r(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom));
  if (r.IsEmpty()) {
    dest = TRect();
    return false;
  }
  dest = r;
  return true;
}

bool UnionRect(TRect& dest, const TRect& a, const TRect& b) {
  if (a.IsEmpty()) {
    dest = b.IsEmpty() ? TRect() : b;
  } else if (b.IsEmpty()) {
    dest = a;
  } else {
    dest = TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                 std::max(a.Bottom, b.Bottom));
  }
  return !dest.IsEmpty();
}

bool PtInRect(const TRect& r, const TPoint& p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

bool IsRectEmpty(const TRect& r) {
  return r.IsEmpty();
}

bool EqualRect(const TRect& a, const TRect& b) {
  return a == b;
}

QRect ToQRect(const TRect& r) {
  return QRect(r.Left, r.Top, r.Width(), r.Height());
}

TRect FromQRect(const QRect& r) {
  return Bounds(r.x(), r.y(), r.width(), r.height());
}

QPoint ToQPoint(const TPoint& p) {
  return QPoint(p.X, p.Y);
}

TPoint FromQPoint(const QPoint& p) {
  return TPoint(p.x(), p.y());
}

QSize ToQSize(const TSize& s) {
  return QSize(s.cx, s.cy);
}
