#include "widgets/tnvcustomstatuspane.h"

#include "framework/drawtext.h"
#include "framework/property.h"
#include "widgets/nvblinktimer.h"
#include "widgets/nvcommon.h"
#include "widgets/tnvstatusbar.h"

namespace {

// Width of a pane frame inside the caption rectangle.
Integer CaptionFrameWidth(TFrameStyle style) {
  switch (style) {
    case fsNone:
      return 0;
    case fsFlat:
    case fsStatus:
    case fsPopup:
      return 1;
    default:
      return 2;
  }
}

}  // namespace

TNvCustomStatusPane::TNvCustomStatusPane(TWinControl* parent)
    : TGraphicControl(parent),
      fillColor_(Color()),
      fontColor_(Font().Color()),
      textColor_(Font().Color()) {
  SetBounds(Left(), Top(), 100, 20);
  TNvBlinkList::Register(this);
}

TNvCustomStatusPane::~TNvCustomStatusPane() {
  TNvBlinkList::Unregister(this);
}

// ---- properties -------------------------------------------------------------------

void TNvCustomStatusPane::SetAlignment(TAlignment v) {
  if (Store(alignment_, v)) Invalidate();
}

void TNvCustomStatusPane::SetCaptionOffset(Integer v) {
  if (!Store(captionOffset_, v)) return;
  Invalidate();
  AdjustBounds();
}

void TNvCustomStatusPane::SetBorderWidth(Integer v) {
  if (!Store(borderWidth_, v)) return;
  Invalidate();
  AdjustBounds();
}

void TNvCustomStatusPane::SetFrameStyle(TFrameStyle v) {
  if (Store(frameStyle_, v)) Invalidate();
}

void TNvCustomStatusPane::SetFlatColor(TColor v) {
  if (Store(flatColor_, v)) Invalidate();
}

void TNvCustomStatusPane::SetFlatColorAdjustment(Integer v) {
  if (Store(flatColorAdjustment_, v)) Invalidate();
}

void TNvCustomStatusPane::SetTransparent(bool v) {
  if (Store(transparent_, v)) Invalidate();
}

void TNvCustomStatusPane::SetFillColor(TColor v) {
  parentFillColor_ = false;
  if (Store(fillColor_, v)) Invalidate();
}

void TNvCustomStatusPane::SetParentFillColor(bool v) {
  if (!Store(parentFillColor_, v)) return;
  if (v && Store(fillColor_, Color())) Invalidate();
}

void TNvCustomStatusPane::SetAutoSize(bool v) {
  if (Store(autoSize_, v)) AdjustBounds();
}

void TNvCustomStatusPane::SetDefaultWidth(Integer v) {
  if (Store(defaultWidth_, v)) AdjustBounds();
}

void TNvCustomStatusPane::SetBlinking(bool v) {
  if (!Store(blinking_, v)) return;
  if (!v) {
    blinkOn_ = false;
    textColor_ = fontColor_;
    Invalidate();
  }
}

void TNvCustomStatusPane::SetBlinkColor(TColor v) {
  if (!Store(blinkColor_, v)) return;
  if (blinking_ && blinkOn_) {
    textColor_ = v;
    Invalidate();
  }
}

Word TNvCustomStatusPane::BlinkIntervalOn() const {
  return TNvBlinkList::IntervalOn();
}

void TNvCustomStatusPane::SetBlinkIntervalOn(Word ms) {
  TNvBlinkList::SetIntervalOn(ms);
}

Word TNvCustomStatusPane::BlinkIntervalOff() const {
  return TNvBlinkList::IntervalOff();
}

void TNvCustomStatusPane::SetBlinkIntervalOff(Word ms) {
  TNvBlinkList::SetIntervalOff(ms);
}

// ---- notifications ----------------------------------------------------------------

void TNvCustomStatusPane::WndProc(TMessage& message) {
  if (message.Msg == CM_GETBLINKING) {
    message.Result = blinking_ ? 1 : 0;
    return;
  }
  if (message.Msg == CM_BLINK) {
    if (!blinking_) return;
    blinkOn_ = message.WParam == static_cast<WPARAM>(bsOn);
    textColor_ = blinkOn_ ? blinkColor_ : fontColor_;
    Invalidate();
    return;
  }
  TGraphicControl::WndProc(message);
}

void TNvCustomStatusPane::TextChanged() {
  Invalidate();
  AdjustBounds();
}

void TNvCustomStatusPane::FontChanged() {
  TGraphicControl::FontChanged();
  if (ComponentState() & csLoading) return;
  fontColor_ = Font().Color();
  if (!blinking_ || !blinkOn_) textColor_ = fontColor_;
  AdjustBounds();
}

void TNvCustomStatusPane::ColorChanged() {
  if (parentFillColor_) fillColor_ = Color();
  TGraphicControl::ColorChanged();
}

void TNvCustomStatusPane::Loaded() {
  TGraphicControl::Loaded();
  if (!ParentColor()) transparent_ = false;
  fontColor_ = Font().Color();
  if (!blinking_ || !blinkOn_) textColor_ = fontColor_;
  AdjustBounds();
}

// ---- size ---------------------------------------------------------------------------

Integer TNvCustomStatusPane::GetMinWidth() {
  const std::string text = Caption();
  if (text.empty()) return defaultWidth_;
  TCanvas& canvas = Canvas();
  canvas.SetFont(Font());
  TRect r = Rect(0, 0, 0, 0);
  DrawText(canvas, text, r, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
  return 2 * borderWidth_ + r.Right + captionOffset_ + 6;
}

void TNvCustomStatusPane::AdjustBounds() {
  if (!autoSize_ || (ComponentState() & csLoading)) return;
  SetWidth(GetMinWidth());
}

// ---- painting -------------------------------------------------------------------------

TRect TNvCustomStatusPane::GetCaptionRect() {
  TRect r = ClientRect();
  const Integer inset = borderWidth_ + CaptionFrameWidth(frameStyle_);
  InflateRect(r, -inset, -inset);
  return r;
}

void TNvCustomStatusPane::Paint() {
  DrawStatusBorder();
  DrawCaption(Caption());
}

void TNvCustomStatusPane::DrawStatusBorder() {
  TCanvas& canvas = Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  if (!transparent_) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
  }
  InflateRect(r, -borderWidth_, -borderWidth_);
  auto* bar = dynamic_cast<TNvStatusBar*>(Parent());
  if (bar && bar->VisualStyle() == vsGradient) {
    // The pane at the bar's left edge has no divider.
    if (bar->BorderWidth() >= Left()) return;
    TColor start, stop, divider;
    GetGradientStatusBarColors(bar->GradientColorStyle(), start, stop, divider);
    canvas.Pen().SetColor(divider);
    canvas.MoveTo(r.Left, r.Top + 1);
    canvas.LineTo(r.Left, r.Bottom - 1);
    return;
  }
  if (frameStyle_ != fsFlat) {
    DrawBorder(canvas, r, frameStyle_);
    return;
  }
  // A flat outline with open corners.
  canvas.Pen().SetColor(AdjustColor(flatColor_, flatColorAdjustment_));
  canvas.MoveTo(r.Left, r.Top + 1);
  canvas.LineTo(r.Left, r.Bottom - 1);
  canvas.MoveTo(r.Left + 1, r.Top);
  canvas.LineTo(r.Right - 1, r.Top);
  canvas.MoveTo(r.Right - 1, r.Top + 1);
  canvas.LineTo(r.Right - 1, r.Bottom - 1);
  canvas.MoveTo(r.Left + 1, r.Bottom - 1);
  canvas.LineTo(r.Right - 1, r.Bottom - 1);
}

void TNvCustomStatusPane::SetTextBrush(TCanvas& canvas) const {
  if (transparent_) {
    canvas.Brush().SetStyle(bsClear);
  } else {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(fillColor_);
  }
}

int TNvCustomStatusPane::TextTop(TCanvas& canvas, const TRect& r) const {
  return r.Top + (r.Height() - canvas.TextHeight("Pp")) / 2;
}

void TNvCustomStatusPane::DrawCaption(const std::string& text) {
  TCanvas& canvas = Canvas();
  canvas.SetFont(Font());
  canvas.Font().SetColor(Enabled() ? textColor_ : clGrayText);
  const TRect cr = GetCaptionRect();
  TAlignment a = alignment_;
  if (UseRightToLeftAlignment() && a != taCenter)
    a = a == taLeftJustify ? taRightJustify : taLeftJustify;
  // The anchor is the text's left end, right end or centre.
  const int tw = canvas.TextWidth(text);
  int x = cr.Left + captionOffset_ + 1;
  if (a == taRightJustify) x = cr.Right - captionOffset_ - 1 - tw;
  if (a == taCenter) x = cr.Left + cr.Width() / 2 - tw / 2;
  SetTextBrush(canvas);
  canvas.TextRect(cr, x, TextTop(canvas, cr), text);
}

// ---- size grip hit test -------------------------------------------------------------

bool TNvCustomStatusPane::OverSizeGrip(int x, int y) const {
  auto* bar = dynamic_cast<TNvStatusBar*>(Parent());
  if (!bar || !bar->ShowSizeGrip() || x < Width() - 12) return false;
  TRect client = bar->ClientRect();
  bar->AdjustStatusClientRect(client);
  return Left() + Width() >= client.Right && bar->OverSizeGrip(Point(Left() + x, Top() + y));
}

void TNvCustomStatusPane::MouseMove(TShiftState shift, int x, int y) {
  SetCursor(OverSizeGrip(x, y) ? crSizeNWSE : crDefault);
  TGraphicControl::MouseMove(shift, x, y);
}

void TNvCustomStatusPane::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && OverSizeGrip(x, y)) {
    static_cast<TNvStatusBar*>(Parent())->StartGripSizing();
    return;
  }
  TGraphicControl::MouseDown(button, shift, x, y);
}
