// THVCellLayout: where the hex view puts the bytes on its grid, in plain
// numbers: which columns and rows hold the gutter, the ruler, the hex
// digits, the separator and the characters, and the mapping between a byte
// index and its cell both ways. It is made from the two settings the shape
// depends on (BytesPerRow and whether the character field shows 16-bit
// characters) whenever it is needed, so the shape is written down here
// once and the widget asks this class every cell question.
//
// With H = 2 x BytesPerRow, the number of hex-digit columns:
//   column 0           offset gutter (fixed)
//   column 1           spacer (fixed)
//   columns 2..H+1     one per hex digit; byte k of a row at 2+2k and 3+2k
//   column H+2         separator between the two fields
//   columns H+3..last  character field, one per byte (per 2 bytes in
//                      unicode display)
//   row 0              ruler (fixed)
//   row 1              fixed
//   rows 2..           data; row r shows the bytes from (r - 2) x BytesPerRow
#pragma once

#include "hexview/hvtypes.h"

struct THVCell {
  int Col = 0;
  int Row = 0;
  friend bool operator==(const THVCell&, const THVCell&) = default;
};

class THVCellLayout {
 public:
  static constexpr int kGutterColumn = 0;
  static constexpr int kSpacerColumn = 1;
  static constexpr int kFirstHexColumn = 2;
  static constexpr int kFixedColumns = 2;
  static constexpr int kRulerRow = 0;
  static constexpr int kSpacerRow = 1;  // fixed, of no height
  static constexpr int kFirstDataRow = 2;
  static constexpr int kFixedRows = 2;
  static constexpr int kDigitsPerByte = 2;
  // Empty data still shows one (empty) data row.
  static constexpr int kEmptyRowCount = kFirstDataRow + 1;

  THVCellLayout(Integer bytesPerRow, bool unicodeChars)
      : bytesPerRow_(bytesPerRow), unicodeChars_(unicodeChars) {}

  Integer BytesPerRow() const { return bytesPerRow_; }
  bool UnicodeChars() const { return unicodeChars_; }
  // Bytes shown by one character column: 2 in unicode display, else 1.
  int BytesPerCharColumn() const { return unicodeChars_ ? 2 : 1; }

  // ---- Columns ----
  int HexColumnCount() const { return kDigitsPerByte * bytesPerRow_; }  // H
  int LastHexColumn() const { return kFirstHexColumn + HexColumnCount() - 1; }
  int SeparatorColumn() const { return kFirstHexColumn + HexColumnCount(); }
  int FirstCharColumn() const { return SeparatorColumn() + 1; }
  int CharColumnCount() const { return bytesPerRow_ / BytesPerCharColumn(); }
  int ColumnCount() const { return FirstCharColumn() + CharColumnCount(); }
  int LastCharColumn() const { return ColumnCount() - 1; }
  // Hex-digit column number i of a row (from 0), and back.
  static int HexColumn(int i) { return kFirstHexColumn + i; }
  static int HexColumnIndex(int col) { return col - kFirstHexColumn; }
  // Character column number j of a row (from 0), and back.
  int CharColumn(int j) const { return FirstCharColumn() + j; }
  int CharColumnIndex(int col) const { return col - FirstCharColumn(); }
  static bool IsFixedColumn(int col) { return col < kFixedColumns; }
  bool InCharField(int col) const { return col > SeparatorColumn(); }
  // A hex-digit or character column (not a fixed one, not the separator).
  bool IsFieldColumn(int col) const {
    return col >= kFirstHexColumn && col < ColumnCount() && col != SeparatorColumn();
  }
  // Hex-digit columns: the byte's second column (its low digit, or its high
  // digit with swapped nibbles).
  static bool IsSecondDigit(int col) { return HexColumnIndex(col) % kDigitsPerByte == 1; }
  // The first column of a unit of unitBytes bytes.
  static bool StartsUnit(int col, Integer unitBytes) {
    return HexColumnIndex(col) % (kDigitsPerByte * unitBytes) == 0;
  }
  // The group of groupBytes bytes a hex-digit column belongs to (from 0),
  // and whether it is the group's last column (a gap follows it).
  static int HexGroup(int col, Integer groupBytes) {
    return HexColumnIndex(col) / (kDigitsPerByte * groupBytes);
  }
  static bool EndsGroup(int col, Integer groupBytes) {
    const int digits = kDigitsPerByte * groupBytes;
    return HexColumnIndex(col) % digits == digits - 1;
  }

  // ---- Rows ----
  // The ruler, the fixed row and the data rows, plus one row for the caret
  // after full data in insert mode.
  int RowCount(Integer dataSize, bool insertMode) const;
  static bool IsFixedRow(int row) { return row < kFixedRows; }
  static bool IsDataRow(int row) { return row >= kFirstDataRow; }
  int RowOf(Integer index) const { return index / bytesPerRow_ + kFirstDataRow; }
  // The index of a row's first byte, and of its last byte.
  Int64 RowStart(int row) const { return static_cast<Int64>(row - kFirstDataRow) * bytesPerRow_; }
  Int64 RowEnd(int row) const { return RowStart(row) + bytesPerRow_ - 1; }

  // ---- Byte index and cell ----
  // A byte's place in its row for a column of either field.
  int ByteInRow(int col) const;
  // The byte index of a cell, 0 where that would be negative.
  Integer IndexAt(int col, int row) const;
  // The cell of a byte in a field, on the second hex digit with
  // secondDigit; a negative index gives the first hex-digit cell.
  THVCell CellOf(Integer index, bool inCharField, bool secondDigit = false) const;
  // The column of the same byte in the other field: the character column
  // for a hex-digit column (or the separator), the byte's first hex-digit
  // column for a character column.
  int OtherFieldColumn(int col) const;
  // With empty data only the first hex-digit column (any row) and the
  // first character cell of the first data row take the caret.
  bool IsEmptyDataCaretCell(int col, int row) const {
    return col == kFirstHexColumn || (row == kFirstDataRow && col == FirstCharColumn());
  }

 private:
  Integer bytesPerRow_;
  bool unicodeChars_;
};
