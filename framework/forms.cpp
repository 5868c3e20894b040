#include "framework/forms.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

#include "framework/property.h"

TForm::TForm(TWinControl* parent) : TCustomControl(parent) {
  if (!parent) MarkAsWindow();
  SetParentColor(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetVisible(false);
  SetBounds(0, 0, 320, 240);
  ApplyBorderStyle();
}

TForm::~TForm() {
  if (OnDestroy) OnDestroy(this);
}

void TForm::SetBorderStyle(TFormBorderStyle v) {
  if (Store(borderStyle_, v)) ApplyBorderStyle();
}

void TForm::ApplyBorderStyle() {
  ApplySizeLimits(Width(), Height());
  Qt::WindowFlags flags = windowFlags();
  if (borderStyle_ == bsSingle || borderStyle_ == bsDialog)
    flags |= Qt::MSWindowsFixedSizeDialogHint;
  else
    flags &= ~Qt::MSWindowsFixedSizeDialogHint;
  if (borderStyle_ == bsNone) flags |= Qt::FramelessWindowHint;
  setWindowFlags(flags);
  KeepBorderFromSizing();
}

void TForm::ApplySizeLimits(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  switch (borderStyle_) {
    case bsSingle:
      // Not sizeable by its border, but it can be maximised: a window
      // manager offers that only to a window whose size may grow. The
      // designed size stays the least, which restoring returns to.
      setMinimumSize(width, height);
      setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
      break;
    case bsDialog:
    case bsToolWindow:
      setFixedSize(width, height);
      break;
    default:
      setMinimumSize(0, 0);
      setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
      break;
  }
}

void TForm::SetBounds(int left, int top, int width, int height) {
  ApplySizeLimits(width, height);
  TCustomControl::SetBounds(left, top, width, height);
}

TWinControl* TForm::ActiveControl() const {
  QWidget* w = focusWidget();
  for (; w; w = w->parentWidget())
    if (auto* c = dynamic_cast<TWinControl*>(w); c && c != this) return c;
  return nullptr;
}

void TForm::SetActiveControl(TWinControl* v) {
  if (v) v->SetFocus();
}

void TForm::ShowForm() {
  if (position_ == poScreenCenter || position_ == poDesktopCenter ||
      position_ == poMainFormCenter || position_ == poOwnerFormCenter) {
    if (QScreen* s = QGuiApplication::primaryScreen()) {
      QRect area = s->availableGeometry();
      move(area.center() - QPoint(Width() / 2, Height() / 2));
    }
  }
  SetVisible(true);
  activateWindow();
}

void TForm::Close() {
  QWidget::close();
}

void TForm::closeEvent(QCloseEvent* e) {
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) {
    e->ignore();
    return;
  }
  e->accept();
  SetVisible(false);
  if (action == caFree) deleteLater();
}

void TForm::showEvent(QShowEvent* e) {
  TCustomControl::showEvent(e);
  // The native window exists from now on; its border hints are set before
  // it is mapped.
  if (!e->spontaneous()) KeepBorderFromSizing();
  if (e->spontaneous()) return;
  if (OnShow) OnShow(this);
}

void TForm::TextChanged() {
  setWindowTitle(QString::fromStdString(Caption()));
  TCustomControl::TextChanged();
}
