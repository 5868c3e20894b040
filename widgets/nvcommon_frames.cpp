#include "widgets/nvcommon_frames.h"

#include "widgets/nvcommon.h"

const TColor ULFrameColor[FrameStyleCount] = {
    clWindow,        // fsNone
    cl3DDkShadow,    // fsFlat
    clBtnShadow,     // fsGroove
    clBtnHighlight,  // fsBump
    clBtnShadow,     // fsLowered
    clNone,          // fsButtonDown
    cl3DDkShadow,    // fsRaised
    clNone,          // fsButtonUp
    clBtnShadow,     // fsStatus
    clBtnHighlight,  // fsPopup
    clBtnShadow,     // fsFlatBold
};

const TColor LRFrameColor[FrameStyleCount] = {
    clWindow,        // fsNone
    cl3DDkShadow,    // fsFlat
    clBtnHighlight,  // fsGroove
    clBtnShadow,     // fsBump
    clBtnHighlight,  // fsLowered
    clNone,          // fsButtonDown
    clBtnFace,       // fsRaised
    clNone,          // fsButtonUp
    clBtnHighlight,  // fsStatus
    clBtnShadow,     // fsPopup
    clBtnShadow,     // fsFlatBold
};

namespace {

// Two rings of two colours: outer UL/LR, inner UL/LR.
struct EdgeColors {
  TColor outerUL, outerLR, innerUL, innerLR;
};

const EdgeColors kCtl3DRaised{cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow};
const EdgeColors kCtl3DLowered{clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight};
const EdgeColors kButtonUp{clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow};
const EdgeColors kButtonDown{clBtnText, clBtnText, clBtnShadow, clBtnShadow};

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

TRect Shrink(const TRect& rect, int by) {
  return Rect(rect.Left + by, rect.Top + by, rect.Right - by, rect.Bottom - by);
}

TRect DrawEdge(TCanvas& canvas, const TRect& rect, const EdgeColors& c, TSides sides) {
  TRect r = DrawBevel(canvas, rect, c.outerUL, c.outerLR, 1, sides);
  return DrawBevel(canvas, r, c.innerUL, c.innerLR, 1, sides);
}

// The groove/bump line: two offset rings, with end pixels so a side whose
// neighbour is absent ends cleanly.
TRect DrawEtchedLine(TCanvas& canvas, const TRect& rect, TColor ul, TColor lr, TSides sides) {
  const int L = rect.Left, T = rect.Top, R = rect.Right, B = rect.Bottom;
  const bool left = HasSide(sides, sdLeft), top = HasSide(sides, sdTop);
  const bool right = HasSide(sides, sdRight), bottom = HasSide(sides, sdBottom);
  if (!rect.IsEmpty()) {
    if (right) canvas.SetPixels(R - 1, T, lr);
    if (top && !right) canvas.SetPixels(R - 1, T, ul);
    if (bottom) canvas.SetPixels(L, B - 1, lr);
    if (left && !bottom) canvas.SetPixels(L, B - 1, ul);
    if (top && !left) canvas.SetPixels(L, T + 1, lr);
    if (left && !top) canvas.SetPixels(L + 1, T, lr);
    if (bottom && !right) canvas.SetPixels(R - 1, B - 2, ul);
    if (right && !bottom) canvas.SetPixels(R - 2, B - 1, ul);
    DrawSides(canvas, Rect(L + 1, T + 1, R, B), lr, lr, sides);
    DrawSides(canvas, Rect(L, T, R - 1, B - 1), ul, ul, sides);
  }
  TRect r = rect;
  if (left) r.Left += 2;
  if (top) r.Top += 2;
  if (right) r.Right -= 2;
  if (bottom) r.Bottom -= 2;
  return r;
}

}  // namespace

Integer FrameStyleWidth(TFrameStyleEx style, Integer bevelWidth) {
  switch (style) {
    case fsNone:
      return 0;
    case fsFlat:
      return 1;
    case fsStatus:
    case fsPopup:
      return bevelWidth;
    default:
      return 2;
  }
}

TRect DrawSides(TCanvas& canvas, const TRect& rect, TColor ulColor, TColor lrColor, TSides sides) {
  const int L = rect.Left, T = rect.Top, R = rect.Right, B = rect.Bottom;
  if (!rect.IsEmpty()) {
    if (ulColor != clNone) {
      canvas.Pen().SetColor(ulColor);
      if (HasSide(sides, sdLeft)) Line(canvas, L, T, L, B);
      if (HasSide(sides, sdTop)) Line(canvas, L, T, R, T);
    }
    if (lrColor != clNone) {
      canvas.Pen().SetColor(lrColor);
      if (HasSide(sides, sdRight)) Line(canvas, R - 1, T, R - 1, B);
      if (HasSide(sides, sdBottom)) Line(canvas, L, B - 1, R, B - 1);
    }
  }
  TRect r = rect;
  if (HasSide(sides, sdLeft)) ++r.Left;
  if (HasSide(sides, sdTop)) ++r.Top;
  if (HasSide(sides, sdRight)) --r.Right;
  if (HasSide(sides, sdBottom)) --r.Bottom;
  return r;
}

TRect DrawBevel(TCanvas& canvas, const TRect& rect, TColor ulColor, TColor lrColor, Integer width,
                TSides sides) {
  canvas.Pen().SetWidth(1);
  TRect r = rect;
  for (Integer i = 0; i < width; ++i) r = DrawSides(canvas, r, ulColor, lrColor, sides);
  return r;
}

TRect DrawCtl3DBorder(TCanvas& canvas, const TRect& rect, bool lowered) {
  return DrawCtl3DBorderSides(canvas, rect, lowered, AllSides);
}

TRect DrawCtl3DBorderSides(TCanvas& canvas, const TRect& rect, bool lowered, TSides sides) {
  return DrawEdge(canvas, rect, lowered ? kCtl3DLowered : kCtl3DRaised, sides);
}

TRect DrawButtonBorder(TCanvas& canvas, const TRect& rect, bool down) {
  return DrawButtonBorderSides(canvas, rect, down, AllSides);
}

TRect DrawButtonBorderSides(TCanvas& canvas, const TRect& rect, bool down, TSides sides) {
  return DrawEdge(canvas, rect, down ? kButtonDown : kButtonUp, sides);
}

TRect DrawColorButtonBorder(TCanvas& canvas, const TRect& rect, TColor color, bool down) {
  return DrawColorButtonBorderSides(canvas, rect, color, down, AllSides);
}

TRect DrawColorButtonBorderSides(TCanvas& canvas, const TRect& rect, TColor color, bool down,
                                 TSides sides) {
  const TColor d100 = DarkerColor(color, 100);
  const TColor d50 = DarkerColor(color, 50);
  EdgeColors c;
  if (down) {
    c = {d100, d100, d50, d50};
  } else {
    c = {LighterColor(color, 100), d100, LighterColor(color, 40), d50};
  }
  return DrawEdge(canvas, rect, c, sides);
}

TRect DrawBorder(TCanvas& canvas, const TRect& rect, TFrameStyleEx style) {
  return DrawBorderSides(canvas, rect, style, AllSides);
}

TRect DrawBorderSides(TCanvas& canvas, const TRect& rect, TFrameStyleEx style, TSides sides) {
  switch (style) {
    case fsNone:
      return rect;
    case fsFlat:
    case fsStatus:
    case fsPopup:
      return DrawSides(canvas, rect, ULFrameColor[style], LRFrameColor[style], sides);
    case fsLowered:
      return DrawCtl3DBorderSides(canvas, rect, true, sides);
    case fsRaised:
      return DrawCtl3DBorderSides(canvas, rect, false, sides);
    case fsButtonDown:
      return DrawButtonBorderSides(canvas, rect, true, sides);
    case fsButtonUp:
      return DrawButtonBorderSides(canvas, rect, false, sides);
    case fsFlatBold:
      return DrawBevel(canvas, rect, clBtnShadow, clBtnShadow, 2, sides);
    case fsGroove:
    case fsBump:
      return DrawEtchedLine(canvas, rect, ULFrameColor[style], LRFrameColor[style], sides);
    case fsFlatRounded:
      // Not a frame of this family; drawn as the rounded flat outline in the
      // flat frame colour so a stray caller still gets a sensible frame.
      return DrawRoundedFlatBorder(canvas, rect, ULFrameColor[fsFlat], sides);
  }
  return rect;
}

TRect DrawColorBorder(TCanvas& canvas, const TRect& rect, TColor color, TFrameStyleEx style) {
  return DrawColorBorderSides(canvas, rect, color, style, AllSides);
}

TRect DrawColorBorderSides(TCanvas& canvas, const TRect& rect, TColor color, TFrameStyleEx style,
                           TSides sides) {
  if (style == fsNone) return rect;
  if (style == fsButtonDown || style == fsButtonUp)
    return DrawColorButtonBorderSides(canvas, rect, color, style == fsButtonDown, sides);
  const TColor d50 = DarkerColor(color, 50);
  const TColor l100 = LighterColor(color, 100);
  switch (style) {
    case fsFlat:
      return DrawSides(canvas, rect, d50, d50, sides);
    case fsGroove:
      return DrawEtchedLine(canvas, rect, d50, l100, sides);
    case fsBump:
      return DrawEtchedLine(canvas, rect, l100, d50, sides);
    case fsLowered:
      return DrawEdge(canvas, rect, {d50, l100, DarkerColor(color, 100), LighterColor(color, 50)},
                      sides);
    case fsRaised:
      return DrawEdge(canvas, rect, {LighterColor(color, 50), DarkerColor(color, 100), l100, d50},
                      sides);
    case fsStatus:
      return DrawSides(canvas, rect, d50, l100, sides);
    case fsPopup:
      return DrawSides(canvas, rect, l100, d50, sides);
    case fsFlatBold:
      return DrawBevel(canvas, rect, d50, d50, 2, sides);
    case fsFlatRounded:
      return DrawRoundedFlatBorder(canvas, rect, d50, sides);
    default:
      return rect;
  }
}

TRect DrawBox(TCanvas& canvas, const TRect& rect, TColor color) {
  DrawSides(canvas, rect, color, color, AllSides);
  return Shrink(rect, 1);
}

TRect DrawBoxCorners(TCanvas& canvas, const TRect& rect, TColor color, Integer length) {
  if (!rect.IsEmpty() && color != clNone) {
    const int L = rect.Left, T = rect.Top, R = rect.Right - 1, B = rect.Bottom - 1;
    const int n = length;
    canvas.Pen().SetColor(color);
    canvas.MoveTo(L, T + n - 1);
    canvas.LineTo(L, T);
    canvas.LineTo(L + n, T);
    canvas.MoveTo(R - n + 1, T);
    canvas.LineTo(R, T);
    canvas.LineTo(R, T + n);
    canvas.MoveTo(R, B - n + 1);
    canvas.LineTo(R, B);
    canvas.LineTo(R - n, B);
    canvas.MoveTo(L + n - 1, B);
    canvas.LineTo(L, B);
    canvas.LineTo(L, B - n);
  }
  return Shrink(rect, 1);
}

TRect DrawDashedBorder(TCanvas& canvas, const TRect& rect, TColor color) {
  if (!rect.IsEmpty() && color != clNone) {
    canvas.Pen().SetStyle(psDot);
    canvas.Pen().SetColor(color);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(rect);
    canvas.Brush().SetStyle(bsSolid);
  }
  return Shrink(rect, 1);
}

TRect DrawFocusBorder(TCanvas& canvas, const TRect& rect) {
  const int L = rect.Left, T = rect.Top, R = rect.Right, B = rect.Bottom;
  if (!rect.IsEmpty()) {
    for (int y = T + 1; y < B; y += 2) {
      canvas.SetPixels(L, y, clBlack);
      canvas.SetPixels(R - 1, y, clBlack);
    }
    for (int x = L + 1; x < R; x += 2) {
      canvas.SetPixels(x, T, clBlack);
      canvas.SetPixels(x, B - 1, clBlack);
    }
  }
  return Shrink(rect, 1);
}

TRect DrawRoundedFlatBorder(TCanvas& canvas, const TRect& rect, TColor color, TSides sides) {
  const int L = rect.Left, T = rect.Top, R = rect.Right, B = rect.Bottom;
  const bool left = HasSide(sides, sdLeft), top = HasSide(sides, sdTop);
  const bool right = HasSide(sides, sdRight), bottom = HasSide(sides, sdBottom);
  const int t = top ? T + 2 : T;
  const int b = bottom ? B - 2 : B;
  const int l = left ? L + 2 : L;
  const int r = right ? R - 2 : R;
  if (!rect.IsEmpty() && color != clNone) {
    canvas.Pen().SetColor(color);
    if (left) Line(canvas, L, t, L, b);
    if (top) Line(canvas, l, T, r, T);
    if (right) Line(canvas, R - 1, t, R - 1, b);
    if (bottom) Line(canvas, l, B - 1, r, B - 1);
    if (left && top) canvas.SetPixels(L + 1, T + 1, color);
    if (top && right) canvas.SetPixels(R - 2, T + 1, color);
    if (right && bottom) canvas.SetPixels(R - 2, B - 2, color);
    if (left && bottom) canvas.SetPixels(L + 1, B - 2, color);
  }
  return Rect(l, t, r, b);
}
