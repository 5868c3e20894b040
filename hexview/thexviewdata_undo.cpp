// THexViewData: undo, the single-step redo, and deleting at the caret.
#include <algorithm>
#include <optional>

#include "hexview/ehexview.h"
#include "hexview/thexviewdata.h"

namespace {

bool Has(THVUndoFlags flags, THVUndoFlag f) {
  return HasUndoFlag(flags, f);
}

// The bytes [pos, pos + count) of the buffer, cut to what exists.
std::vector<Byte> Slice(const THexViewData& d, Integer pos, Integer count) {
  const Integer from = std::clamp(pos, 0, d.DataSize());
  const Integer to = std::clamp(pos + std::max(count, 0), from, d.DataSize());
  return std::vector<Byte>(d.GetFastPointer() + from, d.GetFastPointer() + to);
}

}  // namespace

// ---- Undo ----

void THexViewData::Undo() {
  THVUndoStorage& u = *undo_;
  if (!u.CanUndo()) {
    u.Reset(false);
    return;
  }
  THVUndoEntry e;
  if (u.Size() < kHVUndoMinEntrySize || !u.ReadNewest(e)) {
    u.Reset(true);
    return;
  }
  if (e.Kind() == ufKindCombined) {
    // The Count entries before it go as one step, which cannot be redone.
    u.RemoveLastUndo();
    for (Integer i = 0; i < e.Count && u.CanUndo(); ++i) Undo();
    u.DiscardRedo();
    Changed();
    return;
  }
  THVRedoRecord redo = CreateRedo(e);
  std::optional<THVUndoSideState> side;
  if (const THVUndoSideState* before = u.NewestSideState()) side = *before;
  // Marks kept beside the entry come back on undo, and the present ones on redo.
  if (side && side->Marks && !redo.Marks) redo.Marks = marks_;

  ApplyUndo(e);
  RestoreState(e.Flags, e.CaretPos, e.Translation, e.BytesPerUnit,
               e.Has(ufFlagHasSelection) ? &e.Selection : nullptr);
  // Change marks last: switching the insert mode above empties them.
  switch (e.Kind()) {
    case ufKindBytesChanged:
      SetChanged(e.Pos, e.Has(ufFlagByte1Changed));
      if (e.Count == 2) SetChanged(e.Pos + 1, e.Has(ufFlagByte2Changed));
      break;
    case ufKindNibbleInsert:
    case ufKindNibbleDelete:
      marks_.CutAt(e.Pos);
      SetChanged(e.Pos, e.Has(ufFlagByte1Changed));
      break;
    case ufKindAllData:
    case ufKindSelection:
    case ufKindConvert:  // converting left the marks alone; so does its undo
      break;
    default:
      marks_.CutAt(e.Pos);
      break;
  }
  if (side && side->Marks) marks_ = *side->Marks;
  if (side && side->Bookmarks) SetAllBookmarks(*side->Bookmarks);
  u.RemoveLastUndo();
  u.SetRedo(std::move(redo));
  if (e.Kind() == ufKindBytesChanged && OnRepaintBytes)
    OnRepaintBytes(*this, e.Pos, std::max(e.Count, 1));
  Repaint();
  Changed();
}

void THexViewData::ApplyUndo(const THVUndoEntry& e) {
  const Integer pos = e.Pos;
  switch (e.Kind()) {
    case ufKindBytesChanged:
    case ufKindConvert: {
      const Integer n = std::min<Integer>(
          {e.Count, static_cast<Integer>(e.Data.size()), std::max(0, DataSize() - pos)});
      if (pos >= 0 && n > 0) WriteBuffer(e.Data.data(), pos, n);
      break;
    }
    case ufKindByteRemoved: {
      const Integer n = std::min<Integer>(e.Count, static_cast<Integer>(e.Data.size()));
      if (n > 0) InternalInsertBuffer(e.Data.data(), n, pos);
      break;
    }
    case ufKindInsertBuffer:
      InternalDelete(pos, pos + e.Count, -1);
      break;
    case ufKindReplace: {
      RemoveBytes(pos, pos + e.Count);
      const Integer n = std::min<Integer>(e.ReplaceCount, static_cast<Integer>(e.Data.size()));
      if (n > 0) InternalInsertBuffer(e.Data.data(), n, pos);
      CalcSizes();
      break;
    }
    case ufKindAppendBuffer:
      SetCaret(0, false, false);
      stream_.SetSize(std::clamp(pos, 0, DataSize()));
      CalcSizes();
      break;
    case ufKindNibbleInsert:
    case ufKindNibbleDelete:
      if (pos < 0 || pos >= DataSize()) break;
      // Shifting the other way at the low digit leaves every byte after pos
      // as it was and one spare byte at the end; the saved byte puts back pos.
      if (e.Kind() == ufKindNibbleInsert)
        InternalDeleteNibble(pos, false);
      else
        InternalInsertNibble(pos, false);
      SetDataAt(pos, e.Data[0]);
      stream_.SetSize(DataSize() - 1);
      CalcSizes();
      break;
    case ufKindAllData:
      SetWholeBuffer(e.Data, e.Count);
      break;
    default:
      break;
  }
}

void THexViewData::SetWholeBuffer(const std::vector<Byte>& bytes, Integer count) {
  count = std::max(count, 0);
  stream_.SetSize(count);
  std::copy_n(bytes.begin(), std::min<size_t>(bytes.size(), static_cast<size_t>(count)),
              stream_.Memory());
  CalcSizes();
}

void THexViewData::RestoreState(THVUndoFlags flags, Integer caretPos, Byte translation,
                                Integer bytesPerUnit, const THVSelection* selection) {
  SetInsertMode(Has(flags, ufFlagInsertMode));
  const bool displayBefore[] = {unicodeChars_, unicodeBigEndian_};
  const THVTranslationKind translationBefore = translation_;
  const Integer unitBefore = bytesPerUnit_;
  // A state that no longer fits the data (unicode display on an odd size)
  // is left as it is rather than stopping the undo halfway.
  try {
    SetUnicodeChars(Has(flags, ufFlagIsUnicode));
  } catch (const EHexView&) {
  }
  try {
    if (translation <= tkCustom) SetTranslation(static_cast<THVTranslationKind>(translation));
  } catch (const EHexView&) {
  }
  SetUnicodeBigEndian(Has(flags, ufFlagIsUnicodeBigEndian));
  try {
    SetBytesPerUnit(bytesPerUnit);
  } catch (const EHexView&) {
  }
  if ((displayBefore[0] != unicodeChars_ || displayBefore[1] != unicodeBigEndian_ ||
       translationBefore != translation_ || unitBefore != bytesPerUnit_) &&
      OnDisplayChanged)
    OnDisplayChanged(*this);
  modified_ = Has(flags, ufFlagModified);

  const Integer size = DataSize();
  const Integer last = GetInsertMode() ? size : std::max(0, size - 1);
  const Integer index = std::clamp(caretPos, 0, last);
  const bool inChar = Has(flags, ufFlagInCharField) && size > 0;
  const bool second = !inChar && Has(flags, ufFlag2ndByteCol) && index < size;
  selection_ = THVSelection{};
  MoveCaret(index, inChar, second);
  if (selection && selection->Anchor >= 0)
    SetSelection(selection->Anchor, selection->Low, selection->High);
  SelectionChanged();
}

// ---- Redo ----

THVRedoRecord THexViewData::CreateRedo(const THVUndoEntry& e) const {
  THVRedoRecord r;
  r.Flags = UndoFlagBit(e.Kind());
  if (caretInCharField_)
    r.Flags |= UndoFlagBit(ufFlagInCharField);
  else if (caretSecondDigit_)
    r.Flags |= UndoFlagBit(ufFlag2ndByteCol);
  if (insertMode_) r.Flags |= UndoFlagBit(ufFlagInsertMode);
  if (unicodeChars_) r.Flags |= UndoFlagBit(ufFlagIsUnicode);
  if (unicodeBigEndian_) r.Flags |= UndoFlagBit(ufFlagIsUnicodeBigEndian);
  if (modified_) r.Flags |= UndoFlagBit(ufFlagModified);
  if (HasChanged(e.Pos)) r.Flags |= UndoFlagBit(ufFlagByte1Changed);
  if (HasChanged(e.Pos + 1)) r.Flags |= UndoFlagBit(ufFlagByte2Changed);
  r.CaretPos = caretIndex_;
  r.Pos = e.Pos;
  r.Count = e.Count;
  r.ReplaceCount = e.ReplaceCount;
  r.Translation = static_cast<Byte>(translation_);
  r.BytesPerUnit = bytesPerUnit_;
  r.Bookmarks = bookmarks_;
  r.Selection = selection_;
  switch (e.Kind()) {
    case ufKindBytesChanged:
    case ufKindInsertBuffer:
    case ufKindReplace:
    case ufKindConvert:
      r.Data = Slice(*this, e.Pos, e.Count);
      break;
    case ufKindAppendBuffer:
      r.Data = Slice(*this, e.Pos, DataSize() - e.Pos);
      break;
    case ufKindNibbleInsert:
    case ufKindNibbleDelete:
    case ufKindAllData:
      r.Data = Slice(*this, 0, DataSize());
      r.Count = DataSize();
      if (e.Kind() == ufKindAllData) r.Marks = marks_;
      break;
    default:
      break;
  }
  return r;
}

bool THexViewData::Redo() {
  if (!undo_->HasRedo()) return false;
  const THVRedoRecord r = undo_->Redo();
  ApplyRedo(r);
  SetAllBookmarks(r.Bookmarks);
  RestoreState(r.Flags, r.CaretPos, r.Translation, r.BytesPerUnit, &r.Selection);
  if (r.Marks)
    marks_ = *r.Marks;
  else
    SetChanged(r.Pos, Has(r.Flags, ufFlagByte1Changed));
  if (UndoKindOf(r.Flags) == ufKindBytesChanged && r.Count == 2)
    SetChanged(r.Pos + 1, Has(r.Flags, ufFlagByte2Changed));
  undo_->RestoreKeptEntry();
  Repaint();
  BookmarkChanged();
  undo_->DiscardRedo();
  Changed();
  return true;
}

void THexViewData::ApplyRedo(const THVRedoRecord& r) {
  const Integer n = static_cast<Integer>(r.Data.size());
  switch (UndoKindOf(r.Flags)) {
    case ufKindBytesChanged:
    case ufKindConvert:
      if (r.Pos >= 0 && n > 0 && r.Pos + n <= DataSize()) WriteBuffer(r.Data.data(), r.Pos, n);
      break;
    case ufKindByteRemoved:
      InternalDelete(r.Pos, r.Pos + r.Count, -1);
      break;
    case ufKindReplace:
      RemoveBytes(r.Pos, r.Pos + r.ReplaceCount);
      if (n > 0) InternalInsertBuffer(r.Data.data(), n, r.Pos);
      CalcSizes();
      break;
    case ufKindInsertBuffer:
      if (n > 0) InternalInsertBuffer(r.Data.data(), n, r.Pos);
      break;
    case ufKindAppendBuffer:
      if (n > 0) InternalAppendBuffer(r.Data.data(), n);
      break;
    case ufKindNibbleInsert:
    case ufKindNibbleDelete:
    case ufKindAllData:
      SetWholeBuffer(r.Data, r.Count);
      break;
    default:
      break;
  }
}

// ---- Deleting at the caret ----

void THexViewData::InternalErase(bool backspace) {
  if (readOnlyView_) return;
  if (GetSelCount() > 0) {
    DeleteSelection(std::string());
    return;
  }
  const Integer unit = std::max(1, bytesPerUnit_);
  const Integer c = GetCursorPos() - GetCursorPos() % unit;
  if (backspace) {
    Integer p = c;
    Integer length = unit;
    if (GetInsertMode()) {
      p = std::clamp(caretIndex_, 0, DataSize());
      if (p == DataSize() && DataSize() % unit != 0)
        length = 1;
      else
        p -= p % unit;
    }
    if (p <= 0) return;
    length = std::min(length, p);
    const Integer start = p - length;
    CreateUndo(ufKindByteRemoved, start, length, 0, std::string());
    marks_.CutAt(start);
    RemoveBytes(start, p);
    selection_ = THVSelection{};
    CalcSizes();
    if (p == c)
      MoveCaret(std::min(start, std::max(0, DataSize() - 1)), caretInCharField_);
    else
      LastValidCaret();
    Repaint();
  } else {
    // Nothing follows the position after the data: Delete there removes
    // nothing (the clamped caret byte would be the one before it).
    if (c >= DataSize() || caretIndex_ >= DataSize()) return;
    const Integer length = std::min(unit, DataSize() - c);
    CreateUndo(ufKindByteRemoved, c, length, 0, std::string());
    marks_.CutAt(c);
    InternalDelete(c, c + length, -1);
  }
  Changed();
}
