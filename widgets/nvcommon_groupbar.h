// Nvcommon: the group bar's colour sets and its background painter.
//
// "Themed" below means gcsMSOffice while visual themes are in force; the
// scheme is CurrentXPColorScheme. Passed gcsCustom, the functions return the
// unthemed colours: a group bar with gcsCustom takes its own colours instead.
#pragma once

#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/geometry.h"
#include "widgets/nvcommon_types.h"

// Bar background: themed, the scheme's GroupBar colours; otherwise
// BlendColors(clBlack, clBtnFace, 40) to BlendColors(clBlack, clBtnFace, 80).
void GetGradientGroupBarColors(TNvGradientColorStyle style, TColor& startColor, TColor& stopColor);

// Outlook-style group: caption and body gradients (the panel colours), caption
// text and hot caption text.
void GetGradientOutlookGroupColors(TNvGradientColorStyle style, TColor& captionStart,
                                   TColor& captionStop, TColor& textColor, TColor& hotTextColor,
                                   TColor& bodyStart, TColor& bodyStop);

// Item text and hot item text.
void GetGradientGroupItemColors(TNvGradientColorStyle style, TColor& textColor,
                                TColor& hotTextColor);

// Category-view group colours: caption colour, caption fill (solid part and
// gradient end), caption text, hot caption text, the two colours of the
// open/close button, divider, body and body border.
struct TNvCategoryGroupColors {
  TColor captionColor;
  TColor captionStart;
  TColor captionStop;
  TColor textColor;
  TColor hotTextColor;
  TColor buttonColor;
  TColor buttonShadow;
  TColor dividerColor;
  TColor bodyColor;
  TColor borderColor;
};
void GetGradientCategoryGroupColors(TNvGradientColorStyle style, bool special,
                                    TNvCategoryGroupColors& colors);

// Fills `rect` with the bar background: a top-to-bottom gradient (reversed for
// gpBottomToTop) unless vsClassic or a 256-colour screen, where nothing is
// drawn. gcsCustom paints startColor to stopColor.
void DrawGroupBarBackground(TCanvas& canvas, const TRect& rect, TNvVisualStyle visualStyle,
                            TNvGradientColorStyle colorStyle, TNvGroupBarGradientPath path,
                            TColor startColor, TColor stopColor);
