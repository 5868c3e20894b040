#include "app/plain_controls.h"

#include "framework/drawtext.h"

namespace {

void DrawCaption(TCanvas& canvas, TRect r, const std::string& text, uint32_t alignment) {
  canvas.Brush().SetStyle(bsClear);
  DrawText(canvas, text, r, alignment | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

void DrawPlainEdge(TCanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight) {
  canvas.Pen().SetColor(topLeft);
  canvas.MoveTo(r.Left, r.Bottom - 1);
  canvas.LineTo(r.Left, r.Top);
  canvas.LineTo(r.Right - 1, r.Top);
  canvas.Pen().SetColor(bottomRight);
  canvas.LineTo(r.Right - 1, r.Bottom - 1);
  canvas.LineTo(r.Left - 1, r.Bottom - 1);
}

TPlainButton::TPlainButton(TWinControl* parent) : TCustomControl(parent) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(false);
}

void TPlainButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    down_ = true;
    Invalidate();
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TPlainButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && down_) {
    down_ = false;
    Invalidate();
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

void TPlainButton::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(r);
  if (down_) {
    DrawPlainEdge(canvas, r, clBtnShadow, clBtnHighlight);
  } else {
    DrawPlainEdge(canvas, r, clBtnHighlight, cl3DDkShadow);
    InflateRect(r, -1, -1);
    DrawPlainEdge(canvas, r, clBtnFace, clBtnShadow);
  }
  TRect text = ClientRect();
  if (down_) OffsetRect(text, 1, 1);
  canvas.Font().SetColor(Enabled() ? clBtnText : clGrayText);
  DrawCaption(canvas, text, Caption(), DT_CENTER);
}

TStatusPane::TStatusPane(TWinControl* parent) : TCustomControl(parent) {
  SetBounds(0, 0, 100, 19);
}

void TStatusPane::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(r);
  InflateRect(r, -1, -1);
  DrawPlainEdge(canvas, r, clBtnShadow, clBtnHighlight);
  InflateRect(r, -3, 0);
  DrawCaption(canvas, r, Caption(), DT_LEFT);
}

TPlainBar::TPlainBar(TWinControl* parent) : TCustomControl(parent) {}

void TPlainBar::Paint() {
  TCanvas& canvas = Canvas();
  const TRect r = ClientRect();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(r);
  canvas.Pen().SetColor(clBtnHighlight);
  canvas.MoveTo(r.Left, r.Top);
  canvas.LineTo(r.Right, r.Top);
}
