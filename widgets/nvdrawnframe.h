// The drawn frame that edits and list boxes can show in place of the sunken
// edge: a frame style and colour at rest, another while hot (hovered or
// focused) when hot tracking is on, on a chosen set of sides.
#pragma once

#include "framework/canvas.h"
#include "framework/colors.h"
#include "widgets/nvcommon_types.h"

struct TNvDrawnFrame {
  bool visible = false;
  TFrameStyle style = fsFlat;
  TColor color = clBtnShadow;
  bool hotTrack = false;
  TFrameStyle hotStyle = fsFlatBold;
  TColor hotColor = clBtnShadow;
  TSides sides = AllSides;

  // Whether hovering or focusing changes the frame's look.
  bool TracksHot() const { return visible && hotTrack; }

  // Paints the frame around a `width` x `height` control of `controlColor`;
  // `hovered` is true while the pointer is over the control or it has focus.
  void Paint(TCanvas& canvas, int width, int height, TColor controlColor, bool hovered) const;
};
