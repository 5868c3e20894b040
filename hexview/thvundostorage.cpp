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

// Unused capacity of the stream beyond this (and beyond its size) is given back.
constexpr size_t kGiveBackSlack = 1 << 20;

// Field offsets inside an entry.
constexpr size_t kOffFlags = 4;
constexpr size_t kOffCaretPos = 8;
constexpr size_t kOffPos = 12;
constexpr size_t kOffCount = 16;
constexpr size_t kOffReplaceCount = 20;
constexpr size_t kOffTranslation = 24;
constexpr size_t kOffBytesPerUnit = 25;

void PutInt(Byte* p, uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<Byte>(value >> (8 * i));
}

uint32_t GetInt(const Byte* p) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(p[i]) << (8 * i);
  return value;
}

template <typename Bytes>
void AppendInt(Bytes& v, uint32_t value) {
  Byte b[4];
  PutInt(b, value);
  v.insert(v.end(), b, b + 4);
}

// Copies count bytes of the buffer from pos into out, zero where the range
// leaves the data (an entry must never read past the buffer).
void CopyData(const THexViewData& editor, Integer pos, Integer count, Byte* out) {
  const Int64 size = editor.DataSize();
  const Int64 from = std::clamp<Int64>(pos, 0, size);
  const Int64 to = std::clamp<Int64>(static_cast<Int64>(pos) + count, from, size);
  Byte* const outEnd = out + count;
  out = std::fill_n(out, std::min<Int64>(count, from - pos), Byte{0});
  if (to > from) out = std::copy(editor.GetFastPointer() + from, editor.GetFastPointer() + to, out);
  std::fill(out, outEnd, Byte{0});
}

bool MovesBookmarks(THVUndoFlag kind, Integer count, Integer replaceCount) {
  return kind == ufKindByteRemoved || kind == ufKindInsertBuffer || kind == ufKindAllData ||
         (kind == ufKindReplace && count != replaceCount);
}

bool AnyBookmark(const THVBookmarks& b) {
  return std::any_of(b.begin(), b.end(), [](const THVBookmark& m) { return m.Position >= 0; });
}

}  // namespace

const char* UndoDefaultDescription(THVUndoFlag kind) {
  int k = static_cast<int>(kind);
  return k < kHVUndoKindCount ? kDefaultDescriptions[k] : "";
}

THVUndoStorage::THVUndoStorage(THexViewData& editor) : editor_(editor) {}

bool THVUndoStorage::CanUndo() const {
  return count_ > 0 && updateCount_ == 0 && Size() > 0;
}

void THVUndoStorage::Clear() {
  stream_.clear();
  stream_.shrink_to_fit();
  head_ = 0;
  sideStates_.clear();
  firstSerial_ = 0;
  count_ = 0;
}

void THVUndoStorage::DropFront(size_t bytes) {
  head_ += bytes;
  ++firstSerial_;
  while (!sideStates_.empty() && sideStates_.front().Serial < firstSerial_) sideStates_.pop_front();
  // Give the dropped front back once it outweighs what is left.
  if (head_ >= 4096 && head_ >= stream_.size() - head_) {
    stream_.erase(stream_.begin(), stream_.begin() + static_cast<std::ptrdiff_t>(head_));
    head_ = 0;
    // A large entry gone (a Replace All over a big file) gives its memory back too.
    if (stream_.capacity() > 2 * stream_.size() + kGiveBackSlack) stream_.shrink_to_fit();
  }
}

const THVUndoSideState* THVUndoStorage::NewestSideState() const {
  if (count_ <= 0 || sideStates_.empty() || sideStates_.back().Serial != NewestSerial())
    return nullptr;
  return sideStates_.back().State.get();
}

void THVUndoStorage::SetNewestMarks(const THVChangeMarks& marks) {
  if (count_ <= 0) return;
  auto side = std::make_shared<THVUndoSideState>();
  if (const THVUndoSideState* now = NewestSideState()) {
    *side = *now;
    sideStates_.pop_back();
  }
  side->Marks = marks;
  sideStates_.push_back({NewestSerial(), std::move(side)});
}

void THVUndoStorage::Reset(bool withRedo) {
  Clear();
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
  keptSideState_.reset();
}

void THVUndoStorage::CreateUndo(THVUndoFlag kind, Integer pos, Integer count, Integer replaceCount,
                                const std::string& description) {
  if (updateCount_ > 0) return;
  if (hasRedo_ || !keptEntry_.empty()) DiscardRedo();
  if (!description.empty())
    description_ = description;
  else if (description_ != UndoDefaultDescription(kind))
    description_ = UndoDefaultDescription(kind);
  Trim();
  AppendEntry(kind, pos, count, replaceCount, description);
}

void THVUndoStorage::Trim() {
  while (maxUndo_ > 0 && count_ > 0 && Size() > maxUndo_) {
    const uint32_t first = Size() >= 4 ? GetInt(Begin()) : 0;
    // A size below the smallest entry or past the stream means the stream
    // cannot be walked any more: drop it whole.
    if (Size() < 4 || first < static_cast<uint32_t>(kHVUndoMinEntrySize) || first > Size()) {
      Clear();
      return;
    }
    DropFront(first);
    --count_;
  }
}

size_t THVUndoStorage::SavedSize(THVUndoFlag kind, Integer count, Integer replaceCount,
                                 const std::string& description) const {
  Integer n = 1;
  switch (kind) {
    case ufKindBytesChanged:
    case ufKindByteRemoved:
    case ufKindConvert:
      n = count;
      break;
    case ufKindReplace:
      n = replaceCount;
      break;
    case ufKindAllData:
      n = editor_.DataSize();
      break;
    case ufKindCombined:
      return std::min<size_t>(description.size(), 255) + 1;
    default:
      break;
  }
  return static_cast<size_t>(std::max(n, 1));
}

size_t THVUndoStorage::AppendData(THVUndoFlag kind, Integer pos, Integer count,
                                  Integer replaceCount, const std::string& description,
                                  THVUndoFlags& flags) {
  // The common case, one byte typed over another, without the general copy.
  if (kind == ufKindBytesChanged && count == 1 && pos >= 0 && pos < editor_.DataSize()) {
    if (editor_.HasChanged(pos)) flags |= UndoFlagBit(ufFlagByte1Changed);
    stream_.push_back(editor_.GetDataAt(pos));
    return 1;
  }
  const size_t at = stream_.size();
  const size_t n = SavedSize(kind, count, replaceCount, description);
  stream_.resize(at + n);
  Byte* p = stream_.data() + at;
  switch (kind) {
    case ufKindBytesChanged:
      if (editor_.HasChanged(pos)) flags |= UndoFlagBit(ufFlagByte1Changed);
      if (count == 2 && editor_.HasChanged(pos + 1)) flags |= UndoFlagBit(ufFlagByte2Changed);
      [[fallthrough]];
    case ufKindByteRemoved:
    case ufKindConvert:
      CopyData(editor_, pos, std::max(count, 0), p);
      break;
    case ufKindReplace:
      CopyData(editor_, pos, std::max(replaceCount, 0), p);
      break;
    case ufKindNibbleInsert:
    case ufKindNibbleDelete:
      CopyData(editor_, pos, 1, p);
      if (editor_.HasChanged(pos)) flags |= UndoFlagBit(ufFlagByte1Changed);
      break;
    case ufKindAllData:
      CopyData(editor_, 0, editor_.DataSize(), p);
      break;
    case ufKindCombined:
      p[0] = static_cast<Byte>(n - 1);
      std::copy_n(description.begin(), n - 1, p + 1);
      break;
    default:
      p[0] = 0;
      break;
  }
  return n;
}

void THVUndoStorage::ReserveFor(size_t more) {
  const size_t needed = stream_.size() + more;
  if (needed > stream_.capacity()) stream_.reserve(std::max(needed, 2 * stream_.capacity()));
}

void THVUndoStorage::AppendEntry(THVUndoFlag kind, Integer pos, Integer count, Integer replaceCount,
                                 const std::string& description) {
  count = WriteEntry(kind, pos, count, replaceCount, description);
  ++count_;
  FollowEdit(kind, pos, count, replaceCount);
  if (kind == ufKindSelection) SetNewestSelection({pos, pos, pos + count - 1}, true, pos);
}

THVUndoFlags THVUndoStorage::EntryFlags(THVUndoFlag kind, const std::string& description) const {
  THVUndoFlags flags = UndoFlagBit(kind);
  if (editor_.CaretInCharField())
    flags |= UndoFlagBit(ufFlagInCharField);
  else if (editor_.CaretOnSecondDigit())
    flags |= UndoFlagBit(ufFlag2ndByteCol);
  if (editor_.InsertMode()) flags |= UndoFlagBit(ufFlagInsertMode);
  if (editor_.UnicodeChars()) flags |= UndoFlagBit(ufFlagIsUnicode);
  if (editor_.UnicodeBigEndian()) flags |= UndoFlagBit(ufFlagIsUnicodeBigEndian);
  if (editor_.ModifiedFlag()) flags |= UndoFlagBit(ufFlagModified);
  if (editor_.Selection().Anchor >= 0) flags |= UndoFlagBit(ufFlagHasSelection);
  if (!description.empty()) flags |= UndoFlagBit(ufFlagHasDescription);
  return flags;
}

Integer THVUndoStorage::WriteEntry(THVUndoFlag kind, Integer pos, Integer count,
                                   Integer replaceCount, const std::string& description) {
  THVUndoFlags flags = EntryFlags(kind, description);
  const Integer caretPos = kind == ufKindSelection ? pos : editor_.CaretIndex();
  const THVSelection sel = editor_.Selection();
  // The head is built aside and appended with the data, the optional
  // blocks and the trailing size; EntrySize and Count are known once the
  // data is in.
  if (head_ == stream_.size()) {
    stream_.clear();
    head_ = 0;
  }
  // Room for the whole entry at once: growing as it goes would move a
  // large entry (a Replace All over a big file) a second time for the few
  // bytes after its data.
  ReserveFor(kHVUndoEntryOverhead + SavedSize(kind, count, replaceCount, description) +
             description.size() + sizeof(uint32_t) + kHVUndoSelectionSize);
  const size_t start = stream_.size();
  Byte head[kHVUndoHeadSize];
  PutInt(head + kOffCaretPos, static_cast<uint32_t>(caretPos));
  PutInt(head + kOffPos, static_cast<uint32_t>(pos));
  PutInt(head + kOffReplaceCount, static_cast<uint32_t>(replaceCount));
  head[kOffTranslation] = static_cast<Byte>(editor_.Translation());
  PutInt(head + kOffBytesPerUnit, static_cast<uint32_t>(editor_.BytesPerUnit()));
  stream_.insert(stream_.end(), head, head + kHVUndoHeadSize);
  AppendData(kind, pos, count, replaceCount, description, flags);
  if (kind == ufKindAllData) count = editor_.DataSize();
  if (!description.empty()) {
    stream_.insert(stream_.end(), description.begin(), description.end());
    AppendInt(stream_, static_cast<uint32_t>(description.size()));
  }
  stream_.push_back(0);  // reserved
  if (sel.Anchor >= 0) {
    AppendInt(stream_, static_cast<uint32_t>(sel.Low));
    AppendInt(stream_, static_cast<uint32_t>(sel.High));
    AppendInt(stream_, static_cast<uint32_t>(sel.Anchor));
  }
  const uint32_t entrySize = static_cast<uint32_t>(stream_.size() + 4 - start);
  AppendInt(stream_, entrySize);
  Byte* e = stream_.data() + start;
  PutInt(e, entrySize);
  PutInt(e + kOffFlags, flags);
  PutInt(e + kOffCount, static_cast<uint32_t>(count));
  return count;
}

void THVUndoStorage::FollowEdit(THVUndoFlag kind, Integer pos, Integer count,
                                Integer replaceCount) {
  // Bookmarks follow the bytes they stand on once the edit has happened;
  // what they were before is kept for the undo.
  std::shared_ptr<THVUndoSideState> side;
  if (MovesBookmarks(kind, count, replaceCount) && AnyBookmark(editor_.Bookmarks())) {
    side = std::make_shared<THVUndoSideState>();
    side->Bookmarks = editor_.Bookmarks();
  }
  if (kind == ufKindAllData) {
    if (!side) side = std::make_shared<THVUndoSideState>();
    side->Marks = editor_.ChangeMarks();
  }
  if (side) sideStates_.push_back({NewestSerial(), std::move(side)});
  const Integer size = editor_.DataSize();
  if (kind == ufKindByteRemoved)
    editor_.AdjustBookmarks(pos + count, -count, size - count);
  else if (kind == ufKindInsertBuffer)
    editor_.AdjustBookmarks(pos, count, size + count);
  else if (kind == ufKindReplace && count != replaceCount)
    editor_.AdjustBookmarks(pos + replaceCount, count - replaceCount, size + count - replaceCount);
}

bool THVUndoStorage::ReadAt(Int64 offset, THVUndoEntry& e) const {
  if (offset < 0 || offset + kHVUndoMinEntrySize > Size()) return false;
  const Byte* p = Begin() + offset;
  e = THVUndoEntry{};
  e.EntrySize = static_cast<Integer>(GetInt(p));
  if (e.EntrySize < kHVUndoEntryOverhead + 1 || offset + e.EntrySize > Size()) return false;
  e.Flags = GetInt(p + kOffFlags);
  e.CaretPos = static_cast<Integer>(GetInt(p + kOffCaretPos));
  e.Pos = static_cast<Integer>(GetInt(p + kOffPos));
  e.Count = static_cast<Integer>(GetInt(p + kOffCount));
  e.ReplaceCount = static_cast<Integer>(GetInt(p + kOffReplaceCount));
  e.Translation = p[kOffTranslation];
  e.BytesPerUnit = static_cast<Integer>(GetInt(p + kOffBytesPerUnit));
  // Walk the optional blocks back from the trailing size.
  size_t tail = static_cast<size_t>(e.EntrySize) - 4;
  const size_t dataStart = kHVUndoHeadSize;
  if (e.Has(ufFlagHasSelection)) {
    if (tail < dataStart + 2 + kHVUndoSelectionSize) return false;
    tail -= kHVUndoSelectionSize;
    e.Selection.Low = static_cast<Integer>(GetInt(p + tail));
    e.Selection.High = static_cast<Integer>(GetInt(p + tail + 4));
    e.Selection.Anchor = static_cast<Integer>(GetInt(p + tail + 8));
  }
  tail -= 1;  // reserved byte
  if (e.Has(ufFlagHasDescription)) {
    if (tail < dataStart + 1 + 4) return false;
    tail -= 4;
    const uint32_t d = GetInt(p + tail);
    if (d > tail - dataStart - 1) return false;
    tail -= d;
    e.Description.assign(p + tail, p + tail + d);
  }
  e.Data.assign(p + dataStart, p + tail);
  return !e.Data.empty();
}

bool THVUndoStorage::ReadNewest(THVUndoEntry& entry) const {
  if (Size() < kHVUndoMinEntrySize) return false;
  const Int64 trailing = GetInt(End() - 4);
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
  keptEntry_.assign(End() - newest.EntrySize, End());
  keptDescription_ = description_;
  keptSideState_.reset();
  if (!sideStates_.empty() && sideStates_.back().Serial == NewestSerial()) {
    keptSideState_ = sideStates_.back().State;
    sideStates_.pop_back();
  }
  stream_.resize(stream_.size() - static_cast<size_t>(newest.EntrySize));
  --count_;
  THVUndoEntry now;
  if (count_ > 0 && ReadNewest(now)) {
    description_ = DescriptionOf(now);
  } else {
    Clear();
    updateCount_ = 0;
    description_.clear();
  }
  return true;
}

bool THVUndoStorage::RestoreKeptEntry() {
  if (keptEntry_.empty()) return false;
  stream_.insert(stream_.end(), keptEntry_.begin(), keptEntry_.end());
  ++count_;
  if (keptSideState_) sideStates_.push_back({NewestSerial(), keptSideState_});
  description_ = keptDescription_;
  keptEntry_.clear();
  keptDescription_.clear();
  keptSideState_.reset();
  return true;
}

void THVUndoStorage::SetNewestSelection(const THVSelection& s, bool setCaret, Integer caretPos) {
  THVUndoEntry e;
  if (!CanUndo() || !ReadNewest(e)) return;
  const size_t start = stream_.size() - static_cast<size_t>(e.EntrySize);
  if (!e.Has(ufFlagHasSelection)) {
    stream_.insert(stream_.end() - 4, kHVUndoSelectionSize, 0);
    e.EntrySize += kHVUndoSelectionSize;
    PutInt(stream_.data() + start, static_cast<uint32_t>(e.EntrySize));
    PutInt(stream_.data() + stream_.size() - 4, static_cast<uint32_t>(e.EntrySize));
    PutInt(stream_.data() + start + kOffFlags, e.Flags | UndoFlagBit(ufFlagHasSelection));
  }
  Byte* sel = stream_.data() + stream_.size() - 4 - kHVUndoSelectionSize;
  PutInt(sel, static_cast<uint32_t>(s.Low));
  PutInt(sel + 4, static_cast<uint32_t>(s.High));
  PutInt(sel + 8, static_cast<uint32_t>(s.Anchor));
  if (setCaret) PutInt(stream_.data() + start + kOffCaretPos, static_cast<uint32_t>(caretPos));
}

bool THVUndoStorage::DumpToFile(const std::string& fileName) const {
  std::FILE* f = std::fopen(fileName.c_str(), "wb");
  if (!f) return false;
  const size_t n = static_cast<size_t>(Size());
  bool ok = n == 0 || std::fwrite(Begin(), 1, n, f) == n;
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}
