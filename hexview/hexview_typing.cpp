// TCustomHexView: typing hex digits and characters in overwrite and insert
// mode.
#include <algorithm>
#include <vector>

#include "hexview/hexview.h"

namespace {

int HexDigitValue(Byte ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

}  // namespace

void TCustomHexView::KeyPress(char& key) {
  TCustomGrid::KeyPress(key);  // the framework's key-press event may change or swallow it
  if (key == 0) return;
  const bool suppressed = typingSuppressed_;
  typingSuppressed_ = false;
  if (suppressed) return;
  TypeChar(static_cast<Byte>(key));
  key = 0;
}

void TCustomHexView::TypeChar(Byte ch) {
  if (ReadOnlyView() || ch < 32) return;
  THexViewData& d = *data_;
  const Integer size = DataSize();
  const Integer a = d.CaretIndex();
  const bool insert = GetInsertMode();
  if (a >= size && !insert) return;
  const Integer unit = std::max(1, BytesPerUnit());
  const int col = Col();
  const bool inChar = Layout().InCharField(col);
  std::vector<Byte> bytes(static_cast<size_t>(unit), 0);

  if (!inChar) {
    const int digit = HexDigitValue(ch);
    if (digit < 0) {
      if (OnInvalidKey) OnInvalidKey(this);
      return;
    }
    if (!insert) ResetSelection(true);
    const bool hasSelection = d.HasSelection();
    const Byte old = a < size ? d.GetDataAt(a) : 0;
    const bool onHighDigit = !THVCellLayout::IsSecondDigit(col) != SwapNibbles();
    const Byte value = (onHighDigit || hasSelection) ? static_cast<Byte>(digit * 16 + (old & 15))
                                                     : static_cast<Byte>((old & 240) + digit);
    const bool firstOfUnit = THVCellLayout::StartsUnit(col, unit);
    if (!insert || (!firstOfUnit && !hasSelection)) {
      if (a < size) IntChangeByte(old, value, a, col, Row(), std::string());
    } else {
      bytes[0] = SwapNibbles() ? static_cast<Byte>(digit) : static_cast<Byte>(digit << 4);
      if (size == 0)
        AppendBuffer(bytes.data(), unit, std::string(), false);
      else if (hasSelection)
        ReplaceSelection(bytes.data(), unit, std::string(), false);
      else
        InsertBuffer(bytes.data(), unit, a, std::string(), false);
    }
  } else {
    const int translated = TranslateFromAnsiChar(ch);
    if (translated < 32) {
      if (OnInvalidKey) OnInvalidKey(this);
      return;
    }
    if (!insert) ResetSelection(true);
    const bool hasSelection = d.HasSelection();
    const uint16_t wide = static_cast<uint16_t>(ch);
    if (UnicodeChars()) {
      bytes[0] = static_cast<Byte>(UnicodeBigEndian() ? wide >> 8 : wide & 0xFF);
      if (unit > 1) bytes[1] = static_cast<Byte>(UnicodeBigEndian() ? wide & 0xFF : wide >> 8);
    } else {
      bytes[0] = static_cast<Byte>(translated);
    }
    if (insert && !hasSelection) {
      if (a == size)
        AppendBuffer(bytes.data(), unit, std::string(), true);
      else if (a % unit != 0)
        IntChangeByte(d.GetDataAt(a), static_cast<Byte>(translated), a, col, Row(), std::string());
      else
        InsertBuffer(bytes.data(), unit, a, std::string(), false);
    } else if (insert) {
      ReplaceSelection(bytes.data(), unit, std::string(), false);
    } else if (UnicodeChars()) {
      // The old character counts as 0 at (or one byte before) the end.
      uint16_t old = 0;
      if (a + 1 < size) {
        const Byte b0 = d.GetDataAt(a), b1 = d.GetDataAt(a + 1);
        old = UnicodeBigEndian() ? static_cast<uint16_t>(b0 << 8 | b1)
                                 : static_cast<uint16_t>(b1 << 8 | b0);
      }
      IntChangeWideChar(old, wide, a, col, Row(), std::string());
    } else {
      IntChangeByte(d.GetDataAt(a), static_cast<Byte>(translated), a, col, Row(), std::string());
    }
  }
  selecting_ = false;
  HorizontalStep(true, false);
}
