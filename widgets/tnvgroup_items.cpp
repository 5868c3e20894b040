// TNvGroup: item layout, hit testing, clicks, selection, item scrolling and
// the caption's mouse handling.
#include <QCursor>
#include <QMenu>
#include <QPointer>
#include <algorithm>

#include "framework/drawtext.h"
#include "framework/imagelist.h"
#include "framework/property.h"
#include "widgets/tnvgroup.h"
#include "widgets/tnvgroupbar.h"
#include "widgets/tnvrapidfirebutton.h"

namespace {

constexpr int kItemsTop = 4;     // gap between the caption and the first item
constexpr int kItemsBottom = 4;  // gap below the last item
constexpr int kLargeSlot = 34;   // image slot of large items without an image list
constexpr int kScrollButtonSize = 17;
constexpr int kTextFlags = DT_WORDBREAK | DT_NOPREFIX;

}  // namespace

// ---- layout -----------------------------------------------------------------------------

bool TNvGroup::ItemHasImages() const {
  for (int i = 0; i < items_.Count(); ++i)
    if (items_[i]->ImageIndex() >= 0) return true;
  return false;
}

int TNvGroup::ItemTextLeft(const TNvGroupItem* item) const {
  TCustomImageList* images = SmallImageList();
  const int base = images && ItemHasImages() ? images->Width() + 12 : 8;
  return base + itemIndent_ * item->IndentLevel();
}

int TNvGroup::ItemRowHeight(TNvGroupItem* item, int width) {
  if (!item->Visible()) return 0;
  if (item->IsSeparator()) return std::max(4, itemHeight_ / 2);
  TCanvas& canvas = Canvas();
  canvas.SetFont(item->HasClickHandler() ? Font() : itemStaticFont_);
  canvas.Font().SetStyle(canvas.Font().Style() | item->FontStyle());
  if (itemStyle_ == isLarge) {
    TCustomImageList* images = LargeImageList();
    TRect text = Rect(0, 0, std::max(1, width - 16), 0);
    DrawText(canvas, item->Caption(), text, kTextFlags | DT_CENTER | DT_CALCRECT);
    const int slot = images ? images->Height() : kLargeSlot;
    return std::max(itemHeight_, 4 + slot + 2 + text.Height() + 4);
  }
  TCustomImageList* images = SmallImageList();
  const int left = ItemTextLeft(item);
  TRect text = Rect(0, 0, std::max(1, width - left - 8), 0);
  DrawText(canvas, item->Caption(), text, kTextFlags | DT_CALCRECT);
  int h = std::max(itemHeight_, text.Height() + 4);
  if (images && ItemHasImages()) h = std::max(h, images->Height() + 4);
  return h;
}

Integer TNvGroup::CalculateHeight(int width) {
  int h = captionHeight_ + kItemsTop + kItemsBottom;
  for (int i = 0; i < items_.Count(); ++i) h += ItemRowHeight(items_[i], width);
  return h;
}

int TNvGroup::ItemsVisible() {
  const int count = items_.Count();
  if (count == 0) return 0;
  const int average = CalculateHeight(ClientWidth()) / count;
  return average > 0 ? ClientHeight() / average : 0;
}

void TNvGroup::LayoutItems() {
  const int width = ClientWidth();
  int y = captionHeight_ + kItemsTop;
  TCanvas& canvas = Canvas();
  for (int i = 0; i < items_.Count(); ++i) {
    TNvGroupItem* item = items_[i];
    item->imageRect_ = item->captionRect_ = TRect();
    if (i < topItem_ || !item->Visible()) continue;
    const int rowHeight = ItemRowHeight(item, width);
    if (!item->IsSeparator()) {
      canvas.SetFont(item->HasClickHandler() ? Font() : itemStaticFont_);
      canvas.Font().SetStyle(canvas.Font().Style() | item->FontStyle());
      if (itemStyle_ == isLarge) {
        TCustomImageList* images = LargeImageList();
        const int slotW = images ? images->Width() : kLargeSlot;
        const int slotH = images ? images->Height() : kLargeSlot;
        item->imageRect_ = Bounds((width - slotW) / 2, y + 4, slotW, slotH);
        TRect text = Rect(0, 0, std::max(1, width - 16), 0);
        DrawText(canvas, item->Caption(), text, kTextFlags | DT_CENTER | DT_CALCRECT);
        const int left = (width - text.Width()) / 2;
        item->captionRect_ = Bounds(left, y + 4 + slotH + 2, text.Width(), text.Height());
      } else {
        TCustomImageList* images = SmallImageList();
        const int left = ItemTextLeft(item);
        TRect text = Rect(0, 0, std::max(1, width - left - 8), 0);
        DrawText(canvas, item->Caption(), text, kTextFlags | DT_CALCRECT);
        item->captionRect_ =
            Bounds(left, y + (rowHeight - text.Height()) / 2, text.Width(), text.Height());
        if (images && item->ImageIndex() >= 0)
          item->imageRect_ =
              Bounds(left - images->Width() - 4, y + (rowHeight - images->Height()) / 2,
                     images->Width(), images->Height());
      }
    }
    y += rowHeight;
  }
}

TNvGroupItem* TNvGroup::ItemAt(int x, int y) const {
  const TPoint p(x, y);
  for (int i = topItem_; i < items_.Count(); ++i) {
    TNvGroupItem* item = items_[i];
    if (!item->Visible() || item->IsSeparator()) continue;
    if (PtInRect(item->imageRect_, p) || PtInRect(item->captionRect_, p)) return item;
  }
  return nullptr;
}

void TNvGroup::ItemsChanged() {
  hoverItem_ = nullptr;
  pressedItem_ = nullptr;
  selectedIndex_ = -1;
  for (int i = 0; i < items_.Count(); ++i)
    if (items_[i]->Selected()) selectedIndex_ = i;
  if (topItem_ >= items_.Count()) topItem_ = std::max(0, items_.Count() - 1);
  LayoutItems();
  UpdateScrollButtons();
  RequestLayout();
  Invalidate();
}

// ---- selection --------------------------------------------------------------------------

void TNvGroup::ClearSelection(TNvGroupItem* except) {
  for (int i = 0; i < items_.Count(); ++i) {
    TNvGroupItem* item = items_[i];
    if (item != except && item->selected_) {
      item->selected_ = false;
      Invalidate();
    }
  }
  selectedIndex_ = except && except->selected_ ? except->Index() : -1;
}

void TNvGroup::ItemSelected(TNvGroupItem* item) {
  if (!item->Selected()) {
    if (selectedIndex_ == item->Index()) selectedIndex_ = -1;
    return;
  }
  ClearSelection(item);
  if (bar_ && bar_->UniqueItemSelection())
    for (TNvGroup* g : bar_->groups_)
      if (g != this && g->ShowItemSelection()) g->ClearSelection(nullptr);
}

// ---- clicks and item scrolling ----------------------------------------------------------

void TNvGroup::ClickItem(TNvGroupItem* item) {
  if (!item->Enabled() || !item->HasClickHandler()) return;
  if (showItemSelection_ && ignoreSelectedItemClick_ && item->Selected()) return;
  const int index = item->Index();
  QPointer<TNvGroup> self(this);
  item->Click();
  // The handler may have changed the items or removed the group.
  if (!self || index >= items_.Count() || items_[index] != item) return;
  if (style_ == gbsOutlook) ScrollItemInView(item);
  if (showItemSelection_) item->SetSelected(true);
}

void TNvGroup::ScrollItemInView(TNvGroupItem* item) {
  const int index = item->Index();
  if (index < 0) return;
  if (index < topItem_) {
    SetTopItem(index);
    return;
  }
  LayoutItems();
  while (topItem_ < index && item->captionRect_.Bottom > ClientHeight()) {
    SetTopItem(topItem_ + 1);
    LayoutItems();
  }
}

void TNvGroup::SetTopItem(int index) {
  if (style_ != gbsOutlook || index == topItem_ || index < 0 || index >= items_.Count()) return;
  topItem_ = index;
  LayoutItems();
  UpdateScrollButtons();
  Invalidate();
}

void TNvGroup::ScrollUpClick() {
  if (topItem_ > 0) SetTopItem(topItem_ - 1);
}

void TNvGroup::ScrollDownClick() {
  if (topItem_ < items_.Count() - 1) SetTopItem(topItem_ + 1);
}

void TNvGroup::PositionScrollButtons() {
  const int x = ClientWidth() - 21;
  upButton_->SetBounds(x, captionHeight_ + 4, kScrollButtonSize, kScrollButtonSize);
  downButton_->SetBounds(x, opened_ ? ClientHeight() - 21 : captionHeight_ + 4, kScrollButtonSize,
                         kScrollButtonSize);
}

void TNvGroup::UpdateScrollButtons() {
  PositionScrollButtons();
  if (style_ != gbsOutlook || !opened_) {
    upButton_->SetVisible(false);
    downButton_->SetVisible(false);
    return;
  }
  upButton_->SetVisible(topItem_ > 0);
  downButton_->SetVisible(items_.Count() > 0 && ClientHeight() < CalculateHeight(ClientWidth()));
  upButton_->BringToFront();
  downButton_->BringToFront();
}

// ---- mouse ------------------------------------------------------------------------------

void TNvGroup::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  const TPoint p(x, y);
  if (button == mbLeft && Enabled() && canClose_ && PtInRect(CaptionRect(), p)) {
    if (!Designing() && bar_ && bar_->CanFocus()) bar_->SetFocus();
    SetMouseCapture(true);
    captionState_ = csDown;
    Invalidate();
    captionPressed_ = true;
    return;
  }
  if (Designing() || PtInRect(CaptionRect(), p)) return;
  LayoutItems();
  TNvGroupItem* item = ItemAt(x, y);
  if (button == mbLeft && item && item->Enabled() && item->HasClickHandler()) {
    pressedItem_ = item;
    item->pressed_ = true;
    item->state_ = csDown;
    Invalidate();
  } else if (button == mbRight && item) {
    QPointer<TNvGroup> self(this);
    if (OnItemPopupMenu) OnItemPopupMenu(this, item);
    if (self && itemPopupMenu_) itemPopupMenu_->popup(QCursor::pos());
  }
}

bool TNvGroup::UpdateItemStates(int x, int y, bool inCaption) {
  bool changed = false;
  TNvGroupItem* over = nullptr;
  LayoutItems();
  const TPoint p(x, y);
  for (int i = 0; i < items_.Count(); ++i) {
    TNvGroupItem* item = items_[i];
    TNvCaptionState state = csNormal;
    if (!inCaption && item->Visible() && item->Enabled() && item->HasClickHandler() &&
        (PtInRect(item->imageRect_, p) || PtInRect(item->captionRect_, p))) {
      state = item->pressed_ ? csDown : csHot;
      over = item;
    }
    if (state != item->state_) {
      item->state_ = state;
      changed = true;
    }
  }
  if (over != hoverItem_) {
    hoverItem_ = over;
    if (ShowHint()) setToolTip(QString::fromStdString(over ? over->Hint() : Hint()));
    if (OnMouseOverItem) OnMouseOverItem(this, over);
  }
  return changed;
}

void TNvGroup::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  const bool inCaption = PtInRect(CaptionRect(), TPoint(x, y));
  TNvCaptionState state = csNormal;
  if (canClose_ && inCaption) state = captionPressed_ ? csDown : csHot;
  bool changed = state != captionState_;
  captionState_ = state;
  if (items_.Count() > 0 && !Designing()) changed = UpdateItemStates(x, y, inCaption) || changed;
  if (changed) Invalidate();
  UpdateCursor(x, y);
}

void TNvGroup::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  const TPoint p(x, y);
  if (button == mbLeft && captionPressed_) {
    captionPressed_ = false;
    captionState_ = csHot;
    SetMouseCapture(false);
    if (PtInRect(CaptionRect(), p)) {
      Repaint();
      QPointer<TNvGroup> self(this);
      ToggleState();
      if (!self) return;
    } else {
      captionState_ = csNormal;
      Invalidate();
    }
  } else if (button == mbLeft && pressedItem_) {
    TNvGroupItem* item = pressedItem_;
    pressedItem_ = nullptr;
    item->pressed_ = false;
    LayoutItems();
    const bool over = PtInRect(item->imageRect_, p) || PtInRect(item->captionRect_, p);
    item->state_ = over ? csHot : csNormal;
    Invalidate();
    QPointer<TNvGroup> self(this);
    if (over) ClickItem(item);
    if (!self) return;
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

void TNvGroup::MouseEnter() {
  TCustomControl::MouseEnter();
  Refresh();
}

void TNvGroup::MouseLeave() {
  captionState_ = csNormal;
  for (int i = 0; i < items_.Count(); ++i) items_[i]->state_ = csNormal;
  if (hoverItem_) {
    hoverItem_ = nullptr;
    if (OnMouseOverItem) OnMouseOverItem(this, nullptr);
  }
  TCustomControl::MouseLeave();
  Refresh();
}

bool TNvGroup::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  if (TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
  if (!bar_) return false;
  const TPoint barPos = bar_->ScreenToClient(ClientToScreen(mousePos));
  return bar_->WheelBy(shift, wheelDelta, barPos);
}

void TNvGroup::UpdateCursor(int x, int y) {
  bool hand = false;
  if (PtInRect(CaptionRect(), TPoint(x, y))) {
    if (style_ == gbsOutlook)
      hand = true;
    else if (style_ == gbsCategoryView && canClose_)
      hand = !Designing() || x >= ClientWidth() - 20;
  } else if (TNvGroupItem* item = ItemAt(x, y)) {
    hand = item->Enabled() && item->HasClickHandler();
  }
  if (!Store(handCursor_, hand)) return;
  if (hand)
    setCursor(QCursor(Qt::PointingHandCursor));
  else if (Cursor() == crDefault)
    unsetCursor();
  else
    setCursor(QCursor(CursorToQt(Cursor())));
}
