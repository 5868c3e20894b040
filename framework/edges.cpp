#include "framework/edges.h"

#include "framework/canvas.h"

namespace {

void Ring(TCanvas& canvas, const TRect& r, TColor ul, TColor lr) {
  canvas.Pen().SetColor(ul);
  canvas.MoveTo(r.Left, r.Bottom - 1);
  canvas.LineTo(r.Left, r.Top);
  canvas.LineTo(r.Right, r.Top);
  canvas.Pen().SetColor(lr);
  canvas.MoveTo(r.Right - 1, r.Top);
  canvas.LineTo(r.Right - 1, r.Bottom - 1);
  canvas.LineTo(r.Left - 1, r.Bottom - 1);
}

}  // namespace

TRect DrawClientEdge(TCanvas& canvas, const TRect& r) {
  TPen saved = canvas.Pen();
  Ring(canvas, r, clBtnShadow, clBtnHighlight);
  TRect inner = r;
  InflateRect(inner, -1, -1);
  Ring(canvas, inner, cl3DDkShadow, cl3DLight);
  canvas.SetPen(saved);
  InflateRect(inner, -1, -1);
  return inner;
}
