// Built-in bookmark strip and cutting it into images.
#include "hexview/hvbookmarkimages.h"

#include <array>

#include "framework/bitmap.h"
#include "hexview/ehexview.h"

namespace {

constexpr int kStripWidth = kHVBookmarkImageSize * kHVBookmarkImageCount;

// 4 x 6 digit glyphs, one string per row, '#' for ink.
using Glyph = std::array<const char*, 6>;
constexpr std::array<Glyph, 10> kDigits = {{
    {".##.", "#..#", "#..#", "#..#", "#..#", ".##."},
    {"..#.", ".##.", "..#.", "..#.", "..#.", ".###"},
    {".##.", "#..#", "...#", "..#.", ".#..", "####"},
    {"###.", "...#", ".##.", "...#", "...#", "###."},
    {"..#.", ".##.", "#.#.", "####", "..#.", "..#."},
    {"####", "#...", "###.", "...#", "...#", "###."},
    {".##.", "#...", "###.", "#..#", "#..#", ".##."},
    {"####", "...#", "..#.", "..#.", ".#..", ".#.."},
    {".##.", "#..#", ".##.", "#..#", "#..#", ".##."},
    {".##.", "#..#", "#..#", ".###", "...#", ".##."},
}};

constexpr TColor kTransparent = clRed;
constexpr TColor kFrame = clBlack;
constexpr TColor kInk = clBlack;
constexpr TColor kYellow = clYellow;
constexpr TColor kSilver = clSilver;

// One image at x0 of the strip: frame, two-coloured face, red corners, digit.
void PaintBookmark(TCanvas& c, int x0, int digit, bool yellowLeft) {
  const int n = kHVBookmarkImageSize;
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const bool edge = x == 0 || y == 0 || x == n - 1 || y == n - 1;
      const bool corner = (x == 0 || x == n - 1) && (y == 0 || y == n - 1);
      const bool leftHalf = x < n / 2;
      TColor colour = (leftHalf == yellowLeft) ? kYellow : kSilver;
      if (edge) colour = kFrame;
      if (corner) colour = kTransparent;
      c.SetPixels(x0 + x, y, colour);
    }
  }
  const Glyph& g = kDigits[digit];
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 4; ++x)
      if (g[y][x] == '#') c.SetPixels(x0 + 3 + x, 2 + y, kInk);
}

}  // namespace

std::unique_ptr<TBitmap> BuiltInBookmarkBitmap() {
  auto strip = std::make_unique<TBitmap>(kStripWidth, kHVBookmarkImageSize);
  TCanvas& c = strip->Canvas();
  for (int i = 0; i < kHVBookmarkImageCount; ++i)
    PaintBookmark(c, i * kHVBookmarkImageSize, i % 10, i < 10);
  return strip;
}

std::vector<QImage> CutBookmarkImages(const TBitmap& strip) {
  if (strip.Width() != kStripWidth || strip.Height() != kHVBookmarkImageSize)
    throw EHexView(kHVInvalidBookmarkBitmap);
  const QImage source = strip.Image().convertToFormat(QImage::Format_ARGB32);
  const QRgb transparent = source.pixel(0, 0);
  std::vector<QImage> images;
  images.reserve(kHVBookmarkImageCount);
  for (int i = 0; i < kHVBookmarkImageCount; ++i) {
    QImage image =
        source.copy(i * kHVBookmarkImageSize, 0, kHVBookmarkImageSize, kHVBookmarkImageSize);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) == transparent) image.setPixel(x, y, qRgba(0, 0, 0, 0));
    images.push_back(std::move(image));
  }
  return images;
}
