// Colour arithmetic against values worked out by hand from the formulas.
// Notation: r, g, b are channel/255; h, s, l are the HSL bytes over 239 (hue,
// times 6) or 240; "->" is rounding to the nearest integer, ties to even.
#include <gtest/gtest.h>

#include "widgets/nvcommon.h"
#include "widgets/nvcommon_env.h"
#include "widgets_test_util.h"

namespace {

void ExpectHSL(TColor c, int h, int s, int l) {
  Byte H, S, L;
  ColorToHSL(c, H, S, L);
  EXPECT_EQ(H, h) << RgbText(c);
  EXPECT_EQ(S, s) << RgbText(c);
  EXPECT_EQ(L, l) << RgbText(c);
}

void ExpectRgb(TColor actual, int r, int g, int b) {
  EXPECT_EQ(RgbText(actual), RgbText(RGB(r, g, b)));
}

TEST(ColorToHSLTest, ButtonFaceAndGreys) {
  // clBtnFace (212, 208, 200): max 212, min 200. L = 412/510 = .807843,
  // x240 = 193.88 -> 194. d = 12/255; L >= .5 so S = 12/(510-412) = .122449,
  // x240 = 29.39 -> 29. Red is max: H = (208-200)/12 / 6 = .111111, x240 = 26.67 -> 27.
  ExpectHSL(clBtnFace, 27, 29, 194);
  // Greys have no hue or saturation: L(128) = 256/510 x 240 = 120.47 -> 120.
  ExpectHSL(RGB(128, 128, 128), 0, 0, 120);
  ExpectHSL(clBlack, 0, 0, 0);
  ExpectHSL(clWhite, 0, 0, 240);
  // Blue is max in (193, 210, 237): L = 430/510 x 240 = 202.35 -> 202;
  // S = 44/(510-430) = .55 -> 132; H = (4 + (193-210)/44)/6 = .602273 x240 = 144.55 -> 145.
  ExpectHSL(RGB(193, 210, 237), 145, 132, 202);
  // Negative hue wraps: (255, 0, 10): H = (0-10)/255/6 = -.006536 + 1 = .993464,
  // x240 = 238.43 -> 238; S = 1 -> 240; L = 255/510 -> 120.
  ExpectHSL(RGB(255, 0, 10), 238, 240, 120);
  EXPECT_EQ(ColorHue(RGB(255, 0, 10)), 238);
  EXPECT_EQ(ColorSaturation(clBtnFace), 29);
  EXPECT_EQ(ColorLuminance(clBtnFace), 194);
}

TEST(HSLtoColorTest, HueDivisorAndTies) {
  // (0, 0, 120): l = .5, v = l + s - ls = .5, m = 2l - v = .5; channels
  // .5 x 255 = 127.5 -> 128 (tie, to even).
  ExpectRgb(HSLtoColor(0, 0, 120), 128, 128, 128);
  // (239, 240, 120): h = 239/239 x 6 = 6 -> the sextant-0 branch with
  // fract 0: (v, m, m) = (1, 0, 0): pure red.
  ExpectRgb(HSLtoColor(239, 240, 120), 255, 0, 0);
  // (120, 240, 120): h = 120/239 x 6 = 3.012552, sextant 3 -> (m, mid2, v);
  // v = 1, m = 0, vsf = .012552, mid2 = .987448 x 255 = 251.80 -> 252.
  ExpectRgb(HSLtoColor(120, 240, 120), 0, 252, 255);
  // (40, 240, 60): h = 40/239 x 6 = 1.004184, sextant 1 -> (mid2, v, m);
  // l = .25 < .5: v = .25 x 2 = .5, m = 0, vsf = .5 x 1 x .004184 = .002092,
  // mid2 = .497908 x 255 = 126.97 -> 127; v -> 127.5 -> 128 (tie, to even).
  ExpectRgb(HSLtoColor(40, 240, 60), 127, 128, 0);
  // Luminance 0 gives black whatever the hue.
  ExpectRgb(HSLtoColor(100, 240, 0), 0, 0, 0);
}

TEST(DarkerLighterTest, ButtonFaceSteps) {
  // clBtnFace is HSL (27, 29, 194); h = 27/239 x 6 = .677824 (sextant 0,
  // fract = h), s = 29/240 = .120833.
  // By 10: l = 184/240 = .766667; v = l + s - ls = .794861; m = 2l - v = .738472;
  // vsf = (v - m) x fract = .038222; mid1 = m + vsf = .776694.
  // (v, mid1, m) x 255 = 202.69, 198.06, 188.31 -> (203, 198, 188).
  ExpectRgb(DarkerColor(clBtnFace, 10), 203, 198, 188);
  // By 20: l = .725; v = .758229; m = .691771; vsf = .045047; mid1 = .736818;
  // x255 = 193.35, 187.89, 176.40 -> (193, 188, 176).
  ExpectRgb(DarkerColor(clBtnFace, 20), 193, 188, 176);
  // By 40: l = 154/240 = .641667; v = .684913; m = .598420; vsf = .058627;
  // mid1 = .657047; x255 = 174.65, 167.55, 152.60 -> (175, 168, 153).
  ExpectRgb(DarkerColor(clBtnFace, 40), 175, 168, 153);
  // Grey 128 is L 120; +30 = 150, l = .625, s = 0: all channels .625 x 255 =
  // 159.375 -> 159.
  ExpectRgb(LighterColor(RGB(128, 128, 128), 30), 159, 159, 159);
}

TEST(DarkerLighterTest, LimitsAndTheLuminanceCap) {
  // Black: L 0 - 30 stays 0, v = 0 -> black.
  ExpectRgb(DarkerColor(clBlack, 30), 0, 0, 0);
  // White: L 240 + 30 is capped at 255, not 240: l = 1.0625, v = m = 1.0625,
  // each channel clamped to 1.0 -> white.
  ExpectRgb(LighterColor(clWhite, 30), 255, 255, 255);
  // Grey 128 (L 120) + 125 = 245: l = 1.020833 > 1, channels clamp to white.
  // With a 240 cap this would be 240 -> also white, so check a hue instead:
  // red (0, 240, 120) + 125 = 245: l = 1.020833, s = 1: v = l + s - ls = 1,
  // m = 2l - v = 1.041667 -> every channel clamps to 1.0: white.
  ExpectRgb(LighterColor(clRed, 125), 255, 255, 255);
  // Red + 60 = 180: l = .75, v = 1, m = .5 -> (v, m, m) = (255, 127.5 -> 128, 128).
  ExpectRgb(LighterColor(clRed, 60), 255, 128, 128);
}

TEST(AdjustColorTest, SignSelectsTheDirection) {
  // Zero keeps the value itself, system colour included.
  EXPECT_EQ(AdjustColor(clBtnFace, 0), clBtnFace);
  EXPECT_EQ(AdjustColor(clHotLight, 0), clHotLight);
  // Non-zero amounts return literal colours.
  EXPECT_EQ(AdjustColor(clBtnFace, -10), RGB(203, 198, 188));
  EXPECT_EQ(AdjustColor(RGB(128, 128, 128), 30), RGB(159, 159, 159));
  EXPECT_FALSE(IsSystemColor(AdjustColor(clBtnShadow, 1)));
  // The amount is taken as a byte: 266 is 10.
  EXPECT_EQ(AdjustColor(clBtnFace, -266), RGB(203, 198, 188));
}

TEST(BlendColorsTest, SinglePrecisionWeights) {
  // w = 77/255 = .301961; 1 - w = .698039 (255 x (1 - w) = 178).
  // R: 49w + 178 = 14.80 + 178 = 192.80 -> 193; G: 106w + 178 = 210.01 -> 210;
  // B: 197w + 178 = 237.49 -> 237.
  ExpectRgb(BlendColors(RGB(49, 106, 197), clWhite, 77), 193, 210, 237);
  // LighterColor of it by 20: HSL (145, 132, 202) -> L 222; h = 3.640167,
  // sextant 3 (m, mid2, v); l = .925, s = .55: v = .96625, m = .88375,
  // vsf = .0825 x .640167 = .052814, mid2 = .913436; x255 = 225.36, 232.93,
  // 246.39 -> (225, 233, 246).
  ExpectRgb(LighterColor(RGB(193, 210, 237), 20), 225, 233, 246);
  // The ends give one colour or the other; system colours are resolved.
  ExpectRgb(BlendColors(RGB(10, 20, 30), RGB(200, 100, 50), 255), 10, 20, 30);
  ExpectRgb(BlendColors(RGB(10, 20, 30), RGB(200, 100, 50), 0), 200, 100, 50);
  ExpectRgb(BlendColors(clBtnFace, clBlack, 255), 212, 208, 200);
  // Alpha 128: w = .501961; black over white: 255 x .498039 = 127.0 -> 127.
  ExpectRgb(BlendColors(clBlack, clWhite, 128), 127, 127, 127);
}

TEST(ColorsTooCloseTest, HueAndLuminanceBounds) {
  // White L 240; grey 200: L = 400/510 x 240 = 188.2 -> 188, 52 apart: close.
  EXPECT_TRUE(ColorsTooClose(clWhite, RGB(200, 200, 200)));
  // Grey 190: L = 380/510 x 240 = 178.8 -> 179, 61 apart: not close.
  EXPECT_FALSE(ColorsTooClose(clWhite, RGB(190, 190, 190)));
  // (255, 120, 0): H = 120/255/6 x 240 = 18.82 -> 19, L 120: 19 from red.
  EXPECT_TRUE(ColorsTooClose(clRed, RGB(255, 120, 0)));
  // (255, 128, 0): H = 128/255/6 x 240 = 20.08 -> 20: not close.
  EXPECT_FALSE(ColorsTooClose(clRed, RGB(255, 128, 0)));
  // Saturation is not compared: red and a grey of the same luminance and hue 0.
  EXPECT_TRUE(ColorsTooClose(clRed, RGB(128, 128, 128)));
}

TEST(ComplementaryColorTest, OppositeHueAtFullSaturation) {
  // Red H 0 -> 120 with red's own L 120: (0, 252, 255).
  ExpectRgb(ComplementaryColor(clRed), 0, 252, 255);
  // Given luminance 60: l = .25, v = .5, m = 0, h = 3.012552 (sextant 3):
  // mid2 = .5 - .5 x .012552 = .493724 x 255 = 125.90 -> 126; v -> 127.5 -> 128.
  ExpectRgb(ComplementaryColor(clRed, 60), 0, 126, 128);
  // Hue 145 (>= 120) goes to 25: h = 25/239 x 6 = .627615, sextant 0 (v, mid1, m);
  // with L 120: v = 1, m = 0, mid1 = .627615 x 255 = 160.04 -> 160.
  ExpectRgb(ComplementaryColor(RGB(193, 210, 237), 120), 255, 160, 0);
}

TEST(CenterRectTest, TruncatesTowardZero) {
  EXPECT_EQ(CenterRect(Rect(0, 0, 10, 10), 4, 4), Rect(3, 3, 7, 7));
  EXPECT_EQ(CenterRect(Rect(0, 0, 11, 10), 4, 3), Rect(3, 3, 7, 6));
  // (-5 + 0 - 2) / 2 = -3.5 truncates to -3 (not -4).
  EXPECT_EQ(CenterRect(Rect(-5, -5, 0, 0), 2, 2), Rect(-3, -3, -1, -1));
}

}  // namespace
