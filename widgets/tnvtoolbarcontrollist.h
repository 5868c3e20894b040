// TNvToolbarControlList: the toolbar's ordered list of its controls.
//
// Each entry holds a control (a guarded pointer: it reads null once the
// control is destroyed) and the control's name. Entries made from a bare name
// (while the stored order is read) have no control until ControlsAreLoaded.
#pragma once

#include <QPointer>
#include <string>
#include <vector>

#include "framework/controls.h"

struct TNvToolbarControl {
  QPointer<TControl> Control;
  std::string Name;
};

class TNvToolbarControlList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  const TNvToolbarControl& Items(int index) const { return items_.at(index); }
  TControl* Controls(int index) const { return items_.at(index).Control.data(); }

  // Appends the control unless it is listed already; returns its index.
  int AddControl(TControl* control);
  // The same for a bare name.
  int AddControlName(const std::string& name);
  void RemoveControl(TControl* control);
  void RemoveControlName(const std::string& name);
  int IndexOf(const TControl* control) const;
  int IndexOfName(const std::string& name) const;
  void Clear() { items_.clear(); }
  // Drops the entries whose control is gone or no longer a child of `parent`;
  // true when any was dropped.
  bool Purge(const TWinControl* parent);

  // The stored form: the names in order. Reading replaces the list with bare
  // names; writing gives the names of the listed controls.
  void ReadControls(const std::vector<std::string>& names);
  std::vector<std::string> WriteControls() const;

  // Resolves the bare names read earlier against the components of `owner`
  // (searched by name through the whole control tree) and lists the children
  // of `toolbar`: a name with no control is skipped; a name whose control sits
  // on another parent is dropped, and then every child of the toolbar not yet
  // listed is appended in child order. Without stored names every child is
  // listed in child order. `skip` (the chevron button) is never listed.
  void ControlsAreLoaded(TWinControl* owner, TWinControl* toolbar, const TControl* skip = nullptr);

 private:
  void AppendUnlistedChildren(TWinControl* toolbar, const TControl* skip);
  std::vector<TNvToolbarControl> items_;
};

// The control named `name` in the tree under `root` (root included), or null.
TControl* FindControlByName(TWinControl* root, const std::string& name);
