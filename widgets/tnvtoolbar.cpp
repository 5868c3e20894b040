#include "widgets/tnvtoolbar.h"

#include <cxxabi.h>

#include <QChildEvent>
#include <QEvent>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "framework/property.h"
#include "framework/scoped_value.h"
#include "widgets/nvcommon.h"
#include "widgets/tnvspacer.h"

namespace {

bool IsLeftOrRight(TAlign a) {
  return a == alLeft || a == alRight;
}

bool IsNoneTopOrBottom(TAlign a) {
  return a == alNone || a == alTop || a == alBottom;
}

// The class name of a control, as the program's forms know it.
std::string ClassNameOf(const TControl* c) {
  const char* raw = typeid(*c).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(raw, nullptr, nullptr, &status),
                                              std::free);
  return status == 0 && name ? std::string(name.get()) : std::string(raw);
}

TWinControl* RootOf(TWinControl* c) {
  while (c && c->Parent()) c = c->Parent();
  return c;
}

}  // namespace

TNvToolbar::TNvToolbar(TWinControl* parent) : TNvCustomPanel(parent) {
  {
    TScopedValue adjusting(adjustingStyle_, true);
    SetBorderOuter(fsGroove);
    SetBorderInner(fsNone);
    SetBorderSides(SideBit(sdTop));
  }
  SetFullRepaint(false);
  SetBounds(Left(), Top(), 32, 32);
  TControl::SetAlign(alTop);
  CheckParentClass();
}

TNvToolbar::~TNvToolbar() {
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->removeEventFilter(this);
}

// ---- alignment, parent and divider ----------------------------------------------

void TNvToolbar::SetAlign(TAlign v) {
  if (v == Align()) return;
  TControl::SetAlign(v);
  if (ComponentState() & csLoading) return;
  if (autoStyle_) AdjustStyle(v);
  if (autoResize_) {
    if (IsLeftOrRight(v))
      SetWidth(32);
    else
      SetHeight(32);
  }
  PositionControls();
}

void TNvToolbar::SetParent(TWinControl* parent) {
  TNvCustomPanel::SetParent(parent);
  CheckParentClass();
}

void TNvToolbar::CheckParentClass() {
  if (!Parent()) return;
  const std::string name = ClassNameOf(Parent());
  if (name == "TPageScroller" || name == "TToolbar") autoResize_ = false;
}

void TNvToolbar::AdjustStyle(TAlign align) {
  {
    TScopedValue adjusting(adjustingStyle_, true);
    SetBorderInner(fsNone);
    SetBorderOuter(showDivider_ ? fsGroove : fsNone);
    TSides sides = SideBit(sdTop);
    if (align == alLeft) sides = SideBit(sdLeft);
    if (align == alRight) sides = SideBit(sdRight);
    if (align == alBottom) sides = SideBit(sdBottom);
    SetBorderSides(sides);
  }
  Invalidate();
}

void TNvToolbar::BordersChanged() {
  if (!adjustingStyle_) autoStyle_ = false;
}

void TNvToolbar::SetAutoStyle(bool v) {
  if (!Store(autoStyle_, v)) return;
  if (v && !(ComponentState() & csLoading)) AdjustStyle(Align());
}

void TNvToolbar::SetShowDivider(bool v) {
  if (!Store(showDivider_, v)) return;
  // Only the outer frame follows; AutoStyle keeps its value.
  TScopedValue adjusting(adjustingStyle_, true);
  SetBorderOuter(v ? fsGroove : fsNone);
}

// ---- layout properties ------------------------------------------------------------

void TNvToolbar::SetAutoResize(bool v) {
  if (!Store(autoResize_, v)) return;
  CheckParentClass();
  PositionControls();
}

void TNvToolbar::SetMargin(Integer v) {
  if (Store(margin_, v)) PositionControls();
}

void TNvToolbar::SetTopMargin(Integer v) {
  if (Store(topMargin_, v)) PositionControls();
}

void TNvToolbar::SetRowHeight(Integer v) {
  if (Store(rowHeight_, v)) PositionControls();
}

void TNvToolbar::SetWrapControls(bool v) {
  if (Store(wrapControls_, v)) PositionControls();
}

void TNvToolbar::SetOrientation(TOrientation v) {
  if (!Store(orientation_, v)) return;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* spacer = dynamic_cast<TNvSpacer*>(Controls(i))) spacer->SetOrientation(v);
  PositionControls();
}

// ---- button styles --------------------------------------------------------------

void TNvToolbar::NotifyChildren(Cardinal msg) {
  TMessage m;
  m.Msg = msg;
  Broadcast(m);
}

void TNvToolbar::SetImages(TCustomImageList* v) {
  if (!Store(images_, v)) return;
  Invalidate();
  // Buttons fitted to image and caption measure the new images.
  NotifyChildren(CM_TOOLBARBUTTONSIZECHANGED);
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
}

void TNvToolbar::SetShowButtonCaptions(bool v) {
  if (!Store(showButtonCaptions_, v)) return;
  if (!applyingTextOptions_) textOptions_ = ttoCustom;
  NotifyChildren(CM_TOOLBARSHOWCAPTIONCHANGED);
}

void TNvToolbar::SetButtonLayout(TButtonLayout v) {
  if (!Store(buttonLayout_, v)) return;
  if (!applyingTextOptions_) textOptions_ = ttoCustom;
  NotifyChildren(CM_TOOLBARBUTTONLAYOUTCHANGED);
}

void TNvToolbar::SetButtonWidth(Integer v) {
  if (!Store(buttonWidth_, v)) return;
  if (!applyingTextOptions_) textOptions_ = ttoCustom;
  NotifyChildren(CM_TOOLBARBUTTONSIZECHANGED);
}

void TNvToolbar::SetButtonHeight(Integer v) {
  if (!Store(buttonHeight_, v)) return;
  if (!applyingTextOptions_) textOptions_ = ttoCustom;
  NotifyChildren(CM_TOOLBARBUTTONSIZECHANGED);
}

void TNvToolbar::VisualStyleChanged() {
  NotifyChildren(CM_TOOLBARVISUALSTYLECHANGED);
}

void TNvToolbar::SetTextOptions(TNvToolbarTextOptions v) {
  if (!Store(textOptions_, v)) return;
  TScopedValue applying(applyingTextOptions_, true);
  switch (v) {
    case ttoNoTextLabels:
      SetButtonLayout(blGlyphLeft);
      UpdateButtonSize(25, 25, false);
      break;
    case ttoShowTextLabels:
      SetButtonLayout(blGlyphTop);
      UpdateButtonSize(60, 40, true);
      break;
    case ttoSelectiveTextOnRight:
      SetButtonLayout(blGlyphLeft);
      UpdateButtonSize(60, 25, true);
      break;
    case ttoCustom:
      break;
  }
}

void TNvToolbar::UpdateButtonSize(Integer width, Integer height, bool showCaptions) {
  SetShowButtonCaptions(showCaptions);
  SetButtonWidth(width);
  SetButtonHeight(height);
  SetRowHeight(orientation_ == orVertical ? width : height);
}

void TNvToolbar::SetBackground(const TBitmap& v) {
  background_ = v;
  Invalidate();
}

// ---- control order ------------------------------------------------------------------

void TNvToolbar::ReadToolbarControls(const std::vector<std::string>& names) {
  controls_.ReadControls(names);
  namesStored_ = !names.empty();
}

void TNvToolbar::Loaded() {
  TNvCustomPanel::Loaded();
  if (!namesStored_) controls_.Clear();
  controls_.ControlsAreLoaded(RootOf(this), this);
  namesStored_ = false;
  PositionControls();
  if (autoStyle_) AdjustStyle(Align());
}

void TNvToolbar::AlignControls(TRect& r) {
  TNvCustomPanel::AlignControls(r);
  PositionControls();
}

void TNvToolbar::SyncControlList() {
  controls_.Purge(this);
  for (int i = 0; i < ControlCount(); ++i) controls_.AddControl(Controls(i));
}

bool TNvToolbar::event(QEvent* e) {
  if (e->type() == QEvent::ChildAdded) {
    QObject* child = static_cast<QChildEvent*>(e)->child();
    if (child->isWidgetType()) {
      child->installEventFilter(this);
      // The child is still being built: list and place it once it is.
      PostMessage(this, CM_CONTROLLISTCHANGE, 0, 0);
    }
  } else if (e->type() == QEvent::ChildRemoved) {
    if (controls_.Purge(this)) PositionControls();
  }
  return TNvCustomPanel::event(e);
}

bool TNvToolbar::eventFilter(QObject* watched, QEvent* e) {
  const auto t = e->type();
  if ((t == QEvent::Resize || t == QEvent::ShowToParent || t == QEvent::HideToParent) &&
      !positioning_ && watched->parent() == this)
    PostMessage(this, CM_CONTROLLISTCHANGE, 0, 0);
  return TNvCustomPanel::eventFilter(watched, e);
}

void TNvToolbar::WndProc(TMessage& message) {
  if (message.Msg == CM_CONTROLLISTCHANGE) {
    Realign();
    return;
  }
  TNvCustomPanel::WndProc(message);
}

void TNvToolbar::VisibleChanged() {
  TNvCustomPanel::VisibleChanged();
  if (OnVisibleChanged) OnVisibleChanged(this);
}

// ---- layout -----------------------------------------------------------------------

Integer TNvToolbar::CalculateRowHeight(int) const {
  return rowHeight_;
}

void TNvToolbar::PositionControls() {
  if ((ComponentState() & csLoading) || positioning_) return;
  TScopedValue positioning(positioning_, true);
  // New children join the end of the list, destroyed ones leave it.
  SyncControlList();
  if (orientation_ == orHorizontal)
    PositionHorizontal();
  else
    PositionVertical();
}

void TNvToolbar::PositionControl(int index, int row, int& position) {
  TControl* c = controls_.Controls(index);
  if (!c) return;
  const int rh = CalculateRowHeight(row);
  const int w = c->Width(), h = c->Height();
  if (orientation_ == orHorizontal) {
    const int left = UseRightToLeftAlignment() ? Width() - w - position : position;
    c->SetBounds(left, (row - 1) * rh + topMargin_ + rh / 2 - h / 2, w, h);
    position += w;
  } else {
    c->SetBounds((row - 1) * rh + margin_ + rh / 2 - w / 2, position, w, h);
    position += h;
  }
}

namespace {

bool Placeable(const TControl* c) {
  return c && (c->Visible() || (c->ComponentState() & csDesigning));
}

}  // namespace

void TNvToolbar::PositionHorizontal() {
  const int n = controls_.Count();
  int x = margin_, row = 1, largest = 0, placed = 0, inRow = 0;
  for (int i = 0; i < n; ++i) {
    TControl* c = controls_.Controls(i);
    if (!Placeable(c)) continue;
    // A row that holds nothing yet never wraps, so no row is left empty.
    if (wrapControls_ && inRow > 0 && x + c->Width() > Width() - margin_) {
      x = margin_;
      ++row;
      inRow = 0;
    }
    PositionControl(i, row, x);
    ++inRow;
    ++placed;
    largest = std::max(largest, x);
  }
  // The chevron is judged on the layout just made.
  popupButtonShown_ = false;
  if (!wrapControls_ && n > 0)
    if (TControl* last = controls_.Controls(n - 1))
      popupButtonShown_ = last->Left() + last->Width() > Width() - margin_;
  AutoSizeTo(row, largest, placed);
}

void TNvToolbar::PositionVertical() {
  const int n = controls_.Count();
  popupButtonShown_ = false;
  int y = margin_, column = 1, largest = 0, placed = 0, inColumn = 0;
  for (int i = 0; i < n; ++i) {
    TControl* c = controls_.Controls(i);
    if (!Placeable(c)) continue;
    if (wrapControls_ && inColumn > 0 && y + c->Height() > Height() - margin_) {
      y = margin_;
      ++column;
      inColumn = 0;
    }
    PositionControl(i, column, y);
    ++inColumn;
    ++placed;
    largest = std::max(largest, y);
  }
  AutoSizeTo(column, largest, placed);
}

void TNvToolbar::AutoSizeTo(int rows, int largest, int placed) {
  if (!autoResize_) return;
  const TAlign a = Align();
  if (orientation_ == orHorizontal) {
    if (IsLeftOrRight(a) && placed > 0) SetWidth(margin_ + largest);
    if (IsNoneTopOrBottom(a)) SetHeight(rowHeight_ * rows + 2 * topMargin_);
  } else {
    if (IsNoneTopOrBottom(a) && placed > 0) SetHeight(margin_ + largest);
    if (IsLeftOrRight(a)) SetWidth(rowHeight_ * rows + topMargin_ + 2);
  }
  PostParentSize();
}

void TNvToolbar::PostParentSize() {
  TWinControl* p = Parent();
  if (!p || !p->Visible() || ClassNameOf(p) == "TControlBar") return;
  WPARAM kind = SIZE_RESTORED;
  if (p->isWindow() && p->isMaximized()) kind = SIZE_MAXIMIZED;
  if (p->isWindow() && p->isMinimized()) kind = SIZE_MINIMIZED;
  const LPARAM size = static_cast<LPARAM>((static_cast<uint32_t>(p->Height() & 0xFFFF) << 16) |
                                          static_cast<uint32_t>(p->Width() & 0xFFFF));
  PostMessage(p, WM_SIZE, kind, size);
}

TPoint TNvToolbar::ResizeStripSize() const {
  if (orientation_ == orHorizontal && !wrapControls_ && popupButtonShown_) return {15, 1};
  return {1, 1};
}

// ---- painting -----------------------------------------------------------------------

void TNvToolbar::Paint() {
  const TRect inside = PaintPanel();
  if (ShowGrid()) DrawGrid(inside);
  if (OnPaint) OnPaint(this);
  PaintBackground(inside);
}

void TNvToolbar::PaintBackground(const TRect& inside) {
  if (background_.Empty() || inside.IsEmpty()) return;
  TCanvas& canvas = Canvas();
  const int bw = background_.Width(), bh = background_.Height();
  const int columns = (ClientWidth() + bw - 1) / bw, rows = (ClientHeight() + bh - 1) / bh;
  canvas.Save();
  canvas.IntersectClipRect(inside);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c)
      canvas.Draw(inside.Left + c * bw, inside.Top + r * bh, background_);
  canvas.Restore();
}
