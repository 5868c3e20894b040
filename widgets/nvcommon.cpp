#include "widgets/nvcommon.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Nearest integer, ties to even (the default floating-point rounding mode).
long RoundEven(long double v) {
  return std::lrint(v);
}

Byte ToByteChannel(long double v) {
  // A channel above 1.0 (luminance bytes above 240) is white; one below 0.0
  // (saturation bytes above 240) is black rather than a wrapped byte.
  v = std::clamp(v, 0.0L, 1.0L);
  return static_cast<Byte>(RoundEven(v * 255.0L));
}

Byte ToHSLByte(long double v) {
  return static_cast<Byte>(RoundEven(v * 240.0L));
}

}  // namespace

void ColorToHSL(TColor color, Byte& H, Byte& S, Byte& L) {
  const TColor rgb = ColorToRGB(color);
  const long double r = GetRValue(rgb) / 255.0L;
  const long double g = GetGValue(rgb) / 255.0L;
  const long double b = GetBValue(rgb) / 255.0L;
  const long double mx = std::max({r, g, b});
  const long double mn = std::min({r, g, b});
  const long double l = (mx + mn) / 2.0L;
  long double h = 0.0L;
  long double s = 0.0L;
  if (mx != mn) {
    const long double d = mx - mn;
    s = l < 0.5L ? d / (mx + mn) : d / (2.0L - mx - mn);
    if (r == mx) {
      h = (g - b) / d;
    } else if (g == mx) {
      h = 2.0L + (b - r) / d;
    } else {
      h = 4.0L + (r - g) / d;
    }
    h = h / 6.0L;
    if (h < 0.0L) h = h + 1.0L;
  }
  H = ToHSLByte(h);
  S = ToHSLByte(s);
  L = ToHSLByte(l);
}

Byte ColorHue(TColor color) {
  Byte h, s, l;
  ColorToHSL(color, h, s, l);
  return h;
}

Byte ColorSaturation(TColor color) {
  Byte h, s, l;
  ColorToHSL(color, h, s, l);
  return s;
}

Byte ColorLuminance(TColor color) {
  Byte h, s, l;
  ColorToHSL(color, h, s, l);
  return l;
}

TColor HSLtoColor(Byte H, Byte S, Byte L) {
  const long double h = H / 239.0L * 6.0L;
  const long double s = S / 240.0L;
  const long double l = L / 240.0L;
  const long double v = l < 0.5L ? l * (1.0L + s) : l + s - l * s;
  if (v <= 0.0L) return RGB(0, 0, 0);
  const long double m = 2.0L * l - v;
  const long sextant = static_cast<long>(std::trunc(h));
  const long double fract = h - sextant;
  const long double vsf = v * ((v - m) / v) * fract;
  const long double mid1 = m + vsf;
  const long double mid2 = v - vsf;
  long double r, g, b;
  switch (sextant) {
    case 1:
      r = mid2, g = v, b = m;
      break;
    case 2:
      r = m, g = v, b = mid1;
      break;
    case 3:
      r = m, g = mid2, b = v;
      break;
    case 4:
      r = mid1, g = m, b = v;
      break;
    case 5:
      r = v, g = m, b = mid2;
      break;
    default:
      r = v, g = mid1, b = m;
      break;
  }
  return RGB(ToByteChannel(r), ToByteChannel(g), ToByteChannel(b));
}

TColor DarkerColor(TColor color, Byte percent) {
  Byte h, s, l;
  ColorToHSL(color, h, s, l);
  const int lum = std::max(static_cast<int>(l) - percent, 0);
  return HSLtoColor(h, s, static_cast<Byte>(lum));
}

TColor LighterColor(TColor color, Byte percent) {
  Byte h, s, l;
  ColorToHSL(color, h, s, l);
  const int lum = std::min(static_cast<int>(l) + percent, 255);
  return HSLtoColor(h, s, static_cast<Byte>(lum));
}

TColor AdjustColor(TColor color, Integer adjustment) {
  if (adjustment < 0) return DarkerColor(color, static_cast<Byte>(-adjustment));
  if (adjustment > 0) return LighterColor(color, static_cast<Byte>(adjustment));
  return color;
}

TColor BlendColors(TColor fore, TColor back, Byte alpha) {
  const TColor f = ColorToRGB(fore);
  const TColor k = ColorToRGB(back);
  const float w = alpha / 255.0f;
  const long double lw = w;
  auto mix = [lw](Byte a, Byte b) {
    return static_cast<Byte>(RoundEven(a * lw + b * (1.0L - lw)));
  };
  return RGB(mix(GetRValue(f), GetRValue(k)), mix(GetGValue(f), GetGValue(k)),
             mix(GetBValue(f), GetBValue(k)));
}

bool ColorsTooClose(TColor c1, TColor c2) {
  Byte h1, s1, l1, h2, s2, l2;
  ColorToHSL(c1, h1, s1, l1);
  ColorToHSL(c2, h2, s2, l2);
  return std::abs(h1 - h2) < 20 && std::abs(l1 - l2) < 60;
}

TColor ComplementaryColor(TColor color, Byte luminance) {
  const Byte h = ColorHue(color);
  const Byte opposite = static_cast<Byte>(h < 120 ? h + 120 : h - 120);
  return HSLtoColor(opposite, 240, luminance);
}

TColor ComplementaryColor(TColor color) {
  return ComplementaryColor(color, ColorLuminance(color));
}

TRect CenterRect(const TRect& rect, Integer width, Integer height) {
  TRect r;
  r.Left = (rect.Left + rect.Right - width) / 2;
  r.Top = (rect.Top + rect.Bottom - height) / 2;
  r.Right = r.Left + width;
  r.Bottom = r.Top + height;
  return r;
}
