#include "widgets/nvedit.h"

#include "framework/messages.h"
#include "widgets/nvcommon_frames.h"

TNvCustomEdit::TNvCustomEdit(TWinControl* parent) : TCustomEdit(parent) {
  restColor_ = Color();
}

void TNvCustomEdit::SetFocusColor(TColor v) {
  if (focusColor_ == v) return;
  focusColor_ = v;
  UpdateColors();
}

void TNvCustomEdit::SetDisabledColor(TColor v) {
  if (disabledColor_ == v) return;
  disabledColor_ = v;
  UpdateColors();
}

void TNvCustomEdit::SetReadOnlyColor(TColor v) {
  if (readOnlyColor_ == v) return;
  readOnlyColor_ = v;
  UpdateColors();
}

void TNvCustomEdit::SetReadOnlyColorOnFocus(bool v) {
  if (readOnlyColorOnFocus_ == v) return;
  readOnlyColorOnFocus_ = v;
  UpdateColors();
}

void TNvCustomEdit::SetFrameVisible(bool v) {
  if (frameVisible_ == v) return;
  frameVisible_ = v;
  UpdateFrame();
}

void TNvCustomEdit::SetFrameStyle(TFrameStyle v) {
  if (frameStyle_ == v) return;
  frameStyle_ = v;
  UpdateFrame();
}

void TNvCustomEdit::SetFrameColor(TColor v) {
  if (frameColor_ == v) return;
  frameColor_ = v;
  UpdateFrame();
}

void TNvCustomEdit::SetFrameHotTrack(bool v) {
  if (frameHotTrack_ == v) return;
  frameHotTrack_ = v;
  UpdateFrame();
}

void TNvCustomEdit::SetFrameHotStyle(TFrameStyle v) {
  if (frameHotStyle_ == v) return;
  frameHotStyle_ = v;
  UpdateFrame();
}

void TNvCustomEdit::SetFrameHotColor(TColor v) {
  if (frameHotColor_ == v) return;
  frameHotColor_ = v;
  UpdateFrame();
}

void TNvCustomEdit::SetFrameSides(TSides v) {
  if (frameSides_ == v) return;
  frameSides_ = v;
  UpdateFrame();
}

void TNvCustomEdit::SetFramingPreference(TFramingPreference v) {
  if (framingPreference_ == v) return;
  framingPreference_ = v;
  UpdateFrame();
}

void TNvCustomEdit::SetReadOnly(bool v) {
  if (ReadOnly() == v) return;
  TCustomEdit::SetReadOnly(v);
  UpdateColors();
}

void TNvCustomEdit::UpdateColors() {
  TColor c;
  if (!Enabled())
    c = disabledColor_;
  else if (hasFocus_)
    c = ReadOnly() && readOnlyColorOnFocus_ ? readOnlyColor_ : focusColor_;
  else
    c = ReadOnly() ? readOnlyColor_ : restColor_;
  settingColor_ = true;
  SetColor(c);
  settingColor_ = false;
}

void TNvCustomEdit::InvalidKeyPressed() {
  if (beepOnInvalidKey_) MessageBeep(0);
}

void TNvCustomEdit::DoEnter() {
  hasFocus_ = true;
  UpdateColors();
  TCustomEdit::DoEnter();
}

void TNvCustomEdit::DoExit() {
  TCustomEdit::DoExit();
  hasFocus_ = false;
  UpdateColors();
}

void TNvCustomEdit::EnabledChanged() {
  TCustomEdit::EnabledChanged();
  UpdateColors();
}

void TNvCustomEdit::ColorChanged() {
  TCustomEdit::ColorChanged();
  if (settingColor_) return;
  // A colour set from outside becomes the rest colour; the focus colour
  // follows it when the two were the same.
  if (focusColor_ == restColor_) focusColor_ = Color();
  restColor_ = Color();
}

void TNvCustomEdit::KeyPress(char& key) {
  TCustomEdit::KeyPress(key);
  if (key == '\r' && tabOnEnter_) {
    key = 0;
    if (Parent()) {
      TWinControl* root = Parent();
      while (root->Parent()) root = root->Parent();
      root->SelectNext(this, true, true);
    }
  }
}

void TNvCustomEdit::MouseEnter() {
  mouseInControl_ = true;
  if (frameVisible_ && frameHotTrack_) UpdateFrame();
  TCustomEdit::MouseEnter();
}

void TNvCustomEdit::MouseLeave() {
  mouseInControl_ = false;
  if (frameVisible_ && frameHotTrack_) UpdateFrame();
  TCustomEdit::MouseLeave();
}

void TNvCustomEdit::UpdateFrame() {
  Invalidate();
}

void TNvCustomEdit::PaintNonClient(TCanvas& canvas) {
  if (!frameVisible_) {
    TCustomEdit::PaintNonClient(canvas);
    return;
  }
  const bool hot = frameHotTrack_ && (mouseInControl_ || hasFocus_);
  DrawFrame(canvas, Width(), Height(), hot ? frameHotStyle_ : frameStyle_, Color(),
            hot ? frameHotColor_ : frameColor_, frameSides_);
}
