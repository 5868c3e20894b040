// The undo history stream.
#include "hexview/thvundostorage.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "hexview/thexviewdata.h"

namespace {

constexpr std::array<const char*, kHVUndoKindCount> kDefaultDescriptions = {
    "Change Byte(s)",  "Remove Data",           "Insert Buffer", "Replace",
    "Append Buffer",   "Insert Nibble",         "Delete Nibble", "Convert",
    "Cursor movement", "Multiple Modification", "All data saved"};

// Field offsets inside an entry.
constexpr size_t kOffFlags = 4;
constexpr size_t kOffCaretPos = 8;
constexpr size_t kOffPos = 12;
constexpr size_t kOffCount = 16;
constexpr size_t kOffReplaceCount = 20;
constexpr size_t kOffTranslation = 24;
constexpr size_t kOffBytesPerUnit = 25;

void PutInt(std::vector<Byte>& v, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) v[at + i] = static_cast<Byte>(value >> (8 * i));
}

uint32_t GetInt(const std::vector<Byte>& v, size_t at) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(v[at + i]) << (8 * i);
  return value;
}

void AppendInt(std::vector<Byte>& v, uint32_t value) {
  v.resize(v.size() + 4);
  PutInt(v, v.size() - 4, value);
}

// Copies count bytes of the buffer from pos into out, zero where the range
// leaves the data (an entry must never read past the buffer).
void CopyData(const THexViewData& editor, Integer pos, Integer count, Byte* out) {
  Int64 size = editor.DataSize();
  for (Integer i = 0; i < count; ++i) {
    Int64 at = static_cast<Int64>(pos) + i;
    out[i] = (at >= 0 && at < size) ? editor.GetDataAt(static_cast<Integer>(at)) : 0;
  }
}

}  // namespace

const char* UndoDefaultDescription(THVUndoFlag kind) {
  int k = static_cast<int>(kind);
  return k < kHVUndoKindCount ? kDefaultDescriptions[k] : "";
}

THVUndoStorage::THVUndoStorage(THexViewData& editor) : editor_(editor) {}

bool THVUndoStorage::CanUndo() const {
  return count_ > 0 && updateCount_ == 0 && !stream_.empty();
}

void THVUndoStorage::Reset(bool withRedo) {
  stream_.clear();
  stream_.shrink_to_fit();
  count_ = 0;
  updateCount_ = 0;
  description_.clear();
  if (withRedo) DiscardRedo();
}

Integer THVUndoStorage::BeginUpdate() {
  return ++updateCount_;
}

Integer THVUndoStorage::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
  return updateCount_;
}

void THVUndoStorage::SetRedo(THVRedoRecord record) {
  redo_ = std::move(record);
  hasRedo_ = true;
}

void THVUndoStorage::DiscardRedo() {
  hasRedo_ = false;
  redo_ = THVRedoRecord{};
  keptEntry_.clear();
  keptDescription_.clear();
}

void THVUndoStorage::CreateUndo(THVUndoFlag kind, Integer pos, Integer count, Integer replaceCount,
                                const std::string& description) {
  if (updateCount_ > 0) return;
  DiscardRedo();
  description_ = description.empty() ? UndoDefaultDescription(kind) : description;
  Trim();
  AppendEntry(kind, pos, count, replaceCount, description);
}

void THVUndoStorage::Trim() {
  while (maxUndo_ > 0 && count_ > 0 && Size() > maxUndo_) {
    uint32_t first = stream_.size() >= 4 ? GetInt(stream_, 0) : 0;
    // A size below the smallest entry or past the stream means the stream
    // cannot be walked any more: drop it whole.
    if (stream_.size() < 4 || first < static_cast<uint32_t>(kHVUndoMinEntrySize) ||
        first > stream_.size()) {
      stream_.clear();
      count_ = 0;
      return;
    }
    stream_.erase(stream_.begin(), stream_.begin() + first);
    --count_;
  }
}

void THVUndoStorage::FillData(THVUndoFlag kind, Integer pos, Integer count, THVUndoFlags& flags,
                              std::vector<Byte>& data) {
  const Integer size = editor_.DataSize();
  switch (kind) {
    case ufKindBytesChanged:
      if (editor_.HasChanged(pos)) flags |= UndoFlagBit(ufFlagByte1Changed);
      if (count == 2 && editor_.HasChanged(pos + 1)) flags |= UndoFlagBit(ufFlagByte2Changed);
      [[fallthrough]];
    case ufKindByteRemoved:
    case ufKindConvert:
      data.assign(static_cast<size_t>(std::max(count, 1)), 0);
      CopyData(editor_, pos, count, data.data());
      break;
    case ufKindNibbleInsert:
    case ufKindNibbleDelete:
      data.assign(1, 0);
      CopyData(editor_, pos, 1, data.data());
      if (editor_.HasChanged(pos)) flags |= UndoFlagBit(ufFlagByte1Changed);
      break;
    case ufKindAllData:
      data.assign(static_cast<size_t>(std::max(size, 1)), 0);
      CopyData(editor_, 0, size, data.data());
      break;
    default:
      data.assign(1, 0);
      break;
  }
}

void THVUndoStorage::AppendEntry(THVUndoFlag kind, Integer pos, Integer count, Integer replaceCount,
                                 const std::string& description) {
  THVUndoFlags flags = UndoFlagBit(kind);
  Integer caretPos = editor_.CaretIndex();
  if (editor_.CaretInCharField())
    flags |= UndoFlagBit(ufFlagInCharField);
  else if (editor_.CaretOnSecondDigit())
    flags |= UndoFlagBit(ufFlag2ndByteCol);
  if (editor_.InsertMode()) flags |= UndoFlagBit(ufFlagInsertMode);
  if (editor_.UnicodeChars()) flags |= UndoFlagBit(ufFlagIsUnicode);
  if (editor_.UnicodeBigEndian()) flags |= UndoFlagBit(ufFlagIsUnicodeBigEndian);
  if (editor_.ModifiedFlag()) flags |= UndoFlagBit(ufFlagModified);
  const THVSelection sel = editor_.Selection();
  if (sel.Anchor >= 0) flags |= UndoFlagBit(ufFlagHasSelection);
  if (!description.empty()) flags |= UndoFlagBit(ufFlagHasDescription);

  std::vector<Byte> data;
  switch (kind) {
    case ufKindReplace:
      data.assign(static_cast<size_t>(std::max(replaceCount, 1)), 0);
      CopyData(editor_, pos, replaceCount, data.data());
      break;
    case ufKindSelection:
      data.assign(1, 0);
      caretPos = pos;
      break;
    case ufKindCombined: {
      std::string text = description.substr(0, 255);
      data.push_back(static_cast<Byte>(text.size()));
      data.insert(data.end(), text.begin(), text.end());
      break;
    }
    default:
      FillData(kind, pos, count, flags, data);
      break;
  }
  if (kind == ufKindAllData) count = editor_.DataSize();

  std::vector<Byte> entry(static_cast<size_t>(kHVUndoHeadSize), 0);
  PutInt(entry, kOffFlags, flags);
  PutInt(entry, kOffCaretPos, static_cast<uint32_t>(caretPos));
  PutInt(entry, kOffPos, static_cast<uint32_t>(pos));
  PutInt(entry, kOffCount, static_cast<uint32_t>(count));
  PutInt(entry, kOffReplaceCount, static_cast<uint32_t>(replaceCount));
  entry[kOffTranslation] = static_cast<Byte>(editor_.Translation());
  PutInt(entry, kOffBytesPerUnit, static_cast<uint32_t>(editor_.BytesPerUnit()));
  entry.insert(entry.end(), data.begin(), data.end());
  if (!description.empty()) {
    entry.insert(entry.end(), description.begin(), description.end());
    AppendInt(entry, static_cast<uint32_t>(description.size()));
  }
  entry.push_back(0);  // reserved
  if (sel.Anchor >= 0) {
    AppendInt(entry, static_cast<uint32_t>(sel.Low));
    AppendInt(entry, static_cast<uint32_t>(sel.High));
    AppendInt(entry, static_cast<uint32_t>(sel.Anchor));
  }
  AppendInt(entry, static_cast<uint32_t>(entry.size() + 4));
  PutInt(entry, 0, static_cast<uint32_t>(entry.size()));

  ++count_;
  stream_.insert(stream_.end(), entry.begin(), entry.end());

  // Bookmarks follow the bytes they stand on once the edit has happened.
  const Integer size = editor_.DataSize();
  if (kind == ufKindByteRemoved)
    editor_.AdjustBookmarks(pos + count, -count, size - count);
  else if (kind == ufKindInsertBuffer)
    editor_.AdjustBookmarks(pos, count, size + count);
  else if (kind == ufKindReplace && count != replaceCount)
    editor_.AdjustBookmarks(pos + replaceCount, count - replaceCount, size + count - replaceCount);

  if (kind == ufKindSelection) SetNewestSelection({pos, pos, pos + count - 1}, true, pos);
}

bool THVUndoStorage::ReadAt(Int64 offset, THVUndoEntry& e) const {
  if (offset < 0 || offset + kHVUndoMinEntrySize > Size()) return false;
  const size_t at = static_cast<size_t>(offset);
  e = THVUndoEntry{};
  e.EntrySize = static_cast<Integer>(GetInt(stream_, at));
  if (e.EntrySize < kHVUndoEntryOverhead + 1 || offset + e.EntrySize > Size()) return false;
  e.Flags = GetInt(stream_, at + kOffFlags);
  e.CaretPos = static_cast<Integer>(GetInt(stream_, at + kOffCaretPos));
  e.Pos = static_cast<Integer>(GetInt(stream_, at + kOffPos));
  e.Count = static_cast<Integer>(GetInt(stream_, at + kOffCount));
  e.ReplaceCount = static_cast<Integer>(GetInt(stream_, at + kOffReplaceCount));
  e.Translation = stream_[at + kOffTranslation];
  e.BytesPerUnit = static_cast<Integer>(GetInt(stream_, at + kOffBytesPerUnit));
  // Walk the optional blocks back from the trailing size.
  size_t tail = at + static_cast<size_t>(e.EntrySize) - 4;
  const size_t dataStart = at + kHVUndoHeadSize;
  if (e.Has(ufFlagHasSelection)) {
    if (tail < dataStart + 2 + kHVUndoSelectionSize) return false;
    tail -= kHVUndoSelectionSize;
    e.Selection.Low = static_cast<Integer>(GetInt(stream_, tail));
    e.Selection.High = static_cast<Integer>(GetInt(stream_, tail + 4));
    e.Selection.Anchor = static_cast<Integer>(GetInt(stream_, tail + 8));
  }
  tail -= 1;  // reserved byte
  if (e.Has(ufFlagHasDescription)) {
    if (tail < dataStart + 1 + 4) return false;
    tail -= 4;
    uint32_t d = GetInt(stream_, tail);
    if (d > tail - dataStart - 1) return false;
    tail -= d;
    e.Description.assign(stream_.begin() + tail, stream_.begin() + tail + d);
  }
  e.Data.assign(stream_.begin() + dataStart, stream_.begin() + tail);
  return !e.Data.empty();
}

bool THVUndoStorage::ReadNewest(THVUndoEntry& entry) const {
  if (Size() < kHVUndoMinEntrySize) return false;
  Int64 trailing = GetInt(stream_, stream_.size() - 4);
  return ReadAt(Size() - trailing, entry);
}

std::string THVUndoStorage::DescriptionOf(const THVUndoEntry& entry) const {
  if (entry.Kind() == ufKindCombined && !entry.Data.empty()) {
    size_t len = std::min<size_t>(entry.Data[0], entry.Data.size() - 1);
    if (len > 0) return std::string(entry.Data.begin() + 1, entry.Data.begin() + 1 + len);
  } else if (entry.Has(ufFlagHasDescription) && !entry.Description.empty()) {
    return entry.Description;
  }
  return UndoDefaultDescription(entry.Kind());
}

bool THVUndoStorage::RemoveLastUndo() {
  THVUndoEntry newest;
  if (!ReadNewest(newest)) {
    Reset(false);
    return false;
  }
  keptEntry_.assign(stream_.end() - newest.EntrySize, stream_.end());
  keptDescription_ = description_;
  stream_.resize(stream_.size() - static_cast<size_t>(newest.EntrySize));
  --count_;
  THVUndoEntry now;
  if (count_ > 0 && ReadNewest(now)) {
    description_ = DescriptionOf(now);
  } else {
    stream_.clear();
    count_ = 0;
    updateCount_ = 0;
    description_.clear();
  }
  return true;
}

bool THVUndoStorage::RestoreKeptEntry() {
  if (keptEntry_.empty()) return false;
  stream_.insert(stream_.end(), keptEntry_.begin(), keptEntry_.end());
  ++count_;
  description_ = keptDescription_;
  keptEntry_.clear();
  keptDescription_.clear();
  return true;
}

void THVUndoStorage::SetNewestSelection(const THVSelection& s, bool setCaret, Integer caretPos) {
  THVUndoEntry e;
  if (!CanUndo() || !ReadNewest(e)) return;
  const size_t start = stream_.size() - static_cast<size_t>(e.EntrySize);
  if (!e.Has(ufFlagHasSelection)) {
    stream_.insert(stream_.end() - 4, kHVUndoSelectionSize, 0);
    e.EntrySize += kHVUndoSelectionSize;
    PutInt(stream_, start, static_cast<uint32_t>(e.EntrySize));
    PutInt(stream_, stream_.size() - 4, static_cast<uint32_t>(e.EntrySize));
    PutInt(stream_, start + kOffFlags, e.Flags | UndoFlagBit(ufFlagHasSelection));
  }
  const size_t sel = stream_.size() - 4 - kHVUndoSelectionSize;
  PutInt(stream_, sel, static_cast<uint32_t>(s.Low));
  PutInt(stream_, sel + 4, static_cast<uint32_t>(s.High));
  PutInt(stream_, sel + 8, static_cast<uint32_t>(s.Anchor));
  if (setCaret) PutInt(stream_, start + kOffCaretPos, static_cast<uint32_t>(caretPos));
}

bool THVUndoStorage::DumpToFile(const std::string& fileName) const {
  std::FILE* f = std::fopen(fileName.c_str(), "wb");
  if (!f) return false;
  bool ok = stream_.empty() || std::fwrite(stream_.data(), 1, stream_.size(), f) == stream_.size();
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}
