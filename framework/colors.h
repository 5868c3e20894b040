// TColor: a 32-bit colour value.
//
//   0x00BBGGRR             a literal colour (red in the low byte)
//   0x80000000 + index     a system colour, resolved by ColorToRGB
//   clNone    0x1FFFFFFF   "no colour": lines and fills in it are suppressed
//   clDefault 0x20000000   "the control's default colour"
//
// System colours resolve through ONE fixed table, a classic grey desktop
// palette, identical on every machine so that drawing is reproducible:
//
//   idx name                       R    G    B
//    0  clScrollBar               212  208  200
//    1  clBackground               58  110  165
//    2  clActiveCaption            10   36  106
//    3  clInactiveCaption         128  128  128
//    4  clMenu                    212  208  200
//    5  clWindow                  255  255  255
//    6  clWindowFrame               0    0    0
//    7  clMenuText                  0    0    0
//    8  clWindowText                0    0    0
//    9  clCaptionText             255  255  255
//   10  clActiveBorder            212  208  200
//   11  clInactiveBorder          212  208  200
//   12  clAppWorkSpace            128  128  128
//   13  clHighlight                10   36  106
//   14  clHighlightText           255  255  255
//   15  clBtnFace                 212  208  200
//   16  clBtnShadow               128  128  128
//   17  clGrayText                128  128  128
//   18  clBtnText                   0    0    0
//   19  clInactiveCaptionText     212  208  200
//   20  clBtnHighlight            255  255  255
//   21  cl3DDkShadow               64   64   64
//   22  cl3DLight                 212  208  200
//   23  clInfoText                  0    0    0
//   24  clInfoBk                  255  255  225
//   25  (unused)                    0    0    0
//   26  clHotLight                  0    0  128
//   27  clGradientActiveCaption   166  202  240
//   28  clGradientInactiveCaption 192  192  192
//   29  clMenuHighlight            10   36  106
//   30  clMenuBar                 212  208  200
//   any other index resolves to black.
#pragma once

#include <cstdint>
#include <string>

class QColor;

using TColor = int32_t;

constexpr TColor TColorFromBits(uint32_t bits) {
  return static_cast<TColor>(bits);
}

// Named literal colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr uint32_t clSystemColor = 0x80000000u;
constexpr int SystemColorCount = 31;

// System colours by index.
constexpr TColor clScrollBar = TColorFromBits(clSystemColor | 0);
constexpr TColor clBackground = TColorFromBits(clSystemColor | 1);
constexpr TColor clActiveCaption = TColorFromBits(clSystemColor | 2);
constexpr TColor clInactiveCaption = TColorFromBits(clSystemColor | 3);
constexpr TColor clMenu = TColorFromBits(clSystemColor | 4);
constexpr TColor clWindow = TColorFromBits(clSystemColor | 5);
constexpr TColor clWindowFrame = TColorFromBits(clSystemColor | 6);
constexpr TColor clMenuText = TColorFromBits(clSystemColor | 7);
constexpr TColor clWindowText = TColorFromBits(clSystemColor | 8);
constexpr TColor clCaptionText = TColorFromBits(clSystemColor | 9);
constexpr TColor clActiveBorder = TColorFromBits(clSystemColor | 10);
constexpr TColor clInactiveBorder = TColorFromBits(clSystemColor | 11);
constexpr TColor clAppWorkSpace = TColorFromBits(clSystemColor | 12);
constexpr TColor clHighlight = TColorFromBits(clSystemColor | 13);
constexpr TColor clHighlightText = TColorFromBits(clSystemColor | 14);
constexpr TColor clBtnFace = TColorFromBits(clSystemColor | 15);
constexpr TColor clBtnShadow = TColorFromBits(clSystemColor | 16);
constexpr TColor clGrayText = TColorFromBits(clSystemColor | 17);
constexpr TColor clBtnText = TColorFromBits(clSystemColor | 18);
constexpr TColor clInactiveCaptionText = TColorFromBits(clSystemColor | 19);
constexpr TColor clBtnHighlight = TColorFromBits(clSystemColor | 20);
constexpr TColor cl3DDkShadow = TColorFromBits(clSystemColor | 21);
constexpr TColor cl3DLight = TColorFromBits(clSystemColor | 22);
constexpr TColor clInfoText = TColorFromBits(clSystemColor | 23);
constexpr TColor clInfoBk = TColorFromBits(clSystemColor | 24);
constexpr TColor clHotLight = TColorFromBits(clSystemColor | 26);
constexpr TColor clGradientActiveCaption = TColorFromBits(clSystemColor | 27);
constexpr TColor clGradientInactiveCaption = TColorFromBits(clSystemColor | 28);
constexpr TColor clMenuHighlight = TColorFromBits(clSystemColor | 29);
constexpr TColor clMenuBar = TColorFromBits(clSystemColor | 30);

// Builds a literal colour from three channels.
constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) |
                             (static_cast<uint32_t>(b) << 16));
}
constexpr uint8_t GetRValue(TColor c) {
  return static_cast<uint8_t>(static_cast<uint32_t>(c));
}
constexpr uint8_t GetGValue(TColor c) {
  return static_cast<uint8_t>(static_cast<uint32_t>(c) >> 8);
}
constexpr uint8_t GetBValue(TColor c) {
  return static_cast<uint8_t>(static_cast<uint32_t>(c) >> 16);
}

// True for 0x80000000 + index values.
constexpr bool IsSystemColor(TColor c) {
  return (static_cast<uint32_t>(c) & 0xFF000000u) == clSystemColor;
}

// The RGB value of system colour `index` from the fixed table (black outside it).
TColor GetSysColor(int index);

// Resolves a system colour to its literal RGB value through the table above;
// literal colours (and clNone, clDefault) are returned unchanged.
TColor ColorToRGB(TColor color);

// Conversion to and from Qt. clNone becomes a fully transparent colour; any
// other value is resolved with ColorToRGB and made opaque.
QColor ColorToQColor(TColor color);
TColor QColorToColor(const QColor& color);

// Name of a known colour constant ("clBtnFace"), or "$00BBGGRR" for others.
const char* ColorToIdent(TColor color);
// The reverse: a colour constant's name (any case), "$" and hex digits, or
// a decimal number; false for any other text.
bool IdentToColor(const std::string& text, TColor& color);
