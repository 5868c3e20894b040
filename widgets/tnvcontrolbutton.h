// TNvControlButton: the small windowless push button of the widget set's
// compound controls (the two arrow buttons of a spin edit).
//
// A left press on an enabled button shows it pressed, gives the keyboard focus
// to FocusControl (when set; a control that does not take the focus cancels
// the press) and, with RepeatClicks, starts a repeat timer: the first tick
// comes after InitialDelay, then one every Delay, each a click while the
// button is held. Releasing the button inside it clicks once more; leaving it
// while held does not release it.
#pragma once

#include <QPointer>
#include <cstdint>

#include "framework/controls.h"
#include "widgets/nvcommon_types.h"

enum TNvControlButtonStyle : uint8_t { cbsNone, cbsLeft, cbsUp, cbsRight, cbsDown, cbsDropDown };

// The arrow of a spin button in `rect` (the button's inside): black, or
// cl3DDkShadow on a face colour too close to black, or clBtnShadow when
// disabled; pressed arrows sit one pixel lower and to the right.
void DrawSpinArrow(TCanvas& canvas, const TRect& rect, TNvControlButtonStyle style, bool pressed,
                   bool enabled, TColor faceColor);

class TNvControlButton : public TGraphicControl {
 public:
  explicit TNvControlButton(TWinControl* parent = nullptr);
  ~TNvControlButton() override;

  TNvControlButtonStyle Style() const { return style_; }
  void SetStyle(TNvControlButtonStyle v);
  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  bool RepeatClicks() const { return repeatClicks_; }
  void SetRepeatClicks(bool v) { repeatClicks_ = v; }
  uint32_t InitialDelay() const { return initialDelay_; }
  void SetInitialDelay(uint32_t v) { initialDelay_ = v; }
  uint32_t Delay() const { return delay_; }
  void SetDelay(uint32_t v) { delay_ = v; }
  // The control that takes the keyboard focus when the button is pressed.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* v) { focusControl_ = v; }

  // Whether the button is held down.
  bool Pressed() const { return pressed_; }
  // The interval the repeat timer runs with now; 0 when it is stopped.
  uint32_t RepeatInterval() const { return repeatInterval_; }

  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void EnabledChanged() override;

 private:
  void StartRepeat(uint32_t interval);
  void StopRepeat();
  void TimerTick();

  TNvControlButtonStyle style_ = cbsNone;
  bool flat_ = false;
  bool repeatClicks_ = false;
  uint32_t initialDelay_ = 400;
  uint32_t delay_ = 100;
  QPointer<TWinControl> focusControl_;
  bool pressed_ = false;
  uint32_t repeatInterval_ = 0;
};
