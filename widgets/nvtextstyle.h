// Text with the widget set's text styles: plain, raised, recessed or with a
// drop shadow. Shared by buttons, check boxes and labels.
#pragma once

#include <cstdint>
#include <string>

#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/geometry.h"
#include "widgets/nvcommon_types.h"

struct TNvTextEffects {
  TTextStyle style = tsNormal;
  bool lightTextStyle = false;  // raised/recessed keep only the highlight copy
  TColor shadowColor = clBtnShadow;
  TColor highlightColor = clBtnHighlight;
  int shadowDepth = 2;
};

// Draws `text` in `rect` with DrawText `flags` on a clear brush. Enabled text
// gets the style's offset copies (raised: shadow at +1,+1 and highlight at
// -1,-1; recessed the other way round; shadow: one copy at +shadowDepth)
// and then the text itself in `textColor`; disabled text is drawn once in
// clGrayText. The canvas font is used as it is (apart from its colour).
void DrawStyledText(TCanvas& canvas, const std::string& text, const TRect& rect, uint32_t flags,
                    bool enabled, TColor textColor, const TNvTextEffects& effects);
