#include <gtest/gtest.h>

#include <QColor>
#include <QRect>

#include "framework/colors.h"
#include "framework/geometry.h"

TEST(Colors, SystemColoursResolveThroughTheClassicTable) {
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
  EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
  EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
  EXPECT_EQ(ColorToRGB(clWindowText), RGB(0, 0, 0));
  EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(128, 128, 128));
  EXPECT_EQ(ColorToRGB(clBtnHighlight), RGB(255, 255, 255));
  EXPECT_EQ(ColorToRGB(cl3DDkShadow), RGB(64, 64, 64));
  EXPECT_EQ(ColorToRGB(cl3DLight), RGB(212, 208, 200));
  EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
  EXPECT_EQ(ColorToRGB(clHotLight), RGB(0, 0, 128));
  EXPECT_EQ(ColorToRGB(clGradientActiveCaption), RGB(166, 202, 240));
  EXPECT_EQ(ColorToRGB(clGradientInactiveCaption), RGB(192, 192, 192));
  EXPECT_EQ(ColorToRGB(clGrayText), RGB(128, 128, 128));
  EXPECT_EQ(ColorToRGB(clHighlightText), RGB(255, 255, 255));
  EXPECT_EQ(ColorToRGB(clInactiveCaptionText), RGB(212, 208, 200));
}

TEST(Colors, SystemColourValuesAreTheClassicBitPatterns) {
  EXPECT_EQ(static_cast<uint32_t>(clScrollBar), 0x80000000u);
  EXPECT_EQ(static_cast<uint32_t>(clWindow), 0x80000005u);
  EXPECT_EQ(static_cast<uint32_t>(clHighlight), 0x8000000Du);
  EXPECT_EQ(static_cast<uint32_t>(clBtnFace), 0x8000000Fu);
  EXPECT_EQ(static_cast<uint32_t>(clInactiveCaptionText), 0x80000013u);
  EXPECT_EQ(static_cast<uint32_t>(cl3DDkShadow), 0x80000015u);
  EXPECT_EQ(static_cast<uint32_t>(clInfoBk), 0x80000018u);
  EXPECT_EQ(static_cast<uint32_t>(clHotLight), 0x8000001Au);
  EXPECT_EQ(static_cast<uint32_t>(clGradientActiveCaption), 0x8000001Bu);
  EXPECT_EQ(static_cast<uint32_t>(clMenuBar), 0x8000001Eu);
  EXPECT_EQ(clNone, 0x1FFFFFFF);
  EXPECT_EQ(clDefault, 0x20000000);
}

TEST(Colors, LiteralAndSpecialValuesPassUnchanged) {
  EXPECT_EQ(ColorToRGB(0x21A121), 0x21A121);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(clDefault), clDefault);
  // Unknown system indices (25 and beyond the table) resolve to black.
  EXPECT_EQ(ColorToRGB(TColorFromBits(0x80000019u)), clBlack);
  EXPECT_EQ(ColorToRGB(TColorFromBits(0x800000FFu)), clBlack);
  EXPECT_EQ(GetSysColor(-1), clBlack);
}

TEST(Colors, NamedColoursAreBlueGreenRed) {
  EXPECT_EQ(clRed, RGB(255, 0, 0));
  EXPECT_EQ(clBlue, RGB(0, 0, 255));
  EXPECT_EQ(clNavy, RGB(0, 0, 128));
  EXPECT_EQ(clMaroon, RGB(128, 0, 0));
  EXPECT_EQ(clTeal, RGB(0, 128, 128));
  EXPECT_EQ(clOlive, RGB(128, 128, 0));
  EXPECT_EQ(clSkyBlue, RGB(166, 202, 240));
  EXPECT_EQ(clMoneyGreen, RGB(192, 220, 192));
  EXPECT_EQ(clCream, RGB(255, 251, 240));
  EXPECT_EQ(clMedGray, RGB(160, 160, 164));
  EXPECT_EQ(GetRValue(0x80521C), 0x1C);
  EXPECT_EQ(GetGValue(0x80521C), 0x52);
  EXPECT_EQ(GetBValue(0x80521C), 0x80);
}

TEST(Colors, QtConversionRoundTrips) {
  QColor q = ColorToQColor(clBtnFace);
  EXPECT_EQ(q, QColor(212, 208, 200));
  EXPECT_EQ(ColorToQColor(0x80521C), QColor(0x1C, 0x52, 0x80));
  EXPECT_EQ(QColorToColor(QColor(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(ColorToQColor(clNone).alpha(), 0);
  EXPECT_EQ(QColorToColor(QColor(0, 0, 0, 0)), clNone);
  EXPECT_STREQ(ColorToIdent(clBtnFace), "clBtnFace");
  EXPECT_STREQ(ColorToIdent(0x123456), "$00123456");
}

TEST(Geometry, RectanglesAreHalfOpen) {
  TRect r = Bounds(10, 20, 5, 4);
  EXPECT_EQ(r, Rect(10, 20, 15, 24));
  EXPECT_TRUE(PtInRect(r, {10, 20}));
  EXPECT_TRUE(PtInRect(r, {14, 23}));
  EXPECT_FALSE(PtInRect(r, {15, 23}));
  EXPECT_FALSE(PtInRect(r, {14, 24}));
  EXPECT_FALSE(PtInRect(r, {9, 20}));
}

TEST(Geometry, IntersectInflateOffsetAndUnion) {
  TRect d;
  EXPECT_TRUE(IntersectRect(d, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
  EXPECT_EQ(d, Rect(5, 5, 10, 10));
  d = Rect(1, 1, 2, 2);
  EXPECT_FALSE(IntersectRect(d, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)));  // touching only
  EXPECT_EQ(d, TRect());
  TRect r = Rect(5, 5, 10, 10);
  InflateRect(r, -1, 2);
  EXPECT_EQ(r, Rect(6, 3, 9, 12));
  OffsetRect(r, -6, 1);
  EXPECT_EQ(r, Rect(0, 4, 3, 13));
  EXPECT_TRUE(UnionRect(d, Rect(0, 0, 1, 1), Rect(4, 4, 5, 6)));
  EXPECT_EQ(d, Rect(0, 0, 5, 6));
  EXPECT_TRUE(UnionRect(d, TRect(), Rect(4, 4, 5, 6)));
  EXPECT_EQ(d, Rect(4, 4, 5, 6));
  EXPECT_TRUE(IsRectEmpty(Rect(3, 3, 3, 9)));
  EXPECT_EQ(ToQRect(Rect(1, 2, 11, 22)), QRect(1, 2, 10, 20));
  EXPECT_EQ(FromQRect(QRect(1, 2, 10, 20)), Rect(1, 2, 11, 22));
}
