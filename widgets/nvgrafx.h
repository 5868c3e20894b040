// Nvgrafx: the gradient painter and the parent-image painter.
#pragma once

#include <cstdint>

#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/geometry.h"
#include "widgets/nvcommon_types.h"

class TControl;

// Fills `rect` opaquely with a gradient from startColor to stopColor:
// - gdHorizontalEnd: start on the top line, stop on the bottom line;
//   gdHorizontalCenter: start on top and bottom, stop on the middle line;
// - gdVerticalEnd / gdVerticalCenter: the same from the left (and right) edge;
// - box forms: stop at the centre, start at the edges;
// - diagonal forms: bands across the diagonal.
// Lines of equal colour merge into one band; a band is at least
// `colorSteps` lines thick (every widget passes 1). An empty rectangle draws
// nothing.
void PaintGradient(TCanvas& canvas, const TRect& rect, TGradientDirection direction,
                   TColor startColor, TColor stopColor, int8_t colorSteps = 1);

// Paints what the control's parent shows under the control into `canvas`
// (canvas coordinates = the control's client coordinates). Nothing when the
// control has no parent. With invalidateParent, the parent is asked to repaint
// unless it is a custom-drawn control or a form.
void DrawParentImage(TControl* control, TCanvas& canvas, bool invalidateParent = false);
