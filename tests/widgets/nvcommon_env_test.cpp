// Environment decisions and the gradient colour sets.
#include <gtest/gtest.h>

#include "widgets/nvcommon.h"
#include "widgets_test_util.h"

namespace {

// Restores FullColorSupported after a test that emulates a 256-colour screen.
class FullColorGuard {
 public:
  FullColorGuard() : saved_(FullColorSupported) {}
  ~FullColorGuard() { FullColorSupported = saved_; }

 private:
  bool saved_;
};

TEST(EnvironmentTest, NoThemesOnThisPlatform) {
  EXPECT_FALSE(ThemeServices().StylesLoaded());
  EXPECT_FALSE(ThemeServices().ThemesEnabled());
  EXPECT_FALSE(ThemesEnabled());
  EXPECT_EQ(GetXPColorScheme(), xpcsBlue);
  EXPECT_EQ(CurrentXPColorScheme, xpcsBlue);
  for (int e = xptcEditBorder; e <= xptcGroupBoxFont; ++e)
    EXPECT_EQ(GetXPThemeColor(static_cast<TNvXPThemeColor>(e)), clBtnFace);
}

TEST(EnvironmentTest, FullColourTakenAtStartUp) {
  // The offscreen screen is 32 bits deep.
  EXPECT_TRUE(IsFullColorSupported());
  EXPECT_TRUE(FullColorSupported);
}

TEST(EnvironmentTest, ThemeChangeReachesEverySubscriber) {
  TThemeServices& service = ThemeServices();
  int first = 0, second = 0;
  TObject* sender = nullptr;
  const int a = service.AddThemeChangeHandler([&](TObject* s) {
    ++first;
    sender = s;
  });
  const int b = service.AddThemeChangeHandler([&](TObject*) { ++second; });
  service.ThemeChanged();
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 1);
  EXPECT_EQ(sender, &service);
  service.RemoveThemeChangeHandler(a);
  service.ThemeChanged();
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);
  service.RemoveThemeChangeHandler(b);
  EXPECT_FALSE(service.ThemesEnabled());
}

TEST(GradientColorSetsTest, OfficeStyleWithoutThemesIsTheSystemLook) {
  for (TNvGradientColorStyle style : {gcsSystem, gcsMSOffice, gcsCustom}) {
    TColor start = 0, stop = 0, divider = 0;
    GetGradientPanelColors(style, start, stop);
    EXPECT_EQ(start, clWindow);
    EXPECT_EQ(stop, RGB(203, 198, 188));  // DarkerColor(clBtnFace, 10)
    GetGradientStatusBarColors(style, start, stop, divider);
    EXPECT_EQ(start, RGB(193, 188, 176));  // DarkerColor(clBtnFace, 20)
    EXPECT_EQ(stop, clWindow);
    EXPECT_EQ(divider, RGB(175, 168, 153));  // DarkerColor(clBtnFace, 40)
    // LighterColor(clBtnShadow 128 grey, 30) = 159 grey.
    EXPECT_EQ(GetGradientPanelFrameColor(style), RGB(159, 159, 159));
  }
}

TEST(GradientColorSetsTest, SelectionColors) {
  FullColorGuard guard;
  FullColorSupported = true;
  TColor frame = 0, start = 0, stop = 0;
  GetGradientSelectionColors(gcsMSOffice, frame, start, stop);
  EXPECT_EQ(frame, clHighlight);
  // base = BlendColors(clHighlight (10, 36, 106), white, 77): 10w + 178 = 181.02
  // -> 181; 36w + 178 = 188.87 -> 189; 106w + 178 = 210.01 -> 210.
  EXPECT_EQ(RgbText(stop), RgbText(RGB(181, 189, 210)));
  // LighterColor(base, 20): base HSL = (149, 58, 184) [H = (4 - 8/29)/6 x 240 =
  // 148.97, S = 29/119 x 240 = 58.49, L = 391/510 x 240 = 183.99]; L 204:
  // h = 3.740586 (sextant 3), s = .241667, l = .85: v = .88625, m = .81375,
  // mid2 = v - .0725 x .740586 = .832558; x255 = 207.51, 212.30, 225.99.
  EXPECT_EQ(RgbText(start), RgbText(RGB(208, 212, 226)));
  // A 256-colour screen gets no gradient.
  FullColorSupported = false;
  GetGradientSelectionColors(gcsSystem, frame, start, stop);
  EXPECT_EQ(start, stop);
  EXPECT_EQ(stop, RGB(181, 189, 210));
}

}  // namespace
