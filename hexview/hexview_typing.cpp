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
  if (data_->CaretIndex() >= DataSize() && !GetInsertMode()) return;
  const bool typed = Layout().InCharField(Col()) ? TypeCharacter(ch) : TypeHexDigit(ch);
  if (!typed) {
    if (OnInvalidKey) OnInvalidKey(this);
    return;
  }
  selecting_ = false;
  HorizontalStep(true, false);
}

bool TCustomHexView::TypeHexDigit(Byte ch) {
  const int digit = HexDigitValue(ch);
  if (digit < 0) return false;
  const THexViewData& d = *data_;
  const Integer size = DataSize();
  const Integer a = d.CaretIndex();
  const Integer unit = std::max(1, BytesPerUnit());
  const bool insert = GetInsertMode();
  const int col = Col();
  if (!insert) ResetSelection(true);
  const bool hasSelection = d.HasSelection();
  const Byte old = a < size ? d.GetDataAt(a) : 0;
  const bool onHighDigit = !THVCellLayout::IsSecondDigit(col) != SwapNibbles();
  const Byte value = (onHighDigit || hasSelection) ? static_cast<Byte>(digit * 16 + (old & 15))
                                                   : static_cast<Byte>((old & 240) + digit);
  if (!insert || (!THVCellLayout::StartsUnit(col, unit) && !hasSelection)) {
    if (a < size) IntChangeByte(old, value, a, col, Row(), std::string());
    return true;
  }
  // A new unit holding only the typed digit.
  std::vector<Byte> bytes(static_cast<size_t>(unit), 0);
  bytes[0] = SwapNibbles() ? static_cast<Byte>(digit) : static_cast<Byte>(digit << 4);
  if (size == 0)
    AppendBuffer(bytes.data(), unit, std::string(), false);
  else if (hasSelection)
    ReplaceSelection(bytes.data(), unit, std::string(), false);
  else
    InsertBuffer(bytes.data(), unit, a, std::string(), false);
  return true;
}

bool TCustomHexView::TypeCharacter(Byte ch) {
  const int translated = TranslateFromAnsiChar(ch);
  if (translated < 32) return false;
  const THexViewData& d = *data_;
  const Integer size = DataSize();
  const Integer a = d.CaretIndex();
  const Integer unit = std::max(1, BytesPerUnit());
  const bool insert = GetInsertMode();
  if (!insert) ResetSelection(true);
  const bool hasSelection = d.HasSelection();
  const uint16_t wide = static_cast<uint16_t>(ch);
  // The new unit: the byte, or the 16-bit character in unicode display.
  std::vector<Byte> bytes(static_cast<size_t>(unit), 0);
  if (UnicodeChars()) {
    bytes[0] = static_cast<Byte>(UnicodeBigEndian() ? wide >> 8 : wide & 0xFF);
    if (unit > 1) bytes[1] = static_cast<Byte>(UnicodeBigEndian() ? wide & 0xFF : wide >> 8);
  } else {
    bytes[0] = static_cast<Byte>(translated);
  }
  const int col = Col(), row = Row();
  if (insert && !hasSelection) {
    if (a == size)
      AppendBuffer(bytes.data(), unit, std::string(), true);
    else if (a % unit != 0)
      IntChangeByte(d.GetDataAt(a), static_cast<Byte>(translated), a, col, row, std::string());
    else
      InsertBuffer(bytes.data(), unit, a, std::string(), false);
  } else if (insert) {
    ReplaceSelection(bytes.data(), unit, std::string(), false);
  } else if (UnicodeChars()) {
    IntChangeWideChar(WideCharAt(a), wide, a, col, row, std::string());
  } else {
    IntChangeByte(d.GetDataAt(a), static_cast<Byte>(translated), a, col, row, std::string());
  }
  return true;
}

uint16_t TCustomHexView::WideCharAt(Integer index) const {
  // The character counts as 0 at (or one byte before) the end.
  if (index + 1 >= DataSize()) return 0;
  const Byte b0 = GetDataAt(index), b1 = GetDataAt(index + 1);
  return UnicodeBigEndian() ? static_cast<uint16_t>(b0 << 8 | b1)
                            : static_cast<uint16_t>(b1 << 8 | b0);
}
