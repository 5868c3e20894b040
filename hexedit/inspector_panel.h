// TInspectorPanel: the value inspector of zn4417hex, a panel at the right
// of the window (View -> Inspector, remembered between runs). It shows the
// bytes at the selection start, or at the caret without a selection, as
// the rows of InspectBytes, and follows every caret move and edit.
#pragma once

#include "framework/panel.h"

class QLabel;
class QTableWidget;
class THexEditForm;

class TInspectorPanel : public TPanel {
 public:
  static constexpr int kWidth = 320;

  explicit TInspectorPanel(THexEditForm& form);
  // Reads the bytes again (the form calls it after every change).
  void Refresh();
  // The byte the rows start at; -1 when there is none.
  Integer Position() const { return position_; }
  QTableWidget& Table() { return *table_; }

 protected:
  void Resize() override;

 private:
  std::string Character(Integer at) const;

  THexEditForm& form_;
  QLabel* heading_;
  QTableWidget* table_;
  Integer position_ = -1;
};

// Adds View -> Inspector and the panel to the window.
void BuildInspector(THexEditForm& form);
