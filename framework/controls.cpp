#include "framework/controls.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QTimerEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "framework/application.h"
#include "framework/caret.h"
#include "framework/posted_event.h"
#include "framework/property.h"
#include "framework/scoped_value.h"

namespace {

QPointer<TControl> gCapture;

constexpr int kWheelDelta = 120;

TShiftState ShiftFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons) {
  TShiftState s = 0;
  if (mods & Qt::ShiftModifier) s |= ssShift;
  if (mods & Qt::AltModifier) s |= ssAlt;
  if (mods & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

bool ToMouseButton(Qt::MouseButton b, TMouseButton& out) {
  switch (b) {
    case Qt::LeftButton:
      out = mbLeft;
      return true;
    case Qt::RightButton:
      out = mbRight;
      return true;
    case Qt::MiddleButton:
      out = mbMiddle;
      return true;
    default:
      return false;
  }
}

// Ends a canvas binding when a paint ends, also by an exception.
struct PaintScope {
  TCanvas& canvas;
  ~PaintScope() { canvas.EndPaint(); }
};

}  // namespace

// ---- TControl ---------------------------------------------------------------

TControl::TControl(TWinControl* parent) : QWidget(parent), parent_(parent) {
  setMouseTracking(true);
  QWidget::setGeometry(0, 0, 0, 0);
  font_.OnChange = [this](TFont*) { FontObjectChanged(); };
  if (parent_) {
    parent_->InsertControl(this);
    color_ = parent_->Color();
    {
      TScopedValue following(settingFont_, true);
      font_.Assign(parent_->Font());
    }
    QWidget::show();
  }
  QWidget::setFont(font_.ToQFont());
}

TControl::~TControl() {
  if (gCapture == this) gCapture = nullptr;
  if (parent_) parent_->RemoveControl(this);
  parent_ = nullptr;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  const int l = Left(), t = Top();
  if (parent_) parent_->RemoveControl(this);
  if (auto* self = dynamic_cast<TWinControl*>(this)) {
    if (parent_) std::erase(parent_->tabList_, self);
    if (parent) parent->tabList_.push_back(self);
  }
  parent_ = parent;
  QWidget::setParent(parent);
  if (parent_) parent_->InsertControl(this);
  PlaceInParent(l, t, Width(), Height());
  if (visible_ && (parent_ || isWindow_)) QWidget::show();
  if (parentColor_) ParentColorChanged();
  if (parentFont_) ParentFontChanged();
  if (IsWindowless()) StackBelowWindowedSiblings();
  if (parent_ && align_ != alNone) parent_->Realign();
}

int TControl::Left() const {
  return x() - (parent_ ? parent_->ClientOffset().X : 0);
}

int TControl::Top() const {
  return y() - (parent_ ? parent_->ClientOffset().Y : 0);
}

void TControl::PlaceInParent(int left, int top, int width, int height) {
  TPoint off = parent_ ? parent_->ClientOffset() : TPoint();
  const QSize old = size();
  QWidget::setGeometry(left + off.X, top + off.Y, std::max(0, width), std::max(0, height));
  // A hidden widget gets its resize event only when shown; its children
  // are aligned now all the same.
  if (size() != old && !isVisible())
    if (auto* w = dynamic_cast<TWinControl*>(this)) w->Realign();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (left == Left() && top == Top() && width == Width() && height == Height()) return;
  PlaceInParent(left, top, width, height);
  if (parent_ && align_ != alNone && !parent_->aligning_) parent_->Realign();
}

TRect TControl::ClientRect() const {
  return Rect(0, 0, Width(), Height());
}

void TControl::SetClientWidth(int v) {
  SetWidth(v + Width() - ClientWidth());
}

void TControl::SetClientHeight(int v) {
  SetHeight(v + Height() - ClientHeight());
}

TPoint TControl::ClientToScreen(const TPoint& p) const {
  TPoint off = ClientOffset();
  return FromQPoint(mapToGlobal(QPoint(p.X + off.X, p.Y + off.Y)));
}

TPoint TControl::ScreenToClient(const TPoint& p) const {
  TPoint off = ClientOffset();
  QPoint q = mapFromGlobal(ToQPoint(p));
  return TPoint(q.x() - off.X, q.y() - off.Y);
}

void TControl::SetAlign(TAlign v) {
  if (!Store(align_, v)) return;
  if (parent_) parent_->Realign();
}

void TControl::SetVisible(bool v) {
  if (!Store(visible_, v)) return;
  if (parent_ || isWindow_ || !v) QWidget::setVisible(v);
  Perform(CM_VISIBLECHANGED, v ? 1 : 0, 0);
  if (parent_ && align_ != alNone) parent_->Realign();
}

void TControl::SetEnabled(bool v) {
  if (!Store(enabled_, v)) return;
  QWidget::setEnabled(v);
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor v) {
  if (!Store(color_, v)) return;
  parentColor_ = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool v) {
  if (!Store(parentColor_, v)) return;
  if (v) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_ || color_ == parent_->Color()) return;
  color_ = parent_->Color();
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetFont(const TFont& v) {
  font_.Assign(v);
}

void TControl::SetParentFont(bool v) {
  if (!Store(parentFont_, v)) return;
  if (v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  TScopedValue following(settingFont_, true);
  font_.Assign(parent_->Font());
}

void TControl::FontObjectChanged() {
  if (!settingFont_) parentFont_ = false;
  QWidget::setFont(font_.ToQFont());
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetTextValue(const std::string& v) {
  if (Store(caption_, v)) Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor v) {
  if (Store(cursor_, v)) ApplyQtCursor();
}

void TControl::ApplyQtCursor() {
  if (cursor_ == crDefault)
    unsetCursor();
  else
    QWidget::setCursor(QCursor(CursorToQt(cursor_)));
}

void TControl::SetHint(const std::string& v) {
  hint_ = v;
  setToolTip(showHint_ ? QString::fromStdString(hint_) : QString());
}

void TControl::SetShowHint(bool v) {
  showHint_ = v;
  SetHint(hint_);
}

void TControl::SetBiDiMode(TBiDiMode v) {
  if (Store(bidiMode_, v)) Invalidate();
}

void TControl::BeginLoading() {
  componentState_ |= csLoading;
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (TControl* c : w->controls_) c->BeginLoading();
}

void TControl::EndLoading() {
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (TControl* c : w->controls_) c->EndLoading();
  if (!(componentState_ & csLoading)) return;
  componentState_ &= ~csLoading;
  Loaded();
}

bool TControl::MouseCapture() const {
  return gCapture == this;
}

void TControl::SetMouseCapture(bool v) {
  if (v)
    SetCaptureControl(this);
  else if (gCapture == this)
    SetCaptureControl(nullptr);
}

void TControl::Invalidate() {
  update();
}

void TControl::InvalidateRect(const TRect& r) {
  TPoint off = ClientOffset();
  TRect d = r;
  OffsetRect(d, off.X, off.Y);
  update(ToQRect(d));
}

void TControl::Repaint() {
  repaint();
}

void TControl::Update() {
  if (isVisible()) repaint();
}

// Windowless controls are painted on their parent's surface, so every
// windowed sibling lies above all of them; each kind keeps its own order.
bool TControl::IsWindowless() const {
  return dynamic_cast<const TGraphicControl*>(this) != nullptr;
}

void TControl::StackBelowWindowedSiblings() {
  QWidget* parent = parentWidget();
  if (!parent || isWindow()) return;
  for (QObject* child : parent->children()) {  // bottom first
    auto* w = qobject_cast<QWidget*>(child);
    if (!w || w == this || w->isWindow()) continue;
    if (dynamic_cast<TGraphicControl*>(w) == nullptr) {
      stackUnder(w);
      return;
    }
  }
}

void TControl::BringToFront() {
  raise();
  if (IsWindowless()) StackBelowWindowedSiblings();
}

void TControl::SendToBack() {
  if (IsWindowless() || !parentWidget()) {
    lower();
    return;
  }
  for (QObject* child : parentWidget()->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (w && w != this && !w->isWindow() && dynamic_cast<TGraphicControl*>(w) == nullptr) {
      stackUnder(w);
      return;
    }
  }
  raise();
}

LRESULT TControl::Perform(Cardinal msg, WPARAM wParam, LPARAM lParam) {
  TMessage m;
  m.Msg = msg;
  m.WParam = wParam;
  m.LParam = lParam;
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_MOUSEENTER:
      MouseEnter();
      break;
    case CM_MOUSELEAVE:
      MouseLeave();
      break;
    case CM_ENABLEDCHANGED:
      EnabledChanged();
      break;
    case CM_COLORCHANGED:
      ColorChanged();
      break;
    case CM_FONTCHANGED:
      FontChanged();
      break;
    case CM_TEXTCHANGED:
      TextChanged();
      break;
    case CM_VISIBLECHANGED:
      VisibleChanged();
      break;
    case CM_PARENTCOLORCHANGED:
      ParentColorChanged();
      break;
    case CM_PARENTFONTCHANGED:
      ParentFontChanged();
      break;
    default:
      break;
  }
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
  if (handled) return true;
  wheelAccumulator_ += wheelDelta;
  while (std::abs(wheelAccumulator_) >= kWheelDelta) {
    if (wheelAccumulator_ < 0) {
      wheelAccumulator_ += kWheelDelta;
      handled = DoMouseWheelDown(shift, mousePos) || handled;
    } else {
      wheelAccumulator_ -= kWheelDelta;
      handled = DoMouseWheelUp(shift, mousePos) || handled;
    }
  }
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState, TPoint) {
  return false;
}

bool TControl::DoMouseWheelUp(TShiftState, TPoint) {
  return false;
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

TPoint TControl::ClientPos(const QPointF& widgetPos) const {
  TPoint off = ClientOffset();
  return TPoint(static_cast<int>(std::floor(widgetPos.x())) - off.X,
                static_cast<int>(std::floor(widgetPos.y())) - off.Y);
}

bool TControl::event(QEvent* e) {
  try {
    if (e->type() == TPostedMessageEvent::EventType()) {
      TMessage m = static_cast<TPostedMessageEvent*>(e)->Message();
      WndProc(m);
      return true;
    }
    return QWidget::event(e);
  } catch (const std::exception& ex) {
    Application->HandleException(ex);
    return true;
  }
}

void TControl::paintEvent(QPaintEvent* e) {
  QPainter painter(this);
  canvas_.BeginPaint(&painter, FromQRect(e->rect()));
  PaintScope scope{canvas_};
  canvas_.SetFont(font_);
  canvas_.SetPen(TPen());
  canvas_.Brush().SetColor(color_);
  canvas_.Brush().SetStyle(bsSolid);
  PaintNonClient(canvas_);
  TPoint off = ClientOffset();
  canvas_.OffsetOrigin(off.X, off.Y);
  if (off.X || off.Y || ClientRect() != Rect(0, 0, Width(), Height()))
    canvas_.IntersectClipRect(ClientRect());
  canvas_.SetFont(font_);
  canvas_.SetPen(TPen());
  canvas_.Brush().SetColor(color_);
  canvas_.Brush().SetStyle(bsSolid);
  if (ErasesBackground()) canvas_.FillRect(ClientRect());
  Paint();
  if (auto* w = dynamic_cast<TWinControl*>(this); w && CaretOwner() == w) PaintCaret(w, canvas_);
}

void TControl::mousePressEvent(QMouseEvent* e) {
  TMouseButton button;
  e->accept();
  if (!ToMouseButton(e->button(), button)) return;
  TPoint p = ClientPos(e->position());
  if (button == mbLeft) {
    controlState_ |= csLButtonDown;
    if (controlStyle_ & csClickEvents) controlState_ |= csClicked;
  }
  if (controlStyle_ & csCaptureMouse) SetCaptureControl(this);
  MouseDown(button, ShiftFromQt(e->modifiers(), e->buttons()), p.X, p.Y);
}

void TControl::mouseDoubleClickEvent(QMouseEvent* e) {
  TMouseButton button;
  e->accept();
  if (!ToMouseButton(e->button(), button)) return;
  TPoint p = ClientPos(e->position());
  if (controlStyle_ & csCaptureMouse) SetCaptureControl(this);
  if (button == mbLeft) {
    controlState_ |= csLButtonDown;
    if (controlStyle_ & csDoubleClicks) DblClick();
  }
  MouseDown(button, ShiftFromQt(e->modifiers(), e->buttons()) | ssDouble, p.X, p.Y);
}

void TControl::mouseMoveEvent(QMouseEvent* e) {
  e->accept();
  TPoint p = ClientPos(e->position());
  MouseMove(ShiftFromQt(e->modifiers(), e->buttons()), p.X, p.Y);
  // While a button is held the window system reports no leaving or entering
  // to the pressed control; the pointer crossing its edge still counts.
  if (e->buttons() != Qt::NoButton) TrackHeldPointer(rect().contains(e->position().toPoint()));
}

void TControl::mouseReleaseEvent(QMouseEvent* e) {
  TMouseButton button;
  e->accept();
  if (!ToMouseButton(e->button(), button)) return;
  TPoint p = ClientPos(e->position());
  bool clicked = false;
  if (button == mbLeft) {
    clicked = controlState_ & csClicked;
    controlState_ &= ~(csLButtonDown | csClicked);
  }
  if (gCapture == this && e->buttons() == Qt::NoButton) SetCaptureControl(nullptr);
  if (clicked && PtInRect(ClientRect(), p)) Click();
  MouseUp(button, ShiftFromQt(e->modifiers(), e->buttons()), p.X, p.Y);
}

void TControl::wheelEvent(QWheelEvent* e) {
  TPoint p = ClientPos(e->position());
  int delta = e->angleDelta().y();
  if (delta != 0 && DoMouseWheel(ShiftFromQt(e->modifiers(), e->buttons()), delta, p))
    e->accept();
  else
    e->ignore();
}

void TControl::enterEvent(QEnterEvent*) {
  leftWhileHeld_ = false;
  Perform(CM_MOUSEENTER, 0, 0);
}

void TControl::leaveEvent(QEvent*) {
  // Already reported when the pointer went out with the button held.
  if (std::exchange(leftWhileHeld_, false)) return;
  Perform(CM_MOUSELEAVE, 0, 0);
}

void TControl::TrackHeldPointer(bool inside) {
  if (inside != leftWhileHeld_) return;
  leftWhileHeld_ = !inside;
  Perform(inside ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
}

void TControl::resizeEvent(QResizeEvent*) {
  Resize();
}

void TControl::timerEvent(QTimerEvent* e) {
  for (const auto& [id, qtId] : timers_) {
    if (qtId == e->timerId()) {
      Perform(WM_TIMER, id, 0);
      return;
    }
  }
  QWidget::timerEvent(e);
}

// ---- TGraphicControl / TCustomControl -----------------------------------------

TGraphicControl::TGraphicControl(TWinControl* parent) : TControl(parent) {
  setFocusPolicy(Qt::NoFocus);
  StackBelowWindowedSiblings();
}

TCustomControl::TCustomControl(TWinControl* parent) : TWinControl(parent) {}

// ---- capture and cursors ------------------------------------------------------

void SetCaptureControl(TControl* control) {
  gCapture = control;
}

TControl* GetCaptureControl() {
  return gCapture.data();
}

Qt::CursorShape CursorToQt(TCursor cursor) {
  switch (cursor) {
    case crNone:
      return Qt::BlankCursor;
    case crCross:
      return Qt::CrossCursor;
    case crIBeam:
      return Qt::IBeamCursor;
    case crSizeNESW:
      return Qt::SizeBDiagCursor;
    case crSizeNS:
      return Qt::SizeVerCursor;
    case crSizeNWSE:
      return Qt::SizeFDiagCursor;
    case crSizeWE:
      return Qt::SizeHorCursor;
    case crUpArrow:
      return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
      return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag:
      return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
      return Qt::ForbiddenCursor;
    case crHSplit:
      return Qt::SplitHCursor;
    case crVSplit:
      return Qt::SplitVCursor;
    case crAppStart:
      return Qt::BusyCursor;
    case crHelp:
      return Qt::WhatsThisCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    case crSizeAll:
      return Qt::SizeAllCursor;
    default:
      return Qt::ArrowCursor;
  }
}
