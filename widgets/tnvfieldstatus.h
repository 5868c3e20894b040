// TNvCustomFieldStatus: a status pane whose caption follows a FieldLabel
// drawn in FieldLabelColor; TNvFieldStatus is its published form.
#pragma once

#include <string>

#include "widgets/tnvcustomstatuspane.h"

class TNvCustomFieldStatus : public TNvCustomStatusPane {
 public:
  explicit TNvCustomFieldStatus(TWinControl* parent = nullptr);

  const std::string& FieldLabel() const { return fieldLabel_; }
  void SetFieldLabel(const std::string& v);
  TColor FieldLabelColor() const { return fieldLabelColor_; }
  void SetFieldLabelColor(TColor v);

  // The pane's width plus the label's text width and two caption offsets
  // (also for an empty label).
  Integer GetMinWidth() override;
  // The caption rectangle starts after the label.
  TRect GetCaptionRect() override;

 protected:
  void DrawCaption(const std::string& text) override;

 private:
  int LabelWidth();

  std::string fieldLabel_;
  TColor fieldLabelColor_ = clHighlight;
};

class TNvFieldStatus : public TNvCustomFieldStatus {
 public:
  using TNvCustomFieldStatus::TNvCustomFieldStatus;

  // When on, the pane would show the application's current hint text; this
  // framework has no hint text, so the caption stays as set.
  bool AutoHint() const { return autoHint_; }
  void SetAutoHint(bool v) { autoHint_ = v; }

 private:
  bool autoHint_ = false;
};
