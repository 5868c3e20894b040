#include "widgets/nvedit.h"

#include "framework/messages.h"
#include "framework/property.h"
#include "framework/scoped_value.h"
#include "widgets/nvcommon_frames.h"

TNvCustomEdit::TNvCustomEdit(TWinControl* parent) : TCustomEdit(parent) {
  restColor_ = Color();
}

void TNvCustomEdit::SetFocusColor(TColor v) {
  if (Store(focusColor_, v)) UpdateColors();
}

void TNvCustomEdit::SetDisabledColor(TColor v) {
  if (Store(disabledColor_, v)) UpdateColors();
}

void TNvCustomEdit::SetReadOnlyColor(TColor v) {
  if (Store(readOnlyColor_, v)) UpdateColors();
}

void TNvCustomEdit::SetReadOnlyColorOnFocus(bool v) {
  if (Store(readOnlyColorOnFocus_, v)) UpdateColors();
}

void TNvCustomEdit::SetFrameVisible(bool v) {
  if (!Store(frame_.visible, v)) return;
  UpdateFrame();
}

void TNvCustomEdit::SetFrameStyle(TFrameStyle v) {
  if (!Store(frame_.style, v)) return;
  UpdateFrame();
}

void TNvCustomEdit::SetFrameColor(TColor v) {
  if (!Store(frame_.color, v)) return;
  UpdateFrame();
}

void TNvCustomEdit::SetFrameHotTrack(bool v) {
  if (!Store(frame_.hotTrack, v)) return;
  UpdateFrame();
}

void TNvCustomEdit::SetFrameHotStyle(TFrameStyle v) {
  if (!Store(frame_.hotStyle, v)) return;
  UpdateFrame();
}

void TNvCustomEdit::SetFrameHotColor(TColor v) {
  if (!Store(frame_.hotColor, v)) return;
  UpdateFrame();
}

void TNvCustomEdit::SetFrameSides(TSides v) {
  if (!Store(frame_.sides, v)) return;
  UpdateFrame();
}

void TNvCustomEdit::SetFramingPreference(TFramingPreference v) {
  if (Store(framingPreference_, v)) UpdateFrame();
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
  TScopedValue setting(settingColor_, true);
  SetColor(c);
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
  if (frame_.TracksHot()) UpdateFrame();
  TCustomEdit::MouseEnter();
}

void TNvCustomEdit::MouseLeave() {
  mouseInControl_ = false;
  if (frame_.TracksHot()) UpdateFrame();
  TCustomEdit::MouseLeave();
}

void TNvCustomEdit::UpdateFrame() {
  Invalidate();
}

void TNvCustomEdit::PaintNonClient(TCanvas& canvas) {
  if (!frame_.visible) {
    TCustomEdit::PaintNonClient(canvas);
    return;
  }
  frame_.Paint(canvas, Width(), Height(), Color(), mouseInControl_ || hasFocus_);
}
