// TNvSpacer: the gap between groups of toolbar buttons. At run time an
// ungrooved spacer only takes room; a grooved one draws an etched line across
// its middle (horizontal when it is wider than tall, else vertical). While
// designing an ungrooved spacer shows a dotted outline.
#pragma once

#include "framework/controls.h"
#include "widgets/nvcommon_types.h"

class TNvSpacer : public TGraphicControl {
 public:
  explicit TNvSpacer(TWinControl* parent = nullptr);  // 8 x 25

  bool Grooved() const { return grooved_; }
  void SetGrooved(bool v);
  // Changing the orientation swaps Width and Height (except while loading).
  TOrientation Orientation() const { return orientation_; }
  void SetOrientation(TOrientation v);

 protected:
  void Paint() override;

 private:
  bool grooved_ = false;
  TOrientation orientation_ = orHorizontal;
};
