#include "framework/forms.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

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
  if (borderStyle_ == v) return;
  borderStyle_ = v;
  ApplyBorderStyle();
}

void TForm::ApplyBorderStyle() {
  if (borderStyle_ == bsSingle || borderStyle_ == bsDialog || borderStyle_ == bsToolWindow)
    setFixedSize(Width(), Height());
  else
    setMinimumSize(0, 0), setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  Qt::WindowFlags flags = windowFlags();
  if (borderStyle_ == bsSingle || borderStyle_ == bsDialog)
    flags |= Qt::MSWindowsFixedSizeDialogHint;
  else
    flags &= ~Qt::MSWindowsFixedSizeDialogHint;
  if (borderStyle_ == bsNone) flags |= Qt::FramelessWindowHint;
  setWindowFlags(flags);
}

void TForm::SetBounds(int left, int top, int width, int height) {
  const bool fixed =
      borderStyle_ == bsSingle || borderStyle_ == bsDialog || borderStyle_ == bsToolWindow;
  if (fixed) setFixedSize(std::max(0, width), std::max(0, height));
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
  if (e->spontaneous()) return;
  if (OnShow) OnShow(this);
}

void TForm::TextChanged() {
  setWindowTitle(QString::fromStdString(Caption()));
  TCustomControl::TextChanged();
}
