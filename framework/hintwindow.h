// THintWindow: a borderless top-level window that shows a hint text in the
// application's hint colour with a 1-pixel clWindowFrame border, without
// taking the focus. Widgets use it for item hints and tool tips.
#pragma once

#include <string>

#include "framework/controls.h"

class THintWindow : public TCustomControl {
 public:
  THintWindow();

  // The size the hint needs: text width + 6 by text height + 2 (wrapped at
  // maxWidth when wider), at (0, 0).
  virtual TRect CalcHintRect(int maxWidth, const std::string& hint);
  // Shows `hint` in `screenRect`.
  virtual void ActivateHint(const TRect& screenRect, const std::string& hint);
  // Hides the window.
  void ReleaseHandle();
  bool Active() const { return Visible(); }

 protected:
  void Paint() override;
};
