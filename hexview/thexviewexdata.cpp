// THexViewExData: modified-flag writes and snapshot grouping of undo.
#include "hexview/thexviewexdata.h"

#include <exception>
#include <filesystem>
#include <limits>
#include <system_error>

#include "framework/scoped_value.h"
#include "hexview/ehexview.h"
#include "hexview/hvnumtext.h"

namespace {

uint32_t CharSum(const std::string& s, size_t from) {
  uint32_t sum = 0;
  for (size_t i = from; i < s.size(); ++i) sum += static_cast<unsigned char>(s[i]);
  return sum;
}

// The hex number of len characters at pos; any fault is a format error.
uint64_t HexField(const std::string& s, size_t pos, size_t len) {
  if (pos + len > s.size()) throw EHexView(kHVInvalidBookmarkFormat);
  try {
    return static_cast<uint64_t>(RadixToInt64(s.substr(pos, len), 16));
  } catch (const EHexView&) {
    throw EHexView(kHVInvalidBookmarkFormat);
  }
}

}  // namespace

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

std::string THexViewExData::GetBookmarksAsString() const {
  std::string groups;
  for (Integer i = 0; i < kHVBookmarkCount; ++i) {
    const THVBookmark& b = Bookmarks()[i];
    if (b.Position < 0) continue;
    groups += IntToRadixLen(i, 16, 2) + IntToRadixLen64(b.Position, 16, 16) +
              (b.InCharField ? "01" : "00");
  }
  if (groups.empty()) return groups;
  return IntToRadixLen(static_cast<Integer>(CharSum(groups, 0)), 16, 8) + groups;
}

void THexViewExData::SetBookMarksAsString(const std::string& text) {
  std::exception_ptr failure;
  {
    TScopedValue hold(holdBookmarkNotify_, true);
    try {
      ReadBookmarks(text);
    } catch (...) {
      failure = std::current_exception();
    }
  }
  BookmarkChanged();  // once, also after a bad text
  if (failure) std::rethrow_exception(failure);
}

void THexViewExData::ReadBookmarks(const std::string& text) {
  SetAllBookmarks(THVBookmarks{});
  if (text.empty()) return;
  if (HexField(text, 0, 8) != CharSum(text, 8)) throw EHexView(kHVInvalidBookmarkFormat);
  for (size_t p = 8; p < text.size(); p += 20) {
    const uint64_t index = HexField(text, p, 2);
    const uint64_t position = HexField(text, p + 2, 16);
    const bool inChar = HexField(text, p + 18, 2) != 0;
    if (index >= kHVBookmarkCount || position > std::numeric_limits<Integer>::max())
      throw EHexView(kHVInvalidBookmarkFormat);
    const THVBookmark b{static_cast<Integer>(position), inChar};
    if (!(GetBookmark(static_cast<Integer>(index)) == b))
      SetBookmark(static_cast<Integer>(index), b);
  }
}

void THexViewExData::PrepareOverwriteDiskFile() {
  THexViewData::PrepareOverwriteDiskFile();
  std::error_code ec;
  if (!createBackup_ || !GetModified() || !std::filesystem::exists(FileName(), ec)) return;
  MoveFileToBackup(FileName() + backupExtension_);
}

void THexViewExData::Save() {
  if (!HasFile()) throw EHexView(kHVNoFileName);
  SaveToFile(FileName(), true);
}
