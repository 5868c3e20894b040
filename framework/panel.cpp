#include "framework/panel.h"

#include "framework/drawtext.h"
#include "framework/property.h"

namespace {

// One bevel of `width` rings; raised = light upper-left.
TRect Bevel(TCanvas& c, TRect r, TBevelCut cut, int width) {
  if (cut == bvNone) return r;
  if (cut == bvSpace) {
    InflateRect(r, -width, -width);
    return r;
  }
  const TColor ul = cut == bvRaised ? clBtnHighlight : clBtnShadow;
  const TColor lr = cut == bvRaised ? clBtnShadow : clBtnHighlight;
  for (int i = 0; i < width; ++i) {
    c.Pen().SetColor(ul);
    c.MoveTo(r.Left, r.Bottom - 1);
    c.LineTo(r.Left, r.Top);
    c.LineTo(r.Right, r.Top);
    c.Pen().SetColor(lr);
    c.MoveTo(r.Right - 1, r.Top);
    c.LineTo(r.Right - 1, r.Bottom - 1);
    c.LineTo(r.Left - 1, r.Bottom - 1);
    InflateRect(r, -1, -1);
  }
  return r;
}

}  // namespace

TCustomPanel::TCustomPanel(TWinControl* parent) : TCustomControl(parent) {
  SetParentColor(false);
  SetColor(clBtnFace);
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetBounds(0, 0, 185, 41);
}

int TCustomPanel::FrameWidth() const {
  int w = borderWidth_;
  if (bevelOuter_ != bvNone) w += bevelWidth_;
  if (bevelInner_ != bvNone) w += bevelWidth_;
  return w;
}

void TCustomPanel::AdjustClientRect(TRect& r) const {
  const int w = FrameWidth();
  InflateRect(r, -w, -w);
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
  if (!Store(bevelInner_, v)) return;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
  if (!Store(bevelOuter_, v)) return;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int v) {
  v = std::max(1, v);
  if (!Store(bevelWidth_, v)) return;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int v) {
  v = std::max(0, v);
  if (!Store(borderWidth_, v)) return;
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment v) {
  if (Store(alignment_, v)) Invalidate();
}

void TCustomPanel::Paint() {
  TCanvas& c = Canvas();
  TRect r = Bevel(c, ClientRect(), bevelOuter_, bevelWidth_);
  c.Brush().SetColor(Color());
  c.Brush().SetStyle(bsSolid);
  c.FrameRect(r);  // the band, BorderWidth pixels of Color
  InflateRect(r, -borderWidth_, -borderWidth_);
  r = Bevel(c, r, bevelInner_, bevelWidth_);
  c.FillRect(r);
  if (Caption().empty()) return;
  uint32_t flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
  if (alignment_ == taCenter) flags |= DT_CENTER;
  if (alignment_ == taRightJustify) flags |= DT_RIGHT;
  if (UseRightToLeftReading()) flags |= DT_RTLREADING;
  c.Brush().SetStyle(bsClear);
  c.SetFont(Font());
  DrawText(c, Caption(), r, flags);
}
