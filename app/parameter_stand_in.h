// TParameterStandIn: holds the parameters and the configuration image until
// the spin edits, check lists, check boxes and the hex view take their place,
// and shows them as plain text: every parameter with its value, the flags,
// and the 64 image bytes in eight rows.
#pragma once

#include <string>
#include <vector>

#include "framework/controls.h"
#include "model/parameter_set.h"
#include "model/rom_image.h"

// One line of the text: a label and its value.
struct TStandInLine {
  std::string label;
  std::string value;
};

class TParameterStandIn : public TCustomControl {
 public:
  explicit TParameterStandIn(TWinControl* parent = nullptr);

  // The parameters as the controls would hold them.
  const ParameterSet& Parameters() const { return params_; }
  void SetParameters(const ParameterSet& v);
  void SetFunregItemEnabled(Integer item, bool enabled);

  // The image; a repaint request repaints this control.
  RomImage& Image() { return image_; }

  // The text lines shown (parameters, flags, image rows).
  std::vector<TStandInLine> Lines() const;

 protected:
  void Paint() override;

 private:
  ParameterSet params_;
  RomImage image_;
};
