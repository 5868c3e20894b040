// Plain painted controls the window uses until the owner-drawn widget set
// takes their place: a push button, a status pane and the bar that holds
// the panes.
#pragma once

#include "framework/controls.h"

// A push button with a raised edge and a centred caption; it sinks while the
// left button is held on it and clicks on release inside. It never takes the
// keyboard focus, so the control being edited keeps it.
class TPlainButton : public TCustomControl {
 public:
  explicit TPlainButton(TWinControl* parent = nullptr);  // 75 x 25

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  bool down_ = false;
};

// A sunken pane with a left-aligned caption, as in a status bar.
class TStatusPane : public TCustomControl {
 public:
  explicit TStatusPane(TWinControl* parent = nullptr);  // 100 x 19

 protected:
  void Paint() override;
};

// A bar in the button face colour that holds panes or buttons, with a
// one-pixel highlight line along its top.
class TPlainBar : public TCustomControl {
 public:
  explicit TPlainBar(TWinControl* parent = nullptr);

 protected:
  void Paint() override;
};

// Draws a one-pixel 3D edge around `r`: `topLeft` on the top and left sides,
// `bottomRight` on the other two.
void DrawPlainEdge(TCanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight);
