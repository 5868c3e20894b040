#include "widgets/tnvcustombutton.h"

#include "framework/drawtext.h"
#include "widgets/nvcommon.h"

TNvCustomButton::TNvCustomButton(TWinControl* parent) : TCustomControl(parent) {
  SetBounds(Left(), Top(), 115, 17);
  SetTabStop(true);
  // The control paints every pixel itself and raises OnClick itself.
  SetControlStyle((ControlStyle() | csOpaque) & ~csClickEvents);
}

void TNvCustomButton::SetAlignmentVertical(TNvAlignmentVertical v) {
  if (alignmentVertical_ == v) return;
  alignmentVertical_ = v;
  Invalidate();
}

void TNvCustomButton::SetHotTrack(bool v) {
  if (hotTrack_ == v) return;
  hotTrack_ = v;
  Invalidate();
}

void TNvCustomButton::SetHotTrackColor(TColor v) {
  if (hotTrackColor_ == v) return;
  hotTrackColor_ = v;
  Invalidate();
}

void TNvCustomButton::SetHotTrackColorType(TNvHotTrackColorType v) {
  if (hotTrackColorType_ == v) return;
  hotTrackColorType_ = v;
  Invalidate();
}

void TNvCustomButton::SetHighlightColor(TColor v) {
  if (highlightColor_ == v) return;
  highlightColor_ = v;
  Invalidate();
}

void TNvCustomButton::SetTextStyle(TTextStyle v) {
  if (effects_.style == v) return;
  effects_.style = v;
  Invalidate();
}

void TNvCustomButton::SetLightTextStyle(bool v) {
  if (effects_.lightTextStyle == v) return;
  effects_.lightTextStyle = v;
  Invalidate();
}

void TNvCustomButton::SetTextShadowDepth(int v) {
  if (effects_.shadowDepth == v) return;
  effects_.shadowDepth = v;
  Invalidate();
}

void TNvCustomButton::SetTextShadowColor(TColor v) {
  if (effects_.shadowColor == v) return;
  effects_.shadowColor = v;
  Invalidate();
}

void TNvCustomButton::SetTextHighlightColor(TColor v) {
  if (effects_.highlightColor == v) return;
  effects_.highlightColor = v;
  Invalidate();
}

void TNvCustomButton::SetThemeAware(bool v) {
  if (themeAware_ == v) return;
  themeAware_ = v;
  Invalidate();
}

void TNvCustomButton::SetTransparent(bool v) {
  if (transparent_ == v) return;
  transparent_ = v;
  Invalidate();
}

TRect TNvCustomButton::Draw3DText(TCanvas& canvas, const TRect& rect, bool rightAligned) {
  canvas.SetFont(Font());
  canvas.Brush().SetStyle(bsClear);
  const std::string caption = Caption();
  const uint32_t flags = DT_WORDBREAK | DT_EXPANDTABS | (rightAligned ? DT_RIGHT : DT_LEFT);
  TRect calc = rect;
  DrawText(canvas, caption.empty() ? std::string(" ") : caption, calc, flags | DT_CALCRECT);
  const int h = calc.Height();
  TRect r = rect;
  switch (alignmentVertical_) {
    case avTop:
      r.Bottom = r.Top + h;
      break;
    case avCenter:
      r.Top = (rect.Top + rect.Bottom - h) / 2;
      r.Bottom = r.Top + h;
      break;
    case avBottom:
      r.Bottom = rect.Bottom - 1;
      r.Top = r.Bottom - h;
      break;
  }
  DrawStyledText(canvas, caption, r, flags, Enabled(), Font().Color(), effects_);
  return r;
}

void TNvCustomButton::HotColors(TColor& start, TColor& stop) const {
  if (hotTrackColorType_ == htctActual) {
    stop = hotTrackColor_;
    start = BlendColors(clWhite, hotTrackColor_, 190);
  } else {
    start = ComplementaryColor(hotTrackColor_, 180);
    stop = DarkerColor(start, 30);
  }
}

void TNvCustomButton::MouseEnter() {
  pointerInside_ = true;
  HotTrackChanged();
  TCustomControl::MouseEnter();
}

void TNvCustomButton::MouseLeave() {
  pointerInside_ = false;
  HotTrackChanged();
  TCustomControl::MouseLeave();
}
