// THexViewEx: the extended hex view (the main window's `Rom`). Its data side
// is a THexViewExData (writes set the modified flag, described undo groups);
// the widget adds an update count: between BeginUpdate and the matching
// EndUpdate nothing is rendered, and the last EndUpdate repaints.
#pragma once

#include "hexview/hexview.h"

class QMenu;
#include "hexview/thexviewexdata.h"

class THexViewEx : public TCustomHexView {
 public:
  explicit THexViewEx(TWinControl* parent = nullptr);

  THexViewExData& ExData() { return static_cast<THexViewExData&>(Data()); }

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();  // not below 0; repaints when the count reaches 0
  int UpdateCount() const { return updateCount_; }

  // Starts an undo group; with a description the group is one undoable step.
  Integer UndoBeginUpdate(const std::string& description) {
    return ExData().UndoBeginUpdate(description);
  }
  using TCustomHexView::UndoBeginUpdate;
  void CreateRangeUndo(Integer start, Integer count, const std::string& description) {
    ExData().CreateRangeUndo(start, count, description);
  }
  // Writes the raw undo storage to a file; false when that fails.
  bool DumpUndoStorage(const std::string& fileName) { return ExData().DumpUndoStorage(fileName); }

  // Ctrl + wheel changes BytesPerRow, Ctrl + Shift + wheel the font size.
  bool ZoomOnWheel() const { return zoomOnWheel_; }
  void SetZoomOnWheel(bool v) { zoomOnWheel_ = v; }
  // Opened by a context request over the gutter or the ruler (not owned).
  QMenu* OffsetPopupMenu() const { return offsetPopupMenu_; }
  void SetOffsetPopupMenu(QMenu* v) { offsetPopupMenu_ = v; }

 protected:
  void Paint() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void DblClick() override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void contextMenuEvent(QContextMenuEvent* e) override;

 private:
  int updateCount_ = 0;
  bool zoomOnWheel_ = true;
  QMenu* offsetPopupMenu_ = nullptr;
};
