// TCustomEdit: a single-line edit on a Qt line edit that fills the client area.
//
// The edit's keys pass through KeyDown / KeyPress first (zeroing the key or
// character swallows it). Clipboard and undo requests, from keys or from the
// public methods, arrive as WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR and WM_UNDO at
// WndProc, whose default performs them: a subclass refuses one by handling the
// message itself. A middle-button click pastes the selection as WM_PASTE with
// WParam 1 (the default handler reads the selection clipboard). Text committed
// by an input method passes through KeyPress character by character (those
// below 256), and the edit accepts no drops. Mouse events of the inner editor
// reach MouseDown / MouseMove / MouseUp (and Click) in client coordinates. Focus changes of the
// inner editor count as the control's own (DoEnter / DoExit). With BorderStyle bsSingle the control
// has the sunken 2-pixel client edge: a 73 x 21 edit has a 69 x 17 client area.
#pragma once

#include <string>

#include "framework/controls.h"

class QInputMethodEvent;
class QLineEdit;
class QMouseEvent;

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TWinControl* parent = nullptr);
  ~TCustomEdit() override;

  int SelStart() const;
  void SetSelStart(int v);  // in characters; clears the selection
  int SelLength() const;
  void SetSelLength(int v);
  std::string SelText() const;
  void SetSelText(const std::string& v);
  void SelectAll();
  void ClearSelection() { Perform(WM_CLEAR, 0, 0); }

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v);  // 0 = unlimited
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool v) { autoSelect_ = v; }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);

  // Text margins inside the client area, in pixels: right-aligned text ends
  // at ClientWidth - RightMargin.
  int LeftMargin() const { return leftMargin_; }
  int RightMargin() const { return rightMargin_; }
  void SetMargins(int left, int right);

  void CutToClipboard() { Perform(WM_CUT, 0, 0); }
  void CopyToClipboard() { Perform(WM_COPY, 0, 0); }
  void PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }
  void Undo() { Perform(WM_UNDO, 0, 0); }
  bool CanUndo() const;

  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;
  void SetFocus() override;

 protected:
  // Fires OnChange after every change of the text.
  virtual void Change();
  void DoEnter() override;
  std::string GetText() const override;
  void SetTextValue(const std::string& v) override;
  void PaintNonClient(TCanvas& canvas) override;
  void ColorChanged() override;
  void FontChanged() override;
  void EnabledChanged() override;
  void Resize() override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  QLineEdit* Editor() const { return editor_; }

 private:
  void UpdateEditorGeometry();
  void ApplyTextMargins();
  void UpdatePalette();
  bool HandleShortcut(QKeyEvent* e);
  bool FilterInputMethod(QInputMethodEvent* e);
  bool ForwardMouse(QMouseEvent* e);

  QLineEdit* editor_;
  bool readOnly_ = false;
  int maxLength_ = 0;
  bool autoSelect_ = true;
  TBorderStyle borderStyle_ = bsSingle;
  TAlignment alignment_ = taLeftJustify;
  int leftMargin_ = 0;
  int rightMargin_ = 0;
  bool resendingInput_ = false;
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
};
