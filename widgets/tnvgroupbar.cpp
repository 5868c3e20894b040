#include "widgets/tnvgroupbar.h"

#include <QApplication>
#include <QScrollBar>
#include <algorithm>

#include "framework/exceptions.h"
#include "framework/imagelist.h"
#include "framework/property.h"
#include "framework/scoped_value.h"
#include "widgets/nvcommon.h"
#include "widgets/nvthemesrv.h"

namespace {

// The windowed control that owns a Qt widget (itself or an ancestor).
TControl* OwningControl(QWidget* w) {
  for (; w; w = w->parentWidget())
    if (auto* c = dynamic_cast<TControl*>(w)) return c;
  return nullptr;
}

}  // namespace

TNvGroupBar::TNvGroupBar(TWinControl* parent) : TCustomControl(parent) {
  SetControlStyle(ControlStyle() & ~(csAcceptsControls | csSetCaption));
  SetParentColor(false);
  SetColor(clBtnShadow);
  SetDoubleBuffered(true);
  SetFocusOnClick(true);
  scrollBar_ = new QScrollBar(Qt::Vertical, this);
  scrollBar_->hide();
  scrollBar_->setSingleStep(10);
  QObject::connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!updatingScrollBar_) SetScrollPosition(v);
  });
  QObject::connect(qApp, &QApplication::focusChanged, this,
                   [this](QWidget*, QWidget* now) { FocusChanged(now); });
  themeHandler_ = ThemeServices().AddThemeChangeHandler([this](TObject*) {
    CurrentXPColorScheme = GetXPColorScheme();
    RepaintGroups();
  });
  SetBounds(Left(), Top(), 160, 200);
  SetAlign(alLeft);
}

TNvGroupBar::~TNvGroupBar() {
  destroying_ = true;
  // Deleting the child widgets below moves the focus; by then this is no
  // longer a group bar and must not hear of it.
  QObject::disconnect(qApp, &QApplication::focusChanged, this, nullptr);
  ThemeServices().RemoveThemeChangeHandler(themeHandler_);
  for (TNvGroup* g : groups_) g->bar_ = nullptr;
  groups_.clear();
}

// ---- properties -------------------------------------------------------------------

void TNvGroupBar::SetStyle(TNvGroupBarStyle v) {
  if (!Store(style_, v)) return;
  switch (v) {
    case gbsCategoryView:
      SetColor(clBtnShadow);
      groupBorderSize_ = 8;
      break;
    case gbsTaskList:
      SetColor(clWindow);
      groupBorderSize_ = 4;
      break;
    case gbsOutlook:
      SetColor(clBtnShadow);
      groupBorderSize_ = 0;
      break;
  }
  for (TNvGroup* g : std::vector<TNvGroup*>(groups_)) g->SetStyle(v);
  UpdateLayout();
  RepaintGroups();
}

void TNvGroupBar::SetGroupBorderSize(Integer v) {
  if (!Store(groupBorderSize_, std::max(0, v))) return;
  UpdateLayout();
  Invalidate();
}

void TNvGroupBar::SetVisualStyle(TNvVisualStyle v) {
  if (Store(visualStyle_, v)) RepaintGroups();
}

void TNvGroupBar::SetGradientColorStyle(TNvGradientColorStyle v) {
  if (Store(gradientColorStyle_, v)) RepaintGroups();
}

void TNvGroupBar::SetGradientColorStart(TColor v) {
  if (Store(gradientColorStart_, v)) RepaintGroups();
}

void TNvGroupBar::SetGradientColorStop(TColor v) {
  if (Store(gradientColorStop_, v)) RepaintGroups();
}

void TNvGroupBar::SetGradientPath(TNvGroupBarGradientPath v) {
  if (Store(gradientPath_, v)) RepaintGroups();
}

void TNvGroupBar::SetBorderInner(TFrameStyleEx v) {
  if (Store(borderInner_, v)) UpdateNonClient();
}

void TNvGroupBar::SetBorderOuter(TFrameStyleEx v) {
  if (Store(borderOuter_, v)) UpdateNonClient();
}

void TNvGroupBar::SetBorderSides(TSides v) {
  if (Store(borderSides_, static_cast<TSides>(v & AllSides))) UpdateNonClient();
}

void TNvGroupBar::SetBorderColor(TColor v) {
  if (Store(borderColor_, v)) Invalidate();
}

void TNvGroupBar::SetBorderHighlight(TColor v) {
  if (Store(borderHighlight_, v)) Invalidate();
}

void TNvGroupBar::SetBorderShadow(TColor v) {
  if (Store(borderShadow_, v)) Invalidate();
}

void TNvGroupBar::SetFlatColor(TColor v) {
  if (Store(flatColor_, v)) Invalidate();
}

void TNvGroupBar::SetFlatColorAdjustment(Integer v) {
  if (Store(flatColorAdjustment_, v)) Invalidate();
}

void TNvGroupBar::SetBevelWidth(Integer v) {
  if (Store(bevelWidth_, std::max(1, v))) UpdateNonClient();
}

void TNvGroupBar::SetUniqueItemSelection(bool v) {
  if (!Store(uniqueItemSelection_, v) || !v) return;
  for (TNvGroup* g : groups_) g->ClearSelection(nullptr);
}

void TNvGroupBar::SetSmallImages(TCustomImageList* v) {
  if (!Store(smallImages_, v)) return;
  UpdateLayout();
  RepaintGroups();
}

void TNvGroupBar::SetLargeImages(TCustomImageList* v) {
  if (!Store(largeImages_, v)) return;
  UpdateLayout();
  RepaintGroups();
}

void TNvGroupBar::RepaintGroups() {
  Invalidate();
  for (TNvGroup* g : groups_) g->Invalidate();
}

void TNvGroupBar::ColorChanged() {
  RepaintGroups();
}

// ---- the group list -----------------------------------------------------------------

void TNvGroupBar::AddGroup(TNvGroup* group) {
  InsertGroup(GetGroupCount(), group);
}

void TNvGroupBar::InsertGroup(int index, TNvGroup* group) {
  if (!group || IndexOfGroup(group) >= 0) return;
  if (group->bar_ && group->bar_ != this) group->bar_->RemoveGroup(group);
  index = std::clamp(index, 0, GetGroupCount());
  groups_.insert(groups_.begin() + index, group);
  group->AttachToBar(this);
  group->SetStyle(style_);
  UpdateLayout(group);
}

void TNvGroupBar::RemoveGroup(TNvGroup* group) {
  const int index = IndexOfGroup(group);
  if (index < 0) return;
  const bool tracksOpen = style_ == gbsOutlook || (style_ == gbsCategoryView && exclusiveMode_);
  int openIndex = -1;
  for (int i = 0; i < GetGroupCount() && openIndex < 0; ++i)
    if (groups_[i]->Opened()) openIndex = i;
  groups_.erase(groups_.begin() + index);
  group->DetachFromBar(Designing());
  if (tracksOpen && index == openIndex && !groups_.empty()) {
    TNvGroup* next = groups_[index > 0 ? index - 1 : 0];
    BeginUpdateLayout();
    try {
      next->SetOpened(true);
    } catch (...) {
      --updateLayoutCount_;
      throw;
    }
    --updateLayoutCount_;
  }
  UpdateLayout();
}

TNvGroup* TNvGroupBar::GetGroup(int index) const {
  if (index < 0 || index >= GetGroupCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return groups_[index];
}

int TNvGroupBar::IndexOfGroup(const TNvGroup* group) const {
  auto it = std::find(groups_.begin(), groups_.end(), group);
  return it == groups_.end() ? -1 : static_cast<int>(it - groups_.begin());
}

void TNvGroupBar::OpenAllGroups() {
  if (style_ != gbsCategoryView) return;
  BeginUpdateLayout();
  for (TNvGroup* g : std::vector<TNvGroup*>(groups_)) g->SetOpened(true);
  EndUpdateLayout();
}

void TNvGroupBar::CloseAllGroups() {
  if (style_ != gbsCategoryView) return;
  BeginUpdateLayout();
  for (TNvGroup* g : std::vector<TNvGroup*>(groups_)) g->SetOpened(false);
  EndUpdateLayout();
}

// ---- layout -------------------------------------------------------------------------

void TNvGroupBar::BeginUpdateLayout() {
  ++updateLayoutCount_;
}

void TNvGroupBar::EndUpdateLayout() {
  updateLayoutCount_ = std::max(0, updateLayoutCount_ - 1);
  if (updateLayoutCount_ == 0) UpdateLayout();
}

void TNvGroupBar::UpdateLayout(TNvGroup* group) {
  if (updateLayoutCount_ > 0 || Loading() || destroying_) return;
  TScopedValue guard(positioning_, true);
  if (style_ == gbsOutlook) {
    UpdateScrollBar();
    if (!groups_.empty()) PositionGroups();
    return;
  }
  LayoutStacked(group);
}

void TNvGroupBar::LayoutStacked(TNvGroup* group) {
  if (style_ == gbsCategoryView && exclusiveMode_ && group && group->Opened()) {
    for (TNvGroup* g : std::vector<TNvGroup*>(groups_))
      if (g != group && g->Opened()) g->CloseExclusive();
  }
  // A scroll bar that appears or goes away changes the client width, and
  // with it the heights of groups with wrapped items: lay out until it stays.
  for (int pass = 0; pass < 4; ++pass) {
    const bool before = ScrollBarVisible();
    if (!groups_.empty()) {
      PositionGroups();
      PullGroupsDown();
      ShowEntireGroup(group);
    }
    UpdateScrollBar();
    if (ScrollBarVisible() == before) break;
  }
}

void TNvGroupBar::PositionGroups() {
  TScopedValue guard(positioning_, true);
  if (style_ == gbsOutlook)
    PositionOutlook();
  else
    PositionStacked();
}

void TNvGroupBar::PositionOutlook() {
  const int b = groupBorderSize_;
  const int w = ClientWidth() - 2 * b;
  const int n = GetGroupCount();
  int openIndex = -1;
  for (int i = 0; i < n; ++i)
    if (groups_[i]->Opened()) openIndex = i;
  if (openIndex < 0) openIndex = 0;
  int closedSum = 0;
  for (int i = 0; i < n; ++i)
    if (i != openIndex && groups_[i]->Visible()) closedSum += groups_[i]->ClosedHeight() + b;
  closedSum += 2 * b;
  int bottom = 0;
  for (int i = 0; i < n; ++i) {
    TNvGroup* g = groups_[i];
    if (i == openIndex) {
      g->SetBounds(b, bottom + b, w, ClientHeight() - closedSum);
    } else if (g->Visible() || (i < openIndex && Designing())) {
      g->SetBounds(b, bottom + b, w, g->ClosedHeight());
    } else {
      g->SetBounds(b, bottom, w, 0);
    }
    bottom = g->Top() + g->Height();
  }
}

void TNvGroupBar::PositionStacked() {
  const int b = groupBorderSize_;
  const int w = ClientWidth() - 2 * b;
  int y = b - scrollPosition_;
  for (TNvGroup* g : groups_) {
    if (!g->Visible() && !Designing()) {
      g->SetBounds(b, y, w, 0);
      continue;
    }
    // A large caption image stands out above its group.
    y += g->CaptionYOffset();
    int h;
    if (style_ == gbsCategoryView && !g->Opened())
      h = g->ClosedHeight();
    else if (g->Items().Count() == 0)
      h = g->OpenedHeight();
    else
      h = g->CalculateHeight(w);
    g->SetBounds(b, y, w, h);
    y += h + b;
  }
  UpdateScrollBar();
}

void TNvGroupBar::PullGroupsDown() {
  if (scrollPosition_ <= 0) return;
  const TNvGroup* last = nullptr;
  const TNvGroup* first = nullptr;
  for (const TNvGroup* g : groups_) {
    if (!g->Visible()) continue;
    if (!first) first = g;
    last = g;
  }
  if (!last || last->Top() + last->Height() >= ClientHeight()) return;
  const int total = GetTotalHeight();
  int dy;
  if (total >= ClientHeight())
    dy = ClientHeight() + scrollPosition_ - total;
  else
    dy = groupBorderSize_ + first->CaptionYOffset() - first->Top();
  dy = std::min(dy, scrollPosition_);
  if (dy <= 0) return;
  ScrollGroupsBy(dy);
  scrollPosition_ -= dy;
}

Integer TNvGroupBar::GetTotalHeight() const {
  const int b = groupBorderSize_;
  if (style_ == gbsOutlook) return groups_.empty() ? 2 * b : ClientHeight() - 1;
  const TNvGroup* first = nullptr;
  const TNvGroup* last = nullptr;
  for (const TNvGroup* g : groups_) {
    if (!g->Visible() && !Designing()) continue;
    if (!first) first = g;
    last = g;
  }
  if (!first) return 2 * b;
  return last->Top() + last->Height() - first->Top() + first->CaptionYOffset() + 2 * b;
}

void TNvGroupBar::ShowEntireGroup(TNvGroup* group) {
  if (!group || !group->Opened() || Loading() || IndexOfGroup(group) < 0) return;
  if (!group->Visible()) return;
  const int b = groupBorderSize_;
  const int top = group->Top();
  const int bottom = top + group->Height();
  int dy = 0;
  if (group->Height() > ClientHeight())
    dy = b - top;
  else if (bottom + b > ClientHeight() && top > 0)
    dy = ClientHeight() - b - bottom;
  else if (top < 0)
    dy = b + (group->CaptionStyle() == csLarge ? group->CaptionYOffset() : 0) - top;
  if (dy != 0) SetScrollPosition(scrollPosition_ - dy);
}

void TNvGroupBar::ScrollGroupsBy(int dy) {
  if (dy == 0) return;
  TScopedValue guard(positioning_, true);
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    c->SetBounds(c->Left(), c->Top() + dy, c->Width(), c->Height());
  }
  Invalidate();
}

void TNvGroupBar::ScrollInView(TControl* control) {
  if (!control) return;
  TNvGroup* group = nullptr;
  for (TNvGroup* g : groups_)
    if (g != control && g->ContainsControl(control)) {
      group = g;
      break;
    }
  if (!group) return;
  if (!group->Opened()) group->SetOpened(true);
  if (style_ == gbsOutlook || !group->Opened()) return;
  // The control's rectangle in the bar's client coordinates.
  const TPoint origin = ScreenToClient(control->ClientOrigin());
  const int top = origin.Y, bottom = origin.Y + control->Height();
  if (top < 0)
    SetScrollPosition(scrollPosition_ + top - groupBorderSize_);
  else if (bottom > ClientHeight())
    SetScrollPosition(scrollPosition_ + bottom - ClientHeight() + groupBorderSize_);
}

void TNvGroupBar::FocusChanged(QWidget* now) {
  if (!now || !Parent() || destroying_) return;
  TControl* control = OwningControl(now);
  if (control && control != this && ContainsControl(control)) ScrollInView(control);
}

void TNvGroupBar::Resize() {
  TCustomControl::Resize();
  UpdateNonClient();
  UpdateLayout();
}

void TNvGroupBar::Loaded() {
  TCustomControl::Loaded();
  UpdateLayout();
  PostMessage(this, UM_RESETSCROLLPOSITION, 0, 0);
}
