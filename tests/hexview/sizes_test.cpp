// Buffer size changes, the fixed-size rule and the plain accessors.
#include <gtest/gtest.h>

#include "hexview/ehexview.h"
#include "tests/hexview/hexdata_test_util.h"

namespace {

using Bytes = std::vector<Byte>;

TEST(HexDataSizes, FirstSizeChangeGivesZeroBytesAndOneAppendEntry) {
  THexViewData d;
  d.SetDataSize(64);
  EXPECT_EQ(Contents(d), Bytes(64, 0));
  EXPECT_EQ(d.ChangeMarks().Length(), 0);
  EXPECT_EQ(d.UndoStorage().Count(), 1);
  EXPECT_EQ(d.GetUndoDescription(), "Append Buffer");
  EXPECT_TRUE(d.GetModified());
  const Bytes before = d.UndoStorage().Bytes();
  d.SetDataSize(64);  // the same size: nothing at all
  EXPECT_EQ(d.UndoStorage().Bytes(), before);
}

TEST(HexDataSizes, SetDataAtTouchesOnlyTheByte) {
  THexViewData d;
  Fill(d, Bytes(8, 0));
  int notes = 0;
  d.OnRepaint = d.OnChange = [&](THexViewData&) { ++notes; };
  d.SetDataAt(3, 0x5A);
  d.SetMemory(4, 0x11);
  EXPECT_EQ(d.GetDataAt(3), 0x5A);
  EXPECT_EQ(d.GetMemory(4), 0x11);
  EXPECT_EQ(d.ChangeMarks().Length(), 0);
  EXPECT_EQ(d.UndoStorage().Count(), 0);
  EXPECT_FALSE(d.ModifiedFlag());
  EXPECT_EQ(notes, 0);
}

TEST(HexDataSizes, FixedSizeAllowsOnlyToAndFromEmpty) {
  THexViewData d;
  d.SetNoSizeChange(true);
  d.SetDataSize(64);
  d.SetDataSize(0);
  d.SetDataSize(64);
  EXPECT_EQ(d.DataSize(), 64);
  const Integer entries = d.UndoStorage().Count();
  try {
    d.SetDataSize(32);
    FAIL() << "fixed size changed";
  } catch (const EHexView& e) {
    EXPECT_STREQ(e.what(), "Cannot change fixed filesize");
  }
  EXPECT_EQ(d.DataSize(), 64);
  EXPECT_EQ(d.UndoStorage().Count(), entries);
  EXPECT_TRUE(d.IsFileSizeFixed());
  EXPECT_THROW(d.SetDataSize(-1), EHexView);
}

TEST(HexDataSizes, ShrinkSavesRemovedBytesAndMovesCaret) {
  THexViewData d;
  Fill(d, {1, 2, 3, 4, 5, 6, 7, 8});
  d.SetCaret(7, true, false);
  d.SetSelection(6, 6, 7);
  d.SetDataSize(5);
  EXPECT_EQ(Contents(d), (Bytes{1, 2, 3, 4, 5}));
  EXPECT_EQ(d.CaretIndex(), 4);
  EXPECT_TRUE(d.CaretInCharField());
  EXPECT_FALSE(d.HasSelection());
  THVUndoEntry e;
  ASSERT_TRUE(d.UndoStorage().ReadNewest(e));
  EXPECT_EQ(e.Kind(), ufKindByteRemoved);
  EXPECT_EQ(e.Pos, 5);
  EXPECT_EQ(e.Data, (Bytes{6, 7, 8}));
  EXPECT_EQ(d.GetUndoDescription(), "Remove Data");
}

TEST(HexDataSizes, ShrinkParksCaretAfterDataInInsertModeAndOnZeroWhenEmpty) {
  THexViewData d;
  Fill(d, Bytes(8, 1));
  d.SetInsertMode(true);
  d.SetCaret(8, false, false);
  d.SetDataSize(4);
  EXPECT_EQ(d.CaretIndex(), 4);
  d.SetInsertMode(false);
  d.SetCaret(3, true, false);
  d.SetDataSize(0);
  EXPECT_EQ(d.CaretIndex(), 0);
  EXPECT_TRUE(d.CaretInCharField());
}

TEST(HexDataSizes, ShrinkDropsASelectionThatReachesPastTheEnd) {
  THexViewData d;
  Fill(d, Bytes(16, 1));
  d.SetCaret(0, false, false);
  d.SetSelection(2, 2, 12);
  d.SetDataSize(8);
  EXPECT_FALSE(d.HasSelection());
  EXPECT_EQ(d.GetSelectionAsText(), "");
}

TEST(HexDataSizes, ModifiedNeedsDataOrAnExistingFile) {
  THexViewData d;
  d.SetModified(true);
  EXPECT_FALSE(d.GetModified());  // no data, "---" does not exist
  const std::string path = testing::TempDir() + "hexdata_modified_probe.bin";
  std::fclose(std::fopen(path.c_str(), "wb"));
  d.SetFileName(path);
  EXPECT_TRUE(d.GetModified());
  std::remove(path.c_str());
}

TEST(HexDataSizes, CreateEmptyFileResetsTheDocument) {
  THexViewData d;
  Fill(d, {1, 2, 3});
  d.IntChangeByte(1, 9, 0, "");
  d.ForceReadOnlyFile(false);
  d.SetCaret(2, true, false);
  int changes = 0;
  d.OnChange = [&](THexViewData&) { ++changes; };
  d.CreateEmptyFile("");
  EXPECT_EQ(d.DataSize(), 0);
  EXPECT_EQ(d.FileName(), "Untitled");
  EXPECT_EQ(d.UndoStorage().Count(), 0);
  EXPECT_EQ(d.ChangeMarks().Length(), 0);
  EXPECT_FALSE(d.ModifiedFlag());
  EXPECT_TRUE(d.ReadOnlyFile());
  EXPECT_EQ(d.CaretIndex(), 0);
  EXPECT_FALSE(d.CaretInCharField());
  EXPECT_EQ(changes, 1);
  d.CreateEmptyFile("image.bin");
  EXPECT_EQ(d.FileName(), "image.bin");
}

}  // namespace
