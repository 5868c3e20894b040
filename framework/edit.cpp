#include "framework/edit.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QWheelEvent>

#include "framework/application.h"
#include "framework/edges.h"
#include "framework/property.h"
#include "framework/scoped_value.h"

namespace {

constexpr int kEdge = 2;  // width of the sunken client edge
// The inner line edit keeps 2 pixels free inside its text margins on either
// side, and ends right-aligned text 3 pixels further in (room for its caret).
constexpr int kEditorInset = 2;
constexpr int kRightAlignedSlack = 3;

QString Q(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

}  // namespace

TCustomEdit::TCustomEdit(TWinControl* parent) : TWinControl(parent), editor_(new QLineEdit(this)) {
  SetParentColor(false);
  SetColor(clWindow);
  SetTabStop(true);
  SetFocusOnClick(true);
  SetCursor(crIBeam);
  editor_->setFrame(false);
  editor_->show();  // also when created on a parent that is already shown
  editor_->setContextMenuPolicy(Qt::NoContextMenu);
  editor_->setAcceptDrops(false);
  editor_->installEventFilter(this);
  setFocusProxy(editor_);
  QObject::connect(editor_, &QLineEdit::textChanged, [this](const QString&) { Change(); });
  SetNonClientInsets(kEdge, kEdge, kEdge, kEdge);
  SetBounds(0, 0, 121, 21);
  editor_->setFont(Font().ToQFont());
  UpdatePalette();
  UpdateEditorGeometry();
}

TCustomEdit::~TCustomEdit() {
  editor_->removeEventFilter(this);
}

std::string TCustomEdit::GetText() const {
  return editor_->text().toStdString();
}

void TCustomEdit::SetTextValue(const std::string& v) {
  QString q = Q(v);
  if (maxLength_ > 0 && q.size() > maxLength_) q.truncate(maxLength_);
  if (editor_->text() == q) return;
  editor_->setText(q);
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

int TCustomEdit::SelStart() const {
  return editor_->hasSelectedText() ? editor_->selectionStart() : editor_->cursorPosition();
}

void TCustomEdit::SetSelStart(int v) {
  editor_->deselect();
  editor_->setCursorPosition(v);
}

int TCustomEdit::SelLength() const {
  return editor_->hasSelectedText() ? static_cast<int>(editor_->selectedText().size()) : 0;
}

void TCustomEdit::SetSelLength(int v) {
  editor_->setSelection(SelStart(), std::max(0, v));
}

std::string TCustomEdit::SelText() const {
  return editor_->selectedText().toStdString();
}

void TCustomEdit::SetSelText(const std::string& v) {
  editor_->insert(Q(v));
}

void TCustomEdit::SelectAll() {
  editor_->selectAll();
}

void TCustomEdit::SetReadOnly(bool v) {
  if (Store(readOnly_, v)) editor_->setReadOnly(v);
}

void TCustomEdit::SetMaxLength(int v) {
  if (Store(maxLength_, std::max(0, v))) editor_->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
  if (!Store(borderStyle_, v)) return;
  const int e = v == bsSingle ? kEdge : 0;
  SetNonClientInsets(e, e, e, e);
  UpdateEditorGeometry();
}

void TCustomEdit::SetAlignment(TAlignment v) {
  if (!Store(alignment_, v)) return;
  Qt::Alignment a = v == taRightJustify ? Qt::AlignRight
                    : v == taCenter     ? Qt::AlignHCenter
                                        : Qt::AlignLeft;
  editor_->setAlignment(a | Qt::AlignVCenter);
  ApplyTextMargins();
}

void TCustomEdit::SetMargins(int left, int right) {
  if (left == leftMargin_ && right == rightMargin_) return;
  leftMargin_ = left;
  rightMargin_ = right;
  ApplyTextMargins();
}

void TCustomEdit::ApplyTextMargins() {
  // The margins bound the text itself: right-aligned text ends exactly at
  // the right margin, as the classic edit control places it.
  int right = rightMargin_;
  if (alignment_ == taRightJustify) right -= kEditorInset + kRightAlignedSlack;
  editor_->setTextMargins(leftMargin_, 0, right, 0);
}

bool TCustomEdit::CanUndo() const {
  return editor_->isUndoAvailable();
}

void TCustomEdit::SetFocus() {
  editor_->setFocus(Qt::OtherFocusReason);
}

void TCustomEdit::DoEnter() {
  if (autoSelect_ && !(QGuiApplication::mouseButtons() & Qt::LeftButton)) SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CUT:
      if (!readOnly_) editor_->cut();
      return;
    case WM_COPY:
      editor_->copy();
      return;
    case WM_PASTE:
      if (readOnly_) return;
      if (message.WParam == 1)
        editor_->insert(QGuiApplication::clipboard()->text(QClipboard::Selection));
      else
        editor_->paste();
      return;
    case WM_CLEAR:
      if (!readOnly_) editor_->del();
      return;
    case WM_UNDO:
      if (!readOnly_) editor_->undo();
      return;
    default:
      TWinControl::WndProc(message);
  }
}

void TCustomEdit::PaintNonClient(TCanvas& canvas) {
  if (borderStyle_ == bsSingle) DrawClientEdge(canvas, Rect(0, 0, Width(), Height()));
}

void TCustomEdit::UpdateEditorGeometry() {
  TPoint off = ClientOffset();
  TRect r = ClientRect();
  editor_->setGeometry(off.X, off.Y, r.Width(), r.Height());
  editor_->lower();
}

void TCustomEdit::UpdatePalette() {
  QPalette pal = editor_->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    pal.setColor(group, QPalette::Base, ColorToQColor(Color()));
    pal.setColor(group, QPalette::Window, ColorToQColor(Color()));
    pal.setColor(group, QPalette::Highlight, ColorToQColor(clHighlight));
    pal.setColor(group, QPalette::HighlightedText, ColorToQColor(clHighlightText));
  }
  pal.setColor(QPalette::Active, QPalette::Text, ColorToQColor(Font().Color()));
  pal.setColor(QPalette::Inactive, QPalette::Text, ColorToQColor(Font().Color()));
  pal.setColor(QPalette::Disabled, QPalette::Text, ColorToQColor(clGrayText));
  editor_->setPalette(pal);
  editor_->setAutoFillBackground(true);
}

void TCustomEdit::ColorChanged() {
  UpdatePalette();
  TWinControl::ColorChanged();
}

void TCustomEdit::FontChanged() {
  editor_->setFont(Font().ToQFont());
  UpdatePalette();
  TWinControl::FontChanged();
}

void TCustomEdit::EnabledChanged() {
  editor_->setEnabled(Enabled());
  TWinControl::EnabledChanged();
}

void TCustomEdit::Resize() {
  UpdateEditorGeometry();
  TWinControl::Resize();
}

bool TCustomEdit::HandleShortcut(QKeyEvent* e) {
  struct Route {
    QKeySequence::StandardKey key;
    Cardinal msg;
  };
  static const Route kRoutes[] = {{QKeySequence::Cut, WM_CUT},
                                  {QKeySequence::Copy, WM_COPY},
                                  {QKeySequence::Paste, WM_PASTE},
                                  {QKeySequence::Undo, WM_UNDO}};
  if (e->matches(QKeySequence::Redo)) return true;  // single-level undo only
  for (const Route& r : kRoutes) {
    if (e->matches(r.key)) {
      Perform(r.msg, 0, 0);
      return true;
    }
  }
  return false;
}

bool TCustomEdit::FilterInputMethod(QInputMethodEvent* e) {
  if (resendingInput_ || e->commitString().isEmpty()) return false;
  QString accepted;
  for (QChar ch : e->commitString()) {
    if (ch.unicode() < 256) {
      char c = static_cast<char>(ch.unicode());
      KeyPress(c);
      if (c == 0) continue;
      ch = QChar(static_cast<uchar>(c));
    }
    accepted += ch;
  }
  if (accepted == e->commitString()) return false;
  QInputMethodEvent filtered(e->preeditString(), e->attributes());
  filtered.setCommitString(accepted, e->replacementStart(), e->replacementLength());
  TScopedValue resending(resendingInput_, true);
  QCoreApplication::sendEvent(editor_, &filtered);
  return true;
}

bool TCustomEdit::ForwardMouse(QMouseEvent* e) {
  if (e->button() == Qt::MiddleButton) {
    // The middle button pastes the selection: a paste like any other.
    if (e->type() == QEvent::MouseButtonRelease) {
      editor_->setCursorPosition(editor_->cursorPositionAt(e->position().toPoint()));
      Perform(WM_PASTE, 1, 0);
    }
    return true;
  }
  QMouseEvent mapped(e->type(), QPointF(editor_->mapTo(this, e->position().toPoint())),
                     e->globalPosition(), e->button(), e->buttons(), e->modifiers());
  switch (e->type()) {
    case QEvent::MouseButtonPress:
      mousePressEvent(&mapped);
      break;
    case QEvent::MouseButtonRelease:
      mouseReleaseEvent(&mapped);
      break;
    case QEvent::MouseButtonDblClick:
      mouseDoubleClickEvent(&mapped);
      break;
    default:
      mouseMoveEvent(&mapped);
      break;
  }
  return false;
}

bool TCustomEdit::eventFilter(QObject* watched, QEvent* e) {
  if (watched != editor_) return TWinControl::eventFilter(watched, e);
  try {
    switch (e->type()) {
      case QEvent::ShortcutOverride: {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->matches(QKeySequence::Cut) || k->matches(QKeySequence::Copy) ||
            k->matches(QKeySequence::Paste) || k->matches(QKeySequence::Undo) ||
            k->matches(QKeySequence::Redo)) {
          e->accept();
          return true;
        }
        return false;
      }
      case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) return false;
        if (HandleKeyPress(k)) return true;
        return HandleShortcut(k);
      }
      case QEvent::KeyRelease:
        return HandleKeyRelease(static_cast<QKeyEvent*>(e));
      case QEvent::FocusIn:
        focusInEvent(static_cast<QFocusEvent*>(e));
        return false;
      case QEvent::FocusOut:
        focusOutEvent(static_cast<QFocusEvent*>(e));
        return false;
      case QEvent::InputMethod:
        return FilterInputMethod(static_cast<QInputMethodEvent*>(e));
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
        return ForwardMouse(static_cast<QMouseEvent*>(e));
      case QEvent::Wheel:
        wheelEvent(static_cast<QWheelEvent*>(e));
        return e->isAccepted();
      default:
        return false;
    }
  } catch (const std::exception& ex) {
    Application->HandleException(ex);
    return true;
  }
}
