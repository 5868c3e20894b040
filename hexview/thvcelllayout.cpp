// THVCellLayout: the mapping between byte indices and grid cells.
#include "hexview/thvcelllayout.h"

int THVCellLayout::RowCount(Integer dataSize, bool insertMode) const {
  if (dataSize <= 0) return kEmptyRowCount;
  Int64 rows = (static_cast<Int64>(dataSize) + bytesPerRow_ - 1) / bytesPerRow_ + kFirstDataRow;
  if (insertMode && dataSize % bytesPerRow_ == 0) ++rows;  // room for the caret after the data
  return static_cast<int>(rows);
}

int THVCellLayout::ByteInRow(int col) const {
  if (InCharField(col)) return CharColumnIndex(col) * BytesPerCharColumn();
  return HexColumnIndex(col) / kDigitsPerByte;  // truncating: the fixed columns give 0 or -1
}

Integer THVCellLayout::IndexAt(int col, int row) const {
  const Int64 index = ByteInRow(col) + RowStart(row);
  return index < 0 ? 0 : static_cast<Integer>(index);
}

THVCell THVCellLayout::CellOf(Integer index, bool inCharField, bool secondDigit) const {
  const int second = !inCharField && secondDigit ? 1 : 0;
  if (index < 0) return THVCell{kFirstHexColumn + second, kFirstDataRow};
  const int inRow = index % bytesPerRow_;
  const int row = RowOf(index);
  if (inCharField) return THVCell{CharColumn(inRow / BytesPerCharColumn()), row};
  return THVCell{HexColumn(inRow * kDigitsPerByte + second), row};
}

int THVCellLayout::OtherFieldColumn(int col) const {
  const int digitsPerCharColumn = kDigitsPerByte * BytesPerCharColumn();
  if (!InCharField(col)) return CharColumn(HexColumnIndex(col) / digitsPerCharColumn);
  return HexColumn(digitsPerCharColumn * CharColumnIndex(col));
}
