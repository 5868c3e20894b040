#include "widgets/tnvfieldstatus.h"

#include "framework/property.h"

TNvCustomFieldStatus::TNvCustomFieldStatus(TWinControl* parent) : TNvCustomStatusPane(parent) {}

void TNvCustomFieldStatus::SetFieldLabel(const std::string& v) {
  if (!Store(fieldLabel_, v)) return;
  Invalidate();
  AdjustBounds();
}

void TNvCustomFieldStatus::SetFieldLabelColor(TColor v) {
  if (Store(fieldLabelColor_, v)) Invalidate();
}

int TNvCustomFieldStatus::LabelWidth() {
  Canvas().SetFont(Font());
  return Canvas().TextWidth(fieldLabel_);
}

Integer TNvCustomFieldStatus::GetMinWidth() {
  return TNvCustomStatusPane::GetMinWidth() + LabelWidth() + 2 * CaptionOffset();
}

TRect TNvCustomFieldStatus::GetCaptionRect() {
  TRect r = TNvCustomStatusPane::GetCaptionRect();
  if (fieldLabel_.empty()) return r;
  const int shift = LabelWidth() + 2 * CaptionOffset();
  if (UseRightToLeftAlignment())
    r.Right -= shift;
  else
    r.Left += shift;
  return r;
}

void TNvCustomFieldStatus::DrawCaption(const std::string& text) {
  TNvCustomStatusPane::DrawCaption(text);
  if (fieldLabel_.empty()) return;
  TCanvas& canvas = Canvas();
  const TRect base = TNvCustomStatusPane::GetCaptionRect();
  const TRect box =
      Rect(base.Left, base.Top, base.Left + LabelWidth() + CaptionOffset() + 2, base.Bottom);
  canvas.SetFont(Font());
  canvas.Font().SetColor(Enabled() ? fieldLabelColor_ : clGrayText);
  SetTextBrush(canvas);
  canvas.TextRect(box, box.Left + CaptionOffset() + 1, TextTop(canvas, box), fieldLabel_);
}
