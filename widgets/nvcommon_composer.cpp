// Composite frames: the border composer, the non-client frame of edits and
// list boxes, the gradient highlight ring and the check-box glyph.
#include <QWidget>

#include "framework/controls.h"
#include "widgets/nvcommon.h"
#include "widgets/nvgrafx.h"

namespace {

TRect Ring(TCanvas& canvas, const TRect& rect, TColor color, Integer width, TSides sides) {
  return DrawBevel(canvas, rect, color, color, width, sides);
}

TRect Inflated(const TRect& rect, int by) {
  return Rect(rect.Left - by, rect.Top - by, rect.Right + by, rect.Bottom + by);
}

struct BorderParams {
  TFrameStyleEx outer, inner;
  Integer borderWidth;
  TSides sides;
  Integer bevelWidth;
  TColor borderColor, highlight, shadow, flat, color, parentColor;
  bool transparent, softFlat;
  bool HasBand() const { return borderWidth > 0 || inner != fsNone; }
};

TRect DrawOuter(TCanvas& canvas, const TRect& rect, const BorderParams& p) {
  switch (p.outer) {
    case fsFlat:
      return Ring(canvas, rect, p.flat, 1, p.sides);
    case fsFlatBold:
      return Ring(canvas, rect, p.flat, 2, p.sides);
    case fsFlatRounded:
      if (!p.transparent) {
        // The cut corners show the parent's colour.
        TRect r = Ring(canvas, rect, p.parentColor, 1, p.sides);
        Ring(canvas, r, p.HasBand() ? p.borderColor : p.color, 1, p.sides);
      } else if (p.HasBand()) {
        Ring(canvas, Inflated(rect, -1), p.borderColor, 1, p.sides);
      }
      return DrawRoundedFlatBorder(canvas, rect, p.flat, p.sides);
    case fsPopup:
      return DrawBevel(canvas, rect, p.highlight, p.shadow, p.bevelWidth, p.sides);
    case fsStatus:
      return DrawBevel(canvas, rect, p.shadow, p.highlight, p.bevelWidth, p.sides);
    default:
      return DrawBorderSides(canvas, rect, p.outer, p.sides);
  }
}

TRect DrawSoftFlat(TCanvas& canvas, const TRect& rect, TColor color) {
  const int L = rect.Left, T = rect.Top, R = rect.Right, B = rect.Bottom;
  if (!rect.IsEmpty() && color != clNone) {
    canvas.Pen().SetColor(color);
    canvas.MoveTo(L, T + 1);
    canvas.LineTo(L, B - 1);
    canvas.MoveTo(L + 1, T);
    canvas.LineTo(R - 1, T);
    canvas.MoveTo(R - 1, T + 1);
    canvas.LineTo(R - 1, B - 1);
    canvas.MoveTo(L + 1, B - 1);
    canvas.LineTo(R - 1, B - 1);
  }
  return Inflated(rect, -1);
}

TRect DrawInner(TCanvas& canvas, const TRect& rect, const BorderParams& p) {
  switch (p.inner) {
    case fsFlat:
      if (p.softFlat) return DrawSoftFlat(canvas, rect, p.flat);
      return Ring(canvas, rect, p.flat, 1, p.sides);
    case fsFlatBold:
      return Ring(canvas, rect, p.flat, 2, p.sides);
    case fsFlatRounded: {
      TRect r = rect;
      if (!p.transparent) r = Ring(canvas, r, p.borderColor, 1, p.sides);
      Ring(canvas, r, p.transparent ? p.borderColor : p.color, 1, p.sides);
      return DrawRoundedFlatBorder(canvas, rect, p.flat, p.sides);
    }
    case fsStatus:
      return DrawBevel(canvas, rect, p.shadow, p.highlight, p.bevelWidth, p.sides);
    case fsPopup:
      return DrawBevel(canvas, rect, p.highlight, p.shadow, p.bevelWidth, p.sides);
    default:
      return DrawBorderSides(canvas, rect, p.inner, p.sides);
  }
}

TColor CheckFillColor(TNvButtonDisplayState state, bool focused, TColor fillColor,
                      TColor focusColor, TColor disabledColor, bool readOnly,
                      bool readOnlyColorOnFocus, TColor readOnlyColor) {
  switch (state) {
    case bdsDown:
      return DarkerColor(focusColor, 20);
    case bdsDisabled:
      return disabledColor;
    default:
      if (!focused) return readOnly ? readOnlyColor : fillColor;
      return readOnly && readOnlyColorOnFocus ? readOnlyColor : focusColor;
  }
}

}  // namespace

TRect DrawInnerOuterBorders(TCanvas& canvas, const TRect& rect, TFrameStyleEx borderOuter,
                            TFrameStyleEx borderInner, Integer borderWidth, TSides borderSides,
                            Integer bevelWidth, TColor borderColor, TColor borderHighlight,
                            TColor borderShadow, TColor flatColor, Integer flatColorAdjustment,
                            TColor color, TColor parentColor, bool transparent, bool softFlat) {
  const BorderParams p{borderOuter,     borderInner,  borderWidth,
                       borderSides,     bevelWidth,   borderColor,
                       borderHighlight, borderShadow, AdjustColor(flatColor, flatColorAdjustment),
                       color,           parentColor,  transparent,
                       softFlat};
  TRect r = DrawOuter(canvas, rect, p);
  if (borderWidth > 0) r = Ring(canvas, r, borderColor, borderWidth, borderSides);
  return DrawInner(canvas, r, p);
}

void DrawFrame(TCanvas& canvas, Integer width, Integer height, TFrameStyleEx style, TColor color,
               TColor frameColor, TSides sides, bool keepBackground) {
  const TRect rect = Rect(0, 0, width, height);
  // The band covers whatever border the platform would draw itself.
  if (!keepBackground) Ring(canvas, rect, color, 2, AllSides);
  if (style == fsFlat) {
    Ring(canvas, rect, frameColor, 1, sides);
  } else if (style == fsFlatBold) {
    Ring(canvas, rect, frameColor, 2, sides);
  } else if (color == clWindow) {
    DrawBorderSides(canvas, rect, style, sides);
  } else {
    DrawColorBorderSides(canvas, rect, color, style, sides);
  }
}

void InvalidateWindowFrame(TControl* window, const TRect& rect) {
  if (!window || !window->Showing() || rect.IsEmpty()) return;
  window->QWidget::update(ToQRect(rect));
}

void DrawHighlightBox(TCanvas& canvas, const TRect& rect, TGradientDirection direction,
                      TColor startColor, TColor stopColor) {
  if (!FullColorSupported) return;
  canvas.ExcludeClipRect(Inflated(rect, -2));
  PaintGradient(canvas, rect, direction, startColor, stopColor, 1);
  canvas.ResetClip();
}

void DrawCheckMark(TCanvas& canvas, int x, int y, TColor color) {
  static const int kTopRow[7] = {5, 6, 7, 6, 5, 4, 3};
  for (int c = 0; c < 7; ++c) {
    for (int r = 0; r < 3; ++r) canvas.SetPixels(x + 3 + c, y + kTopRow[c] + r, color);
  }
}

void DrawCheckBox(TCanvas& canvas, const TRect& rect, TCheckBoxState state,
                  TNvButtonDisplayState displayState, bool focused,
                  TNvButtonHotTrackStyle hotTrackStyle, TColor frameColor, TColor checkColor,
                  TColor fillColor, TColor focusColor, TColor disabledColor, TColor hotStartColor,
                  TColor hotStopColor, bool readOnly, bool readOnlyColorOnFocus,
                  TColor readOnlyColor) {
  const bool hot = displayState == bdsHot;
  if (hot && hotTrackStyle == htsFrame) frameColor = hotStopColor;
  const TRect inner = DrawBox(canvas, rect, frameColor);
  if (displayState == bdsDisabled) checkColor = clBtnShadow;
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(CheckFillColor(displayState, focused, fillColor, focusColor,
                                         disabledColor, readOnly, readOnlyColorOnFocus,
                                         readOnlyColor));
  canvas.FillRect(inner);
  if (state == cbChecked) {
    DrawCheckMark(canvas, inner.Left - 1, inner.Top - 1, checkColor);
  } else if (state == cbGrayed) {
    canvas.Brush().SetColor(checkColor);
    canvas.FillRect(Inflated(inner, -2));
  }
  if (!hot) return;
  if (hotTrackStyle == htsInterior) {
    DrawHighlightBox(canvas, inner, gdDiagonalDown, hotStartColor, hotStopColor);
  } else {
    DrawBox(canvas, inner, hotStopColor);
  }
}
