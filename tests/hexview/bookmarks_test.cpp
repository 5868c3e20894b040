// Bookmarks: toggling, jumping and their shift on insert and delete.
#include <gtest/gtest.h>

#include "hexview/ehexview.h"
#include "tests/hexview/hexdata_test_util.h"

namespace {

using Bytes = std::vector<Byte>;

TEST(HexDataBookmarks, ShiftOnInsertFollowsTheBytes) {
  THexViewData d;
  Fill(d, Bytes(10, 0));
  d.SetBookmarkVals(0, 1, false);
  d.SetBookmarkVals(1, 4, true);
  d.SetBookmarkVals(2, 9, false);  // near the end: must survive the insert
  int notes = 0;
  d.OnBookmarkChanged = [&](THexViewData&) { ++notes; };
  const Bytes add(5, 0xFF);
  d.InsertBuffer(add.data(), 5, 4, "", false);
  EXPECT_EQ(d.GetBookmark(0).Position, 1);
  EXPECT_EQ(d.GetBookmark(1).Position, 9);
  EXPECT_TRUE(d.GetBookmark(1).InCharField);
  EXPECT_EQ(d.GetBookmark(2).Position, 14);
  EXPECT_EQ(notes, 1);
}

TEST(HexDataBookmarks, ShiftOnDeleteAndTheEndRule) {
  THexViewData d;
  Fill(d, Bytes(10, 0));
  d.SetBookmarkVals(0, 8, false);
  d.SetBookmarkVals(1, 2, false);
  d.SetSelection(3, 3, 5);
  d.DeleteSelection("");  // removes 3 bytes: size 7
  EXPECT_EQ(d.GetBookmark(0).Position, 5);
  EXPECT_EQ(d.GetBookmark(1).Position, 2);
  d.AdjustBookmarks(0, 2, d.DataSize());  // 5 -> 7 == DataSize: stays
  EXPECT_EQ(d.GetBookmark(0).Position, 7);
  d.AdjustBookmarks(0, 1, d.DataSize());  // beyond: unset
  EXPECT_EQ(d.GetBookmark(0).Position, -1);
  EXPECT_EQ(d.GetBookmark(1).Position, 5);  // 2 -> 4 -> 5: still inside
}

TEST(HexDataBookmarks, ShiftAfterAReplacedRange) {
  THexViewData d;
  Fill(d, Bytes(10, 0));
  d.SetBookmarkVals(0, 3, false);  // the byte right after the replaced range
  d.SetBookmarkVals(1, 1, false);  // before it
  d.SetSelection(1, 1, 2);
  const Bytes four(4, 0xEE);
  d.ReplaceSelection(four.data(), 4, "", false);
  EXPECT_EQ(d.GetBookmark(0).Position, 5);
  EXPECT_EQ(d.GetBookmark(1).Position, 1);
}

TEST(HexDataBookmarks, UnsetBookmarksAndGroupedEditsAreNotShifted) {
  THexViewData d;
  Fill(d, Bytes(6, 0));
  d.SetBookmarkVals(4, 3, false);
  d.UndoBeginUpdate();
  const Byte b = 1;
  d.InsertBuffer(&b, 1, 0, "", false);
  d.UndoEndUpdate();
  EXPECT_EQ(d.GetBookmark(4).Position, 3);
  EXPECT_EQ(d.GetBookmark(5).Position, -1);
}

TEST(HexDataBookmarks, SettingTheSameValueToggles) {
  THexViewData d;
  Fill(d, Bytes(6, 0));
  d.SetBookmarkVals(3, 2, false);
  EXPECT_EQ(d.GetBookmark(3), (THVBookmark{2, false}));
  d.SetBookmarkVals(3, 2, true);  // another field: set anew
  EXPECT_EQ(d.GetBookmark(3), (THVBookmark{2, true}));
  d.SetBookmarkVals(3, 2, true);
  EXPECT_EQ(d.GetBookmark(3).Position, -1);
}

TEST(HexDataBookmarks, InvalidIndexIsRefused) {
  THexViewData d;
  for (Integer i : {10, -1}) {
    try {
      d.SetBookmarkVals(i, 0, false);
      FAIL();
    } catch (const EHexView& e) {
      EXPECT_STREQ(e.what(), "Invalid bookmark index");
    }
  }
  EXPECT_THROW(d.GetBookmark(10), EHexView);
  EXPECT_THROW(d.GotoBookmark(12), EHexView);
}

TEST(HexDataBookmarks, GotoMovesTheCaretOrUnsetsAStaleBookmark) {
  THexViewData d;
  Fill(d, Bytes(8, 0));
  int moves = 0;
  d.OnCaretMoved = [&](THexViewData&) { ++moves; };
  EXPECT_FALSE(d.GotoBookmark(0));
  d.SetBookmarkVals(0, 5, true);
  d.SetSelection(1, 1, 2);
  EXPECT_TRUE(d.GotoBookmark(0));
  EXPECT_EQ(d.CaretIndex(), 5);
  EXPECT_TRUE(d.CaretInCharField());
  EXPECT_FALSE(d.HasSelection());
  EXPECT_EQ(moves, 1);
  d.SetBookmarkVals(1, 8, false);  // the insert position, valid only in insert mode
  EXPECT_FALSE(d.GotoBookmark(1));
  EXPECT_EQ(d.GetBookmark(1).Position, -1);
  d.SetBookmarkVals(1, 8, false);
  d.SetInsertMode(true);
  EXPECT_TRUE(d.GotoBookmark(1));
  EXPECT_EQ(d.CaretIndex(), 8);
}

}  // namespace
