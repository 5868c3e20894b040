// Nvcommon: environment decisions (colour scheme, colour depth, theme colours)
// and the gradient colour sets that panels, toolbars, status bars and tool
// buttons paint with.
#pragma once

#include "framework/colors.h"
#include "widgets/nvcommon_types.h"

// The selected XP colour scheme. This platform keeps no theme colour name, so
// it is always the default scheme, xpcsBlue.
TNvXPColorScheme GetXPColorScheme();
// True when the screen shows more than 256 colours (a Qt screen deeper than
// 8 bits).
bool IsFullColorSupported();
// The theme colour for an element; clBtnFace while themes are not in force.
TColor GetXPThemeColor(TNvXPThemeColor element);

// Process-wide values: IsFullColorSupported() and GetXPColorScheme(), taken
// when the Qt application starts (before any widget exists; true and xpcsBlue
// until then). Panels and group bars assign CurrentXPColorScheme again on a
// theme change; tests may assign FullColorSupported to emulate a 256-colour
// screen.
extern bool FullColorSupported;
extern TNvXPColorScheme CurrentXPColorScheme;

// Hot/selected item highlight: frame, top and bottom colours.
void GetGradientSelectionColors(TNvGradientColorStyle style, TColor& frameColor, TColor& startColor,
                                TColor& stopColor);
// Panel and toolbar background.
void GetGradientPanelColors(TNvGradientColorStyle style, TColor& startColor, TColor& stopColor);
// The panel's flat frame colour.
TColor GetGradientPanelFrameColor(TNvGradientColorStyle style);
// Status bar background and pane dividers.
void GetGradientStatusBarColors(TNvGradientColorStyle style, TColor& startColor, TColor& stopColor,
                                TColor& dividerColor);
