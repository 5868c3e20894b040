// Helpers shared by the control layer's tests.
#pragma once

#include <QImage>
#include <string>

#include "framework/bitmap.h"
#include "framework/colors.h"

// A white bitmap of the given size with its canvas ready.
inline TBitmap WhiteBitmap(int w, int h) {
  return TBitmap(w, h);
}

inline TColor PixelAt(const QImage& image, int x, int y) {
  QRgb p = image.pixel(x, y);
  return RGB(static_cast<uint8_t>(qRed(p)), static_cast<uint8_t>(qGreen(p)),
             static_cast<uint8_t>(qBlue(p)));
}

// Bounding box of the pixels that differ from `background`; empty when none.
inline TRect InkBounds(const QImage& image, TColor background) {
  int l = image.width(), t = image.height(), r = -1, b = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (PixelAt(image, x, y) != background) {
        l = std::min(l, x);
        t = std::min(t, y);
        r = std::max(r, x);
        b = std::max(b, y);
      }
  if (r < 0) return TRect();
  return TRect(l, t, r + 1, b + 1);
}

inline int CountPixels(const QImage& image, TColor color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (PixelAt(image, x, y) == color) ++n;
  return n;
}
