// THexViewData: state, properties, caret, selection, bookmarks and undo.
#include "hexview/thexviewdata.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "framework/scoped_value.h"
#include "hexview/ehexview.h"
#include "hexview/hvtranslation.h"
#include "hexview/thvscancache.h"

namespace {

bool ValidUnit(Integer v) {
  return v == 1 || v == 2 || v == 4 || v == 8;
}

}  // namespace

THexViewData::THexViewData()
    : undo_(std::make_unique<THVUndoStorage>(*this)),
      scanCache_(std::make_unique<THVScanCache>()) {}

THexViewData::~THexViewData() = default;

// ---- Buffer ----

void THexViewData::SetDataSize(Integer newSize) {
  if (newSize < 0) throw EHexView(kHVOutOfBounds);
  const Integer old = DataSize();
  if (newSize == old) return;
  if (old != 0 && newSize != 0 && noSizeChange_) throw EHexView(kHVCannotChangeFixedSize);
  const Integer caretBefore = std::clamp(caretIndex_, 0, std::max(0, old - 1));
  {
    TScopedValue sizing(inSetDataSize_, true);
    if (newSize < old)
      CreateUndo(ufKindByteRemoved, newSize, old - newSize, 0, std::string());
    else
      CreateUndo(ufKindAppendBuffer, old, newSize - old, 0, std::string());
    stream_.SetSize(newSize);
    if (newSize > old && fillByte_ != 0)
      std::fill(stream_.Memory() + old, stream_.Memory() + newSize, fillByte_);
    modified_ = true;
    CalcSizes();
  }
  // A selection reaching past the new end would address missing bytes.
  if (HasSelection() && selection_.High >= newSize) ResetSelection(true);
  if (newSize < caretBefore) {
    ResetSelection(true);
    if (newSize == 0 && !GetInsertMode())
      MoveCaret(0, caretInCharField_);
    else
      LastValidCaret();
  }
}

void THexViewData::ReadBuffer(void* dest, Integer index, Integer count) const {
  if (count > 0) std::copy_n(stream_.PointerAt(index), count, static_cast<Byte*>(dest));
}

void THexViewData::WriteBuffer(const void* source, Integer index, Integer count) {
  if (count > 0) std::copy_n(static_cast<const Byte*>(source), count, stream_.PointerAt(index));
}

void THexViewData::MoveFileMem(Integer from, Integer to, Integer count) {
  stream_.Move(from, to, count);
}

// ---- Marks, modified flag, file ----

bool THexViewData::HasChanged(Integer index) const {
  return !GetInsertMode() && marks_.Get(index);
}

void THexViewData::SetChanged(Integer index, bool changed) {
  if (GetInsertMode()) {
    marks_.Clear();
    return;
  }
  marks_.Set(index, changed);
}

bool THexViewData::GetModified() const {
  if (!modified_) return false;
  if (DataSize() > 0) return true;
  std::error_code ec;
  return std::filesystem::exists(fileName_, ec);
}

void THexViewData::SetModified(bool value) {
  if (value) {
    modified_ = true;
    return;
  }
  modified_ = false;
  ResetUndo();
  marks_.Clear();
  Repaint();
}

void THexViewData::SetReadOnlyFile(bool value) {
  if (value) readOnlyFile_ = true;
}

void THexViewData::CreateEmptyFile(const std::string& name) {
  stream_.SetSize(0);
  stream_.SetPosition(0);
  fileName_ = name.empty() ? kHVUntitled : name;
  ResetUndo();
  ResetSelection(false);
  marks_.Clear();
  CalcSizes();
  modified_ = false;
  readOnlyFile_ = true;
  hasFile_ = false;
  MoveCaret(0, false);
  Changed();
}

// ---- Size policy ----

bool THexViewData::IsInsertModePossible() const {
  return !IsFileSizeFixed() && allowInsertMode_ && !readOnlyView_;
}

void THexViewData::EffectiveInsertModeChanged(bool before) {
  if (GetInsertMode() == before) return;
  marks_.Clear();
  CalcSizes();
  if (!GetInsertMode() && caretIndex_ >= DataSize()) LastValidCaret();
  if (OnInsertModeChanged) OnInsertModeChanged(*this);
  Repaint();
}

void THexViewData::SetInsertMode(bool value) {
  if (value == insertMode_ || !IsInsertModePossible()) return;
  const bool before = GetInsertMode();
  insertMode_ = value;
  EffectiveInsertModeChanged(before);
}

void THexViewData::SetNoSizeChange(bool value) {
  if (value == noSizeChange_) return;
  if (value) SetInsertMode(false);
  const bool before = GetInsertMode();
  noSizeChange_ = value;
  EffectiveInsertModeChanged(before);
}

void THexViewData::SetAllowInsertMode(bool value) {
  if (value == allowInsertMode_) return;
  if (!value) SetInsertMode(false);
  const bool before = GetInsertMode();
  allowInsertMode_ = value;
  EffectiveInsertModeChanged(before);
}

void THexViewData::SetReadOnlyView(bool value) {
  if (value == readOnlyView_) return;
  const bool before = GetInsertMode();
  readOnlyView_ = value;
  EffectiveInsertModeChanged(before);
}

// ---- Display state ----

void THexViewData::SetTranslation(THVTranslationKind value) {
  if (value == translation_) return;
  if (unicodeChars_ && value != tkAsIs) throw EHexView(kHVNoTranslationInUnicode);
  translation_ = value;
  Repaint();
}

void THexViewData::SetBytesPerUnit(Integer value) {
  if (value == bytesPerUnit_) return;
  if (!ValidUnit(value)) throw EHexView(HVMsgInvalidBytesPerUnit(value));
  if (unicodeChars_ && value != 2) throw EHexView(kHVUnicodeUnitTwo);
  bytesPerUnit_ = value;
  CalcSizes();
  Repaint();
}

void THexViewData::SetUnicodeChars(bool value) {
  if (value == unicodeChars_) return;
  if (value && DataSize() % 2 != 0) throw EHexView(kHVOddSizeUnicode);
  if (value) translation_ = tkAsIs;
  unicodeChars_ = value;
  bytesPerUnit_ = 2;
  CalcSizes();
  Repaint();
}

void THexViewData::SetUnicodeBigEndian(bool value) {
  if (value == unicodeBigEndian_) return;
  unicodeBigEndian_ = value;
  Repaint();
}

void THexViewData::SetSwapNibbles(bool value) {
  if (value == swapNibbles_) return;
  swapNibbles_ = value;
  Repaint();
}

void THexViewData::SetMaskChar(Byte value) {
  if (value == maskChar_) return;
  maskChar_ = value;
  Repaint();
}

Byte THexViewData::TranslateToAnsiChar(Byte value) const {
  return ::TranslateToAnsiChar(translation_, value, maskChar_);
}

int THexViewData::TranslateFromAnsiChar(Byte ch) const {
  return ::TranslateFromAnsiChar(translation_, ch);
}

// ---- Caret ----

void THexViewData::SetCaret(Integer index, bool inCharField, bool onSecondDigit) {
  caretIndex_ = index;
  caretInCharField_ = inCharField;
  caretSecondDigit_ = onSecondDigit && !inCharField;
}

void THexViewData::MoveCaret(Integer index, bool inCharField, bool onSecondDigit) {
  SetCaret(index, inCharField, onSecondDigit);
  if (OnCaretMoved) OnCaretMoved(*this);
}

Integer THexViewData::GetCursorPos() const {
  return std::clamp(caretIndex_, 0, std::max(0, DataSize() - 1));
}

void THexViewData::LastValidCaret() {
  const Integer size = DataSize();
  MoveCaret(GetInsertMode() ? size : std::max(0, size - 1), caretInCharField_);
}

void THexViewData::SeekToEOF() {
  LastValidCaret();
}

void THexViewData::PlaceCaretAfterDelete(Integer caretIndex) {
  if (DataSize() == 0) {
    MoveCaret(0, caretInCharField_);
    return;
  }
  const Integer target = caretIndex >= 0 ? caretIndex : caretIndex_;
  if (target >= DataSize())
    LastValidCaret();
  else if (caretIndex >= 0)
    MoveCaret(caretIndex, caretInCharField_);
}

Integer THexViewData::InsertTarget() const {
  return std::clamp(caretIndex_, 0, DataSize());
}

// ---- Selection ----

Integer THexViewData::GetSelStart() const {
  return HasSelection() ? selection_.Anchor : caretIndex_;
}

Integer THexViewData::GetSelEnd() const {
  if (!HasSelection()) return caretIndex_;
  return selection_.Anchor == selection_.High ? selection_.Low : selection_.High;
}

Integer THexViewData::GetSelCount() const {
  return HasSelection() ? selection_.High - selection_.Low + 1 : 0;
}

bool THexViewData::IsSelected(Integer index) const {
  return HasSelection() && index >= selection_.Low && index <= selection_.High;
}

void THexViewData::SetSelection(Integer anchor, Integer low, Integer high) {
  const Integer last = DataSize() - 1;
  selection_ = {std::clamp(anchor, -1, last), std::clamp(low, -1, last),
                std::clamp(high, -1, last)};
}

void THexViewData::ResetSelection(bool redraw) {
  const bool had = HasSelection();
  selection_ = THVSelection{};
  if (redraw && had) Repaint();
}

void THexViewData::NewSelection(Integer a, Integer b) {
  if (DataSize() == 0) return;
  const Integer unit = std::max(1, bytesPerUnit_);
  const bool aIsLow = a <= b;
  Integer low = std::max(0, std::min(a, b));
  Integer high = std::max(a, b);
  low -= low % unit;
  high = std::min(high - high % unit + unit - 1, DataSize() - 1);
  low = std::min(low, high);
  selection_ = {aIsLow ? low : high, low, high};
  Repaint();
  SelectionChanged();
}

void THexViewData::SelectAll() {
  if (DataSize() == 0) return;
  LastValidCaret();
  selection_ = {0, 0, DataSize() - 1};
  Repaint();
  SelectionChanged();
}

void THexViewData::SetSelStart(Integer index) {
  if (index < 0 || index >= DataSize()) throw EHexView(kHVInvalidSelStart);
  ResetSelection(true);
  MoveCaret(index, caretInCharField_);
}

void THexViewData::SetSelEnd(Integer index) {
  if (index < -1 || index >= DataSize()) throw EHexView(kHVInvalidSelEnd);
  ResetSelection(true);
  if (index >= 0) NewSelection(GetCursorPos(), index);
}

// ---- Bookmarks ----

THVBookmark THexViewData::GetBookmark(Integer index) const {
  if (index < 0 || index >= kHVBookmarkCount) throw EHexView(kHVInvalidBookmarkIndex);
  return bookmarks_[index];
}

void THexViewData::SetBookmark(Integer index, const THVBookmark& bookmark) {
  if (index < 0 || index >= kHVBookmarkCount) throw EHexView(kHVInvalidBookmarkIndex);
  if (bookmarks_[index] == bookmark)
    bookmarks_[index] = THVBookmark{};
  else
    bookmarks_[index] = bookmark;
  Repaint();
  BookmarkChanged();
}

void THexViewData::SetBookmarkVals(Integer index, Integer position, bool inCharField) {
  SetBookmark(index, THVBookmark{position, inCharField});
}

bool THexViewData::GotoBookmark(Integer index) {
  const THVBookmark bm = GetBookmark(index);
  if (bm.Position < 0) return false;
  ResetSelection(true);
  const bool valid = bm.Position < DataSize() || (bm.Position == DataSize() && GetInsertMode());
  if (!valid) {
    bookmarks_[index] = THVBookmark{};
    Repaint();
    BookmarkChanged();
    return false;
  }
  MoveCaret(bm.Position, bm.InCharField);
  return true;
}

void THexViewData::SetAllBookmarks(const THVBookmarks& bookmarks) {
  bookmarks_ = bookmarks;
  Repaint();
  BookmarkChanged();
}

void THexViewData::AdjustBookmarks(Integer from, Integer delta, Integer sizeAfter) {
  if (from < 0) return;
  bool touched = false;
  for (THVBookmark& bm : bookmarks_) {
    if (bm.Position < 0 || bm.Position < from) continue;
    bm.Position += delta;
    if (bm.Position > sizeAfter || bm.Position < 0) bm = THVBookmark{};
    touched = true;
  }
  if (touched) BookmarkChanged();
}

// ---- Undo ----

void THexViewData::CreateUndo(THVUndoFlag kind, Integer pos, Integer count, Integer replaceCount,
                              const std::string& description) {
  if (!CanCreateUndo(kind, count, replaceCount)) throw EHexView(kHVCannotUpdateUndo);
  undo_->CreateUndo(kind, pos, count, replaceCount, description);
  modified_ = true;
}

bool THexViewData::CanCreateUndo(THVUndoFlag kind, Integer count, Integer replaceCount) {
  bool ok = DataSize() > 0 || kind == ufKindInsertBuffer || kind == ufKindAppendBuffer ||
            kind == ufKindAllData || (kind == ufKindCombined && undo_->Count() >= count);
  if (ok && IsFileSizeFixed()) {
    switch (kind) {
      case ufKindByteRemoved:
      case ufKindInsertBuffer:
      case ufKindAppendBuffer:
      case ufKindNibbleInsert:
      case ufKindNibbleDelete:
        ok = false;
        break;
      case ufKindReplace:
        ok = count == replaceCount;
        break;
      default:
        break;
    }
  }
  return ok;
}

std::string THexViewData::GetUndoDescription() const {
  return GetCanUndo() ? undo_->Description() : std::string(kHVNoUndo);
}

void THexViewData::CombineUndo(Integer count, const std::string& description) {
  CreateUndo(ufKindCombined, 0, count, 0, description);
}

void THexViewData::AddSelectionUndo(Integer start, Integer count) {
  CreateUndo(ufKindSelection, start, count, 0, std::string());
}

// ---- Notifications ----

void THexViewData::Changed() {
  if (OnChange) OnChange(*this);
  SelectionChanged();
}

void THexViewData::SelectionChanged() {
  if (OnSelectionChanged) OnSelectionChanged(*this);
}

void THexViewData::BookmarkChanged() {
  if (OnBookmarkChanged) OnBookmarkChanged(*this);
}

void THexViewData::Repaint() {
  if (OnRepaint) OnRepaint(*this);
}

void THexViewData::CalcSizes() {
  marks_.CutAt(DataSize());
  if (OnCalcSizes) OnCalcSizes(*this);
}
