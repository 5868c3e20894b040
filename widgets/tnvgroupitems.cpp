#include "widgets/tnvgroupitems.h"

#include <algorithm>

#include "framework/exceptions.h"
#include "framework/property.h"
#include "widgets/tnvgroup.h"

bool TNvItemAction::Execute(TObject* sender) {
  if (!OnExecute) return false;
  OnExecute(sender);
  return true;
}

// ---- TNvGroupItem -------------------------------------------------------------------

TNvGroupItem::TNvGroupItem(TNvGroupItems* collection) : collection_(collection) {}

void TNvGroupItem::Changed() {
  if (collection_) collection_->Changed();
}

void TNvGroupItem::SetCaption(const std::string& v) {
  if (Store(caption_, v)) Changed();
}

void TNvGroupItem::SetImageIndex(int v) {
  if (Store(imageIndex_, v)) Changed();
}

void TNvGroupItem::SetDisabledIndex(int v) {
  if (Store(disabledIndex_, v)) Changed();
}

void TNvGroupItem::SetEnabled(bool v) {
  if (!Store(enabled_, v)) return;
  if (!v) {
    pressed_ = false;
    state_ = csNormal;
  }
  Changed();
}

void TNvGroupItem::SetVisible(bool v) {
  if (!Store(visible_, v)) return;
  if (!v) state_ = csNormal;
  Changed();
}

void TNvGroupItem::SetFontColor(TColor v) {
  if (Store(fontColor_, v)) Changed();
}

void TNvGroupItem::SetFontStyle(TFontStyles v) {
  if (Store(fontStyle_, v)) Changed();
}

void TNvGroupItem::SetIndentLevel(Byte v) {
  if (Store(indentLevel_, v)) Changed();
}

void TNvGroupItem::SetSelected(bool v) {
  if (!Store(selected_, v)) return;
  if (TNvGroup* g = Group()) g->ItemSelected(this);
  Changed();
}

void TNvGroupItem::SetAction(TNvItemAction* v) {
  if (Store(action_, v)) Changed();
}

int TNvGroupItem::Index() const {
  if (!collection_) return -1;
  for (int i = 0; i < collection_->Count(); ++i)
    if (collection_->items_[i].get() == this) return i;
  return -1;
}

TNvGroup* TNvGroupItem::Group() const {
  return collection_ ? collection_->Group() : nullptr;
}

void TNvGroupItem::Click() {
  if (OnClick)
    OnClick(this);
  else if (action_)
    action_->Execute(this);
}

// ---- TNvGroupItems --------------------------------------------------------------------

TNvGroupItems::TNvGroupItems(TNvGroup* group) : group_(group) {}

TNvGroupItem* TNvGroupItems::Items(int index) const {
  if (index < 0 || index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return items_[index].get();
}

TNvGroupItem* TNvGroupItems::Add() {
  return Insert(Count());
}

TNvGroupItem* TNvGroupItems::Add(const std::string& caption) {
  TNvGroupItem* item = Add();
  item->SetCaption(caption);
  return item;
}

TNvGroupItem* TNvGroupItems::Insert(int index) {
  if (index < 0 || index > Count())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  items_.insert(items_.begin() + index, std::make_unique<TNvGroupItem>(this));
  Changed();
  return items_[index].get();
}

void TNvGroupItems::Delete(int index) {
  Items(index);  // range check
  items_.erase(items_.begin() + index);
  Changed();
}

void TNvGroupItems::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

void TNvGroupItems::Changed() {
  if (group_) group_->ItemsChanged();
}
