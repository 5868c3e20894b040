// Frames and borders on offscreen bitmaps: corner pixels, returned rectangles
// and the check-box glyph. Unpainted pixels keep the marker colour.
#include <gtest/gtest.h>

#include "widgets/nvcommon.h"
#include "widgets_test_util.h"

namespace {

class FramesTest : public ::testing::Test {
 protected:
  FramesTest() : bmp_(20, 20) { ClearBitmap(bmp_); }
  TCanvas& C() { return bmp_.Canvas(); }
  TBitmap bmp_;
};

TEST_F(FramesTest, SidesOwnCornersAndMoveInward) {
  TRect r = DrawSides(C(), Rect(0, 0, 10, 8), clRed, clBlue, AllSides);
  EXPECT_EQ(r, Rect(1, 1, 9, 7));
  EXPECT_PIXEL(bmp_, 0, 0, clRed);
  EXPECT_PIXEL(bmp_, 0, 6, clRed);
  EXPECT_PIXEL(bmp_, 8, 0, clRed);
  // Right and bottom are drawn last: they own top-right and bottom-left.
  EXPECT_PIXEL(bmp_, 9, 0, clBlue);
  EXPECT_PIXEL(bmp_, 0, 7, clBlue);
  EXPECT_PIXEL(bmp_, 9, 7, clBlue);
  EXPECT_PIXEL(bmp_, 10, 0, kMarker);
  EXPECT_PIXEL(bmp_, 1, 1, kMarker);
}

TEST_F(FramesTest, NoneColourSuppressesLinesButNotTheInset) {
  TRect r = DrawSides(C(), Rect(0, 0, 10, 10), clNone, clBlue, MakeSides({sdLeft, sdBottom}));
  EXPECT_EQ(r, Rect(1, 0, 10, 9));
  EXPECT_PIXEL(bmp_, 0, 0, kMarker);  // left side suppressed
  EXPECT_PIXEL(bmp_, 0, 9, clBlue);   // bottom drawn
  EXPECT_PIXEL(bmp_, 9, 0, kMarker);  // right not in the set
}

TEST_F(FramesTest, BevelWidthZeroAndEmptyRectangles) {
  EXPECT_EQ(DrawBevel(C(), Rect(2, 2, 9, 9), clRed, clRed, 0, AllSides), Rect(2, 2, 9, 9));
  EXPECT_EQ(DrawBevel(C(), Rect(2, 2, 9, 9), clRed, clRed, 2, AllSides), Rect(4, 4, 7, 7));
  EXPECT_PIXEL(bmp_, 3, 3, clRed);
  EXPECT_PIXEL(bmp_, 4, 4, kMarker);
  // An inverted rectangle draws nothing and still comes back shrunk.
  ClearBitmap(bmp_);
  EXPECT_EQ(DrawBorder(C(), Rect(8, 8, 4, 4), fsFlat), Rect(9, 9, 3, 3));
  for (int x = 0; x < 12; ++x) EXPECT_PIXEL(bmp_, x, 8, kMarker);
}

TEST_F(FramesTest, GrooveOnTopOnly) {
  TBitmap wide(499, 6);
  ClearBitmap(wide);
  TRect r = DrawBorderSides(wide.Canvas(), Rect(0, 0, 499, 6), fsGroove, SideBit(sdTop));
  EXPECT_EQ(r, Rect(0, 2, 499, 6));
  for (int x : {0, 1, 250, 497, 498}) {
    EXPECT_PIXEL(wide, x, 0, clBtnShadow);
    EXPECT_PIXEL(wide, x, 1, clBtnHighlight);
    EXPECT_PIXEL(wide, x, 2, kMarker);
  }
}

TEST_F(FramesTest, GrooveAndBumpAllSides) {
  TRect r = DrawBorder(C(), Rect(0, 0, 10, 10), fsGroove);
  EXPECT_EQ(r, Rect(2, 2, 8, 8));
  EXPECT_PIXEL(bmp_, 0, 0, clBtnShadow);
  EXPECT_PIXEL(bmp_, 1, 1, clBtnHighlight);
  EXPECT_PIXEL(bmp_, 8, 0, clBtnShadow);     // UL ring's right side at R-2
  EXPECT_PIXEL(bmp_, 9, 0, clBtnHighlight);  // end pixel (R-1, T)
  EXPECT_PIXEL(bmp_, 9, 9, clBtnHighlight);
  EXPECT_PIXEL(bmp_, 0, 9, clBtnHighlight);  // end pixel (L, B-1)
  ClearBitmap(bmp_);
  DrawBorder(C(), Rect(0, 0, 10, 10), fsBump);
  EXPECT_PIXEL(bmp_, 0, 0, clBtnHighlight);
  EXPECT_PIXEL(bmp_, 1, 1, clBtnShadow);
  EXPECT_PIXEL(bmp_, 9, 9, clBtnShadow);
}

TEST_F(FramesTest, EdgeStylesCorners) {
  struct Case {
    TFrameStyleEx style;
    TColor outerUL, outerLR, innerUL, innerLR;
  };
  const Case cases[] = {
      {fsLowered, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight},
      {fsRaised, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
      {fsButtonDown, clBtnText, clBtnText, clBtnShadow, clBtnShadow},
      {fsButtonUp, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    ClearBitmap(bmp_);
    EXPECT_EQ(DrawBorder(C(), Rect(0, 0, 10, 10), c.style), Rect(2, 2, 8, 8));
    EXPECT_PIXEL(bmp_, 0, 0, c.outerUL);
    EXPECT_PIXEL(bmp_, 8, 0, c.outerUL);
    EXPECT_PIXEL(bmp_, 9, 0, c.outerLR);
    EXPECT_PIXEL(bmp_, 0, 9, c.outerLR);
    EXPECT_PIXEL(bmp_, 1, 1, c.innerUL);
    EXPECT_PIXEL(bmp_, 8, 1, c.innerLR);
    EXPECT_PIXEL(bmp_, 8, 8, c.innerLR);
    EXPECT_PIXEL(bmp_, 2, 2, kMarker);
  }
}

TEST_F(FramesTest, OneRingStylesAndFlatBold) {
  EXPECT_EQ(DrawBorder(C(), Rect(0, 0, 6, 6), fsStatus), Rect(1, 1, 5, 5));
  EXPECT_PIXEL(bmp_, 0, 0, clBtnShadow);
  EXPECT_PIXEL(bmp_, 5, 5, clBtnHighlight);
  ClearBitmap(bmp_);
  DrawBorder(C(), Rect(0, 0, 6, 6), fsPopup);
  EXPECT_PIXEL(bmp_, 0, 0, clBtnHighlight);
  EXPECT_PIXEL(bmp_, 5, 0, clBtnShadow);
  ClearBitmap(bmp_);
  DrawBorder(C(), Rect(0, 0, 6, 6), fsFlat);
  EXPECT_PIXEL(bmp_, 0, 0, cl3DDkShadow);
  EXPECT_PIXEL(bmp_, 5, 5, cl3DDkShadow);
  ClearBitmap(bmp_);
  EXPECT_EQ(DrawBorder(C(), Rect(0, 0, 6, 6), fsFlatBold), Rect(2, 2, 4, 4));
  EXPECT_PIXEL(bmp_, 1, 1, clBtnShadow);
  EXPECT_PIXEL(bmp_, 2, 2, kMarker);
  ClearBitmap(bmp_);
  EXPECT_EQ(DrawBorder(C(), Rect(0, 0, 6, 6), fsNone), Rect(0, 0, 6, 6));
  EXPECT_PIXEL(bmp_, 0, 0, kMarker);
}

TEST_F(FramesTest, ColourBordersDeriveFromOneColour) {
  const TColor grey = RGB(128, 128, 128);  // L 120
  // D50: L 70 -> 70/240 x 255 = 74.375 -> 74; L100: L 220 -> 233.75 -> 234.
  DrawColorBorder(C(), Rect(0, 0, 10, 10), grey, fsStatus);
  EXPECT_PIXEL(bmp_, 0, 0, RGB(74, 74, 74));
  EXPECT_PIXEL(bmp_, 9, 9, RGB(234, 234, 234));
  ClearBitmap(bmp_);
  // Button up: outer L100 / D100 (L 20 -> 21.25 -> 21); inner L40 (L 160 ->
  // 170) / D50.
  DrawColorBorder(C(), Rect(0, 0, 10, 10), grey, fsButtonUp);
  EXPECT_PIXEL(bmp_, 0, 0, RGB(234, 234, 234));
  EXPECT_PIXEL(bmp_, 9, 9, RGB(21, 21, 21));
  EXPECT_PIXEL(bmp_, 1, 1, RGB(170, 170, 170));
  EXPECT_PIXEL(bmp_, 8, 8, RGB(74, 74, 74));
}

TEST_F(FramesTest, BoxCornersAndDashedAndFocusBorders) {
  EXPECT_EQ(DrawBox(C(), Rect(0, 0, 5, 5), clRed), Rect(1, 1, 4, 4));
  EXPECT_PIXEL(bmp_, 4, 4, clRed);
  ClearBitmap(bmp_);
  DrawBoxCorners(C(), Rect(0, 0, 10, 10), clRed, 3);
  for (auto [x, y] : {std::pair{0, 0},
                      {2, 0},
                      {0, 2},
                      {7, 0},
                      {9, 0},
                      {9, 2},
                      {9, 9},
                      {7, 9},
                      {9, 7},
                      {0, 9},
                      {2, 9},
                      {0, 7}})
    EXPECT_PIXEL(bmp_, x, y, clRed);
  for (auto [x, y] : {std::pair{3, 0}, {6, 0}, {9, 3}, {0, 3}, {0, 6}, {3, 9}, {6, 9}, {9, 6}})
    EXPECT_PIXEL(bmp_, x, y, kMarker);
  ClearBitmap(bmp_);
  // Focus border: every second pixel, starting with the second, black.
  EXPECT_EQ(DrawFocusBorder(C(), Rect(0, 0, 7, 6)), Rect(1, 1, 6, 5));
  EXPECT_PIXEL(bmp_, 0, 0, kMarker);
  EXPECT_PIXEL(bmp_, 1, 0, clBlack);
  EXPECT_PIXEL(bmp_, 2, 0, kMarker);
  EXPECT_PIXEL(bmp_, 5, 0, clBlack);
  EXPECT_PIXEL(bmp_, 0, 1, clBlack);
  EXPECT_PIXEL(bmp_, 0, 3, clBlack);
  EXPECT_PIXEL(bmp_, 0, 4, kMarker);
  EXPECT_PIXEL(bmp_, 6, 1, clBlack);
  EXPECT_PIXEL(bmp_, 3, 5, clBlack);
  EXPECT_PIXEL(bmp_, 2, 5, kMarker);
  ClearBitmap(bmp_);
  // Dashed: a dotted outline (3 on, 3 off) and the brush back to solid.
  EXPECT_EQ(DrawDashedBorder(C(), Rect(0, 0, 12, 12), clRed), Rect(1, 1, 11, 11));
  EXPECT_PIXEL(bmp_, 0, 0, clRed);
  EXPECT_PIXEL(bmp_, 4, 0, kMarker);
  EXPECT_EQ(C().Brush().Style(), bsSolid);
}

TEST_F(FramesTest, RoundedFlatBorderCutsCorners) {
  EXPECT_EQ(DrawRoundedFlatBorder(C(), Rect(0, 0, 8, 8), clRed, AllSides), Rect(2, 2, 6, 6));
  EXPECT_PIXEL(bmp_, 0, 0, kMarker);
  EXPECT_PIXEL(bmp_, 1, 0, kMarker);
  EXPECT_PIXEL(bmp_, 2, 0, clRed);
  EXPECT_PIXEL(bmp_, 5, 0, clRed);
  EXPECT_PIXEL(bmp_, 6, 0, kMarker);
  EXPECT_PIXEL(bmp_, 1, 1, clRed);
  EXPECT_PIXEL(bmp_, 6, 6, clRed);
  EXPECT_PIXEL(bmp_, 7, 7, kMarker);
  EXPECT_PIXEL(bmp_, 7, 2, clRed);
}

TEST_F(FramesTest, InnerOuterComposer) {
  // fsNone, fsNone, no band: nothing drawn, rectangle unchanged.
  EXPECT_EQ(DrawInnerOuterBorders(C(), Rect(0, 0, 10, 10), fsNone, fsNone, 0, AllSides, 1,
                                  clBtnFace, clBtnHighlight, clBtnShadow, clBtnShadow, 30, clWhite,
                                  clBtnFace, false),
            Rect(0, 0, 10, 10));
  EXPECT_PIXEL(bmp_, 0, 0, kMarker);
  // Flat outer in AdjustColor(grey 128, 30) = 159 grey, band of 2 in red,
  // status inner with bevel 1.
  EXPECT_EQ(DrawInnerOuterBorders(C(), Rect(0, 0, 12, 12), fsFlat, fsStatus, 2, AllSides, 1, clRed,
                                  clBtnHighlight, clBtnShadow, RGB(128, 128, 128), 30, clWhite,
                                  clBtnFace, false),
            Rect(4, 4, 8, 8));
  EXPECT_PIXEL(bmp_, 0, 0, RGB(159, 159, 159));
  EXPECT_PIXEL(bmp_, 1, 1, clRed);
  EXPECT_PIXEL(bmp_, 2, 2, clRed);
  EXPECT_PIXEL(bmp_, 3, 3, clBtnShadow);
  EXPECT_PIXEL(bmp_, 8, 8, clBtnHighlight);
  EXPECT_PIXEL(bmp_, 4, 4, kMarker);
  // Popup outer uses BorderHighlight / BorderShadow with BevelWidth.
  ClearBitmap(bmp_);
  EXPECT_EQ(
      DrawInnerOuterBorders(C(), Rect(0, 0, 10, 10), fsPopup, fsNone, 0, AllSides, 2, clBtnFace,
                            clYellow, clGreen, clBtnShadow, 0, clWhite, clBtnFace, false),
      Rect(2, 2, 8, 8));
  EXPECT_PIXEL(bmp_, 1, 1, clYellow);
  EXPECT_PIXEL(bmp_, 8, 8, clGreen);
}

TEST_F(FramesTest, RoundedOuterPaintsTheParentInTheCorners) {
  DrawInnerOuterBorders(C(), Rect(0, 0, 10, 10), fsFlatRounded, fsNone, 0, AllSides, 1, clBtnFace,
                        clBtnHighlight, clBtnShadow, clBlue, 0, clWhite, clRed, false);
  EXPECT_PIXEL(bmp_, 0, 0, clRed);    // parent colour in the cut corner
  EXPECT_PIXEL(bmp_, 1, 1, clBlue);   // rounded corner pixel
  EXPECT_PIXEL(bmp_, 2, 1, clWhite);  // ring in the control's colour
  EXPECT_PIXEL(bmp_, 2, 0, clBlue);
}

TEST_F(FramesTest, EditFrame) {
  // Two-pixel band in the colour, then the flat frame ring.
  DrawFrame(C(), 10, 10, fsFlat, clYellow, clRed, AllSides);
  EXPECT_PIXEL(bmp_, 0, 0, clRed);
  EXPECT_PIXEL(bmp_, 1, 1, clYellow);
  EXPECT_PIXEL(bmp_, 8, 8, clYellow);
  EXPECT_PIXEL(bmp_, 2, 2, kMarker);
  ClearBitmap(bmp_);
  // A window-coloured edit takes the system-colour frame.
  DrawFrame(C(), 10, 10, fsLowered, clWindow, clRed, AllSides);
  EXPECT_PIXEL(bmp_, 0, 0, clBtnShadow);
  EXPECT_PIXEL(bmp_, 1, 1, cl3DDkShadow);
}

}  // namespace
