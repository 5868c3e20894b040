// The grid's shape and the mapping between byte indices and cells.
#include <gtest/gtest.h>

#include "hexview/thvcelllayout.h"

namespace {

TEST(HexDataCellLayout, ColumnsFollowBytesPerRowAndUnicodeDisplay) {
  struct Case {
    Integer perRow;
    bool unicode;
    int lastHex, separator, firstChar, charColumns, columns;
  };
  const Case cases[] = {
      {8, false, 17, 18, 19, 8, 27},  // the program's view: 27 columns
      {16, false, 33, 34, 35, 16, 51}, {1, false, 3, 4, 5, 1, 6},
      {16, true, 33, 34, 35, 8, 43},   {2, true, 5, 6, 7, 1, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.perRow << (c.unicode ? " unicode" : ""));
    const THVCellLayout l(c.perRow, c.unicode);
    EXPECT_EQ(l.HexColumnCount(), 2 * c.perRow);
    EXPECT_EQ(l.LastHexColumn(), c.lastHex);
    EXPECT_EQ(l.SeparatorColumn(), c.separator);
    EXPECT_EQ(l.FirstCharColumn(), c.firstChar);
    EXPECT_EQ(l.CharColumnCount(), c.charColumns);
    EXPECT_EQ(l.ColumnCount(), c.columns);
    EXPECT_EQ(l.LastCharColumn(), c.columns - 1);
    EXPECT_FALSE(l.IsFieldColumn(l.SeparatorColumn()));
    EXPECT_FALSE(l.IsFieldColumn(1));
    EXPECT_FALSE(l.IsFieldColumn(c.columns));
    EXPECT_TRUE(l.IsFieldColumn(2));
    EXPECT_TRUE(l.IsFieldColumn(c.columns - 1));
    EXPECT_FALSE(l.InCharField(c.separator));
    EXPECT_TRUE(l.InCharField(c.firstChar));
  }
}

TEST(HexDataCellLayout, ByteIndexAndCellMapBothWays) {
  struct Case {
    Integer perRow;
    bool unicode;
    Integer index;
    bool inChar, second;
    THVCell cell;
    Integer back;  // the index the cell names
  };
  const Case cases[] = {
      {8, false, 0, false, false, {2, 2}, 0},
      {8, false, 0, false, true, {3, 2}, 0},
      {8, false, 7, false, true, {17, 2}, 7},     // last byte of the first row
      {8, false, 8, false, false, {2, 3}, 8},     // first byte of the second row
      {8, false, 63, false, false, {16, 9}, 63},  // last byte of the last row
      {8, false, 63, true, false, {26, 9}, 63},
      {8, false, 9, true, true, {20, 3}, 9},  // the second digit means nothing there
      {16, false, 17, true, false, {36, 3}, 17},
      {16, false, 31, false, true, {33, 3}, 31},
      {16, true, 4, true, false, {37, 2}, 4},
      {16, true, 5, true, false, {37, 2}, 4},  // a character column names its first byte
      {16, true, 5, false, true, {13, 2}, 5},
      {1, false, 3, false, false, {2, 5}, 3},
      {1, false, 3, true, false, {5, 5}, 3},
      {8, false, -1, false, false, {2, 2}, 0},  // a negative index: the first cell
      {8, false, -1, true, false, {2, 2}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.perRow << (c.unicode ? " unicode " : " ") << c.index
                                    << (c.inChar ? " char" : " hex") << (c.second ? " 2nd" : ""));
    const THVCellLayout l(c.perRow, c.unicode);
    EXPECT_EQ(l.CellOf(c.index, c.inChar, c.second), c.cell);
    EXPECT_EQ(l.IndexAt(c.cell.Col, c.cell.Row), c.back);
    EXPECT_EQ(l.RowOf(c.back), c.cell.Row);
  }
}

TEST(HexDataCellLayout, FixedCellsAndTheSeparatorNameNoNegativeIndex) {
  const THVCellLayout l(8, false);
  EXPECT_EQ(l.IndexAt(0, 0), 0);
  EXPECT_EQ(l.IndexAt(1, 2), 0);
  EXPECT_EQ(l.IndexAt(0, 3), 7);  // the gutter of row 3: one before the row's first byte
  EXPECT_EQ(l.IndexAt(l.SeparatorColumn(), 2), 8);
  EXPECT_TRUE(THVCellLayout::IsFixedColumn(1));
  EXPECT_FALSE(THVCellLayout::IsFixedColumn(2));
  EXPECT_TRUE(THVCellLayout::IsFixedRow(1));
  EXPECT_TRUE(THVCellLayout::IsDataRow(2));
}

TEST(HexDataCellLayout, CounterpartColumns) {
  struct Case {
    Integer perRow;
    bool unicode;
    int col, other;
  };
  const Case cases[] = {
      {8, false, 2, 19}, {8, false, 3, 19},  {8, false, 17, 26}, {8, false, 18, 27},
      {8, false, 19, 2}, {8, false, 26, 16}, {16, true, 2, 35},  {16, true, 5, 35},
      {16, true, 6, 36}, {16, true, 35, 2},  {16, true, 42, 30}, {1, false, 4, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.perRow << (c.unicode ? " unicode " : " ") << c.col);
    EXPECT_EQ(THVCellLayout(c.perRow, c.unicode).OtherFieldColumn(c.col), c.other);
  }
}

TEST(HexDataCellLayout, RowsOfTheData) {
  struct Case {
    Integer perRow, size;
    bool insert;
    int rows;
  };
  const Case cases[] = {
      {8, 0, false, 3},   {8, 0, true, 3},   {8, 64, false, 10}, {8, 64, true, 11},
      {8, 65, false, 11}, {8, 65, true, 11}, {16, 1, false, 3},  {1, 5, true, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.perRow << " " << c.size << (c.insert ? " insert" : ""));
    EXPECT_EQ(THVCellLayout(c.perRow, false).RowCount(c.size, c.insert), c.rows);
  }
  const THVCellLayout l(8, false);
  EXPECT_EQ(l.RowStart(2), 0);
  EXPECT_EQ(l.RowEnd(2), 7);
  EXPECT_EQ(l.RowStart(9), 56);
  EXPECT_EQ(l.RowEnd(9), 63);
  EXPECT_EQ(THVCellLayout(256, false).RowStart(8388610), Int64{2147483648});  // no overflow
}

TEST(HexDataCellLayout, DigitsUnitsAndGroups) {
  EXPECT_FALSE(THVCellLayout::IsSecondDigit(2));
  EXPECT_TRUE(THVCellLayout::IsSecondDigit(3));
  EXPECT_FALSE(THVCellLayout::IsSecondDigit(4));
  struct Case {
    int col;
    Integer bytes;
    bool startsUnit;
    int group;
    bool endsGroup;
  };
  const Case cases[] = {
      {2, 1, true, 0, false}, {3, 1, false, 0, true},  {4, 1, true, 1, false},
      {2, 2, true, 0, false}, {4, 2, false, 0, false}, {5, 2, false, 0, true},
      {6, 2, true, 1, false}, {9, 4, false, 0, true},  {10, 4, true, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "column " << c.col << ", " << c.bytes << " bytes");
    EXPECT_EQ(THVCellLayout::StartsUnit(c.col, c.bytes), c.startsUnit);
    EXPECT_EQ(THVCellLayout::HexGroup(c.col, c.bytes), c.group);
    EXPECT_EQ(THVCellLayout::EndsGroup(c.col, c.bytes), c.endsGroup);
  }
}

TEST(HexDataCellLayout, EmptyDataCaretCells) {
  const THVCellLayout l(8, false);
  EXPECT_TRUE(l.IsEmptyDataCaretCell(2, 2));
  EXPECT_TRUE(l.IsEmptyDataCaretCell(2, 5));
  EXPECT_TRUE(l.IsEmptyDataCaretCell(19, 2));
  EXPECT_FALSE(l.IsEmptyDataCaretCell(19, 3));
  EXPECT_FALSE(l.IsEmptyDataCaretCell(3, 2));
  EXPECT_FALSE(l.IsEmptyDataCaretCell(20, 2));
}

}  // namespace
