#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "test_support.h"

namespace {

std::vector<int> RowInk(const QImage& img, int y, TColor bg = clWhite) {
  std::vector<int> xs;
  for (int x = 0; x < img.width(); ++x)
    if (PixelAt(img, x, y) != bg) xs.push_back(x);
  return xs;
}

}  // namespace

TEST(CanvasLines, OnePixelLineLeavesOutItsEndPoint) {
  TBitmap bmp(20, 5);
  TCanvas& c = bmp.Canvas();
  c.MoveTo(0, 0);
  c.LineTo(10, 0);
  const QImage& img = bmp.Image();
  EXPECT_EQ(RowInk(img, 0), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  for (int x = 0; x < 10; ++x) EXPECT_EQ(PixelAt(img, x, 0), clBlack);  // no antialiasing
  EXPECT_TRUE(RowInk(img, 1).empty());
  EXPECT_EQ(c.PenPos(), TPoint(10, 0));
}

TEST(CanvasLines, LinesRunBackwardsAndVerticallyWithoutTheEndPoint) {
  TBitmap bmp(12, 12);
  TCanvas& c = bmp.Canvas();
  c.Pen().SetColor(clRed);
  c.MoveTo(9, 2);
  c.LineTo(3, 2);  // right to left: 9..4
  c.MoveTo(1, 10);
  c.LineTo(1, 5);  // bottom to top: 10..6
  const QImage& img = bmp.Image();
  EXPECT_EQ(RowInk(img, 2), (std::vector<int>{4, 5, 6, 7, 8, 9}));
  for (int y = 6; y <= 10; ++y) EXPECT_EQ(PixelAt(img, 1, y), clRed) << y;
  EXPECT_EQ(PixelAt(img, 1, 5), clWhite);
}

TEST(CanvasLines, DiagonalIsOnePixelPerStepAndOpaque) {
  TBitmap bmp(10, 10);
  TCanvas& c = bmp.Canvas();
  c.MoveTo(0, 0);
  c.LineTo(6, 6);
  const QImage& img = bmp.Image();
  for (int i = 0; i < 6; ++i) EXPECT_EQ(PixelAt(img, i, i), clBlack);
  EXPECT_EQ(PixelAt(img, 6, 6), clWhite);
  EXPECT_EQ(CountPixels(img, clBlack), 6);
  EXPECT_EQ(CountPixels(img, clWhite), 100 - 6);  // nothing blended
}

TEST(CanvasLines, DottedPenRepeatsThreeOnThreeOff) {
  TBitmap bmp(20, 1);
  TCanvas& c = bmp.Canvas();
  c.Pen().SetStyle(psDot);
  c.MoveTo(0, 0);
  c.LineTo(14, 0);
  EXPECT_EQ(RowInk(bmp.Image(), 0), (std::vector<int>{0, 1, 2, 6, 7, 8, 12, 13}));
}

TEST(CanvasLines, XorAndNotModesInvertWhatIsThere) {
  TBitmap bmp(6, 1);
  TCanvas& c = bmp.Canvas();
  c.Pen().SetMode(pmNot);
  c.MoveTo(0, 0);
  c.LineTo(3, 0);
  EXPECT_EQ(PixelAt(bmp.Image(), 0, 0), clBlack);
  EXPECT_EQ(PixelAt(bmp.Image(), 3, 0), clWhite);
  c.MoveTo(0, 0);
  c.LineTo(2, 0);  // inverting twice restores
  EXPECT_EQ(PixelAt(bmp.Image(), 0, 0), clWhite);
  EXPECT_EQ(PixelAt(bmp.Image(), 2, 0), clBlack);
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(RGB(0, 255, 255));
  c.MoveTo(4, 0);
  c.LineTo(5, 0);
  EXPECT_EQ(PixelAt(bmp.Image(), 4, 0), RGB(255, 0, 0));
}

TEST(CanvasShapes, RectangleOutlineCoversFirstAndLastInsideColumnAndRow) {
  TBitmap bmp(10, 10);
  TCanvas& c = bmp.Canvas();
  c.Pen().SetColor(clBlack);
  c.Brush().SetColor(clRed);
  c.Rectangle(1, 1, 6, 5);
  const QImage& img = bmp.Image();
  EXPECT_EQ(InkBounds(img, clWhite), Rect(1, 1, 6, 5));
  for (int x = 1; x <= 5; ++x) {
    EXPECT_EQ(PixelAt(img, x, 1), clBlack);
    EXPECT_EQ(PixelAt(img, x, 4), clBlack);
  }
  EXPECT_EQ(PixelAt(img, 1, 3), clBlack);
  EXPECT_EQ(PixelAt(img, 5, 3), clBlack);
  EXPECT_EQ(CountPixels(img, clRed), 3 * 2);  // inside 2..4 x 2..3
}

TEST(CanvasShapes, RectangleWithoutPenFillsOneLess) {
  TBitmap bmp(10, 10);
  TCanvas& c = bmp.Canvas();
  c.Pen().SetStyle(psClear);
  c.Brush().SetColor(clBlue);
  c.Rectangle(2, 2, 6, 7);
  EXPECT_EQ(InkBounds(bmp.Image(), clWhite), Rect(2, 2, 5, 6));
}

TEST(CanvasShapes, FillRectAndFrameRectUseTheBrush) {
  TBitmap bmp(10, 10);
  TCanvas& c = bmp.Canvas();
  c.Brush().SetColor(clGreen);
  c.FillRect(Rect(2, 3, 5, 7));
  EXPECT_EQ(InkBounds(bmp.Image(), clWhite), Rect(2, 3, 5, 7));
  EXPECT_EQ(CountPixels(bmp.Image(), clGreen), 12);
  TBitmap frame(10, 10);
  frame.Canvas().Brush().SetColor(clNavy);
  frame.Canvas().FrameRect(Rect(1, 1, 5, 5));
  EXPECT_EQ(CountPixels(frame.Image(), clNavy), 12);  // 4x4 ring
  EXPECT_EQ(PixelAt(frame.Image(), 2, 2), clWhite);
  // A clear brush paints nothing.
  frame.Canvas().Brush().SetStyle(bsClear);
  frame.Canvas().FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(CountPixels(frame.Image(), clNavy), 12);
}

TEST(CanvasShapes, PolygonAndPolylineKeepTheirCorners) {
  TBitmap bmp(12, 12);
  TCanvas& c = bmp.Canvas();
  c.Brush().SetColor(clYellow);
  c.Polygon({{1, 1}, {8, 1}, {8, 8}, {1, 8}});
  const QImage& img = bmp.Image();
  EXPECT_EQ(PixelAt(img, 1, 1), clBlack);
  EXPECT_EQ(PixelAt(img, 8, 8), clBlack);
  EXPECT_EQ(PixelAt(img, 4, 4), clYellow);
  EXPECT_EQ(InkBounds(img, clWhite), Rect(1, 1, 9, 9));
}

TEST(CanvasBrush, CheckerboardPatternIsAlignedToTheCanvas) {
  std::unique_ptr<TBitmap> pattern = AllocPatternBitmap(clBtnFace, clBtnHighlight);
  ASSERT_EQ(pattern->Width(), 8);
  TBitmap bmp(20, 20);
  TCanvas& c = bmp.Canvas();
  c.Brush().SetBitmap(pattern.get());
  c.FillRect(Rect(3, 5, 17, 14));
  const QImage& img = bmp.Image();
  for (int y = 5; y < 14; ++y)
    for (int x = 3; x < 17; ++x)
      ASSERT_EQ(PixelAt(img, x, y), (x + y) % 2 == 0 ? RGB(255, 255, 255) : RGB(212, 208, 200))
          << x << "," << y;
  EXPECT_EQ(PixelAt(img, 2, 5), clWhite);
  EXPECT_EQ(PixelAt(img, 17, 13), clWhite);
}

TEST(CanvasPixels, SetAndGetThroughTheOrigin) {
  TBitmap bmp(10, 10);
  TCanvas& c = bmp.Canvas();
  c.SetPixels(3, 4, clRed);
  EXPECT_EQ(c.Pixels(3, 4), clRed);
  c.OffsetOrigin(2, 2);
  c.SetPixels(0, 0, clLime);
  EXPECT_EQ(c.Pixels(0, 0), clLime);
  EXPECT_EQ(PixelAt(bmp.Image(), 2, 2), clLime);
  EXPECT_EQ(c.Pixels(-5, 0), clNone);  // outside the image
}

TEST(CanvasClip, ExcludedAreaStaysUntouchedAndResetRestoresAll) {
  TBitmap bmp(10, 10);
  TCanvas& c = bmp.Canvas();
  c.Brush().SetColor(clRed);
  c.ExcludeClipRect(Rect(2, 2, 8, 8));
  c.FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(CountPixels(bmp.Image(), clRed), 100 - 36);
  c.ResetClip();
  c.SetClipRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(c.ClipRect(), Rect(0, 0, 1, 1));
  c.ResetClip();
  c.FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(CountPixels(bmp.Image(), clRed), 100);
}

TEST(CanvasImages, TransparentBitmapLeavesItsKeyColourOut) {
  TBitmap glyph(4, 4);
  glyph.Canvas().Brush().SetColor(TColor(0x008080));
  glyph.Canvas().FillRect(Rect(0, 0, 4, 4));
  glyph.Canvas().SetPixels(1, 1, clBlue);
  glyph.SetTransparent(true);
  glyph.SetTransparentColor(0x008080);
  TBitmap target(6, 6);
  target.Canvas().Draw(1, 1, glyph);
  EXPECT_EQ(CountPixels(target.Image(), clBlue), 1);
  EXPECT_EQ(PixelAt(target.Image(), 2, 2), clBlue);
  EXPECT_EQ(CountPixels(target.Image(), clWhite), 35);
}

TEST(CanvasState, SaveRestoreBringsBackPenBrushAndClip) {
  TBitmap bmp(10, 10);
  TCanvas& c = bmp.Canvas();
  c.Brush().SetColor(clRed);
  c.Save();
  c.Brush().SetColor(clBlue);
  c.SetClipRect(Rect(0, 0, 2, 2));
  c.Restore();
  EXPECT_EQ(c.Brush().Color(), clRed);
  c.FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(CountPixels(bmp.Image(), clRed), 100);
}

TEST(CanvasState, FocusRectIsDottedAndUndoneByASecondCall) {
  TBitmap bmp(8, 6);
  TCanvas& c = bmp.Canvas();
  c.DrawFocusRect(Rect(0, 0, 8, 6));
  const QImage& img = bmp.Image();
  EXPECT_EQ(PixelAt(img, 0, 0), clBlack);
  EXPECT_EQ(PixelAt(img, 1, 0), clWhite);
  EXPECT_EQ(PixelAt(img, 2, 0), clBlack);
  EXPECT_EQ(PixelAt(img, 3, 3), clWhite);  // inside untouched
  c.DrawFocusRect(Rect(0, 0, 8, 6));
  EXPECT_EQ(CountPixels(img, clWhite), 48);
}

TEST(CanvasBitmap, ResizingKeepsOverlapAndFillsWhite) {
  TBitmap bmp(4, 4);
  bmp.Canvas().SetPixels(1, 1, clRed);
  bmp.SetSize(6, 3);
  EXPECT_EQ(bmp.Width(), 6);
  EXPECT_EQ(bmp.Height(), 3);
  EXPECT_EQ(PixelAt(bmp.Image(), 1, 1), clRed);
  EXPECT_EQ(PixelAt(bmp.Image(), 5, 2), clWhite);
  bmp.Canvas().SetPixels(5, 2, clBlue);  // the canvas follows the new image
  EXPECT_EQ(PixelAt(bmp.Image(), 5, 2), clBlue);
  TBitmap copy(bmp);
  bmp.Canvas().SetPixels(0, 0, clBlack);
  EXPECT_EQ(PixelAt(copy.Image(), 0, 0), clWhite);  // copies are independent
}
