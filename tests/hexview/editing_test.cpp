// Editing primitives: insert, append, replace, delete, convert, text access.
#include <gtest/gtest.h>

#include "hexview/ehexview.h"
#include "tests/hexview/hexdata_test_util.h"

namespace {

using Bytes = std::vector<Byte>;

THVUndoEntry Newest(const THexViewData& d) {
  THVUndoEntry e;
  EXPECT_TRUE(d.UndoStorage().ReadNewest(e));
  return e;
}

TEST(HexDataInsert, InsertsSelectsAndMovesCaret) {
  THexViewData d;
  Fill(d, {1, 2, 3, 4});
  int changes = 0;
  d.OnChange = [&](THexViewData&) { ++changes; };
  const Bytes add = {0xA, 0xB};
  d.InsertBuffer(add.data(), 2, 1, "Paste", true);
  EXPECT_EQ(Contents(d), (Bytes{1, 0xA, 0xB, 2, 3, 4}));
  EXPECT_EQ(d.Selection(), (THVSelection{1, 1, 2}));
  EXPECT_EQ(d.CaretIndex(), 2);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(d.ModifiedFlag());
  const THVUndoEntry e = Newest(d);
  EXPECT_EQ(e.Kind(), ufKindInsertBuffer);
  EXPECT_EQ(e.Pos, 1);
  EXPECT_EQ(e.Count, 2);
  EXPECT_EQ(d.GetUndoDescription(), "Paste");
}

TEST(HexDataInsert, BytesTakenFromTheBufferItselfSurviveGrowth) {
  THexViewData d;
  Bytes start(4096);
  for (size_t i = 0; i < start.size(); ++i) start[i] = static_cast<Byte>(i * 7);
  Fill(d, start);
  d.InsertBuffer(d.GetFastPointer(), 4096, 0, "", false);
  Bytes expect = start;
  expect.insert(expect.end(), start.begin(), start.end());
  EXPECT_EQ(Contents(d), expect);
  d.SetSelection(0, 0, 9);  // replace the first ten bytes by the ten after them
  d.ReplaceSelection(d.GetFastPointer() + 10, 10, "", false);
  ASSERT_EQ(d.DataSize(), 8192);
  EXPECT_TRUE(std::equal(expect.begin() + 10, expect.begin() + 20, d.GetFastPointer()));
  EXPECT_TRUE(std::equal(expect.begin() + 10, expect.end(), d.GetFastPointer() + 10));
}

TEST(HexDataInsert, PositionOutsideTheDataIsRefusedBeforeRecording) {
  THexViewData d;
  Fill(d, {1, 2});
  const Byte b = 9;
  EXPECT_THROW(d.InsertBuffer(&b, 1, 3, "", false), EHexView);
  EXPECT_THROW(d.InsertBuffer(&b, 1, -1, "", false), EHexView);
  EXPECT_EQ(d.UndoStorage().Count(), 0);
  EXPECT_EQ(Contents(d), (Bytes{1, 2}));
}

TEST(HexDataInsert, FixedSizeRefusesSizeChangingEdits) {
  THexViewData d;
  Fill(d, {1, 2, 3});
  d.SetNoSizeChange(true);
  const Byte b = 9;
  for (auto edit : std::vector<std::function<void()>>{
           [&] { d.InsertBuffer(&b, 1, 0, "", false); }, [&] { d.AppendBuffer(&b, 1, "", false); },
           [&] { d.DeleteSelection(""); }, [&] { d.InsertNibble(0, true, ""); },
           [&] { d.DeleteNibble(0, true, ""); }}) {
    try {
      edit();
      FAIL() << "edit allowed under a fixed size";
    } catch (const EHexView& e) {
      EXPECT_STREQ(e.what(), "Cannot update undo storage");
    }
  }
  EXPECT_EQ(Contents(d), (Bytes{1, 2, 3}));
  EXPECT_EQ(d.UndoStorage().Count(), 0);
  EXPECT_FALSE(d.ModifiedFlag());
}

TEST(HexDataAppend, AppendsAtTheEndAndSelects) {
  THexViewData d;
  Fill(d, {1, 2});
  d.SetChanged(1, true);
  const Bytes add = {7, 8, 9};
  d.AppendBuffer(add.data(), 3, "", true);
  EXPECT_EQ(Contents(d), (Bytes{1, 2, 7, 8, 9}));
  EXPECT_EQ(d.Selection(), (THVSelection{2, 2, 4}));
  EXPECT_EQ(d.CaretIndex(), 2);
  EXPECT_TRUE(d.HasChanged(1));  // marks before the old end stay
  const THVUndoEntry e = Newest(d);
  EXPECT_EQ(e.Kind(), ufKindAppendBuffer);
  EXPECT_EQ(e.Pos, 2);
  EXPECT_EQ(e.Count, 3);
}

TEST(HexDataAppend, NothingForAnAbsentBufferOrZeroCount) {
  THexViewData d;
  Fill(d, {1});
  const Byte b = 5;
  d.AppendBuffer(nullptr, 4, "", true);
  d.AppendBuffer(&b, 0, "", true);
  EXPECT_EQ(d.DataSize(), 1);
  EXPECT_EQ(d.UndoStorage().Count(), 0);
  EXPECT_FALSE(d.ModifiedFlag());
}

TEST(HexDataReplace, ReplacesTheSelectionWithAnotherLength) {
  THexViewData d;
  Fill(d, {1, 2, 3, 4, 5});
  d.SetSelection(1, 1, 2);
  const Bytes add = {0xA, 0xB, 0xC};
  d.ReplaceSelection(add.data(), 3, "", true);
  EXPECT_EQ(Contents(d), (Bytes{1, 0xA, 0xB, 0xC, 4, 5}));
  EXPECT_EQ(d.Selection(), (THVSelection{3, 1, 3}));
  EXPECT_EQ(d.CaretIndex(), 3);
  const THVUndoEntry e = Newest(d);
  EXPECT_EQ(e.Kind(), ufKindReplace);
  EXPECT_EQ(e.Pos, 1);
  EXPECT_EQ(e.Count, 3);
  EXPECT_EQ(e.ReplaceCount, 2);
  EXPECT_EQ(e.Data, (Bytes{2, 3}));
}

TEST(HexDataReplace, FixedSizeKeepsTheLength) {
  THexViewData d;
  Fill(d, {1, 2, 3, 4, 5});
  d.SetNoSizeChange(true);
  d.SetSelection(1, 1, 2);
  const Bytes longer = {0xA, 0xB, 0xC};
  d.ReplaceSelection(longer.data(), 3, "", false);
  EXPECT_EQ(Contents(d), (Bytes{1, 0xA, 0xB, 4, 5}));
  d.SetSelection(0, 0, 3);
  const Byte shorter = 0xF;
  d.ReplaceSelection(&shorter, 1, "", false);  // the selection shrinks to one byte
  EXPECT_EQ(Contents(d), (Bytes{0xF, 0xA, 0xB, 4, 5}));
  EXPECT_EQ(Newest(d).ReplaceCount, 1);
}

TEST(HexDataReplace, WithoutSelectionInsertsAtTheCaret) {
  THexViewData d;
  Fill(d, {1, 2});
  d.SetCaret(1, false, false);
  const Byte b = 9;
  d.ReplaceSelection(&b, 1, "", false);
  EXPECT_EQ(Contents(d), (Bytes{1, 9, 2}));
  EXPECT_EQ(Newest(d).Kind(), ufKindInsertBuffer);
}

TEST(HexDataDelete, DeletesSelectionOrCaretByte) {
  THexViewData d;
  Fill(d, {1, 2, 3, 4, 5});
  d.SetSelection(1, 1, 3);
  d.DeleteSelection("Cut");
  EXPECT_EQ(Contents(d), (Bytes{1, 5}));
  EXPECT_FALSE(d.HasSelection());
  EXPECT_EQ(d.CaretIndex(), 1);
  THVUndoEntry e = Newest(d);
  EXPECT_EQ(e.Kind(), ufKindByteRemoved);
  EXPECT_EQ(e.Data, (Bytes{2, 3, 4}));
  d.SetCaret(1, false, false);
  d.DeleteSelection("");
  EXPECT_EQ(Contents(d), (Bytes{1}));
  EXPECT_EQ(d.CaretIndex(), 0);  // was beyond the end: back onto the last byte
}

TEST(HexDataDelete, NothingUnderACaretAfterTheData) {
  THexViewData d;
  Fill(d, {1, 2});
  d.SetInsertMode(true);
  d.SetCaret(2, false, false);
  d.DeleteSelection("");
  EXPECT_EQ(Contents(d), (Bytes{1, 2}));
  EXPECT_EQ(d.UndoStorage().Count(), 0);
}

TEST(HexDataConvert, ConvertsBetweenTranslations) {
  THexViewData d;
  Fill(d, {'A', 'B', ' ', '0'});
  d.ConvertRange(0, 3, tkAsIs, tkBCD, "");
  EXPECT_EQ(Contents(d), (Bytes{0xC1, 0xC2, 0x40, 0xF0}));
  const THVUndoEntry e = Newest(d);
  EXPECT_EQ(e.Kind(), ufKindConvert);
  EXPECT_EQ(e.Data, (Bytes{'A', 'B', ' ', '0'}));
  d.ConvertRange(1, 2, tkBCD, tkAsIs, "");
  EXPECT_EQ(Contents(d), (Bytes{0xC1, 'B', ' ', 0xF0}));
}

TEST(HexDataConvert, IgnoresBadRanges) {
  THexViewData d;
  Fill(d, {'A', 'B'});
  d.ConvertRange(1, 0, tkAsIs, tkBCD, "");
  d.ConvertRange(0, 2, tkAsIs, tkBCD, "");
  d.ConvertRange(-1, 1, tkAsIs, tkBCD, "");
  d.ConvertRange(0, 1, tkMac, tkMac, "");
  EXPECT_EQ(Contents(d), (Bytes{'A', 'B'}));
  EXPECT_EQ(d.UndoStorage().Count(), 0);
}

TEST(HexDataText, TextAndHexAccessors) {
  THexViewData d;
  d.SetAsHex("de AD be-ef 1");  // a last unpaired digit is dropped
  EXPECT_EQ(Contents(d), (Bytes{0xDE, 0xAD, 0xBE, 0xEF}));
  EXPECT_EQ(d.GetAsHex(), "DEADBEEF");
  d.SetSwapNibbles(true);
  EXPECT_EQ(d.GetAsHex(), "EDDAEBFE");
  d.SetSwapNibbles(false);
  d.SetSelection(1, 1, 2);
  EXPECT_EQ(d.GetSelectionAsHex(), "ADBE");
  d.SetSelectionAsText("xyz");
  EXPECT_EQ(d.GetAsText(), std::string("\xDE"
                                       "xyz\xEF"));
  d.SetTranslation(tkBCD);
  d.SetAsText("A1");
  EXPECT_EQ(Contents(d), (Bytes{0xC1, 0xF1}));
  d.ResetSelection(false);
  EXPECT_EQ(d.GetSelectionAsText(), "");
}

}  // namespace
