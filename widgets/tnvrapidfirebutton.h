// TNvRapidFireButton: a flat speed button with an arrow glyph that repeats its
// click while it is held down: the first repeat comes 400 ms after the press,
// then one every 100 ms. The group bar's groups scroll their items with two of
// them.
#pragma once

#include <cstdint>

#include "framework/controls.h"

enum TNvScrollStyle : uint8_t { scsUp, scsDown, scsLeft, scsRight };

class TNvRapidFireButton : public TGraphicControl {
 public:
  explicit TNvRapidFireButton(TWinControl* parent = nullptr);
  ~TNvRapidFireButton() override;

  TNvScrollStyle ScrollStyle() const { return scrollStyle_; }
  void SetScrollStyle(TNvScrollStyle v);
  uint32_t InitialDelay() const { return initialDelay_; }
  void SetInitialDelay(uint32_t v) { initialDelay_ = v; }
  uint32_t Delay() const { return delay_; }
  void SetDelay(uint32_t v) { delay_ = v; }

  // Whether the button is held down, and the interval its repeat timer runs
  // with now (0 when stopped).
  bool Pressed() const { return pressed_; }
  uint32_t RepeatInterval() const { return repeatInterval_; }

  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void EnabledChanged() override;
  void VisibleChanged() override;

 private:
  void StartRepeat(uint32_t interval);
  void StopRepeat();
  void DrawArrow(const TRect& r);

  TNvScrollStyle scrollStyle_ = scsUp;
  uint32_t initialDelay_ = 400;
  uint32_t delay_ = 100;
  bool pressed_ = false;
  bool mouseInside_ = false;
  bool hot_ = false;
  uint32_t repeatInterval_ = 0;
};
