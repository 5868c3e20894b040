// THexViewData: search pattern preparation, forward search and replace.
#include <algorithm>
#include <cmath>
#include <vector>

#include "hexview/hvpatternscan.h"
#include "hexview/hvtranslation.h"
#include "hexview/thexviewdata.h"
#include "hexview/thvscancache.h"
#include "hexview/thvwaitcursor.h"

namespace {

// Lower-casing of the Windows (code page 1252) character set.
Byte AnsiLower(Byte c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  switch (c) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
      return c + 0x10;
    case 0x9F:
      return 0xFF;
    default:
      return c;
  }
}

}  // namespace

Integer THexViewData::Seek(Integer offset, Integer origin) {
  if (DataSize() == 0) return -1;
  Int64 target = GetCursorPos();
  if (origin == 0) target = offset;
  if (origin == 1) target = static_cast<Int64>(GetCursorPos()) + offset;
  if (origin == 2) target = static_cast<Int64>(DataSize()) - 1 + offset;
  const Integer pos = static_cast<Integer>(std::clamp<Int64>(target, 0, DataSize() - 1));
  SetSelStart(pos);
  return pos;
}

Integer THexViewData::GetCurrentValue() const {
  if (caretIndex_ < 0 || caretIndex_ >= DataSize()) return -1;
  return GetDataAt(caretIndex_);
}

std::string THexViewData::PrepareFindReplaceData(const std::string& text, bool ignoreCase,
                                                 bool isText) {
  for (int i = 0; i < 256; ++i) {
    identityTable_[i] = static_cast<Byte>(i);
    Byte c = static_cast<Byte>(i);
    TranslateBufferToAnsi(translation_, &c, &c, 1);
    c = AnsiLower(c);
    TranslateBufferFromAnsi(translation_, &c, &c, 1);
    caseTable_[i] = c;
  }
  std::vector<Byte> bytes(text.begin(), text.end());
  if (ignoreCase) std::transform(bytes.begin(), bytes.end(), bytes.begin(), AnsiLower);
  if (!isText) return std::string(bytes.begin(), bytes.end());
  if (!unicodeChars_) {
    TranslateBufferFromAnsi(translation_, bytes.data(), bytes.data(),
                            static_cast<Integer>(bytes.size()));
    return std::string(bytes.begin(), bytes.end());
  }
  std::string wide;
  for (Byte b : bytes) {
    const char16_t c = static_cast<char16_t>(Cp1252ToUnicode(b));
    const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
    wide += unicodeBigEndian_ ? std::string{hi, lo} : std::string{lo, hi};
  }
  return wide;
}

Integer THexViewData::Find(const Byte* pattern, Integer patternLength, Integer start, Integer end,
                           bool ignoreCase) {
  if (OnFindOverride) {
    Integer found = -1;
    OnFindOverride(*this, pattern, patternLength, start, end, ignoreCase, 0, found);
    return found;
  }
  return Scan(pattern, patternLength, start, end, ignoreCase, false, 0);
}

Integer THexViewData::FindWithWildcard(const Byte* pattern, Integer patternLength, Integer start,
                                       Integer end, bool ignoreCase, Byte wildcard) {
  if (OnWildcardFindOverride) {
    Integer found = -1;
    OnWildcardFindOverride(*this, pattern, patternLength, start, end, ignoreCase, wildcard, found);
    return found;
  }
  return Scan(pattern, patternLength, start, end, ignoreCase, true, wildcard);
}

Integer THexViewData::Scan(const Byte* pattern, Integer patternLength, Integer start, Integer end,
                           bool ignoreCase, bool useWildcard, Byte wildcard) {
  end = std::min(end, DataSize() - 1);
  start = std::max(start, 0);
  if (!pattern || patternLength < 1 ||
      static_cast<Int64>(start) + patternLength > static_cast<Int64>(end) + 1)
    return -1;
  THVWaitCursor wait(*this);
  const THVPatternScan& scan = scanCache_->Get(
      pattern, patternLength, ignoreCase ? caseTable_ : identityTable_, useWildcard, wildcard);
  const Byte* data = GetFastPointer();
  scanCache_->Prepare(data, DataSize(), end, start);
  const Int64 until = static_cast<Int64>(end) - patternLength + 2;  // one past the last start
  if (!(findProgress_ && OnProgress && DataSize() >= 500))
    return static_cast<Integer>(scan.FindIn(data, end, start, until));
  // Progress each time the scan passes another DataSize div 500 bytes; the
  // scan runs piece by piece between those marks.
  const Int64 step = DataSize() / 500;
  for (Int64 from = start; from < until;) {
    const Int64 mark = (from / step + 1) * step;
    const Int64 to = std::min(mark, until);
    const Int64 found = scan.FindIn(data, end, from, to);
    if (found >= 0) return static_cast<Integer>(found);
    if (to == mark) {
      bool cancel = false;  // searches do not stop on a cancel
      OnProgress(*this, pkFind, fileName_,
                 static_cast<Byte>(std::lround(mark * 100.0 / DataSize())), cancel);
    }
    from = to;
  }
  return -1;
}

Integer THexViewData::Replace(const Byte* buffer, Integer position, Integer oldCount,
                              Integer newCount, const std::string& description, bool moveCursor) {
  if (position < 0 || position > DataSize() || oldCount < 0 || newCount < 0 ||
      (!buffer && newCount > 0))
    return 0;
  const bool inCharField = caretInCharField_;
  if (oldCount > DataSize() - position) {
    if (newCount == oldCount) newCount = DataSize() - position;
    oldCount = DataSize() - position;
  }
  if (IsFileSizeFixed()) oldCount = newCount = std::min(oldCount, newCount);
  CheckInsertArgs(std::max(0, newCount - oldCount), position);
  // Taken before the old bytes move away (the source may lie in the buffer).
  const std::vector<Byte> bytes(buffer, buffer + newCount);
  CreateUndo(ufKindReplace, position, newCount, oldCount, description);
  if (!moveCursor)
    undo_->SetNewestSelection({position, position, position + oldCount - 1}, false, 0);
  if (newCount == oldCount) {
    if (newCount > 0) WriteBuffer(bytes.data(), position, newCount);
  } else {
    RemoveBytes(position, position + oldCount);
    if (newCount > 0) InternalInsertBuffer(bytes.data(), newCount, position);
    CalcSizes();
  }
  marks_.CutAt(position);
  if (moveCursor)
    MoveCaret(position, inCharField);
  else
    PlaceCaretAfterDelete(-1);  // only when the caret fell beyond the data
  Repaint();
  Changed();
  return newCount;
}
