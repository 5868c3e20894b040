#include "framework/label.h"

#include "framework/drawtext.h"
#include "framework/property.h"

TCustomLabel::TCustomLabel(TWinControl* parent) : TGraphicControl(parent) {
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment v) {
  if (Store(alignment_, v)) Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout v) {
  if (Store(layout_, v)) Invalidate();
}

void TCustomLabel::SetAutoSize(bool v) {
  if (Store(autoSize_, v)) AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (!Store(wordWrap_, v)) return;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
  if (Store(transparent_, v)) Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  if (!Store(showAccelChar_, v)) return;
  AdjustBounds();
  Invalidate();
}

uint32_t TCustomLabel::DrawTextFlags() const {
  uint32_t flags = DT_EXPANDTABS;
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  if (alignment_ == taCenter) flags |= DT_CENTER;
  if (alignment_ == taRightJustify) flags |= DT_RIGHT;
  if (UseRightToLeftReading()) flags |= DT_RTLREADING;
  return flags;
}

void TCustomLabel::DoDrawText(TRect& rect, uint32_t flags) {
  TCanvas& c = Canvas();
  c.SetFont(Font());
  c.Brush().SetStyle(bsClear);
  static const std::string kBlank(" ");
  const std::string caption = Caption();
  // An empty caption still measures one line high.
  const bool blank =
      (flags & DT_CALCRECT) && (caption.empty() || (showAccelChar_ && caption == "&"));
  const std::string& text = blank ? kBlank : caption;
  if (Enabled() || (flags & DT_CALCRECT)) {
    DrawText(c, text, rect, flags);
    return;
  }
  TRect shifted = rect;
  OffsetRect(shifted, 1, 1);
  c.Font().SetColor(clBtnHighlight);
  DrawText(c, text, shifted, flags);
  c.Font().SetColor(clBtnShadow);
  DrawText(c, text, rect, flags);
}

void TCustomLabel::Paint() {
  TCanvas& c = Canvas();
  if (!transparent_) {
    c.Brush().SetColor(Color());
    c.Brush().SetStyle(bsSolid);
    c.FillRect(ClientRect());
  }
  TRect r = ClientRect();
  const uint32_t flags = DrawTextFlags();
  if (layout_ != tlTop) {
    TRect calc = r;
    DoDrawText(calc, flags | DT_CALCRECT);
    const int h = calc.Height();
    if (layout_ == tlBottom)
      r.Top = r.Bottom - h;
    else
      r.Top = (r.Top + r.Bottom - h) / 2;
  }
  DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || (ComponentState() & csLoading)) return;
  TRect r = ClientRect();
  if (!wordWrap_) r.Right = r.Left + 100000;
  DoDrawText(r, DrawTextFlags() | DT_CALCRECT);
  int left = Left();
  if (alignment_ == taRightJustify) left += Width() - r.Width();
  SetBounds(left, Top(), r.Width(), r.Height());
}

void TCustomLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}
