#include "widgets/nvcommon_env.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include "widgets/nvcommon.h"
#include "widgets/nvthemesrv.h"

bool FullColorSupported = true;
TNvXPColorScheme CurrentXPColorScheme = xpcsBlue;

namespace {

// Takes the process-wide values once the Qt application exists, before any
// widget is created.
void InitEnvironmentValues() {
  FullColorSupported = IsFullColorSupported();
  CurrentXPColorScheme = GetXPColorScheme();
}
Q_COREAPP_STARTUP_FUNCTION(InitEnvironmentValues)

struct SchemeColors {
  TColor selectionFrame, selectionStart, selectionStop;
  TColor panelStart, panelStop, panelFrame;
};

SchemeColors ColorsOf(TNvXPColorScheme scheme) {
  switch (scheme) {
    case xpcsGreen:
      return {xpOfficeGreen_Selection_FrameColor, xpOfficeGreen_Selection_ColorStart,
              xpOfficeGreen_Selection_ColorStop,  xpOfficeGreen_Panel_ColorStart,
              xpOfficeGreen_Panel_ColorStop,      xpOfficeGreen_Panel_FrameColor};
    case xpcsSilver:
      return {xpOfficeSilver_Selection_FrameColor, xpOfficeSilver_Selection_ColorStart,
              xpOfficeSilver_Selection_ColorStop,  xpOfficeSilver_Panel_ColorStart,
              xpOfficeSilver_Panel_ColorStop,      xpOfficeSilver_Panel_FrameColor};
    default:
      return {xpOfficeBlue_Selection_FrameColor, xpOfficeBlue_Selection_ColorStart,
              xpOfficeBlue_Selection_ColorStop,  xpOfficeBlue_Panel_ColorStart,
              xpOfficeBlue_Panel_ColorStop,      xpOfficeBlue_Panel_FrameColor};
  }
}

bool Themed(TNvGradientColorStyle style) {
  return style == gcsMSOffice && ThemesEnabled();
}

}  // namespace

TNvXPColorScheme GetXPColorScheme() {
  // The theme colour name is not kept anywhere on this platform: the name is
  // empty, which selects the default scheme.
  return xpcsBlue;
}

bool IsFullColorSupported() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return true;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return true;
  return screen->depth() > 8;
}

TColor GetXPThemeColor(TNvXPThemeColor element) {
  if (!ThemesEnabled()) return clBtnFace;
  // Themes are never in force here, so no visual-style data exists to ask;
  // the enumeration's elements keep the face colour and anything else is white.
  switch (element) {
    case xptcEditBorder:
    case xptcNormalGroupFont:
    case xptcSpecialGroupFont:
    case xptcGroupBarFill:
    case xptcListGroupFill:
    case xptcListGroupFont:
    case xptcGroupBoxFont:
      return clBtnFace;
  }
  return clWhite;
}

void GetGradientSelectionColors(TNvGradientColorStyle style, TColor& frameColor, TColor& startColor,
                                TColor& stopColor) {
  if (Themed(style)) {
    const SchemeColors c = ColorsOf(CurrentXPColorScheme);
    frameColor = c.selectionFrame;
    startColor = c.selectionStart;
    stopColor = c.selectionStop;
  } else {
    frameColor = clHighlight;
    const TColor base = BlendColors(clHighlight, clWindow, 77);
    startColor = LighterColor(base, 20);
    stopColor = base;
  }
  if (!FullColorSupported) startColor = stopColor;
}

void GetGradientPanelColors(TNvGradientColorStyle style, TColor& startColor, TColor& stopColor) {
  if (Themed(style)) {
    const SchemeColors c = ColorsOf(CurrentXPColorScheme);
    startColor = c.panelStart;
    stopColor = c.panelStop;
  } else {
    startColor = clWindow;
    stopColor = DarkerColor(clBtnFace, 10);
  }
}

TColor GetGradientPanelFrameColor(TNvGradientColorStyle style) {
  if (Themed(style)) return ColorsOf(CurrentXPColorScheme).panelFrame;
  return LighterColor(clBtnShadow, 30);
}

void GetGradientStatusBarColors(TNvGradientColorStyle style, TColor& startColor, TColor& stopColor,
                                TColor& dividerColor) {
  if (Themed(style)) {
    const SchemeColors c = ColorsOf(CurrentXPColorScheme);
    startColor = c.panelStop;
    stopColor = c.panelStart;
    dividerColor = startColor;
  } else {
    startColor = DarkerColor(clBtnFace, 20);
    stopColor = clWindow;
    dividerColor = DarkerColor(clBtnFace, 40);
  }
}
