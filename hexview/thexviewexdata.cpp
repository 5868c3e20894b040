// THexViewExData: modified-flag writes and snapshot grouping of undo.
#include "hexview/thexviewexdata.h"

void THexViewExData::WriteBuffer(const void* source, Integer index, Integer count) {
  THexViewData::WriteBuffer(source, index, count);
  SetModifiedFlag(true);
  if (UndoStorage().UpdateCount() > 0) changedInUpdate_ = true;
}

bool THexViewExData::CanCreateUndo(THVUndoFlag kind, Integer count, Integer replaceCount) {
  const bool granted = THexViewData::CanCreateUndo(kind, count, replaceCount);
  if (granted && UndoStorage().UpdateCount() > 0) changedInUpdate_ = true;
  return granted;
}

Integer THexViewExData::UndoBeginUpdate(const std::string& description) {
  if (UndoStorage().UpdateCount() == 0 && (!description.empty() || snapshotGroups_)) {
    snapshotGroups_ = true;
    CreateRangeUndo(0, 0, description);
    changedInUpdate_ = false;
  }
  return UndoStorage().BeginUpdate();
}

Integer THexViewExData::UndoEndUpdate() {
  // An unbalanced end (depth already 0) must not drop a real entry.
  if (UndoStorage().UpdateCount() == 0) return 0;
  const Integer depth = UndoStorage().EndUpdate();
  if (depth == 0 && snapshotGroups_) {
    if (changedInUpdate_)
      changedInUpdate_ = false;
    else
      UndoStorage().RemoveLastUndo();
  }
  return depth;
}

void THexViewExData::BookmarkChanged() {
  if (!holdBookmarkNotify_) THexViewData::BookmarkChanged();
}

void THexViewExData::CreateRangeUndo(Integer start, Integer count, const std::string& description) {
  const bool modified = ModifiedFlag();
  if (count > 0)
    CreateUndo(ufKindReplace, start, count, count, description);
  else
    CreateUndo(ufKindAllData, 0, 0, 0, description);
  SetModifiedFlag(modified);
}

bool THexViewExData::DumpUndoStorage(const std::string& fileName) const {
  return UndoStorage().DumpToFile(fileName);
}
