// Change marks, the insert-mode rule and the modified flag.
#include <gtest/gtest.h>

#include "hexview/thvchangemarks.h"
#include "tests/hexview/hexdata_test_util.h"

namespace {

TEST(HexDataMarks, BitSetGrowsOnlyWhenSettingAndCutsCleanly) {
  THVChangeMarks m;
  m.Set(5, false);
  EXPECT_EQ(m.Length(), 0);
  m.Set(70, true);
  EXPECT_EQ(m.Length(), 71);
  EXPECT_TRUE(m.Get(70));
  EXPECT_FALSE(m.Get(69));
  EXPECT_FALSE(m.Get(500));
  m.Set(3, true);
  m.CutAt(4);
  EXPECT_EQ(m.Length(), 4);
  EXPECT_TRUE(m.Get(3));
  // Bits cut away must not come back when the set grows again.
  m.Set(69, true);
  EXPECT_FALSE(m.Get(70));
  EXPECT_EQ(m.CountSet(), 2);
  m.CutAt(100);  // longer than the set: nothing
  EXPECT_EQ(m.Length(), 70);
}

TEST(HexDataMarks, InsertModeHidesMarksAndSwitchingEmptiesThem) {
  THexViewData d;
  Fill(d, std::vector<Byte>(8, 0));
  d.SetChanged(2, true);
  d.SetChanged(5, true);
  EXPECT_TRUE(d.HasChanged(2));
  d.SetInsertMode(true);
  ASSERT_TRUE(d.GetInsertMode());
  for (Integer i = 0; i < 8; ++i) EXPECT_FALSE(d.HasChanged(i));
  d.SetChanged(1, true);  // a write in insert mode only empties the set
  EXPECT_FALSE(d.HasChanged(1));
  d.SetInsertMode(false);
  for (Integer i = 0; i < 8; ++i) EXPECT_FALSE(d.HasChanged(i)) << i;
  EXPECT_EQ(d.ChangeMarks().Length(), 0);
}

TEST(HexDataMarks, InsertModePolicy) {
  THexViewData d;
  Fill(d, std::vector<Byte>(4, 0));
  d.SetReadOnlyView(true);
  d.SetInsertMode(true);  // not possible: ignored
  EXPECT_FALSE(d.InsertMode());
  d.SetReadOnlyView(false);
  d.SetInsertMode(true);
  EXPECT_TRUE(d.GetInsertMode());
  d.SetCaret(4, false, false);  // after the data
  d.SetAllowInsertMode(false);
  EXPECT_FALSE(d.InsertMode());
  EXPECT_EQ(d.CaretIndex(), 3);  // back onto the last byte
  d.SetAllowInsertMode(true);
  d.SetInsertMode(true);
  d.SetNoSizeChange(true);
  EXPECT_FALSE(d.InsertMode());
  EXPECT_FALSE(d.IsInsertModePossible());
}

TEST(HexDataMarks, TypedByteIsMarkedOnlyInOverwriteMode) {
  THexViewData d;
  Fill(d, {0x12, 0x34});
  d.IntChangeByte(0x12, 0xA2, 0, "");
  EXPECT_TRUE(d.HasChanged(0));
  EXPECT_FALSE(d.HasChanged(1));
  d.IntChangeByte(0x34, 0x34, 1, "");  // equal: nothing
  EXPECT_EQ(d.UndoStorage().Count(), 1);
  d.SetInsertMode(true);
  d.IntChangeByte(0x34, 0x99, 1, "");
  EXPECT_EQ(d.GetDataAt(1), 0x99);
  EXPECT_EQ(d.ChangeMarks().Length(), 0);
}

TEST(HexDataMarks, WideCharMarksOnlyTheBytesThatDiffer) {
  THexViewData d;
  Fill(d, {0x41, 0x00, 0x42, 0x00});
  d.SetUnicodeChars(true);
  d.SetChanged(1, true);
  d.IntChangeWideChar(0x0041, 0x0043, 0, "");  // low byte first: 43 00
  EXPECT_EQ(d.GetDataAt(0), 0x43);
  EXPECT_EQ(d.GetDataAt(1), 0x00);
  EXPECT_TRUE(d.HasChanged(0));
  EXPECT_FALSE(d.HasChanged(1));  // unchanged byte loses its mark
  d.SetUnicodeBigEndian(true);
  d.IntChangeWideChar(0x4200, 0x4201, 2, "");  // high byte first: 42 01
  EXPECT_EQ(d.GetDataAt(2), 0x42);
  EXPECT_EQ(d.GetDataAt(3), 0x01);
  EXPECT_FALSE(d.HasChanged(2));
  EXPECT_TRUE(d.HasChanged(3));
}

TEST(HexDataMarks, WideCharOnTheLastOddByteStaysInsideTheData) {
  THexViewData d;
  Fill(d, {0x41, 0x00, 0x42});
  d.IntChangeWideChar(0x0042, 0x7743, 2, "");
  EXPECT_EQ(d.DataSize(), 3);
  EXPECT_EQ(d.GetDataAt(2), 0x43);
  THVUndoEntry e;
  ASSERT_TRUE(d.UndoStorage().ReadNewest(e));
  EXPECT_EQ(e.Count, 1);
}

TEST(HexDataMarks, ShrinkAndEditsCutMarks) {
  THexViewData d;
  Fill(d, std::vector<Byte>(10, 0));
  d.SetChanged(2, true);
  d.SetChanged(8, true);
  d.SetDataSize(6);
  EXPECT_FALSE(d.HasChanged(8));
  EXPECT_TRUE(d.HasChanged(2));
  const Byte b = 7;
  d.InsertBuffer(&b, 1, 1, "", false);
  EXPECT_FALSE(d.HasChanged(2));  // marks from the insert position on are dropped
}

TEST(HexDataMarks, ClearingModifiedEmptiesUndoAndMarks) {
  THexViewData d;
  Fill(d, {1, 2, 3});
  d.IntChangeByte(1, 5, 0, "");
  ASSERT_TRUE(d.GetModified());
  int repaints = 0;
  d.OnRepaint = [&](THexViewData&) { ++repaints; };
  d.SetModified(false);
  EXPECT_FALSE(d.GetModified());
  EXPECT_EQ(d.UndoStorage().Count(), 0);
  EXPECT_EQ(d.GetUndoDescription(), "No Undo");
  EXPECT_EQ(d.ChangeMarks().Length(), 0);
  EXPECT_GT(repaints, 0);
  d.SetModified(true);
  EXPECT_TRUE(d.GetModified());
}

}  // namespace
