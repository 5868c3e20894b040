#include "widgets/tnvrapidfirebutton.h"

#include "framework/messages.h"
#include "framework/property.h"
#include "widgets/nvcommon.h"

namespace {

constexpr uintptr_t kRepeatTimerId = 1;

}  // namespace

TNvRapidFireButton::TNvRapidFireButton(TWinControl* parent) : TGraphicControl(parent) {
  // Clicks come from the release and the repeat timer, not from the framework.
  SetControlStyle(ControlStyle() & ~(csClickEvents | csDoubleClicks));
  SetBounds(0, 0, 17, 17);
}

TNvRapidFireButton::~TNvRapidFireButton() {
  StopRepeat();
}

void TNvRapidFireButton::SetScrollStyle(TNvScrollStyle v) {
  if (Store(scrollStyle_, v)) Invalidate();
}

void TNvRapidFireButton::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  // Flat: at rest only the arrow over whatever lies below; raised in the
  // face colour under the mouse, sunk while held.
  if (hot_ || pressed_) {
    r = DrawBorder(canvas, r, pressed_ && mouseInside_ ? fsStatus : fsPopup);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(r);
  }
  DrawArrow(r);
}

void TNvRapidFireButton::DrawArrow(const TRect& r) {
  TCanvas& canvas = Canvas();
  const TColor color = Enabled() ? clBtnText : clBtnShadow;
  const int shift = pressed_ && mouseInside_ ? 1 : 0;
  const int cx = (r.Left + r.Right) / 2 + shift;
  const int cy = (r.Top + r.Bottom) / 2 + shift;
  // Four lines of 7, 5, 3 and 1 pixels pointing in the scroll direction.
  for (int i = 0; i < 4; ++i) {
    const int half = 3 - i;
    for (int k = -half; k <= half; ++k) {
      switch (scrollStyle_) {
        case scsUp:
          canvas.SetPixels(cx + k, cy + 1 - i, color);
          break;
        case scsDown:
          canvas.SetPixels(cx + k, cy - 2 + i, color);
          break;
        case scsLeft:
          canvas.SetPixels(cx + 1 - i, cy + k, color);
          break;
        case scsRight:
          canvas.SetPixels(cx - 2 + i, cy + k, color);
          break;
      }
    }
  }
}

void TNvRapidFireButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled() || pressed_) return;
  pressed_ = true;
  mouseInside_ = true;
  Repaint();
  StartRepeat(initialDelay_);
}

void TNvRapidFireButton::MouseMove(TShiftState shift, int x, int y) {
  const bool inside = PtInRect(ClientRect(), TPoint(x, y));
  if (inside != mouseInside_) {
    mouseInside_ = inside;
    Invalidate();
  }
  TGraphicControl::MouseMove(shift, x, y);
}

void TNvRapidFireButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && pressed_) {
    pressed_ = false;
    StopRepeat();
    Repaint();
    if (PtInRect(ClientRect(), TPoint(x, y))) Click();
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TNvRapidFireButton::MouseEnter() {
  hot_ = true;
  Invalidate();
  TGraphicControl::MouseEnter();
}

void TNvRapidFireButton::MouseLeave() {
  hot_ = false;
  Invalidate();
  TGraphicControl::MouseLeave();
}

void TNvRapidFireButton::EnabledChanged() {
  if (!Enabled() && pressed_) {
    pressed_ = false;
    StopRepeat();
  }
  TGraphicControl::EnabledChanged();
}

void TNvRapidFireButton::VisibleChanged() {
  // A button hidden while held (its group scrolled to the end) stops firing.
  if (!Visible() && pressed_) {
    pressed_ = false;
    hot_ = false;
    StopRepeat();
  }
  TGraphicControl::VisibleChanged();
}

void TNvRapidFireButton::StartRepeat(uint32_t interval) {
  SetTimer(this, kRepeatTimerId, interval);
  repeatInterval_ = interval;
}

void TNvRapidFireButton::StopRepeat() {
  if (repeatInterval_ == 0) return;
  KillTimer(this, kRepeatTimerId);
  repeatInterval_ = 0;
}

void TNvRapidFireButton::WndProc(TMessage& message) {
  if (message.Msg == WM_TIMER && message.WParam == kRepeatTimerId) {
    if (!pressed_) {
      StopRepeat();
      return;
    }
    if (repeatInterval_ != delay_) StartRepeat(delay_);
    // Repeats fire only while the pointer is over the button.
    if (mouseInside_) {
      try {
        Click();
      } catch (...) {
        pressed_ = false;
        StopRepeat();
        throw;
      }
    }
    return;
  }
  TGraphicControl::WndProc(message);
}
