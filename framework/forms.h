// TForm: a top-level window. Caption is the window title; BorderStyle bsSingle
// (the default) gives a window whose border does not size it but which can be
// maximised and restored to its set size; bsDialog and bsToolWindow are fixed
// in size; Position poScreenCenter centres it on the screen when it is first
// shown. The client area is the whole widget.
#pragma once

#include "framework/controls.h"

enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};

enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

class TForm : public TCustomControl {
 public:
  explicit TForm(TWinControl* parent = nullptr);
  ~TForm() override;

  void SetBounds(int left, int top, int width, int height) override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle v);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition v) { position_ = v; }
  TWinControl* ActiveControl() const;
  void SetActiveControl(TWinControl* v);

  // Shows the window (centred first when Position asks for it).
  void ShowForm();
  // Asks OnClose; caHide hides the window, caFree deletes it later.
  void Close();

  TCloseEvent OnClose;
  TNotifyEvent OnShow;
  TNotifyEvent OnDestroy;

 protected:
  void TextChanged() override;
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void ApplyBorderStyle();
  // The sizes the window manager may give the window.
  void ApplySizeLimits(int width, int height);
  // Asks the window manager for a border without sizing handles where the
  // window system can say so apart from maximising (forms_x11.cpp).
  void KeepBorderFromSizing();
  TFormBorderStyle borderStyle_ = bsSingle;
  TPosition position_ = poDesigned;
};
