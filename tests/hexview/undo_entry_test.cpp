// The byte layout of undo entries for each kind of edit.
#include <gtest/gtest.h>

#include "hexview/thexviewexdata.h"
#include "tests/hexview/hexdata_test_util.h"

namespace {

using Bytes = std::vector<Byte>;

// The newest entry's raw bytes.
Bytes NewestRaw(const THexViewData& d) {
  const Bytes& s = d.UndoStorage().Bytes();
  return Bytes(s.end() - LeInt(s, s.size() - 4), s.end());
}

THVUndoFlags Bits(std::initializer_list<THVUndoFlag> flags) {
  THVUndoFlags m = 0;
  for (THVUndoFlag f : flags) m |= UndoFlagBit(f);
  return m;
}

// The head fields as stored: size, flags, caret, pos, count, replace count.
std::vector<uint32_t> Head(const Bytes& e) {
  return {LeInt(e, 0), LeInt(e, 4), LeInt(e, 8), LeInt(e, 12), LeInt(e, 16), LeInt(e, 20)};
}

TEST(HexDataUndoEntry, ChangedByteEntryLayout) {
  THexViewData d;
  Fill(d, {0, 1, 2, 3, 4, 5});
  d.SetCaret(3, false, true);  // second digit
  d.SetChanged(3, true);
  d.IntChangeByte(3, 0xAA, 3, "");
  const Bytes e = NewestRaw(d);
  ASSERT_EQ(e.size(), 35u);  // 34 + one data byte
  EXPECT_EQ(Head(e),
            (std::vector<uint32_t>{
                35, Bits({ufKindBytesChanged, ufFlagByte1Changed, ufFlag2ndByteCol}), 3, 3, 1, 0}));
  EXPECT_EQ(e[24], tkAsIs);
  EXPECT_EQ(LeInt(e, 25), 1u);  // BytesPerUnit
  EXPECT_EQ(e[29], 3);          // the old byte
  EXPECT_EQ(LeInt(e, 31), 35u);
  EXPECT_EQ(d.UndoStorage().Size(), 35);
}

TEST(HexDataUndoEntry, DescriptionSelectionAndStateFlags) {
  THexViewData d;
  Fill(d, {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17});
  d.SetBytesPerUnit(4);
  d.SetTranslation(tkMac);
  d.SetInsertMode(true);
  d.SetModified(true);
  d.SetCaret(6, true, false);
  d.SetSelection(4, 2, 4);
  d.DeleteSelection("Cut");
  const Bytes e = NewestRaw(d);
  // head 29 + data 3 + "Cut" 3 + length 4 + reserved 1 + selection 12 + trailing 4
  ASSERT_EQ(e.size(), 56u);
  EXPECT_EQ(Head(e), (std::vector<uint32_t>{
                         56,
                         Bits({ufKindByteRemoved, ufFlagModified, ufFlagInCharField,
                               ufFlagHasSelection, ufFlagInsertMode, ufFlagHasDescription}),
                         6, 2, 3, 0}));
  EXPECT_EQ(e[24], tkMac);
  EXPECT_EQ(LeInt(e, 25), 4u);
  EXPECT_EQ(Bytes(e.begin() + 29, e.begin() + 32), (Bytes{0x12, 0x13, 0x14}));
  EXPECT_EQ(std::string(e.begin() + 32, e.begin() + 35), "Cut");
  EXPECT_EQ(LeInt(e, 35), 3u);
  EXPECT_EQ(e[39], 0);  // reserved
  EXPECT_EQ((std::vector<uint32_t>{LeInt(e, 40), LeInt(e, 44), LeInt(e, 48), LeInt(e, 52)}),
            (std::vector<uint32_t>{2, 4, 4, 56}));  // low, high, anchor, trailing size

  THVUndoEntry parsed;
  ASSERT_TRUE(d.UndoStorage().ReadNewest(parsed));
  EXPECT_EQ(parsed.Description, "Cut");
  EXPECT_EQ(parsed.Selection, (THVSelection{4, 2, 4}));
  EXPECT_EQ(parsed.Data, (Bytes{0x12, 0x13, 0x14}));
}

TEST(HexDataUndoEntry, UnicodeFlags) {
  THexViewData d;
  Fill(d, {0x41, 0, 0x42, 0});
  d.SetUnicodeChars(true);
  d.SetUnicodeBigEndian(true);
  d.IntChangeWideChar(0x4100, 0x4300, 0, "");
  const Bytes e = NewestRaw(d);
  EXPECT_EQ(LeInt(e, 4), Bits({ufKindBytesChanged, ufFlagIsUnicode, ufFlagIsUnicodeBigEndian}));
  EXPECT_EQ(LeInt(e, 16), 2u);
  EXPECT_EQ(LeInt(e, 25), 2u);
}

TEST(HexDataUndoEntry, DataSavedPerKind) {
  THexViewData d;
  Fill(d, {1, 2, 3, 4, 5});
  const Byte nine = 9;
  d.InsertBuffer(&nine, 1, 2, "", false);  // insert: one zero data byte
  Bytes e = NewestRaw(d);
  EXPECT_EQ(e.size(), 35u);
  EXPECT_EQ(LeInt(e, 4), Bits({ufKindInsertBuffer}));
  EXPECT_EQ(e[29], 0);

  d.ResetSelection(false);
  d.AppendBuffer(&nine, 1, "", false);  // append: Pos = old size
  e = NewestRaw(d);
  EXPECT_EQ(LeInt(e, 12), 6u);
  EXPECT_EQ(e[29], 0);

  d.SetSelection(0, 0, 1);
  const Bytes three = {7, 7, 7};
  d.ReplaceSelection(three.data(), 3, "", false);  // replace: the replaced bytes
  e = NewestRaw(d);
  EXPECT_EQ(LeInt(e, 16), 3u);
  EXPECT_EQ(LeInt(e, 20), 2u);
  EXPECT_EQ(e.size(), 34u + 2 + 12);
  EXPECT_EQ(Bytes(e.begin() + 29, e.begin() + 31), (Bytes{1, 2}));

  Fill(d, {0xAB, 0xCD});
  d.SetChanged(1, true);
  d.InsertNibble(1, true, "");  // nibble: the byte at Pos
  e = NewestRaw(d);
  EXPECT_EQ(LeInt(e, 4), Bits({ufKindNibbleInsert, ufFlagByte1Changed}));
  EXPECT_EQ(e[29], 0xCD);

  d.ConvertRange(0, 1, tkAsIs, tkBCD, "");  // convert: the Count bytes
  e = NewestRaw(d);
  EXPECT_EQ(e.size(), 36u);
  EXPECT_EQ(Bytes(e.begin() + 29, e.begin() + 31), (Bytes{0xAB, 0x0C}));  // after the nibble
}

TEST(HexDataUndoEntry, SelectionEntryStoresTheRange) {
  THexViewData d;
  Fill(d, {1, 2, 3, 4, 5, 6});
  d.SetCaret(5, false, false);
  d.AddSelectionUndo(2, 3);
  const Bytes e = NewestRaw(d);
  ASSERT_EQ(e.size(), 34u + 1 + 12);
  EXPECT_EQ(LeInt(e, 4), Bits({ufKindSelection, ufFlagHasSelection}));
  EXPECT_EQ(LeInt(e, 8), 2u);  // CaretPos := Pos
  EXPECT_EQ((std::vector<uint32_t>{LeInt(e, 31), LeInt(e, 35), LeInt(e, 39), LeInt(e, 43)}),
            (std::vector<uint32_t>{2, 4, 2, 47}));
  EXPECT_EQ(d.GetUndoDescription(), "Cursor movement");
}

TEST(HexDataUndoEntry, CombinedEntryStoresItsDescription) {
  THexViewData d;
  Fill(d, {1, 2});
  d.IntChangeByte(1, 3, 0, "");
  d.IntChangeByte(2, 4, 1, "");
  d.CombineUndo(2, "Typing");
  const Bytes e = NewestRaw(d);
  EXPECT_EQ(LeInt(e, 16), 2u);
  EXPECT_EQ(LeInt(e, 4) & Bits({ufKindCombined, ufFlagHasDescription}),
            Bits({ufKindCombined, ufFlagHasDescription}));
  EXPECT_EQ(e[29], 6);  // length byte, then the text
  EXPECT_EQ(std::string(e.begin() + 30, e.begin() + 36), "Typing");
  EXPECT_EQ(std::string(e.begin() + 36, e.begin() + 42), "Typing");
  EXPECT_EQ(LeInt(e, 42), 6u);
  EXPECT_EQ(e.size(), 34u + 7 + 6 + 4);
}

TEST(HexDataUndoEntry, AllDataEntryCopiesTheBuffer) {
  THexViewExData d;
  Fill(d, {5, 6, 7});
  d.CreateRangeUndo(0, 0, "");
  const Bytes e = NewestRaw(d);
  EXPECT_EQ(LeInt(e, 4), Bits({ufKindAllData}));
  EXPECT_EQ(LeInt(e, 16), 3u);
  EXPECT_EQ(Bytes(e.begin() + 29, e.begin() + 32), (Bytes{5, 6, 7}));
  EXPECT_EQ(d.GetUndoDescription(), "All data saved");
  EXPECT_FALSE(d.ModifiedFlag());  // a range snapshot keeps the flag
}

TEST(HexDataUndoEntry, EntriesWalkFromBothEnds) {
  THexViewData d;
  Fill(d, {1, 2, 3});
  d.IntChangeByte(1, 9, 0, "first");
  d.IntChangeByte(2, 9, 1, "");
  THVUndoEntry oldest, newest;
  ASSERT_TRUE(d.UndoStorage().ReadAt(0, oldest));
  EXPECT_EQ(oldest.Description, "first");
  ASSERT_TRUE(d.UndoStorage().ReadAt(oldest.EntrySize, newest));
  EXPECT_EQ(newest.Pos, 1);
  EXPECT_EQ(oldest.EntrySize + newest.EntrySize, d.UndoStorage().Size());
  EXPECT_FALSE(d.UndoStorage().ReadAt(3, newest));
}

}  // namespace
