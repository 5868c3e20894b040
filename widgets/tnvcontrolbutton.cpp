#include "widgets/tnvcontrolbutton.h"

#include "framework/messages.h"
#include "framework/property.h"
#include "widgets/nvcommon.h"

namespace {

constexpr uintptr_t kRepeatTimerId = 1;

// One line of `count` pixels from (x, y), along x when `horizontal`.
void PixelRun(TCanvas& canvas, int x, int y, int count, bool horizontal, TColor color) {
  for (int i = 0; i < count; ++i)
    canvas.SetPixels(horizontal ? x + i : x, horizontal ? y : y + i, color);
}

}  // namespace

void DrawSpinArrow(TCanvas& canvas, const TRect& rect, TNvControlButtonStyle style, bool pressed,
                   bool enabled, TColor faceColor) {
  TColor color = clBlack;
  if (!enabled)
    color = clBtnShadow;
  else if (ColorsTooClose(faceColor, clBlack))
    color = cl3DDkShadow;
  const int w = rect.Right - rect.Left;
  const int h = rect.Bottom - rect.Top;
  int cx = rect.Left + w / 2;
  int cy = rect.Top + h / 2;
  const int shift = pressed && enabled ? 1 : 0;
  switch (style) {
    case cbsUp:
    case cbsDown: {
      // The four rows end at cy; the bias keeps them centred in odd and even
      // heights alike.
      if (h % 2 == 0) --cy;
      cy += 1 + shift;
      cx += shift;
      for (int i = 0; i < 4; ++i) {
        const int half = style == cbsUp ? i : 3 - i;
        PixelRun(canvas, cx - half, cy - 3 + i, 2 * half + 1, true, color);
      }
      break;
    }
    case cbsLeft:
    case cbsRight: {
      // The transposed shape: four columns from cx - 2, seven rows at most.
      cx += shift - 2;
      cy += shift;
      for (int i = 0; i < 4; ++i) {
        const int half = style == cbsLeft ? i : 3 - i;
        PixelRun(canvas, cx + i, cy - half, 2 * half + 1, false, color);
      }
      break;
    }
    default:
      break;
  }
}

TNvControlButton::TNvControlButton(TWinControl* parent) : TGraphicControl(parent) {
  // Clicks come from the release and the repeat timer, not from the framework.
  SetControlStyle(ControlStyle() & ~(csClickEvents | csDoubleClicks));
  SetColor(clBtnFace);
  SetBounds(0, 0, 17, 21);
}

TNvControlButton::~TNvControlButton() {
  StopRepeat();
}

void TNvControlButton::SetStyle(TNvControlButtonStyle v) {
  if (Store(style_, v)) Invalidate();
}

void TNvControlButton::SetFlat(bool v) {
  if (Store(flat_, v)) Invalidate();
}

void TNvControlButton::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  if (pressed_)
    r = DrawBox(canvas, r, clBtnShadow);
  else if (!flat_)
    r = DrawBorder(canvas, r, fsButtonUp);
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(r);
  DrawSpinArrow(canvas, r, style_, pressed_, Enabled(), Color());
}

void TNvControlButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled() || pressed_) return;
  pressed_ = true;
  Repaint();
  if (focusControl_ && !focusControl_->Focused()) {
    if (focusControl_->CanFocus()) focusControl_->SetFocus();
    if (!focusControl_ || !focusControl_->Focused()) {
      // The focus stayed elsewhere (an exit handler refused it): no press.
      pressed_ = false;
      SetMouseCapture(false);
      Invalidate();
      return;
    }
  }
  if (repeatClicks_) StartRepeat(initialDelay_);
}

void TNvControlButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && pressed_) {
    pressed_ = false;
    StopRepeat();
    Repaint();
    if (PtInRect(ClientRect(), TPoint(x, y))) Click();
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TNvControlButton::EnabledChanged() {
  if (!Enabled() && pressed_) {
    pressed_ = false;
    StopRepeat();
  }
  TGraphicControl::EnabledChanged();
}

void TNvControlButton::StartRepeat(uint32_t interval) {
  SetTimer(this, kRepeatTimerId, interval);
  repeatInterval_ = interval;
}

void TNvControlButton::StopRepeat() {
  if (repeatInterval_ == 0) return;
  KillTimer(this, kRepeatTimerId);
  repeatInterval_ = 0;
}

void TNvControlButton::TimerTick() {
  if (repeatInterval_ != delay_) StartRepeat(delay_);
  if (!pressed_ || !MouseCapture()) return;
  try {
    Click();
  } catch (...) {
    StopRepeat();
    throw;
  }
}

void TNvControlButton::WndProc(TMessage& message) {
  if (message.Msg == WM_TIMER && message.WParam == kRepeatTimerId) {
    if (repeatInterval_ != 0) TimerTick();
    return;
  }
  TGraphicControl::WndProc(message);
}
