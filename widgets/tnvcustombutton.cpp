#include "widgets/tnvcustombutton.h"

#include "framework/drawtext.h"
#include "framework/property.h"
#include "widgets/nvcommon.h"

TNvCustomButton::TNvCustomButton(TWinControl* parent) : TCustomControl(parent) {
  SetBounds(Left(), Top(), 115, 17);
  SetTabStop(true);
  // The control paints every pixel itself and raises OnClick itself.
  SetControlStyle((ControlStyle() | csOpaque) & ~csClickEvents);
}

void TNvCustomButton::SetAlignmentVertical(TNvAlignmentVertical v) {
  if (Store(alignmentVertical_, v)) Invalidate();
}

void TNvCustomButton::SetHotTrack(bool v) {
  if (Store(hotTrack_, v)) Invalidate();
}

void TNvCustomButton::SetHotTrackColor(TColor v) {
  if (Store(hotTrackColor_, v)) Invalidate();
}

void TNvCustomButton::SetHotTrackColorType(TNvHotTrackColorType v) {
  if (Store(hotTrackColorType_, v)) Invalidate();
}

void TNvCustomButton::SetHighlightColor(TColor v) {
  if (Store(highlightColor_, v)) Invalidate();
}

void TNvCustomButton::SetTextStyle(TTextStyle v) {
  if (Store(effects_.style, v)) Invalidate();
}

void TNvCustomButton::SetLightTextStyle(bool v) {
  if (Store(effects_.lightTextStyle, v)) Invalidate();
}

void TNvCustomButton::SetTextShadowDepth(int v) {
  if (Store(effects_.shadowDepth, v)) Invalidate();
}

void TNvCustomButton::SetTextShadowColor(TColor v) {
  if (Store(effects_.shadowColor, v)) Invalidate();
}

void TNvCustomButton::SetTextHighlightColor(TColor v) {
  if (Store(effects_.highlightColor, v)) Invalidate();
}

void TNvCustomButton::SetThemeAware(bool v) {
  if (Store(themeAware_, v)) Invalidate();
}

void TNvCustomButton::SetTransparent(bool v) {
  if (Store(transparent_, v)) Invalidate();
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
