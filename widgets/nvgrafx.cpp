// The gradient painter. Every form renders into an off-screen bitmap of the
// rectangle's size that is drawn at (Left, Top) in one operation, so the
// whole rectangle is always painted opaquely.
#include "widgets/nvgrafx.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

#include "framework/bitmap.h"

namespace {

struct Rgb {
  int r, g, b;
};

Rgb Channels(TColor color) {
  const TColor c = ColorToRGB(color);
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

// Lines of one colour run: `first` .. `first + count - 1` take `color`.
using BandFn = std::function<void(int first, int count, TColor color)>;

// Steps the three channels in 16.16 fixed point from `from` on line 0 to `to`
// on line `lines - 1` and hands out bands of equal colour, each at least
// `minBand` lines thick. The accumulators start half a unit up, so the integer
// part of each line is the nearest value and the last line is exactly `to`.
void ForEachBand(int lines, Rgb from, Rgb to, int minBand, const BandFn& band) {
  if (lines <= 0) return;
  const int steps = std::max(lines - 1, 1);
  const int32_t half = 1 << 15;
  int32_t r = (from.r << 16) + half, g = (from.g << 16) + half, b = (from.b << 16) + half;
  const int32_t dr = ((to.r << 16) - (from.r << 16)) / steps;
  const int32_t dg = ((to.g << 16) - (from.g << 16)) / steps;
  const int32_t db = ((to.b << 16) - (from.b << 16)) / steps;
  minBand = std::max(minBand, 1);
  int bandStart = 0;
  TColor bandColor = RGB(r >> 16, g >> 16, b >> 16);
  for (int line = 1; line < lines; ++line) {
    r += dr, g += dg, b += db;
    const TColor c = RGB(r >> 16, g >> 16, b >> 16);
    if (c == bandColor || line - bandStart < minBand) continue;
    band(bandStart, line - bandStart, bandColor);
    bandStart = line;
    bandColor = c;
  }
  band(bandStart, lines - bandStart, bandColor);
}

int MinBandSize(int8_t colorSteps, bool boxForm) {
  if (colorSteps <= 8) return colorSteps;
  return (boxForm ? 256 : 255) / colorSteps + 1;
}

void Fill(TCanvas& c, const TRect& r, TColor color) {
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(color);
  c.FillRect(r);
}

// End and centre forms. `across` is the extent the bands run along (height
// for horizontal bands), `along` the band length.
void PaintLinear(TCanvas& c, int along, int across, bool horizontal, bool center, Rgb start,
                 Rgb stop, int minBand) {
  auto bandRect = [&](int first, int count) {
    return horizontal ? Rect(0, first, along, first + count) : Rect(first, 0, first + count, along);
  };
  if (!center) {
    ForEachBand(across, start, stop, minBand,
                [&](int f, int n, TColor col) { Fill(c, bandRect(f, n), col); });
    return;
  }
  const int middle = across / 2;
  // Upper (left) half: middle line back to the first line.
  ForEachBand(middle + 1, stop, start, minBand,
              [&](int f, int n, TColor col) { Fill(c, bandRect(middle - f - n + 1, n), col); });
  // Lower (right) half: last line back to the middle line.
  const int last = across - 1;
  ForEachBand(last - middle + 1, start, stop, minBand,
              [&](int f, int n, TColor col) { Fill(c, bandRect(last - f - n + 1, n), col); });
}

// Box forms: concentric bands in the top-left quarter, mirrored into the
// other three quarters.
void PaintBox(TBitmap& bmp, int w, int h, TGradientDirection dir, Rgb start, Rgb stop,
              TColor startColor, int minBand) {
  TCanvas& c = bmp.Canvas();
  const int qw = (w + 1) / 2, qh = (h + 1) / 2;
  const bool reduceX = dir == gdHorizontalBox || dir == gdBigSquareBox;
  const bool reduceY = dir == gdVerticalBox || dir == gdBigSquareBox;
  // The stop-coloured core spans (ix, iy)..(qw, qh) in the quarter.
  // The core is at least the quarter's last pixel.
  const int ix = std::clamp(qw - 1 - (reduceX ? w / 4 : 0), 0, qw - 1);
  const int iy = std::clamp(qh - 1 - (reduceY ? h / 4 : 0), 0, qh - 1);
  const bool prefill = dir == gdHorizontalBox || dir == gdSquareBox;
  if (prefill) {
    // Square rings of one pixel around the core; beyond them the start colour.
    Fill(c, Rect(0, 0, qw, qh), startColor);
    const int n = std::min(ix, iy);
    ForEachBand(n + 1, start, stop, minBand, [&](int f, int, TColor col) {
      const int out = n - f;  // rings counted outward from the core
      Fill(c, Rect(ix - out, iy - out, qw, qh), col);
    });
  } else {
    // Rings that shrink from the quarter's edges to the core proportionally.
    const int n = std::max(std::max(ix, iy), 1);
    ForEachBand(n + 1, start, stop, minBand, [&](int f, int, TColor col) {
      Fill(c, Rect(ix * f / n, iy * f / n, qw, qh), col);
    });
  }
  // Reading the image ends the bitmap's drawing; Canvas() starts it again.
  const QImage quarter = bmp.Image().copy(0, 0, qw, qh);
  TCanvas& out = bmp.Canvas();
  out.Draw(w - qw, 0, quarter.mirrored(true, false));
  out.Draw(0, h - qh, quarter.mirrored(false, true));
  out.Draw(w - qw, h - qh, quarter.mirrored(true, true));
}

// Diagonal forms: bands across the diagonal from the bottom-left pixel
// (start) to the top-right pixel (stop), trunc(sqrt(w^2 + h^2)) + 1 steps
// spread evenly between the two corner pixels' centres. Each band is a
// four-point polygon reaching past the bitmap on both sides.
void PaintDiagonal(TCanvas& c, int w, int h, Rgb start, Rgb stop, int minBand) {
  const int steps = static_cast<int>(std::trunc(std::sqrt(double(w) * w + double(h) * h))) + 1;
  const double ax = 0.5, ay = h - 0.5;
  const double dx = w - 1.0, dy = -(h - 1.0);
  const double length = std::sqrt(dx * dx + dy * dy);
  QPainter* p = c.Painter();
  if (length == 0 || !p) {
    Fill(c, Rect(0, 0, w, h), RGB(start.r, start.g, start.b));
    return;
  }
  const double ux = dx / length, uy = dy / length;  // along the diagonal
  const double vx = -uy, vy = ux;                   // across it
  const double reach = w + h + 2.0;
  const double delta = length / (steps - 1);
  p->setPen(Qt::NoPen);
  ForEachBand(steps, start, stop, minBand, [&](int f, int n, TColor col) {
    const double d0 = f == 0 ? -reach : (f - 0.5) * delta;
    const double d1 = f + n == steps ? length + reach : (f + n - 0.5) * delta;
    auto pt = [&](double d, double side) {
      return QPointF(ax + d * ux + side * vx, ay + d * uy + side * vy);
    };
    p->setBrush(ColorToQColor(col));
    p->drawPolygon(QPolygonF({pt(d0, -reach), pt(d1, -reach), pt(d1, reach), pt(d0, reach)}));
  });
}

}  // namespace

void PaintGradient(TCanvas& canvas, const TRect& rect, TGradientDirection direction,
                   TColor startColor, TColor stopColor, int8_t colorSteps) {
  const int w = std::abs(rect.Right - rect.Left);
  const int h = std::abs(rect.Bottom - rect.Top);
  if (w == 0 || h == 0) return;
  const TColor startRgb = ColorToRGB(startColor), stopRgb = ColorToRGB(stopColor);
  const Rgb start = Channels(startRgb), stop = Channels(stopRgb);
  TBitmap bmp(w, h);
  TCanvas& c = bmp.Canvas();
  c.Pen().SetStyle(psClear);
  c.Brush().SetStyle(bsSolid);
  const bool box = direction == gdHorizontalBox || direction == gdVerticalBox ||
                   direction == gdSquareBox || direction == gdBigSquareBox;
  const int minBand = MinBandSize(colorSteps, box);
  switch (direction) {
    case gdHorizontalEnd:
    case gdHorizontalCenter:
      PaintLinear(c, w, h, true, direction == gdHorizontalCenter, start, stop, minBand);
      break;
    case gdVerticalEnd:
    case gdVerticalCenter:
      PaintLinear(c, h, w, false, direction == gdVerticalCenter, start, stop, minBand);
      break;
    case gdDiagonalUp:
    case gdDiagonalDown:
      if (startRgb == stopRgb) {
        Fill(c, Rect(0, 0, w, h), startRgb);
      } else {
        PaintDiagonal(c, w, h, start, stop, minBand);
      }
      break;
    default:
      if (startRgb == stopRgb || w < 5 || h <= 4) {
        Fill(c, Rect(0, 0, w, h), startRgb);
      } else {
        PaintBox(bmp, w, h, direction, start, stop, startRgb, minBand);
      }
      break;
  }
  if (direction == gdDiagonalDown && startRgb != stopRgb) {
    canvas.Draw(rect.Left, rect.Top, bmp.Image().mirrored(true, false));
  } else {
    canvas.Draw(rect.Left, rect.Top, bmp);
  }
}
