// Nvedit: TNvCustomEdit, the widget set's single-line edit base.
//
// It adds to the framework edit the colour switching of the widget set (a
// focus colour, a disabled colour and a read-only colour, with the colour set
// from outside remembered as the rest colour), the invalid-key reaction (the
// platform's beep, when BeepOnInvalidKey), Enter acting as Tab (TabOnEnter)
// and an optional drawn frame in place of the sunken edge (FrameVisible).
#pragma once

#include "framework/edit.h"
#include "widgets/nvcommon_types.h"
#include "widgets/nvdrawnframe.h"

class TNvCustomEdit : public TCustomEdit {
 public:
  explicit TNvCustomEdit(TWinControl* parent = nullptr);

  TColor FocusColor() const { return focusColor_; }
  void SetFocusColor(TColor v);
  TColor DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(TColor v);
  TColor ReadOnlyColor() const { return readOnlyColor_; }
  void SetReadOnlyColor(TColor v);
  bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
  void SetReadOnlyColorOnFocus(bool v);

  bool FrameVisible() const { return frame_.visible; }
  void SetFrameVisible(bool v);
  TFrameStyle FrameStyle() const { return frame_.style; }
  void SetFrameStyle(TFrameStyle v);
  TColor FrameColor() const { return frame_.color; }
  void SetFrameColor(TColor v);
  bool FrameHotTrack() const { return frame_.hotTrack; }
  void SetFrameHotTrack(bool v);
  TFrameStyle FrameHotStyle() const { return frame_.hotStyle; }
  void SetFrameHotStyle(TFrameStyle v);
  TColor FrameHotColor() const { return frame_.hotColor; }
  void SetFrameHotColor(TColor v);
  TSides FrameSides() const { return frame_.sides; }
  void SetFrameSides(TSides v);
  TFramingPreference FramingPreference() const { return framingPreference_; }
  void SetFramingPreference(TFramingPreference v);

  bool BeepOnInvalidKey() const { return beepOnInvalidKey_; }
  void SetBeepOnInvalidKey(bool v) { beepOnInvalidKey_ = v; }
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool v) { tabOnEnter_ = v; }

  // Read-only changes switch the colour too.
  void SetReadOnly(bool v);

 protected:
  // The colour the control shows when neither focused, disabled nor read-only.
  TColor RestColor() const { return restColor_; }
  // True between the control's focus entry and exit.
  bool HasEditFocus() const { return hasFocus_; }
  // Sets Color from the focus, enabled and read-only state (RestColor kept).
  void UpdateColors();
  // The reaction to a refused key or action: the beep when BeepOnInvalidKey.
  virtual void InvalidKeyPressed();

  void DoEnter() override;
  void DoExit() override;
  void EnabledChanged() override;
  void ColorChanged() override;
  void KeyPress(char& key) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void PaintNonClient(TCanvas& canvas) override;

 private:
  void UpdateFrame();

  TColor focusColor_ = clWindow;
  TColor disabledColor_ = clBtnFace;
  TColor readOnlyColor_ = clInfoBk;
  bool readOnlyColorOnFocus_ = false;
  TNvDrawnFrame frame_;
  TFramingPreference framingPreference_ = fpXPThemes;
  bool beepOnInvalidKey_ = true;
  bool tabOnEnter_ = false;
  TColor restColor_ = clWindow;
  bool settingColor_ = false;
  bool hasFocus_ = false;
  bool mouseInControl_ = false;
};
