// THexViewExData: the data side of the extended hex view. Writes set the
// modified flag, and UndoBeginUpdate(description) / UndoEndUpdate turn a
// group of edits into one undoable step through a snapshot of the buffer.
#pragma once

#include <string>

#include "hexview/thexviewdata.h"

class THexViewExData : public THexViewData {
 public:
  THexViewExData() = default;

  void WriteBuffer(const void* source, Integer index, Integer count) override;
  bool CanCreateUndo(THVUndoFlag kind, Integer count, Integer replaceCount) override;
  Integer UndoBeginUpdate() override { return UndoBeginUpdate(std::string()); }
  // Starts a group; with a description (or once groups were used with one)
  // records a ufKindAllData snapshot first.
  Integer UndoBeginUpdate(const std::string& description);
  // Ends a group; at depth 0 the snapshot stays only when data changed.
  Integer UndoEndUpdate() override;
  void BookmarkChanged() override;
  // Keeps the previous file as <name><BackupExtension> when the document
  // is modified and CreateBackup is on.
  void PrepareOverwriteDiskFile() override;
  // Saves to the current file; EHexView "No Filename specified" without one.
  void Save();
  bool CreateBackup() const { return createBackup_; }
  void SetCreateBackup(bool value) { createBackup_ = value; }
  const std::string& BackupExtension() const { return backupExtension_; }
  void SetBackupExtension(const std::string& value) { backupExtension_ = value; }

  // count > 0: ufKindReplace saving count bytes from start; else
  // ufKindAllData. The modified flag keeps its value.
  void CreateRangeUndo(Integer start, Integer count, const std::string& description);
  bool DumpUndoStorage(const std::string& fileName) const;

  // Bookmarks as text: an 8-digit checksum (the sum of the character codes
  // after it) and one group per set bookmark: 2 digits index, 16 digits
  // position, 2 digits in-character-field flag; upper-case hex, empty when
  // none is set. Reading clears all ten first; a bad text raises EHexView
  // "Invalid Bookmark Format". BookmarkChanged fires once at the end.
  std::string GetBookmarksAsString() const;
  void SetBookMarksAsString(const std::string& text);

  // While held (e.g. loading bookmarks from text) BookmarkChanged is quiet.
  void HoldBookmarkNotifications(bool hold) { holdBookmarkNotify_ = hold; }
  bool DataChangedInUpdate() const { return changedInUpdate_; }
  bool SnapshotGroups() const { return snapshotGroups_; }

 private:
  // Clears the ten bookmarks and sets those of the text.
  void ReadBookmarks(const std::string& text);

  bool snapshotGroups_ = false;
  bool changedInUpdate_ = false;
  bool holdBookmarkNotify_ = false;
  bool createBackup_ = true;
  std::string backupExtension_ = ".bak";
};
