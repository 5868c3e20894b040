// The gradient painter: end lines, centre lines, banding and the solid cases.
#include <gtest/gtest.h>

#include "widgets/nvcommon.h"
#include "widgets/nvgrafx.h"
#include "widgets_test_util.h"

namespace {

TColor Grey(int v) {
  return RGB(v, v, v);
}

class GradientTest : public ::testing::Test {
 protected:
  GradientTest() : bmp_(24, 24) { ClearBitmap(bmp_); }
  TCanvas& C() { return bmp_.Canvas(); }
  TBitmap bmp_;
};

TEST_F(GradientTest, HorizontalEndRunsTopToBottom) {
  // 5 lines, 4 steps of 255/4 = 63.75: nearest values 0, 64, 127.5 -> 128
  // (the accumulator's integer part after the half-unit start), 191, 255.
  PaintGradient(C(), Rect(2, 3, 12, 8), gdHorizontalEnd, clBlack, clWhite, 1);
  const int expected[5] = {0, 64, 128, 191, 255};
  for (int line = 0; line < 5; ++line) {
    EXPECT_PIXEL(bmp_, 2, 3 + line, Grey(expected[line]));
    EXPECT_PIXEL(bmp_, 11, 3 + line, Grey(expected[line]));
  }
  // Nothing outside the rectangle.
  EXPECT_PIXEL(bmp_, 1, 3, kMarker);
  EXPECT_PIXEL(bmp_, 12, 3, kMarker);
  EXPECT_PIXEL(bmp_, 2, 2, kMarker);
  EXPECT_PIXEL(bmp_, 2, 8, kMarker);
}

TEST_F(GradientTest, SystemColoursAndDescendingRuns) {
  // From clBtnFace (212, 208, 200) to black over 3 lines: middle = half way,
  // 106, 104, 100.
  PaintGradient(C(), Rect(0, 0, 4, 3), gdHorizontalEnd, clBtnFace, clBlack, 1);
  EXPECT_PIXEL(bmp_, 0, 0, RGB(212, 208, 200));
  EXPECT_PIXEL(bmp_, 0, 1, RGB(106, 104, 100));
  EXPECT_PIXEL(bmp_, 0, 2, RGB(0, 0, 0));
}

TEST_F(GradientTest, EqualColoursMergeIntoBands) {
  // 0 -> 2 over 10 lines: nearest of 2i/9 is 0 for lines 0-2, 1 for 3-6 and
  // 2 for 7-9.
  PaintGradient(C(), Rect(0, 0, 3, 10), gdHorizontalEnd, Grey(0), Grey(2), 1);
  const int expected[10] = {0, 0, 0, 1, 1, 1, 1, 2, 2, 2};
  for (int line = 0; line < 10; ++line) EXPECT_PIXEL(bmp_, 1, line, Grey(expected[line]));
}

TEST_F(GradientTest, MinimumBandSize) {
  // ColorSteps 4: a band is at least 4 lines and takes its first line's
  // colour: lines 0-3 -> 0 (line 3 would be 1), 4-7 -> 1 (line 7 would be 2),
  // 8-9 -> 2.
  PaintGradient(C(), Rect(0, 0, 3, 10), gdHorizontalEnd, Grey(0), Grey(2), 4);
  const int expected[10] = {0, 0, 0, 0, 1, 1, 1, 1, 2, 2};
  for (int line = 0; line < 10; ++line) EXPECT_PIXEL(bmp_, 1, line, Grey(expected[line]));
}

TEST_F(GradientTest, HorizontalCenterMeetsInTheMiddle) {
  // Height 9: middle line 4 is the stop colour, lines 0 and 8 the start.
  PaintGradient(C(), Rect(0, 0, 6, 9), gdHorizontalCenter, Grey(200), Grey(0), 1);
  EXPECT_PIXEL(bmp_, 3, 0, Grey(200));
  EXPECT_PIXEL(bmp_, 3, 4, Grey(0));
  EXPECT_PIXEL(bmp_, 3, 8, Grey(200));
  // Symmetric: line 2 = line 6 = half way (100).
  EXPECT_PIXEL(bmp_, 3, 2, Grey(100));
  EXPECT_PIXEL(bmp_, 3, 6, Grey(100));
}

TEST_F(GradientTest, VerticalFormsRunLeftToRight) {
  PaintGradient(C(), Rect(0, 0, 5, 4), gdVerticalEnd, clBlack, clWhite, 1);
  const int expected[5] = {0, 64, 128, 191, 255};
  for (int col = 0; col < 5; ++col) {
    EXPECT_PIXEL(bmp_, col, 0, Grey(expected[col]));
    EXPECT_PIXEL(bmp_, col, 3, Grey(expected[col]));
  }
  ClearBitmap(bmp_);
  PaintGradient(C(), Rect(0, 0, 7, 2), gdVerticalCenter, clWhite, clBlack, 1);
  EXPECT_PIXEL(bmp_, 0, 1, clWhite);
  EXPECT_PIXEL(bmp_, 3, 1, clBlack);
  EXPECT_PIXEL(bmp_, 6, 1, clWhite);
}

TEST_F(GradientTest, EmptyRectanglesDrawNothing) {
  for (int d = gdDiagonalUp; d <= gdBigSquareBox; ++d) {
    PaintGradient(C(), Rect(3, 3, 3, 10), static_cast<TGradientDirection>(d), clRed, clBlue, 1);
    PaintGradient(C(), Rect(3, 3, 10, 3), static_cast<TGradientDirection>(d), clRed, clBlue, 1);
  }
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) EXPECT_PIXEL(bmp_, x, y, kMarker);
}

TEST_F(GradientTest, EqualColoursPaintSolidInEveryDirection) {
  for (int d = gdDiagonalUp; d <= gdBigSquareBox; ++d) {
    SCOPED_TRACE(d);
    ClearBitmap(bmp_);
    PaintGradient(C(), Rect(1, 1, 21, 15), static_cast<TGradientDirection>(d), clBtnFace, clBtnFace,
                  1);
    for (auto [x, y] : {std::pair{1, 1}, {20, 1}, {1, 14}, {20, 14}, {10, 8}})
      EXPECT_PIXEL(bmp_, x, y, clBtnFace);
    EXPECT_PIXEL(bmp_, 21, 15, kMarker);
  }
}

TEST_F(GradientTest, BoxFormsAreMirroredWithStopInTheCentre) {
  for (int d : {gdHorizontalBox, gdVerticalBox, gdSquareBox, gdBigSquareBox}) {
    SCOPED_TRACE(d);
    ClearBitmap(bmp_);
    PaintGradient(C(), Rect(0, 0, 21, 17), static_cast<TGradientDirection>(d), clYellow, clBlue,
                  1);
    for (auto [x, y] : {std::pair{0, 0}, {20, 0}, {0, 16}, {20, 16}})
      EXPECT_PIXEL(bmp_, x, y, clYellow);
    EXPECT_PIXEL(bmp_, 10, 8, clBlue);
    for (auto [x, y] : {std::pair{2, 3}, {5, 1}, {7, 6}, {1, 7}}) {
      const TColor c = bmp_.Canvas().Pixels(x, y);
      EXPECT_EQ(bmp_.Canvas().Pixels(20 - x, y), c);
      EXPECT_EQ(bmp_.Canvas().Pixels(x, 16 - y), c);
      EXPECT_EQ(bmp_.Canvas().Pixels(20 - x, 16 - y), c);
    }
  }
}

TEST_F(GradientTest, SmallBoxesAreSolidStart) {
  PaintGradient(C(), Rect(0, 0, 4, 10), gdSquareBox, clWhite, clBlack, 1);
  EXPECT_PIXEL(bmp_, 2, 5, clWhite);
  PaintGradient(C(), Rect(0, 0, 10, 4), gdBigSquareBox, clRed, clBlack, 1);
  EXPECT_PIXEL(bmp_, 5, 2, clRed);
}

TEST_F(GradientTest, DiagonalsRunCornerToCorner) {
  PaintGradient(C(), Rect(0, 0, 20, 12), gdDiagonalUp, clWhite, clBlack, 1);
  EXPECT_PIXEL(bmp_, 0, 11, clWhite);
  EXPECT_PIXEL(bmp_, 19, 0, clBlack);
  // The bands cross the diagonal evenly: the two other corners lie equally
  // far from its middle, so their greys add up to white (within rounding).
  const int tl = GetRValue(bmp_.Canvas().Pixels(0, 0));
  const int br = GetRValue(bmp_.Canvas().Pixels(19, 11));
  EXPECT_NEAR(tl + br, 255, 1);
  EXPECT_GT(tl, br);
  ClearBitmap(bmp_);
  PaintGradient(C(), Rect(0, 0, 20, 12), gdDiagonalDown, clWhite, clBlack, 1);
  EXPECT_PIXEL(bmp_, 19, 11, clWhite);
  EXPECT_PIXEL(bmp_, 0, 0, clBlack);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_NE(bmp_.Canvas().Pixels(x, y), kMarker);
}

}  // namespace
