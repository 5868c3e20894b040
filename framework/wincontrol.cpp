// TWinControl: focus, tab order, keyboard, child alignment and the
// non-client border.
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>

#include "framework/application.h"
#include "framework/controls.h"
#include "framework/property.h"
#include "framework/scoped_value.h"

namespace {

TShiftState ShiftFromModifiers(Qt::KeyboardModifiers mods) {
  TShiftState s = 0;
  if (mods & Qt::ShiftModifier) s |= ssShift;
  if (mods & Qt::AltModifier) s |= ssAlt;
  if (mods & Qt::ControlModifier) s |= ssCtrl;
  return s;
}

bool IsWindowSwitch(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// The windowed control that owns a Qt widget (itself, or an ancestor).
TWinControl* OwningWinControl(QWidget* w) {
  for (; w; w = w->parentWidget())
    if (auto* c = dynamic_cast<TWinControl*>(w)) return c;
  return nullptr;
}

}  // namespace

TWinControl::TWinControl(TWinControl* parent) : TControl(parent) {
  if (parent) parent->tabList_.push_back(this);
  UpdateFocusPolicy();
}

TWinControl::~TWinControl() {
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  tabList_.clear();
  if (TWinControl* p = Parent()) std::erase(p->tabList_, this);
}

void TWinControl::InsertControl(TControl* c) {
  controls_.push_back(c);
}

void TWinControl::RemoveControl(TControl* c) {
  std::erase(controls_, c);
  std::erase_if(tabList_, [c](TWinControl* w) { return static_cast<TControl*>(w) == c; });
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

TRect TWinControl::ClientRect() const {
  return Rect(0, 0, std::max(0, Width() - ncLeft_ - ncRight_),
              std::max(0, Height() - ncTop_ - ncBottom_));
}

void TWinControl::SetNonClientInsets(int left, int top, int right, int bottom) {
  if (left == ncLeft_ && top == ncTop_ && right == ncRight_ && bottom == ncBottom_) return;
  std::vector<TRect> bounds;
  for (TControl* c : controls_) bounds.push_back(c->BoundsRect());
  ncLeft_ = left;
  ncTop_ = top;
  ncRight_ = right;
  ncBottom_ = bottom;
  for (size_t i = 0; i < controls_.size(); ++i)
    controls_[i]->PlaceInParent(bounds[i].Left, bounds[i].Top, bounds[i].Width(),
                                bounds[i].Height());
  Realign();
  Invalidate();
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const {
  return hasFocus();
}

void TWinControl::SetFocus() {
  setFocus(Qt::OtherFocusReason);
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int v) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  std::erase(list, this);
  if (v < 0 || v >= static_cast<int>(list.size()))
    list.push_back(this);
  else
    list.insert(list.begin() + v, this);
}

void TWinControl::SetTabStop(bool v) {
  if (Store(tabStop_, v)) UpdateFocusPolicy();
}

void TWinControl::SetFocusOnClick(bool v) {
  focusOnClick_ = v;
  UpdateFocusPolicy();
}

void TWinControl::UpdateFocusPolicy() {
  setFocusPolicy(tabStop_ ? Qt::StrongFocus : focusOnClick_ ? Qt::ClickFocus : Qt::NoFocus);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* w : tabList_) {
    list.push_back(w);
    w->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward,
                                          bool checkTabStop) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  const int n = static_cast<int>(list.size());
  if (n == 0) return nullptr;
  auto it = std::find(list.begin(), list.end(), current);
  int i = it == list.end() ? (goForward ? -1 : n) : static_cast<int>(it - list.begin());
  for (int step = 0; step < n; ++step) {
    i = goForward ? (i + 1) % n : (i - 1 + n) % n;
    TWinControl* c = list[i];
    if (c == current) return nullptr;
    if (c->CanFocus() && (!checkTabStop || c->TabStop())) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  if (TWinControl* c = FindNextControl(current, goForward, checkTabStop)) c->SetFocus();
}

bool TWinControl::focusNextPrevChild(bool next) {
  TWinControl* root = this;
  while (root->Parent()) root = root->Parent();
  TWinControl* current = OwningWinControl(QApplication::focusWidget());
  root->SelectNext(current ? current : this, next, true);
  return true;
}

void TWinControl::SetParentBackground(bool v) {
  if (Store(parentBackground_, v)) Invalidate();
}

bool TWinControl::ErasesBackground() const {
  return !(ControlStyle() & csOpaque) && !parentBackground_;
}

void TWinControl::Realign() {
  if (alignDisabled_ > 0 || aligning_) return;
  TRect r = ClientRect();
  AdjustClientRect(r);
  TScopedValue aligning(aligning_, true);
  AlignControls(r);
}

void TWinControl::EnableAlign() {
  if (alignDisabled_ > 0 && --alignDisabled_ == 0) Realign();
}

void TWinControl::AlignControls(TRect& r) {
  static constexpr TAlign kOrder[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign a : kOrder) {
    for (TControl* c : controls_) {
      if (c->Align() != a || !c->Visible()) continue;
      const int w = c->Width(), h = c->Height();
      switch (a) {
        case alTop:
          c->PlaceInParent(r.Left, r.Top, r.Width(), h);
          r.Top += h;
          break;
        case alBottom:
          c->PlaceInParent(r.Left, r.Bottom - h, r.Width(), h);
          r.Bottom -= h;
          break;
        case alLeft:
          c->PlaceInParent(r.Left, r.Top, w, r.Height());
          r.Left += w;
          break;
        case alRight:
          c->PlaceInParent(r.Right - w, r.Top, w, r.Height());
          r.Right -= w;
          break;
        default:
          c->PlaceInParent(r.Left, r.Top, r.Width(), r.Height());
          break;
      }
    }
  }
}

void TWinControl::Resize() {
  Realign();
  TControl::Resize();
}

void TWinControl::Broadcast(TMessage& message) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    c->WndProc(message);
    if (message.Result != 0) return;
  }
}

void TWinControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_ENTER:
      DoEnter();
      return;
    case CM_EXIT:
      DoExit();
      return;
    default:
      break;
  }
  TControl::WndProc(message);
  if (message.Msg == CM_COLORCHANGED || message.Msg == CM_FONTCHANGED) {
    const Cardinal notify =
        message.Msg == CM_COLORCHANGED ? CM_PARENTCOLORCHANGED : CM_PARENTFONTCHANGED;
    for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(notify, 0, 0);
  }
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::KeyDown(Word& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::KeyUp(Word& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

bool TWinControl::DefaultKeyDown(Word, TShiftState) {
  return false;
}

bool TWinControl::DefaultKeyPress(char) {
  return false;
}

bool TWinControl::HandleKeyPress(QKeyEvent* e) {
  bool consumed = false;
  const TShiftState shift = ShiftFromModifiers(e->modifiers());
  Word key = QtKeyToVirtualKey(e->key());
  if (key != 0) {
    KeyDown(key, shift);
    consumed = key == 0 || DefaultKeyDown(key, shift);
  }
  const QString text = e->text();
  if (text.size() == 1 && text[0].unicode() < 256) {
    char c = static_cast<char>(text[0].unicode());
    KeyPress(c);
    consumed = consumed || c == 0 || DefaultKeyPress(c);
  }
  return consumed;
}

bool TWinControl::HandleKeyRelease(QKeyEvent* e) {
  Word key = QtKeyToVirtualKey(e->key());
  if (key == 0) return false;
  KeyUp(key, ShiftFromModifiers(e->modifiers()));
  return key == 0;
}

void TWinControl::keyPressEvent(QKeyEvent* e) {
  HandleKeyPress(e);
  e->accept();
}

void TWinControl::keyReleaseEvent(QKeyEvent* e) {
  HandleKeyRelease(e);
  e->accept();
}

void TWinControl::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  if (entered_) return;
  entered_ = true;
  Perform(CM_ENTER, 0, 0);
}

void TWinControl::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  if (IsWindowSwitch(e->reason()) || !entered_) return;
  entered_ = false;
  Perform(CM_EXIT, 0, 0);
}

bool TWinControl::event(QEvent* e) {
  if (e->type() == QEvent::KeyPress && WantsTabKey()) {
    auto* k = static_cast<QKeyEvent*>(e);
    if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
        !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      try {
        keyPressEvent(k);
      } catch (const std::exception& ex) {
        Application->HandleException(ex);
      }
      return true;
    }
  }
  return TControl::event(e);
}
