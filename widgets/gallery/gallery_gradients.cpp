// Gallery page "gradients": every gradient direction, in the toolbar's
// system colours and in a vivid pair, plus the gradient colour sets.
#include "framework/bitmap.h"
#include "widgets/gallery/gallery.h"
#include "widgets/nvcommon.h"
#include "widgets/nvgrafx.h"

namespace {

const char* const kDirections[] = {
    "gdDiagonalUp",  "gdDiagonalDown",   "gdHorizontalEnd", "gdHorizontalCenter", "gdHorizontalBox",
    "gdVerticalEnd", "gdVerticalCenter", "gdVerticalBox",   "gdSquareBox",        "gdBigSquareBox"};

QImage Gradient(int w, int h, TGradientDirection d, TColor start, TColor stop) {
  TBitmap bmp(w, h);
  PaintGradient(bmp.Canvas(), Rect(0, 0, w, h), d, start, stop, 1);
  DrawBox(bmp.Canvas(), Rect(0, 0, w, h), clBtnShadow);
  return bmp.Image();
}

}  // namespace

GALLERY_PAGE(gradients) {
  GallerySheet sheet(5, 130, 64, "PaintGradient: clHighlight to clWindow, then orange to navy");
  for (int d = gdDiagonalUp; d <= gdBigSquareBox; ++d)
    sheet.Add(Gradient(120, 64, static_cast<TGradientDirection>(d), clHighlight, clWindow),
              kDirections[d]);
  for (int d = gdDiagonalUp; d <= gdBigSquareBox; ++d)
    sheet.Add(Gradient(120, 64, static_cast<TGradientDirection>(d), 0x149BF0, clNavy),
              kDirections[d]);
  ctx.SaveImage(sheet.Image(), "gradients_directions");

  GallerySheet sets(3, 170, 40, "Gradient colour sets (gcsSystem)");
  TColor frame, start, stop, divider;
  GetGradientPanelColors(gcsSystem, start, stop);
  sets.Add(Gradient(160, 29, gdHorizontalEnd, start, stop), "panel / toolbar");
  GetGradientStatusBarColors(gcsSystem, start, stop, divider);
  sets.Add(Gradient(160, 19, gdHorizontalEnd, start, stop), "status bar");
  GetGradientSelectionColors(gcsSystem, frame, start, stop);
  TBitmap sel(160, 25);
  TRect r = DrawBox(sel.Canvas(), Rect(0, 0, 160, 25), frame);
  PaintGradient(sel.Canvas(), r, gdHorizontalEnd, start, stop, 1);
  sets.Add(sel.Image(), "selection (hot button)");
  ctx.SaveImage(sets.Image(), "gradients_sets");
}
