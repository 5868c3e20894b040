// THexViewData: editing primitives and text accessors.
#include <algorithm>
#include <limits>
#include <vector>

#include "hexview/ehexview.h"
#include "hexview/hvhextext.h"
#include "hexview/hvtranslation.h"
#include "hexview/thexviewdata.h"

namespace {

// Callers may pass bytes that live in the buffer itself; the buffer can
// move when it grows, so every insert works from a copy.
std::vector<Byte> CopyOf(const Byte* buffer, Integer count) {
  return std::vector<Byte>(buffer, buffer + count);
}

std::vector<Byte> BytesOf(const std::string& text) {
  return std::vector<Byte>(text.begin(), text.end());
}

}  // namespace

void THexViewData::CheckInsertArgs(Integer count, Integer pos) const {
  if (pos < 0 || pos > DataSize() || count > std::numeric_limits<Integer>::max() - DataSize())
    throw EHexView(kHVOutOfBounds);
}

void THexViewData::InsertBuffer(const Byte* buffer, Integer count, Integer pos,
                                const std::string& description, bool moveCursor) {
  if (!buffer || count <= 0) return;
  CheckInsertArgs(count, pos);
  CreateUndo(ufKindInsertBuffer, pos, count, 0, description);
  InternalInsertBuffer(buffer, count, pos);
  marks_.CutAt(pos);
  if (viewEnabled_) {
    const Integer high = pos + count - 1;
    if (moveCursor) MoveCaret(high, caretInCharField_);
    selection_ = {pos, pos, high};
    SelectionChanged();
  }
  Repaint();
  Changed();
}

void THexViewData::AppendBuffer(const Byte* buffer, Integer count, const std::string& description,
                                bool moveCursor) {
  if (!buffer || count <= 0) return;
  const Integer old = DataSize();
  CheckInsertArgs(count, old);
  CreateUndo(ufKindAppendBuffer, old, count, 0, description);
  marks_.CutAt(old);
  InternalAppendBuffer(buffer, count);
  if (moveCursor) MoveCaret(old, caretInCharField_);
  selection_ = {old, old, old + count - 1};
  SelectionChanged();
  Repaint();
  Changed();
}

void THexViewData::ReplaceSelection(const Byte* buffer, Integer count,
                                    const std::string& description, bool moveCursor) {
  if (!HasSelection()) {
    InsertBuffer(buffer, count, InsertTarget(), description, moveCursor);
    return;
  }
  if (count < 0 || (!buffer && count > 0)) return;
  const Integer low = std::clamp(selection_.Low, 0, DataSize());
  Integer length = std::clamp(selection_.High, low - 1, DataSize() - 1) - low + 1;
  if (IsFileSizeFixed()) {
    count = std::min(count, length);
    length = count;
  }
  CheckInsertArgs(std::max(0, count - length), low);
  // Taken before the selected bytes move away (the source may lie in the buffer).
  const std::vector<Byte> bytes = count > 0 ? CopyOf(buffer, count) : std::vector<Byte>();
  CreateUndo(ufKindReplace, low, count, length, description);
  RemoveBytes(low, low + length);
  if (count > 0) InternalInsertBuffer(bytes.data(), count, low);
  marks_.CutAt(low);
  selection_ = THVSelection{};
  if (moveCursor && count > 0) {
    const Integer last = low + count - 1;
    MoveCaret(last, caretInCharField_);
    selection_ = {last, low, last};
    SelectionChanged();
  } else {
    PlaceCaretAfterDelete(-1);
  }
  CalcSizes();
  Repaint();
  Changed();
}

void THexViewData::DeleteSelection(const std::string& description) {
  Integer start = 0;
  Integer end = 0;
  if (HasSelection()) {
    start = std::clamp(selection_.Low, 0, DataSize());
    end = std::clamp(selection_.High + 1, start, DataSize());
  } else {
    if (caretIndex_ < 0 || caretIndex_ >= DataSize()) return;  // no byte under the caret
    start = caretIndex_;
    end = start + 1;
  }
  if (start >= end) return;
  CreateUndo(ufKindByteRemoved, start, end - start, 0, description);
  marks_.CutAt(start);
  InternalDelete(start, end, start);
  Changed();
}

void THexViewData::ConvertRange(Integer from, Integer to, THVTranslationKind fromTranslation,
                                THVTranslationKind toTranslation, const std::string& description) {
  if (from > to || fromTranslation == toTranslation || from < 0 || to >= DataSize()) return;
  CreateUndo(ufKindConvert, from, to - from + 1, 0, description);
  InternalConvertRange(from, to, fromTranslation, toTranslation);
  Repaint();
  Changed();
}

void THexViewData::IntChangeByte(Byte oldByte, Byte newByte, Integer pos,
                                 const std::string& description) {
  if (oldByte == newByte || pos < 0 || pos >= DataSize()) return;
  CreateUndo(ufKindBytesChanged, pos, 1, 0, description);
  WriteBuffer(&newByte, pos, 1);
  if (!GetInsertMode()) SetChanged(pos, true);
  if (OnRepaintBytes) OnRepaintBytes(*this, pos, 1);
  Changed();
}

void THexViewData::IntChangeWideChar(uint16_t oldChar, uint16_t newChar, Integer pos,
                                     const std::string& description) {
  if (oldChar == newChar || pos < 0 || pos >= DataSize()) return;
  // On an odd-sized buffer the last character has only one byte.
  const Integer count = std::min<Integer>(2, DataSize() - pos);
  auto split = [this](uint16_t c) {
    Byte lo = static_cast<Byte>(c & 0xFF), hi = static_cast<Byte>(c >> 8);
    return unicodeBigEndian_ ? std::vector<Byte>{hi, lo} : std::vector<Byte>{lo, hi};
  };
  const std::vector<Byte> oldBytes = split(oldChar);
  const std::vector<Byte> newBytes = split(newChar);
  CreateUndo(ufKindBytesChanged, pos, count, 0, description);
  WriteBuffer(newBytes.data(), pos, count);
  if (!GetInsertMode())
    for (Integer i = 0; i < count; ++i) SetChanged(pos + i, newBytes[i] != oldBytes[i]);
  if (OnRepaintBytes) OnRepaintBytes(*this, pos, 2);
  Changed();
}

std::string THexViewData::GetAsText() const {
  return std::string(GetFastPointer(), GetFastPointer() + DataSize());
}

void THexViewData::SetAsText(const std::string& text) {
  std::vector<Byte> bytes = BytesOf(text);
  TranslateBufferFromAnsi(translation_, bytes.data(), bytes.data(),
                          static_cast<Integer>(bytes.size()));
  SelectAll();
  ReplaceSelection(bytes.data(), static_cast<Integer>(bytes.size()), std::string(), true);
}

std::string THexViewData::GetAsHex() const {
  return ConvertBinToHex(GetFastPointer(), DataSize(), swapNibbles_);
}

void THexViewData::SetAsHex(const std::string& text) {
  const std::vector<Byte> bytes = ConvertHexToBin(text, swapNibbles_);
  SelectAll();
  ReplaceSelection(bytes.data(), static_cast<Integer>(bytes.size()), std::string(), true);
}

std::string THexViewData::GetSelectionAsText() const {
  if (DataSize() == 0 || !HasSelection()) return std::string();
  const Integer high = std::min(selection_.High, DataSize() - 1);
  const Byte* p = GetFastPointer();
  return std::string(p + selection_.Low, p + high + 1);
}

std::string THexViewData::GetSelectionAsHex() const {
  const std::string text = GetSelectionAsText();
  return ConvertBinToHex(reinterpret_cast<const Byte*>(text.data()),
                         static_cast<Integer>(text.size()), swapNibbles_);
}

void THexViewData::SetSelectionAsText(const std::string& text) {
  if (text.empty()) return;
  const std::vector<Byte> bytes = BytesOf(text);
  ReplaceSelection(bytes.data(), static_cast<Integer>(bytes.size()), std::string(), true);
}

void THexViewData::SetSelectionAsHex(const std::string& text) {
  const std::vector<Byte> bytes = ConvertHexToBin(text, swapNibbles_);
  if (bytes.empty()) return;
  ReplaceSelection(bytes.data(), static_cast<Integer>(bytes.size()), std::string(), true);
}

// ---- Without undo ----

void THexViewData::InternalInsertBuffer(const Byte* buffer, Integer count, Integer pos) {
  if (count <= 0) return;
  if (DataSize() == 0) {
    stream_.SetPosition(0);
    marks_.Clear();
  }
  const Integer old = DataSize();
  pos = std::clamp(pos, 0, old);
  const std::vector<Byte> bytes = CopyOf(buffer, count);
  stream_.SetSize(static_cast<Int64>(old) + count);
  if (pos < old) MoveFileMem(pos, pos + count, old - pos);
  WriteBuffer(bytes.data(), pos, count);
  CalcSizes();
}

void THexViewData::InternalAppendBuffer(const Byte* buffer, Integer count) {
  InternalInsertBuffer(buffer, count, DataSize());
}

void THexViewData::RemoveBytes(Integer start, Integer end) {
  const Integer size = DataSize();
  start = std::clamp(start, 0, size);
  end = std::clamp(end, start, size);
  if (start == end) return;
  MoveFileMem(end, start, size - end);
  stream_.SetSize(size - (end - start));
}

void THexViewData::InternalDelete(Integer start, Integer end, Integer caretIndex) {
  RemoveBytes(start, end);
  PlaceCaretAfterDelete(caretIndex);
  CalcSizes();
  selection_ = THVSelection{};
  Repaint();
}

void THexViewData::InternalConvertRange(Integer from, Integer to,
                                        THVTranslationKind fromTranslation,
                                        THVTranslationKind toTranslation) {
  if (from < 0 || to >= DataSize() || from > to) return;
  Byte* p = stream_.PointerAt(from);
  const Integer n = to - from + 1;
  TranslateBufferToAnsi(fromTranslation, p, p, n);
  TranslateBufferFromAnsi(toTranslation, p, p, n);
}
