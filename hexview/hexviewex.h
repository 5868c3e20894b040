// THexViewEx: the extended hex view (the main window's `Rom`). Its data side
// is a THexViewExData (writes set the modified flag, described undo groups);
// the widget adds an update count: between BeginUpdate and the matching
// EndUpdate nothing is rendered, and the last EndUpdate repaints.
#pragma once

#include "hexview/hexview.h"
#include "hexview/thexviewexdata.h"

class THexViewEx : public TCustomHexView {
 public:
  explicit THexViewEx(TWinControl* parent = nullptr);

  THexViewExData& ExData() { return static_cast<THexViewExData&>(Data()); }
  const THexViewExData& ExData() const { return static_cast<const THexViewExData&>(Data()); }

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();  // not below 0; repaints when the count reaches 0
  int UpdateCount() const { return updateCount_; }

  // Starts an undo group; with a description the group is one undoable step.
  Integer UndoBeginUpdate(const std::string& description) {
    return ExData().UndoBeginUpdate(description);
  }
  using TCustomHexView::UndoBeginUpdate;

  // ---- Saving with a backup ----
  // Saves to the current file; EHexView "No Filename specified" without one.
  void Save() { ExData().Save(); }
  bool CreateBackup() const { return ExData().CreateBackup(); }
  void SetCreateBackup(bool v) { ExData().SetCreateBackup(v); }
  const std::string& BackupExtension() const { return ExData().BackupExtension(); }
  void SetBackupExtension(const std::string& v) { ExData().SetBackupExtension(v); }
  std::string GetBookmarksAsString() const { return ExData().GetBookmarksAsString(); }
  void SetBookMarksAsString(const std::string& text) { ExData().SetBookMarksAsString(text); }

 protected:
  void Paint() override;

 private:
  int updateCount_ = 0;
};
