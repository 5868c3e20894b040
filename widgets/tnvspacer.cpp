#include "widgets/tnvspacer.h"

#include "framework/property.h"
#include "widgets/nvcommon.h"

TNvSpacer::TNvSpacer(TWinControl* parent) : TGraphicControl(parent) {
  SetBounds(Left(), Top(), 8, 25);
}

void TNvSpacer::SetGrooved(bool v) {
  if (Store(grooved_, v)) Invalidate();
}

void TNvSpacer::SetOrientation(TOrientation v) {
  if (!Store(orientation_, v)) return;
  if (!(ComponentState() & csLoading)) SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TNvSpacer::Paint() {
  TCanvas& canvas = Canvas();
  const TRect r = ClientRect();
  if (!grooved_) {
    if (ComponentState() & csDesigning) DrawDashedBorder(canvas, r, clBlack);
    return;
  }
  canvas.Pen().SetWidth(1);
  if (r.Width() > r.Height()) {
    const int y = (r.Bottom - r.Top) / 2 + r.Top - 1;
    canvas.Pen().SetColor(clBtnShadow);
    canvas.MoveTo(r.Left + 1, y);
    canvas.LineTo(r.Right, y);
    canvas.Pen().SetColor(clBtnHighlight);
    canvas.MoveTo(r.Left + 1, y + 1);
    canvas.LineTo(r.Right, y + 1);
  } else {
    const int x = (r.Right - r.Left) / 2 + r.Left - 1;
    canvas.Pen().SetColor(clBtnShadow);
    canvas.MoveTo(x, r.Top + 1);
    canvas.LineTo(x, r.Bottom);
    canvas.Pen().SetColor(clBtnHighlight);
    canvas.MoveTo(x + 1, r.Top + 1);
    canvas.LineTo(x + 1, r.Bottom);
  }
}
