#include "framework/colors.h"

#include <strings.h>

#include <QColor>
#include <cstdio>
#include <cstdlib>

namespace {

// The fixed classic palette documented in colors.h.
constexpr TColor kSystemColors[SystemColorCount] = {
    RGB(212, 208, 200),  // clScrollBar
    RGB(58, 110, 165),   // clBackground
    RGB(10, 36, 106),    // clActiveCaption
    RGB(128, 128, 128),  // clInactiveCaption
    RGB(212, 208, 200),  // clMenu
    RGB(255, 255, 255),  // clWindow
    RGB(0, 0, 0),        // clWindowFrame
    RGB(0, 0, 0),        // clMenuText
    RGB(0, 0, 0),        // clWindowText
    RGB(255, 255, 255),  // clCaptionText
    RGB(212, 208, 200),  // clActiveBorder
    RGB(212, 208, 200),  // clInactiveBorder
    RGB(128, 128, 128),  // clAppWorkSpace
    RGB(10, 36, 106),    // clHighlight
    RGB(255, 255, 255),  // clHighlightText
    RGB(212, 208, 200),  // clBtnFace
    RGB(128, 128, 128),  // clBtnShadow
    RGB(128, 128, 128),  // clGrayText
    RGB(0, 0, 0),        // clBtnText
    RGB(212, 208, 200),  // clInactiveCaptionText
    RGB(255, 255, 255),  // clBtnHighlight
    RGB(64, 64, 64),     // cl3DDkShadow
    RGB(212, 208, 200),  // cl3DLight
    RGB(0, 0, 0),        // clInfoText
    RGB(255, 255, 225),  // clInfoBk
    RGB(0, 0, 0),        // unused
    RGB(0, 0, 128),      // clHotLight
    RGB(166, 202, 240),  // clGradientActiveCaption
    RGB(192, 192, 192),  // clGradientInactiveCaption
    RGB(10, 36, 106),    // clMenuHighlight
    RGB(212, 208, 200),  // clMenuBar
};

struct ColorName {
  TColor color;
  const char* name;
};

constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
};

}  // namespace

TColor GetSysColor(int index) {
  if (index < 0 || index >= SystemColorCount) return clBlack;
  return kSystemColors[index];
}

TColor ColorToRGB(TColor color) {
  if (IsSystemColor(color))
    return GetSysColor(static_cast<int>(static_cast<uint32_t>(color) & 0xFF));
  return color;
}

QColor ColorToQColor(TColor color) {
  if (color == clNone) return QColor(0, 0, 0, 0);
  TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor QColorToColor(const QColor& color) {
  if (color.alpha() == 0) return clNone;
  return RGB(static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
             static_cast<uint8_t>(color.blue()));
}

const char* ColorToIdent(TColor color) {
  for (const ColorName& n : kColorNames)
    if (n.color == color) return n.name;
  static thread_local char buffer[16];
  std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<uint32_t>(color));
  return buffer;
}

bool IdentToColor(const std::string& text, TColor& color) {
  for (const ColorName& n : kColorNames)
    if (strcasecmp(n.name, text.c_str()) == 0) {
      color = n.color;
      return true;
    }
  if (text.empty()) return false;
  const bool hex = text[0] == '$';
  const std::string digits = hex ? text.substr(1) : text;
  if (digits.empty() || digits.size() > (hex ? 8u : 11u)) return false;
  char* end = nullptr;
  const long long value = std::strtoll(digits.c_str(), &end, hex ? 16 : 10);
  if (*end != '\0' || digits[0] == '-' || digits[0] == '+' || value > 0xFFFFFFFFll) return false;
  color = static_cast<TColor>(static_cast<uint32_t>(value));
  return true;
}
