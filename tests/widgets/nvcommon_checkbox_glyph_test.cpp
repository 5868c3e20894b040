// The owner-drawn 13 x 13 check-box glyph and the gradient highlight ring.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "widgets/nvcommon.h"
#include "widgets_test_util.h"

namespace {

constexpr TColor kFrame = RGB(10, 20, 30);
constexpr TColor kCheck = RGB(0, 100, 0);
constexpr TColor kFill = RGB(250, 250, 240);
constexpr TColor kFocus = RGB(200, 220, 255);
constexpr TColor kDisabled = RGB(230, 230, 230);
constexpr TColor kReadOnly = RGB(255, 255, 200);

class CheckGlyphTest : public ::testing::Test {
 protected:
  CheckGlyphTest() : bmp_(17, 17) { ClearBitmap(bmp_); }

  void Draw(TCheckBoxState state, TNvButtonDisplayState display, bool focused = false,
            TNvButtonHotTrackStyle hot = htsInterior, bool readOnly = false,
            bool readOnlyOnFocus = false) {
    DrawCheckBox(bmp_.Canvas(), Rect(2, 2, 15, 15), state, display, focused, hot, kFrame, kCheck,
                 kFill, kFocus, kDisabled, clWhite, clRed, readOnly, readOnlyOnFocus, kReadOnly);
  }
  // Pixel relative to the box's top-left corner.
  TColor At(int x, int y) { return bmp_.Canvas().Pixels(2 + x, 2 + y); }

  TBitmap bmp_;
};

// The 21 tick pixels: columns 3..9 from rows 5, 6, 7, 6, 5, 4, 3, three deep.
std::set<std::pair<int, int>> TickPixels() {
  const int top[7] = {5, 6, 7, 6, 5, 4, 3};
  std::set<std::pair<int, int>> s;
  for (int c = 0; c < 7; ++c)
    for (int r = 0; r < 3; ++r) s.insert({3 + c, top[c] + r});
  return s;
}

TEST_F(CheckGlyphTest, CheckedTickPixelForPixel) {
  Draw(cbChecked, bdsNormal);
  const auto tick = TickPixels();
  ASSERT_EQ(tick.size(), 21u);
  for (int y = 0; y < 13; ++y) {
    for (int x = 0; x < 13; ++x) {
      const bool frame = x == 0 || y == 0 || x == 12 || y == 12;
      const TColor want = frame ? kFrame : tick.count({x, y}) ? kCheck : kFill;
      EXPECT_EQ(RgbText(At(x, y)), RgbText(want)) << x << "," << y;
    }
  }
  EXPECT_PIXEL(bmp_, 1, 1, kMarker);
  EXPECT_PIXEL(bmp_, 15, 15, kMarker);
}

TEST_F(CheckGlyphTest, UncheckedAndGrayed) {
  Draw(cbUnchecked, bdsNormal);
  EXPECT_EQ(At(5, 7), kFill);
  EXPECT_EQ(At(6, 8), kFill);
  Draw(cbGrayed, bdsNormal);
  // A 7 x 7 square three pixels from the edge.
  EXPECT_EQ(At(2, 2), kFill);
  EXPECT_EQ(At(3, 3), kCheck);
  EXPECT_EQ(At(9, 9), kCheck);
  EXPECT_EQ(At(10, 10), kFill);
  EXPECT_EQ(At(0, 0), kFrame);
}

TEST_F(CheckGlyphTest, FillByDisplayState) {
  Draw(cbChecked, bdsDisabled);
  // Disabled: the tick in clBtnShadow on the disabled colour.
  EXPECT_EQ(RgbText(At(5, 7)), RgbText(clBtnShadow));
  EXPECT_EQ(At(1, 1), kDisabled);
  Draw(cbUnchecked, bdsNormal, true);
  EXPECT_EQ(At(6, 6), kFocus);
  Draw(cbUnchecked, bdsDown);
  EXPECT_EQ(At(6, 6), DarkerColor(kFocus, 20));
  Draw(cbUnchecked, bdsNormal, false, htsInterior, true);
  EXPECT_EQ(At(6, 6), kReadOnly);
  // Focused read-only uses the read-only colour only when asked to.
  Draw(cbUnchecked, bdsNormal, true, htsInterior, true, false);
  EXPECT_EQ(At(6, 6), kFocus);
  Draw(cbUnchecked, bdsNormal, true, htsInterior, true, true);
  EXPECT_EQ(At(6, 6), kReadOnly);
}

TEST_F(CheckGlyphTest, HotFrameAndHotInterior) {
  Draw(cbUnchecked, bdsHot, false, htsFrame);
  EXPECT_EQ(At(0, 0), clRed);  // frame in the hot stop colour
  EXPECT_EQ(At(1, 1), clRed);  // second ring inside
  EXPECT_EQ(At(2, 2), kFill);
  Draw(cbUnchecked, bdsHot, false, htsInterior);
  EXPECT_EQ(At(0, 0), kFrame);
  // A 2-pixel gradient ring inside the frame; the centre keeps the fill.
  EXPECT_NE(At(1, 6), kFill);
  EXPECT_NE(At(2, 6), kFill);
  EXPECT_EQ(At(3, 6), kFill);
  EXPECT_EQ(At(6, 6), kFill);
}

TEST_F(CheckGlyphTest, NoHighlightRingOnA256ColourScreen) {
  const bool saved = FullColorSupported;
  FullColorSupported = false;
  Draw(cbUnchecked, bdsHot, false, htsInterior);
  FullColorSupported = saved;
  EXPECT_EQ(At(1, 1), kFill);
  EXPECT_EQ(At(2, 6), kFill);
}

}  // namespace
