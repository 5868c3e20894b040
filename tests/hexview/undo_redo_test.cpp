// Undo and redo through the data side: the cases named for them, trimming
// over many entries, and what an undo puts back besides the bytes.
#include <gtest/gtest.h>

#include "hexdata_test_util.h"
#include "hexview/thexviewexdata.h"

using Bytes = std::vector<Byte>;

TEST(HexDataUndoSteps, FirstSizeChangeUndoesToNothingAndRedoesOnce) {
  THexViewData d;
  d.SetDataSize(64);
  EXPECT_EQ(d.GetUndoDescription(), "Append Buffer");
  d.Undo();
  EXPECT_EQ(d.DataSize(), 0);
  EXPECT_EQ(d.GetUndoDescription(), "No Undo");
  EXPECT_FALSE(d.ModifiedFlag());
  EXPECT_TRUE(d.Redo());
  EXPECT_EQ(d.DataSize(), 64);
  EXPECT_EQ(d.GetUndoDescription(), "Append Buffer");
  EXPECT_FALSE(d.Redo());
  d.Undo();
  const Byte b = 7;
  d.AppendBuffer(&b, 1, "", false);
  EXPECT_FALSE(d.Redo()) << "a new edit drops the redo record";
}

TEST(HexDataUndoSteps, DescriptionsFollowTheTopEntryAcrossUndo) {
  THexViewData d;
  Fill(d, Bytes(8, 0));
  d.IntChangeByte(0, 1, 0, "");
  d.IntChangeByte(0, 2, 1, "Typed two");
  EXPECT_EQ(d.GetUndoDescription(), "Typed two");
  d.Undo();
  EXPECT_EQ(d.GetUndoDescription(), "Change Byte(s)");
  EXPECT_TRUE(d.Redo());
  EXPECT_EQ(d.GetUndoDescription(), "Typed two");
  EXPECT_EQ(Contents(d), (Bytes{1, 2, 0, 0, 0, 0, 0, 0}));
}

TEST(HexDataUndoSteps, CombinedStepUndoesItsEntriesAndCannotBeRedone) {
  THexViewData d;
  Fill(d, Bytes{1, 2, 3, 4});
  d.IntChangeByte(1, 9, 0, "");
  const Byte x[] = {7, 7};
  d.InsertBuffer(x, 2, 2, "", false);
  d.MoveCaret(0, false);
  d.DeleteSelection("");
  d.CombineUndo(3, "Three at once");
  EXPECT_EQ(d.GetUndoDescription(), "Three at once");
  d.Undo();
  EXPECT_EQ(Contents(d), (Bytes{1, 2, 3, 4}));
  EXPECT_FALSE(d.GetCanRedo());
  EXPECT_FALSE(d.Redo());
  EXPECT_FALSE(d.GetCanUndo());
}

TEST(HexDataUndoSteps, OpenGroupMakesUndoResetTheStorage) {
  THexViewData d;
  Fill(d, Bytes{1, 2});
  d.IntChangeByte(1, 5, 0, "");
  d.UndoBeginUpdate();
  d.Undo();
  EXPECT_EQ(Contents(d), (Bytes{5, 2})) << "nothing is taken back inside a group";
  EXPECT_EQ(d.UndoStorage().Count(), 0);
  EXPECT_EQ(d.UndoStorage().UpdateCount(), 0);
}

TEST(HexDataUndoSteps, SnapshotGroupUndoesAsOneStepWithItsMarks) {
  THexViewExData d;
  Fill(d, Bytes{1, 2, 3, 4});
  d.IntChangeByte(3, 8, 3, "");  // marked before the group
  d.UndoBeginUpdate("Fill");
  for (Integer i = 0; i < 3; ++i) d.IntChangeByte(d.GetDataAt(i), 0xEE, i, "");
  d.UndoEndUpdate();
  EXPECT_EQ(d.GetUndoDescription(), "Fill");
  d.Undo();
  EXPECT_EQ(Contents(d), (Bytes{1, 2, 3, 8}));
  EXPECT_FALSE(d.HasChanged(0));
  EXPECT_TRUE(d.HasChanged(3));
  EXPECT_TRUE(d.Redo());
  EXPECT_EQ(Contents(d), (Bytes{0xEE, 0xEE, 0xEE, 8}));
  EXPECT_TRUE(d.HasChanged(0) && d.HasChanged(2) && d.HasChanged(3));
}

// Trimming drops entries from the front without moving the rest; many
// trims later the entries that are left still undo, newest first, to the
// state before the oldest of them.
TEST(HexDataUndoTrim, ManyTrimsLeaveAWalkableHistoryThatUndoesExactly) {
  THexViewData d;
  Fill(d, Bytes(200, 0));
  d.SetMaxUndo(5000);
  std::vector<Bytes> states{Contents(d)};
  for (int i = 0; i < 3000; ++i) {
    const Integer pos = (i * 37) % 200;
    d.MoveCaret(pos, i % 3 == 0);
    if (i % 5 == 0) d.NewSelection(pos, std::min(199, pos + 3));
    d.IntChangeByte(d.GetDataAt(pos), static_cast<Byte>(i * 11 + 1), pos, i % 7 ? "" : "named");
    states.push_back(Contents(d));
  }
  const THVUndoStorage& u = d.UndoStorage();
  EXPECT_LE(u.Size(), 5000 + 80);
  Int64 offset = 0;
  Integer walked = 0;
  THVUndoEntry e;
  while (u.ReadAt(offset, e)) {
    offset += e.EntrySize;
    ++walked;
  }
  EXPECT_EQ(offset, u.Size());
  EXPECT_EQ(walked, u.Count());
  const Bytes dumped = u.Bytes();
  EXPECT_EQ(dumped.size(), static_cast<size_t>(u.Size()));
  const uint32_t first = LeInt(dumped, 0);
  ASSERT_GE(first, 34u);
  EXPECT_EQ(LeInt(dumped, first - 4), first) << "the dump starts on a whole entry";
  const Integer kept = u.Count();
  ASSERT_GT(kept, 50);
  while (d.GetCanUndo()) d.Undo();
  EXPECT_EQ(Contents(d), states[states.size() - 1 - kept]);
}

// What an undo puts back beyond the bytes.
TEST(HexDataUndoState, BookmarksInsideADeletedRangeReturnToTheirBytes) {
  THexViewData d;
  Fill(d, Bytes(20, 1));
  d.SetBookmarkVals(0, 3, false);   // before the range: untouched
  d.SetBookmarkVals(1, 6, true);    // inside
  d.SetBookmarkVals(2, 15, false);  // after: moved down by the delete
  d.SetSelection(5, 5, 9);
  d.DeleteSelection("");
  EXPECT_EQ(d.GetBookmark(2).Position, 10);
  d.Undo();
  EXPECT_EQ(d.GetBookmark(0).Position, 3);
  EXPECT_EQ(d.GetBookmark(1), (THVBookmark{6, true}));
  EXPECT_EQ(d.GetBookmark(2).Position, 15);
}

TEST(HexDataUndoState, BookmarkUnsetByShrinkingComesBack) {
  THexViewData d;
  Fill(d, Bytes(10, 1));
  d.SetBookmarkVals(4, 9, false);
  d.SetDataSize(4);
  d.MoveCaret(3, false);
  d.SetSelection(3, 2, 3);
  d.DeleteSelection("");
  d.Undo();
  d.Undo();
  EXPECT_EQ(d.GetBookmark(4).Position, 9);
}

TEST(HexDataUndoState, MarksOutsideTheUndoneEditStay) {
  THexViewData d;
  Fill(d, Bytes(10, 0));
  d.IntChangeByte(0, 1, 2, "");
  d.IntChangeByte(0, 1, 8, "");
  d.ConvertRange(4, 5, tkAsIs, tkBCD, "");
  d.Undo();
  EXPECT_TRUE(d.HasChanged(2));
  EXPECT_TRUE(d.HasChanged(8)) << "a convert leaves marks after its range, so does its undo";
  const Byte r[] = {5, 5};
  d.SetSelection(3, 3, 4);
  d.ReplaceSelection(r, 2, "", false);
  d.Undo();
  EXPECT_TRUE(d.HasChanged(2)) << "the byte before a replaced range keeps its mark";
}

TEST(HexDataUndoState, CaretFieldSelectionAndDisplayComeBack) {
  THexViewData d;
  Fill(d, Bytes(16, 0x41));
  d.MoveCaret(5, false, true);
  d.SetSelection(4, 4, 7);
  d.SetTranslation(tkBCD);
  d.IntChangeByte(0x41, 0x42, 5, "");
  d.SetTranslation(tkAsIs);
  d.SetBytesPerUnit(4);
  d.MoveCaret(0, true);
  d.ResetSelection(false);
  d.Undo();
  EXPECT_EQ(d.CaretIndex(), 5);
  EXPECT_FALSE(d.CaretInCharField());
  EXPECT_TRUE(d.CaretOnSecondDigit());
  EXPECT_EQ(d.Selection(), (THVSelection{4, 4, 7}));
  EXPECT_EQ(d.Translation(), tkBCD);
  EXPECT_EQ(d.BytesPerUnit(), 1);
  EXPECT_FALSE(d.ModifiedFlag());
}

TEST(HexDataUndoState, NibbleShiftsUndoExactly) {
  THexViewData d;
  Fill(d, Bytes{0x12, 0x34, 0x56});
  d.InsertNibble(1, true, "");
  EXPECT_EQ(Contents(d), (Bytes{0x12, 0x03, 0x45, 0x60}));
  d.DeleteNibble(0, false, "");
  d.Undo();
  d.Undo();
  EXPECT_EQ(Contents(d), (Bytes{0x12, 0x34, 0x56}));
  EXPECT_TRUE(d.Redo());
  EXPECT_EQ(Contents(d), (Bytes{0x12, 0x03, 0x45, 0x60}));
}
