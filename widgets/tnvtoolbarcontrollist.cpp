#include "widgets/tnvtoolbarcontrollist.h"

#include <algorithm>

int TNvToolbarControlList::AddControl(TControl* control) {
  if (!control) return -1;
  const int index = IndexOf(control);
  if (index >= 0) return index;
  items_.push_back({control, control->Name()});
  return Count() - 1;
}

int TNvToolbarControlList::AddControlName(const std::string& name) {
  const int index = IndexOfName(name);
  if (index >= 0) return index;
  items_.push_back({nullptr, name});
  return Count() - 1;
}

void TNvToolbarControlList::RemoveControl(TControl* control) {
  std::erase_if(items_, [control](const TNvToolbarControl& e) { return e.Control == control; });
}

void TNvToolbarControlList::RemoveControlName(const std::string& name) {
  std::erase_if(items_, [&name](const TNvToolbarControl& e) { return e.Name == name; });
}

int TNvToolbarControlList::IndexOf(const TControl* control) const {
  for (int i = 0; i < Count(); ++i)
    if (control && items_[i].Control.data() == control) return i;
  return -1;
}

int TNvToolbarControlList::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i].Name == name) return i;
  return -1;
}

bool TNvToolbarControlList::Purge(const TWinControl* parent) {
  const auto before = items_.size();
  std::erase_if(items_, [parent](const TNvToolbarControl& e) {
    return !e.Control || e.Control->Parent() != parent;
  });
  return items_.size() != before;
}

void TNvToolbarControlList::ReadControls(const std::vector<std::string>& names) {
  items_.clear();
  for (const std::string& name : names) AddControlName(name);
}

std::vector<std::string> TNvToolbarControlList::WriteControls() const {
  std::vector<std::string> names;
  for (const TNvToolbarControl& e : items_)
    if (e.Control) names.push_back(e.Control->Name());
  return names;
}

void TNvToolbarControlList::ControlsAreLoaded(TWinControl* owner, TWinControl* toolbar,
                                              const TControl* skip) {
  std::vector<std::string> names;
  for (const TNvToolbarControl& e : items_) names.push_back(e.Name);
  items_.clear();
  bool dropped = false;
  for (const std::string& name : names) {
    TControl* c = owner ? FindControlByName(owner, name) : nullptr;
    if (!c || c == skip) continue;
    if (c->Parent() == toolbar)
      AddControl(c);
    else
      dropped = true;
  }
  if (names.empty() || dropped) AppendUnlistedChildren(toolbar, skip);
}

void TNvToolbarControlList::AppendUnlistedChildren(TWinControl* toolbar, const TControl* skip) {
  for (int i = 0; i < toolbar->ControlCount(); ++i) {
    TControl* c = toolbar->Controls(i);
    if (c != skip) AddControl(c);
  }
}

TControl* FindControlByName(TWinControl* root, const std::string& name) {
  if (!root || name.empty()) return nullptr;
  if (root->Name() == name) return root;
  for (int i = 0; i < root->ControlCount(); ++i) {
    TControl* c = root->Controls(i);
    if (c->Name() == name) return c;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (TControl* found = FindControlByName(w, name)) return found;
  }
  return nullptr;
}
