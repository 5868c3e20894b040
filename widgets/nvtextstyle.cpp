#include "widgets/nvtextstyle.h"

#include "framework/drawtext.h"

namespace {

void DrawCopy(TCanvas& canvas, const std::string& text, const TRect& rect, uint32_t flags, int dx,
              int dy, TColor color) {
  TRect r = rect;
  OffsetRect(r, dx, dy);
  canvas.Font().SetColor(color);
  DrawText(canvas, text, r, flags);
}

}  // namespace

void DrawStyledText(TCanvas& canvas, const std::string& text, const TRect& rect, uint32_t flags,
                    bool enabled, TColor textColor, const TNvTextEffects& effects) {
  canvas.Brush().SetStyle(bsClear);
  if (!enabled) {
    DrawCopy(canvas, text, rect, flags, 0, 0, clGrayText);
    return;
  }
  switch (effects.style) {
    case tsRaised:
      if (!effects.lightTextStyle) DrawCopy(canvas, text, rect, flags, 1, 1, effects.shadowColor);
      DrawCopy(canvas, text, rect, flags, -1, -1, effects.highlightColor);
      break;
    case tsRecessed:
      if (!effects.lightTextStyle) DrawCopy(canvas, text, rect, flags, -1, -1, effects.shadowColor);
      DrawCopy(canvas, text, rect, flags, 1, 1, effects.highlightColor);
      break;
    case tsShadow:
      DrawCopy(canvas, text, rect, flags, effects.shadowDepth, effects.shadowDepth,
               effects.shadowColor);
      break;
    default:
      break;
  }
  DrawCopy(canvas, text, rect, flags, 0, 0, textColor);
}
