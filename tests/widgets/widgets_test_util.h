// Helpers for drawing tests: an offscreen bitmap pre-filled with a marker
// colour, and pixel comparison that prints colours as R,G,B.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/colors.h"

// A colour no frame or gradient in the tests uses.
constexpr TColor kMarker = RGB(1, 2, 3);

inline std::string RgbText(TColor c) {
  c = ColorToRGB(c);
  return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
         std::to_string(GetBValue(c));
}

// A bitmap filled with kMarker.
inline void ClearBitmap(TBitmap& bmp) {
  TCanvas& c = bmp.Canvas();
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(kMarker);
  c.FillRect(Rect(0, 0, bmp.Width(), bmp.Height()));
}

// Compares pixel (x, y) with `expected` (system colours resolved).
#define EXPECT_PIXEL(bmp, x, y, expected)                                \
  EXPECT_EQ(RgbText((bmp).Canvas().Pixels((x), (y))), RgbText(expected)) \
      << "pixel (" << (x) << ", " << (y) << ")"
