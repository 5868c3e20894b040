// Nvspnedt: TNvSpinEdit, the numeric entry field, and TNvSpinButtons, its
// column of two arrow buttons.
//
// The text is the only storage of the value: reading Value parses the text
// (unreadable text reads as Min, empty text is replaced by Min unless
// AllowBlank), writing Value clamps it into Min..Max and formats it with
// Decimals digits. The buttons, the Up/Down and Page Up/Page Down keys and the
// mouse wheel step the value; typing, cutting and pasting need AllowKeyEdit.
// On leaving the control OnExit runs first and sees the text as the user left
// it; the control then re-reads the text and clamps it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "widgets/nvedit.h"
#include "widgets/tnvcontrolbutton.h"

enum TSpinButtonType : uint8_t { sbUp, sbDown };
enum TSpinDirection : uint8_t { sdUpDown, sdLeftRight };

class TNvSpinEdit;

using TNvSpinChangingEvent =
    std::function<void(TObject* Sender, long double NewValue, bool& AllowChange)>;
using TNvSpinButtonClickEvent = std::function<void(TObject* Sender, TSpinButtonType Button)>;

// The button column at the edit's right edge. Its two buttons paint in
// clBtnFace whatever the column's own colour is.
class TNvSpinButtons : public TWinControl {
 public:
  explicit TNvSpinButtons(TWinControl* parent = nullptr);

  TOrientation Orientation() const { return orientation_; }
  void SetOrientation(TOrientation v);
  TSpinDirection Direction() const { return direction_; }
  void SetDirection(TSpinDirection v);
  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  TWinControl* FocusControl() const { return upButton_->FocusControl(); }
  void SetFocusControl(TWinControl* v);

  // The up (or up-right) and down (or down-left) buttons.
  TNvControlButton* UpButton() const { return upButton_; }
  TNvControlButton* DownButton() const { return downButton_; }

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

 protected:
  void Resize() override;
  void EnabledChanged() override;

 private:
  void LayoutButtons();
  void UpdateStyles();

  TNvControlButton* upButton_;
  TNvControlButton* downButton_;
  TOrientation orientation_ = orVertical;
  TSpinDirection direction_ = sdUpDown;
  bool flat_ = false;
};

class TNvSpinEdit : public TNvCustomEdit {
 public:
  explicit TNvSpinEdit(TWinControl* parent = nullptr);

  long double Value();
  void SetValue(long double v);
  // Value to the nearest integer (ties to even) / Value = the integer.
  int32_t IntValue();
  void SetIntValue(int32_t v);

  long double Min() const { return min_; }
  void SetMin(long double v);
  long double Max() const { return max_; }
  void SetMax(long double v);
  bool CheckRange() const { return checkRange_; }
  void SetCheckRange(bool v);
  long double Increment() const { return increment_; }
  void SetIncrement(long double v) { increment_ = v; }
  long double PageSize() const { return pageSize_; }
  void SetPageSize(long double v) { pageSize_ = v; }
  Byte Decimals() const { return decimals_; }
  void SetDecimals(Byte v);
  bool IntegersOnly() const { return integersOnly_; }
  void SetIntegersOnly(bool v);
  bool AllowKeyEdit() const { return allowKeyEdit_; }
  void SetAllowKeyEdit(bool v);
  bool AllowBlank() const { return allowBlank_; }
  void SetAllowBlank(bool v) { allowBlank_ = v; }
  long double BlankValue() const { return blankValue_; }
  void SetBlankValue(long double v) { blankValue_ = v; }
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int v);
  TSpinDirection Direction() const { return buttons_->Direction(); }
  void SetDirection(TSpinDirection v) { buttons_->SetDirection(v); }
  TOrientation Orientation() const { return buttons_->Orientation(); }
  void SetOrientation(TOrientation v) { buttons_->SetOrientation(v); }
  bool FlatButtons() const { return buttons_->Flat(); }
  void SetFlatButtons(bool v) { buttons_->SetFlat(v); }

  // X clamped into Min..Max (unclamped when Min = Max and not CheckRange).
  long double CheckValue(long double x) const;
  // One step up or down, through OnChanging, clamped, then OnButtonClick.
  void IncValue(long double amount);
  void DecValue(long double amount);

  void SetReadOnly(bool v);
  void SetBounds(int left, int top, int width, int height) override;
  void WndProc(TMessage& message) override;

  TNvSpinButtons* Buttons() const { return buttons_; }

  TNvSpinChangingEvent OnChanging;
  TNvSpinButtonClickEvent OnButtonClick;

 protected:
  // Whether a typed character is accepted (see the class comment).
  virtual bool IsValidChar(char key);

  void DoEnter() override;
  void DoExit() override;
  void EnabledChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  void Resize() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
  bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void Step(long double amount, TSpinButtonType button);
  void ReapplyValue();
  void UpdateButtons();
  void UpdateMargins();

  TNvSpinButtons* buttons_ = nullptr;
  long double min_ = 0;
  long double max_ = 100;
  bool checkRange_ = false;
  long double increment_ = 1;
  long double pageSize_ = 10;
  Byte decimals_ = 0;
  bool integersOnly_ = true;
  bool allowKeyEdit_ = false;
  bool allowBlank_ = false;
  long double blankValue_ = 0;
  int buttonWidth_ = 17;
};

// Fixed notation, 18 significant digits at most, exactly `decimals` digits
// after the '.' ("900", "-120", "2.50"); no thousands separators.
std::string FormatSpinValue(long double value, int decimals);
// Parses a real number ("12", "-3.5", " 1e3 "); false when the whole text is
// not one number.
bool ParseSpinValue(const std::string& text, long double& value);
