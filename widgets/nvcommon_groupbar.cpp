#include "widgets/nvcommon_groupbar.h"

#include <utility>

#include "widgets/nvcommon.h"
#include "widgets/nvgrafx.h"

namespace {

bool Themed(TNvGradientColorStyle style) {
  return style == gcsMSOffice && ThemesEnabled();
}

// Themed category colours per scheme, normal and special groups.
const TNvCategoryGroupColors kThemedCategory[3][2] = {
    // blue
    {{0xFFFFFF, 0xFFFFFF, 0xF7D3C6, 0xA53C00, 0xFF8E42, 0xFCFCFC, 0xD9BAB3, 0xC56A31, 0xF7DFD6,
      0xFFFFFF},
     {0xA53C00, 0xA53C00, 0xEE8F5B, 0xFFFFFF, 0xFFD3C6, 0xA53C00, 0xEE8F5B, 0xC56A31, 0xF7DFD6,
      0xFFFFFF}},
    // green
    {{0xFFFFFF, 0xFFFFFF, 0xBBE2D6, 0x1C674B, 0x1D9272, 0xFCFCFC, 0xA3CDBF, 0x5A9C86, 0xD5EEE6,
      0xFFFFFF},
     {0x1C674B, 0x1C674B, 0x4EA98A, 0xFFFFFF, 0xD5EEE6, 0x1C674B, 0x4EA98A, 0x5A9C86, 0xD5EEE6,
      0xFFFFFF}},
    // silver
    {{0xFFFFFF, 0xFFFFFF, 0xE2D9D6, 0x3D3D3F, 0x7C7C7E, 0xFCFCFC, 0xCFC4C1, 0x9C8C89, 0xF0EBEA,
      0xFFFFFF},
     {0x7C7C7E, 0x7C7C7E, 0xA8A09E, 0xFFFFFF, 0xF0EBEA, 0x7C7C7E, 0xA8A09E, 0x9C8C89, 0xF0EBEA,
      0xFFFFFF}},
};

}  // namespace

void GetGradientGroupBarColors(TNvGradientColorStyle style, TColor& startColor, TColor& stopColor) {
  if (Themed(style)) {
    switch (CurrentXPColorScheme) {
      case xpcsGreen:
        startColor = xpOfficeGreen_GroupBar_ColorStart;
        stopColor = xpOfficeGreen_GroupBar_ColorStop;
        return;
      case xpcsSilver:
        startColor = xpOfficeSilver_GroupBar_ColorStart;
        stopColor = xpOfficeSilver_GroupBar_ColorStop;
        return;
      default:
        startColor = xpOfficeBlue_GroupBar_ColorStart;
        stopColor = xpOfficeBlue_GroupBar_ColorStop;
        return;
    }
  }
  startColor = BlendColors(clBlack, clBtnFace, 40);
  stopColor = BlendColors(clBlack, clBtnFace, 80);
}

void GetGradientOutlookGroupColors(TNvGradientColorStyle style, TColor& captionStart,
                                   TColor& captionStop, TColor& textColor, TColor& hotTextColor,
                                   TColor& bodyStart, TColor& bodyStop) {
  if (Themed(style)) {
    switch (CurrentXPColorScheme) {
      case xpcsGreen:
        textColor = 0x1C674B;
        hotTextColor = 0x1D9272;
        break;
      case xpcsSilver:
        textColor = 0x3D3D3F;
        hotTextColor = 0x7C7C7E;
        break;
      default:
        textColor = 0xA53C00;
        hotTextColor = 0xFF8E42;
        break;
    }
  } else if (CurrentXPColorScheme == xpcsSilver) {
    textColor = clBlack;
    hotTextColor = 0x555556;
  } else {
    textColor = DarkerColor(clHighlight, 30);
    hotTextColor = clHighlight;
  }
  GetGradientPanelColors(style, captionStart, captionStop);
  bodyStart = captionStart;
  bodyStop = captionStop;
}

void GetGradientGroupItemColors(TNvGradientColorStyle style, TColor& textColor,
                                TColor& hotTextColor) {
  if (Themed(style)) {
    switch (CurrentXPColorScheme) {
      case xpcsGreen:
        textColor = 0x2D6656;
        hotTextColor = 0x1D9272;
        return;
      case xpcsSilver:
        textColor = 0x3D3D3F;
        hotTextColor = 0x7C7C7E;
        return;
      default:
        textColor = 0xC65D21;
        hotTextColor = 0xFF8E42;
        return;
    }
  }
  if (CurrentXPColorScheme == xpcsSilver) {
    textColor = 0x3D3D3F;
    hotTextColor = 0x7C7C7E;
  } else {
    textColor = DarkerColor(clHighlight, 30);
    hotTextColor = clHighlight;
  }
}

void GetGradientCategoryGroupColors(TNvGradientColorStyle style, bool special,
                                    TNvCategoryGroupColors& colors) {
  if (Themed(style)) {
    const int scheme = CurrentXPColorScheme <= xpcsSilver ? CurrentXPColorScheme : xpcsBlue;
    colors = kThemedCategory[scheme][special ? 1 : 0];
    return;
  }
  const bool silver = CurrentXPColorScheme == xpcsSilver;
  if (special) {
    colors = {clHighlight,
              clHighlight,
              DarkerColor(clHighlight, 20),
              clHighlightText,
              LighterColor(clHighlight, 30),
              clHighlight,
              LighterColor(clHighlight, 30),
              clHighlight,
              clBtnFace,
              clWhite};
  } else {
    colors = {clBtnFace,
              clWindow,
              DarkerColor(clBtnFace, 10),
              silver ? clBlack : DarkerColor(clHighlight, 30),
              silver ? TColor(0x555556) : clHighlight,
              clWindow,
              DarkerColor(clBtnFace, 20),
              clHighlight,
              clBtnFace,
              clWhite};
  }
}

void DrawGroupBarBackground(TCanvas& canvas, const TRect& rect, TNvVisualStyle visualStyle,
                            TNvGradientColorStyle colorStyle, TNvGroupBarGradientPath path,
                            TColor startColor, TColor stopColor) {
  // The themed explorer-bar root element needs visual styles, which are never
  // in force here; vsWinXP without them paints the gradient like vsGradient.
  if (visualStyle == vsClassic || !FullColorSupported) return;
  TColor first = startColor, second = stopColor;
  if (colorStyle != gcsCustom) GetGradientGroupBarColors(colorStyle, first, second);
  if (path == gpBottomToTop) std::swap(first, second);
  PaintGradient(canvas, rect, gdHorizontalEnd, first, second, 1);
}
