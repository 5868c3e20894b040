#include "widgets/tnvgroup.h"

#include <QPointer>
#include <algorithm>

#include "framework/exceptions.h"
#include "framework/imagelist.h"
#include "framework/property.h"
#include "framework/scoped_value.h"
#include "widgets/nvcommon.h"
#include "widgets/tnvgroupbar.h"
#include "widgets/tnvrapidfirebutton.h"

namespace {

constexpr int kDefaultOpenedHeight = 50;

}  // namespace

TNvGroup::TNvGroup(TNvGroupBar* bar) : TCustomControl(bar), items_(this) {
  SetControlStyle(ControlStyle() | csAcceptsControls | csSetCaption);
  SetDoubleBuffered(true);
  {
    TScopedValue guard(assigningColor_, true);
    SetColor(DefaultColor(gbsCategoryView, nullptr));
  }
  captionColor_ = DefaultCaptionColor(gbsCategoryView);
  captionFont_.Assign(Font());
  captionFont_.SetStyle(fsBold);
  captionFont_.SetColor(clHighlight);
  itemStaticFont_.Assign(Font());
  captionFont_.OnChange = [this](TFont*) {
    if (!assigningFont_) captionFontChanged_ = true;
    Invalidate();
  };
  itemStaticFont_.OnChange = [this](TFont*) {
    if (!assigningFont_) itemStaticFontChanged_ = true;
    RequestLayout();
    Invalidate();
  };
  upButton_ = new TNvRapidFireButton(this);
  upButton_->SetScrollStyle(scsUp);
  upButton_->SetVisible(false);
  upButton_->OnClick = [this](TObject*) { ScrollUpClick(); };
  downButton_ = new TNvRapidFireButton(this);
  downButton_->SetScrollStyle(scsDown);
  downButton_->SetVisible(false);
  downButton_->OnClick = [this](TObject*) { ScrollDownClick(); };
  SetBounds(Left(), Top(), 150, kDefaultOpenedHeight);
  if (!bar) return;
  if (bar->Loading()) {
    // A group read with its bar joins it once its own properties are read.
    BeginLoading();
    pendingBar_ = bar;
  } else {
    bar->AddGroup(this);
  }
}

TNvGroup::~TNvGroup() {
  // Leaving the bar keeps the Qt parent: the widget is on its way out anyway.
  destroying_ = true;
  if (bar_ && !bar_->destroying_) bar_->RemoveGroup(this);
}

// ---- bar membership -------------------------------------------------------------------

void TNvGroup::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  if (!parent) {
    if (bar_)
      bar_->RemoveGroup(this);
    else
      TCustomControl::SetParent(nullptr);
    return;
  }
  auto* bar = dynamic_cast<TNvGroupBar*>(parent);
  if (!bar)
    throw ENvGroupBarError("TNvGroup components can only be placed in a TNvGroupBar component");
  SetGroupBar(bar);
}

void TNvGroup::SetGroupBar(TNvGroupBar* bar) {
  if (bar) bar->AddGroup(this);
}

void TNvGroup::AttachToBar(TNvGroupBar* bar) {
  bar_ = bar;
  pendingBar_ = nullptr;
  if (Parent() != bar) TCustomControl::SetParent(bar);
}

void TNvGroup::DetachFromBar(bool keepParent) {
  bar_ = nullptr;
  if (keepParent || destroying_) return;
  SetVisible(false);
  TCustomControl::SetParent(nullptr);
}

void TNvGroup::RequestLayout() {
  if (bar_) bar_->UpdateLayout(this);
}

bool TNvGroup::Designing() const {
  return (ComponentState() & csDesigning) != 0;
}

bool TNvGroup::Loading() const {
  return (ComponentState() & csLoading) != 0 || (bar_ && bar_->Loading());
}

int TNvGroup::GroupIndex() const {
  return bar_ ? bar_->IndexOfGroup(this) : -1;
}

void TNvGroup::SetGroupIndex(int v) {
  if (!bar_) return;
  const int last = bar_->GetGroupCount() - 1;
  if (v > last)
    throw EListError(std::to_string(v) +
                     " is an invalid GroupIndex value. GroupIndex must be between 0 and " +
                     std::to_string(last));
  if (v < 0) throw EListError("List index out of bounds (" + std::to_string(v) + ")");
  const int current = GroupIndex();
  if (v == current) return;
  auto& list = bar_->groups_;
  list.erase(list.begin() + current);
  list.insert(list.begin() + v, this);
  bar_->UpdateLayout();
}

void TNvGroup::Loaded() {
  TCustomControl::Loaded();
  if (TNvGroupBar* bar = pendingBar_) {
    pendingBar_ = nullptr;
    SetGroupBar(bar);
  }
}

// ---- geometry -------------------------------------------------------------------------

void TNvGroup::SetBounds(int left, int top, int width, int height) {
  const TRect before = BoundsRect();
  TCustomControl::SetBounds(left, top, width, height);
  if (BoundsRect() != before && bar_ && !bar_->positioning_) bar_->UpdateLayout(this);
}

void TNvGroup::Resize() {
  TCustomControl::Resize();
  if (style_ == gbsOutlook) {
    PositionScrollButtons();
    UpdateScrollButtons();
  }
}

void TNvGroup::VisibleChanged() {
  TCustomControl::VisibleChanged();
  RequestLayout();
}

void TNvGroup::AdjustClientRect(TRect& r) const {
  r.Top += captionHeight_;
  if (style_ == gbsCategoryView) {
    r.Left += 1;
    r.Right -= 1;
    r.Bottom -= 1;
  }
}

Integer TNvGroup::CaptionYOffset() const {
  TCustomImageList* images = CaptionImages();
  if (!images || captionImageIndex_ < 0 || images->Height() <= captionHeight_) return 0;
  return images->Height() - captionHeight_ + 4;
}

void TNvGroup::SetOpenedHeight(Integer v) {
  if (!Store(openedHeight_, v)) return;
  if (!Designing() && !Loading() && items_.Count() == 0 && HasOnlyScrollButtons())
    openedHeight_ = kDefaultOpenedHeight;
  if (opened_) SetBounds(Left(), Top(), Width(), openedHeight_);
}

bool TNvGroup::HasOnlyScrollButtons() const {
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* c = Controls(i);
    if (c != upButton_ && c != downButton_) return false;
  }
  return true;
}

void TNvGroup::SetCaptionHeight(Integer v) {
  if (!Store(captionHeight_, std::max(16, v))) return;
  Invalidate();
  Realign();
  PositionScrollButtons();
  RequestLayout();
}

// ---- appearance properties -------------------------------------------------------------

void TNvGroup::SetCaptionColor(TColor v) {
  captionColorDefault_ = false;
  if (Store(captionColor_, v)) Invalidate();
}

void TNvGroup::SetCaptionColorDefault(bool v) {
  if (!Store(captionColorDefault_, v)) return;
  if (v) captionColor_ = DefaultCaptionColor(style_);
  Invalidate();
}

void TNvGroup::SetCaptionColorStart(TColor v) {
  if (Store(captionColorStart_, v)) Invalidate();
}

void TNvGroup::SetCaptionColorStop(TColor v) {
  if (Store(captionColorStop_, v)) Invalidate();
}

void TNvGroup::SetCaptionHotColor(TColor v) {
  if (Store(captionHotColor_, v)) Invalidate();
}

void TNvGroup::SetCaptionImageIndex(int v) {
  if (!Store(captionImageIndex_, v)) return;
  RequestLayout();
  Invalidate();
}

void TNvGroup::SetCaptionStyle(TNvCaptionStyle v) {
  if (!Store(captionStyle_, v)) return;
  RequestLayout();
  Invalidate();
  if (bar_) bar_->Invalidate();
}

void TNvGroup::SetColorDefault(bool v) {
  if (!Store(colorDefault_, v) || !v) return;
  TScopedValue guard(assigningColor_, true);
  SetColor(DefaultColor(style_, bar_));
  SetParentColor(style_ == gbsTaskList);
}

void TNvGroup::ColorChanged() {
  // A colour the group did not give itself (nor took from its bar) is the
  // user's: the body no longer follows the style.
  if (!assigningColor_ && !ParentColor()) colorDefault_ = false;
  TCustomControl::ColorChanged();
}

void TNvGroup::SetCanClose(bool v) {
  if (Store(canClose_, v)) Invalidate();
}

void TNvGroup::SetSpecial(bool v) {
  if (Store(special_, v)) Invalidate();
}

void TNvGroup::SetDividerVisible(bool v) {
  if (Store(dividerVisible_, v)) Invalidate();
}

void TNvGroup::SetDividerColor(TColor v) {
  if (Store(dividerColor_, v)) Invalidate();
}

void TNvGroup::SetBorderColor(TColor v) {
  if (Store(borderColor_, v)) Invalidate();
}

void TNvGroup::SetItemHeight(Integer v) {
  if (Store(itemHeight_, std::max(1, v))) ItemsChanged();
}

void TNvGroup::SetItemIndent(Byte v) {
  if (Store(itemIndent_, v)) ItemsChanged();
}

void TNvGroup::SetItemStyle(TNvItemStyle v) {
  if (Store(itemStyle_, v)) ItemsChanged();
}

void TNvGroup::SetItemHotColor(TColor v) {
  if (Store(itemHotColor_, v)) Invalidate();
}

void TNvGroup::SetShowItemSelection(bool v) {
  if (Store(showItemSelection_, v)) Invalidate();
}

void TNvGroup::SetItemSelectionStyle(TNvItemSelectionStyle v) {
  if (Store(itemSelectionStyle_, v)) Invalidate();
}

void TNvGroup::SetSelectionColor(TColor v) {
  if (Store(selectionColor_, v)) Invalidate();
}

void TNvGroup::SetSelectionShadowColor(TColor v) {
  if (Store(selectionShadowColor_, v)) Invalidate();
}

void TNvGroup::SetSelectionFrameColor(TColor v) {
  if (Store(selectionFrameColor_, v)) Invalidate();
}

void TNvGroup::SetSmallImages(TCustomImageList* v) {
  if (Store(smallImages_, v)) ItemsChanged();
}

void TNvGroup::SetLargeImages(TCustomImageList* v) {
  if (Store(largeImages_, v)) ItemsChanged();
}

TCustomImageList* TNvGroup::SmallImageList() const {
  return smallImages_ ? smallImages_ : bar_ ? bar_->SmallImages() : nullptr;
}

TCustomImageList* TNvGroup::LargeImageList() const {
  return largeImages_ ? largeImages_ : bar_ ? bar_->LargeImages() : nullptr;
}

void TNvGroup::TextChanged() {
  Invalidate();
}

// ---- fonts ------------------------------------------------------------------------------

void TNvGroup::FontChanged() {
  if (!assigningFont_) fontChanged_ = true;
  {
    TScopedValue guard(assigningFont_, true);
    if (!captionFontChanged_) {
      captionFont_.SetName(Font().Name());
      captionFont_.SetHeight(Font().Height());
      captionFont_.SetStyle(Font().Style() | fsBold);
    }
    if (!itemStaticFontChanged_) itemStaticFont_.Assign(Font());
  }
  RequestLayout();
  Invalidate();
}

void TNvGroup::SetOwnFontColor(TColor color) {
  TScopedValue guard(assigningFont_, true);
  Font().SetColor(color);
}

void TNvGroup::AssignCaptionFontStyle(TFontStyles style, TColor color) {
  TScopedValue guard(assigningFont_, true);
  captionFont_.SetStyle(style);
  captionFont_.SetColor(color);
}

// ---- style ------------------------------------------------------------------------------

TColor TNvGroup::DefaultColor(TNvGroupBarStyle style, const TNvGroupBar* bar) {
  switch (style) {
    case gbsCategoryView:
      if (bar && bar->VisualStyle() == vsWinXP && ThemesEnabled())
        return GetXPThemeColor(xptcGroupBarFill);
      return clBtnFace;
    case gbsTaskList:
      return bar ? bar->Color() : clWindow;
    case gbsOutlook:
      return clBtnShadow;
  }
  return clBtnFace;
}

TColor TNvGroup::DefaultCaptionColor(TNvGroupBarStyle style) {
  switch (style) {
    case gbsCategoryView:
      return clHighlightText;
    case gbsTaskList:
      return clWindow;
    case gbsOutlook:
      return clBtnFace;
  }
  return clBtnFace;
}

void TNvGroup::SetStyle(TNvGroupBarStyle v) {
  const TNvGroupBarStyle from = style_;
  style_ = v;
  if (colorDefault_) {
    TScopedValue guard(assigningColor_, true);
    SetColor(DefaultColor(v, bar_));
    SetParentColor(v == gbsTaskList);
  }
  if (captionColorDefault_) captionColor_ = DefaultCaptionColor(v);
  if (!fontChanged_) SetOwnFontColor(clWindowText);
  if (!captionFontChanged_) {
    switch (v) {
      case gbsCategoryView:
        AssignCaptionFontStyle(fsBold, clHighlight);
        break;
      case gbsTaskList:
        AssignCaptionFontStyle(fsBold, clWindowText);
        break;
      case gbsOutlook:
        AssignCaptionFontStyle(0, clWindowText);
        break;
    }
  }
  if (v == gbsCategoryView) {
    dividerColor_ = clHighlight;
    if (from != gbsCategoryView) dividerVisible_ = false;
    if (from == gbsTaskList) canClose_ = true;
  } else if (v == gbsTaskList) {
    if (!Loading()) {
      dividerVisible_ = true;
      dividerColor_ = clHighlight;
    }
    canClose_ = false;
  }
  if (from == gbsOutlook && v != gbsOutlook) {
    opened_ = true;
    if (items_.Count() == 0 && HasOnlyScrollButtons()) openedHeight_ = kDefaultOpenedHeight;
  }
  if (v == gbsOutlook) {
    canClose_ = true;
    if (!Loading()) opened_ = GroupIndex() == 0;
  }
  if (v != gbsOutlook) topItem_ = 0;
  Realign();
  PositionScrollButtons();
  UpdateScrollButtons();
  Invalidate();
}

// ---- opening and closing ----------------------------------------------------------------

bool TNvGroup::AskPermission(bool opening) {
  bool allowed = true;
  const TNvCanChangeEvent& handler = opening ? OnCanOpen : OnCanClose;
  if (handler) handler(this, allowed);
  return allowed;
}

void TNvGroup::SetOpened(bool v) {
  if (!bar_) {
    opened_ = v;
    return;
  }
  if (v == opened_) return;
  if (!AskPermission(v)) return;
  switch (style_) {
    case gbsOutlook:
      if (v) OpenInOutlook();
      return;
    case gbsTaskList:
      opened_ = true;
      return;
    case gbsCategoryView: {
      if (!canClose_) return;
      opened_ = v;
      QPointer<TNvGroup> self(this);
      if (v && OnOpen) OnOpen(this);
      if (!v && OnClose) OnClose(this);
      if (!self || !bar_) return;
      bar_->UpdateLayout(this);
      if (v)
        for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
      return;
    }
  }
}

void TNvGroup::OpenInOutlook() {
  opened_ = true;
  TNvGroupBar* bar = bar_;
  // Only the groups that really were open hear that they closed; the group
  // that opens hears OnOpen alone.
  std::vector<QPointer<TNvGroup>> closed;
  for (TNvGroup* g : bar->groups_) {
    if (g == this || !g->opened_) continue;
    g->opened_ = false;
    g->UpdateScrollButtons();
    closed.emplace_back(g);
  }
  QPointer<TNvGroup> self(this);
  for (const QPointer<TNvGroup>& g : closed)
    if (g && g->OnClose) g->OnClose(g.data());
  if (self && OnOpen) OnOpen(this);
  if (self && bar_) bar_->UpdateLayout(this);
  if (self) UpdateScrollButtons();
}

void TNvGroup::CloseExclusive() {
  opened_ = false;
  if (OnClose) OnClose(this);
}
