// The byte layout of undo entries for each kind of edit.
#include <gtest/gtest.h>

#include "hexview/thexviewexdata.h"
#include "tests/hexview/hexdata_test_util.h"

namespace {

using Bytes = std::vector<Byte>;

// The newest entry's raw bytes.
Bytes NewestRaw(const THexViewData& d) {
  const Bytes& s = d.UndoStorage().Bytes();
  const uint32_t size = LeInt(s, s.size() - 4);
  return Bytes(s.end() - size, s.end());
}

THVUndoFlags Bits(std::initializer_list<THVUndoFlag> flags) {
  THVUndoFlags m = 0;
  for (THVUndoFlag f : flags) m |= UndoFlagBit(f);
  return m;
}

struct Head {
  uint32_t size, flags;
  int32_t caret, pos, count, replace;
  Byte translation;
  uint32_t unit;
};

Head ReadHead(const Bytes& e) {
  return Head{LeInt(e, 0),
              LeInt(e, 4),
              static_cast<int32_t>(LeInt(e, 8)),
              static_cast<int32_t>(LeInt(e, 12)),
              static_cast<int32_t>(LeInt(e, 16)),
              static_cast<int32_t>(LeInt(e, 20)),
              e[24],
              LeInt(e, 25)};
}

TEST(HexDataUndoEntry, ChangedByteEntryLayout) {
  THexViewData d;
  Fill(d, {0, 1, 2, 3, 4, 5});
  d.SetCaret(3, false, true);  // second digit
  d.SetChanged(3, true);
  d.IntChangeByte(3, 0xAA, 3, "");
  const Bytes e = NewestRaw(d);
  ASSERT_EQ(e.size(), 35u);  // 34 + one data byte
  const Head h = ReadHead(e);
  EXPECT_EQ(h.size, 35u);
  EXPECT_EQ(h.flags, Bits({ufKindBytesChanged, ufFlagByte1Changed, ufFlag2ndByteCol}));
  EXPECT_EQ(h.caret, 3);
  EXPECT_EQ(h.pos, 3);
  EXPECT_EQ(h.count, 1);
  EXPECT_EQ(h.replace, 0);
  EXPECT_EQ(h.translation, tkAsIs);
  EXPECT_EQ(h.unit, 1u);
  EXPECT_EQ(e[29], 3);  // the old byte
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
  const Head h = ReadHead(e);
  EXPECT_EQ(h.size, 56u);
  EXPECT_EQ(h.flags, Bits({ufKindByteRemoved, ufFlagModified, ufFlagInCharField, ufFlagHasSelection,
                           ufFlagInsertMode, ufFlagHasDescription}));
  EXPECT_EQ(h.caret, 6);
  EXPECT_EQ(h.pos, 2);
  EXPECT_EQ(h.count, 3);
  EXPECT_EQ(h.translation, tkMac);
  EXPECT_EQ(h.unit, 4u);
  EXPECT_EQ(Bytes(e.begin() + 29, e.begin() + 32), (Bytes{0x12, 0x13, 0x14}));
  EXPECT_EQ(std::string(e.begin() + 32, e.begin() + 35), "Cut");
  EXPECT_EQ(LeInt(e, 35), 3u);
  EXPECT_EQ(e[39], 0);          // reserved
  EXPECT_EQ(LeInt(e, 40), 2u);  // low
  EXPECT_EQ(LeInt(e, 44), 4u);  // high
  EXPECT_EQ(LeInt(e, 48), 4u);  // anchor
  EXPECT_EQ(LeInt(e, 52), 56u);

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
  const Head h = ReadHead(NewestRaw(d));
  EXPECT_EQ(h.flags, Bits({ufKindBytesChanged, ufFlagIsUnicode, ufFlagIsUnicodeBigEndian}));
  EXPECT_EQ(h.count, 2);
  EXPECT_EQ(h.unit, 2u);
}

TEST(HexDataUndoEntry, DataSavedPerKind) {
  THexViewData d;
  Fill(d, {1, 2, 3, 4, 5});
  const Byte nine = 9;
  d.InsertBuffer(&nine, 1, 2, "", false);  // insert: one zero data byte
  Bytes e = NewestRaw(d);
  EXPECT_EQ(e.size(), 35u);
  EXPECT_EQ(ReadHead(e).flags, Bits({ufKindInsertBuffer}));
  EXPECT_EQ(e[29], 0);

  d.ResetSelection(false);
  d.AppendBuffer(&nine, 1, "", false);  // append: Pos = old size
  e = NewestRaw(d);
  EXPECT_EQ(ReadHead(e).pos, 6);
  EXPECT_EQ(e[29], 0);

  d.ResetSelection(false);
  d.SetSelection(0, 0, 1);
  const Bytes three = {7, 7, 7};
  d.ReplaceSelection(three.data(), 3, "", false);  // replace: the replaced bytes
  e = NewestRaw(d);
  const Head h = ReadHead(e);
  EXPECT_EQ(h.count, 3);
  EXPECT_EQ(h.replace, 2);
  EXPECT_EQ(e.size(), 34u + 2 + 12);
  EXPECT_EQ(Bytes(e.begin() + 29, e.begin() + 31), (Bytes{1, 2}));

  Fill(d, {0xAB, 0xCD});
  d.SetChanged(1, true);
  d.InsertNibble(1, true, "");  // nibble: the byte at Pos
  e = NewestRaw(d);
  EXPECT_EQ(ReadHead(e).flags, Bits({ufKindNibbleInsert, ufFlagByte1Changed}));
  EXPECT_EQ(e[29], 0xCD);

  d.ConvertRange(0, 1, tkAsIs, tkBCD, "");  // convert: the Count bytes
  e = NewestRaw(d);
  EXPECT_EQ(ReadHead(e).count, 2);
  EXPECT_EQ(e.size(), 36u);
}

TEST(HexDataUndoEntry, SelectionEntryStoresTheRange) {
  THexViewData d;
  Fill(d, {1, 2, 3, 4, 5, 6});
  d.SetCaret(5, false, false);
  d.AddSelectionUndo(2, 3);
  const Bytes e = NewestRaw(d);
  ASSERT_EQ(e.size(), 34u + 1 + 12);
  const Head h = ReadHead(e);
  EXPECT_EQ(h.flags, Bits({ufKindSelection, ufFlagHasSelection}));
  EXPECT_EQ(h.caret, 2);
  EXPECT_EQ(LeInt(e, 31), 2u);  // low
  EXPECT_EQ(LeInt(e, 35), 4u);  // high
  EXPECT_EQ(LeInt(e, 39), 2u);  // anchor
  EXPECT_EQ(LeInt(e, 43), static_cast<uint32_t>(e.size()));
  EXPECT_EQ(d.GetUndoDescription(), "Cursor movement");
}

TEST(HexDataUndoEntry, CombinedEntryStoresItsDescription) {
  THexViewData d;
  Fill(d, {1, 2});
  d.IntChangeByte(1, 3, 0, "");
  d.IntChangeByte(2, 4, 1, "");
  d.CombineUndo(2, "Typing");
  const Bytes e = NewestRaw(d);
  const Head h = ReadHead(e);
  EXPECT_EQ(h.count, 2);
  EXPECT_EQ(h.flags & Bits({ufKindCombined, ufFlagHasDescription}),
            Bits({ufKindCombined, ufFlagHasDescription}));
  EXPECT_EQ(e[29], 6);
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
  EXPECT_EQ(ReadHead(e).flags, Bits({ufKindAllData}));
  EXPECT_EQ(ReadHead(e).count, 3);
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
