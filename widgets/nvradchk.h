// Nvradchk: the three-state check box of the widget set.
//
// TNvCustomCheckBox keeps the state and handles the mouse and keyboard; the
// glyph is a sunken 13 x 13 box (or, with HotTrack, the owner-drawn glyph of
// DrawCheckBox). TNvCheckBox only publishes.
#pragma once

#include <memory>

#include "framework/types.h"
#include "framework/w1_additions.h"
#include "widgets/tnvcustomglyphbutton.h"

class QShortcut;

class TNvCustomCheckBox : public TNvCustomGlyphButton {
 public:
  explicit TNvCustomCheckBox(TWinControl* parent = nullptr);
  ~TNvCustomCheckBox() override;

  TCheckBoxState State() const { return state_; }
  // Stores a different state, repaints at once and fires OnClick (unless
  // clicks are disabled).
  void SetState(TCheckBoxState v);
  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
  // Stores and repaints without OnClick.
  void InitState(TCheckBoxState v);
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool v) { allowGrayed_ = v; }
  // While set, SetState does not fire OnClick.
  bool ClicksDisabled() const { return clickSuppressed_; }
  void SetClicksDisabled(bool v) { clickSuppressed_ = v; }

  // The user's toggle: unchecked -> checked (grayed with AllowGrayed),
  // checked -> unchecked, grayed -> checked. Ignored for mouse toggles of a
  // read-only box.
  void ChangeState(bool fromMouse = false);

  // Run-time flags.
  bool DrawPressed() const { return drawPressed_; }
  bool PressTracking() const { return pressTracking_; }
  bool SpaceArmed() const { return spaceArmed_; }

  void WndProc(TMessage& message) override;

 protected:
  void DrawGlyph(TCanvas& canvas, const TRect& rect) override;
  int GlyphIndex() const override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyUp(Word& key, TShiftState shift) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void DoEnter() override;
  void DoExit() override;
  void TextChanged() override;

 private:
  void SetDrawPressed(bool v);
  bool HandleAccelerator(char key);
  TNvButtonDisplayState DisplayState() const;

  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  bool clickSuppressed_ = false;
  bool drawPressed_ = false;
  bool pressTracking_ = false;
  bool spaceArmed_ = false;
  QShortcut* accelerator_ = nullptr;
};

class TNvCheckBox : public TNvCustomCheckBox {
 public:
  using TNvCustomCheckBox::TNvCustomCheckBox;
};
