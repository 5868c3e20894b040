// Undo storage: trimming to MaxUndo, refusals, descriptions, grouping, dump.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "hexview/ehexview.h"
#include "hexview/thexviewexdata.h"
#include "tests/hexview/hexdata_test_util.h"

namespace {

using Bytes = std::vector<Byte>;

std::string Refusal(THexViewData& d, THVUndoFlag kind, Integer count, Integer replaceCount) {
  try {
    d.CreateUndo(kind, 0, count, replaceCount, "");
  } catch (const EHexView& e) {
    return e.what();
  }
  return "granted";
}

TEST(HexDataUndoTrim, FourthEntryOfFortyBytesDropsTheOldest) {
  THexViewData d;
  Fill(d, Bytes(16, 0));
  d.SetMaxUndo(100);
  for (int i = 0; i < 3; ++i) d.CreateUndo(ufKindBytesChanged, i, 6, 0, "");
  ASSERT_EQ(d.UndoStorage().Size(), 120);  // 34 + 6 each
  d.CreateUndo(ufKindBytesChanged, 7, 6, 0, "");
  EXPECT_EQ(d.UndoStorage().Count(), 3);
  EXPECT_EQ(d.UndoStorage().Size(), 120);
  THVUndoEntry oldest;
  ASSERT_TRUE(d.UndoStorage().ReadAt(0, oldest));
  EXPECT_EQ(oldest.Pos, 1);  // the entry at Pos 0 went
}

TEST(HexDataUndoTrim, ZeroMeansNoLimit) {
  THexViewData d;
  Fill(d, Bytes(16, 0));
  d.SetMaxUndo(0);
  for (int i = 0; i < 50; ++i) d.CreateUndo(ufKindBytesChanged, 0, 6, 0, "");
  EXPECT_EQ(d.UndoStorage().Count(), 50);
  d.SetMaxUndo(-5);
  d.CreateUndo(ufKindBytesChanged, 0, 6, 0, "");
  EXPECT_EQ(d.UndoStorage().Count(), 51);
}

TEST(HexDataUndoTrim, OneLargeEntryMayExceedTheLimit) {
  THexViewData d;
  Fill(d, Bytes(300, 0));
  d.SetMaxUndo(100);
  d.CreateUndo(ufKindBytesChanged, 0, 200, 0, "");
  EXPECT_EQ(d.UndoStorage().Count(), 1);
  d.CreateUndo(ufKindBytesChanged, 0, 1, 0, "");  // trims the big one first
  EXPECT_EQ(d.UndoStorage().Count(), 1);
  EXPECT_EQ(d.UndoStorage().Size(), 35);
}

TEST(HexDataUndoRefusal, FixedSizeRefusesSizeChangingKinds) {
  THexViewData d;
  Fill(d, Bytes(4, 0));
  d.SetNoSizeChange(true);
  for (THVUndoFlag k : {ufKindByteRemoved, ufKindInsertBuffer, ufKindAppendBuffer,
                        ufKindNibbleInsert, ufKindNibbleDelete})
    EXPECT_EQ(Refusal(d, k, 1, 0), "Cannot update undo storage") << k;
  EXPECT_EQ(Refusal(d, ufKindReplace, 2, 3), "Cannot update undo storage");
  EXPECT_EQ(d.UndoStorage().Count(), 0);
  EXPECT_FALSE(d.ModifiedFlag());
  EXPECT_EQ(Refusal(d, ufKindReplace, 2, 2), "granted");
  EXPECT_EQ(Refusal(d, ufKindBytesChanged, 1, 0), "granted");
  EXPECT_EQ(Refusal(d, ufKindConvert, 1, 0), "granted");
}

TEST(HexDataUndoRefusal, EmptyDataNeedsAKindThatAddsData) {
  THexViewData d;
  for (THVUndoFlag k : {ufKindBytesChanged, ufKindByteRemoved, ufKindReplace, ufKindConvert,
                        ufKindSelection, ufKindNibbleInsert})
    EXPECT_EQ(Refusal(d, k, 1, 1), "Cannot update undo storage") << k;
  EXPECT_EQ(Refusal(d, ufKindInsertBuffer, 1, 0), "granted");
  EXPECT_EQ(Refusal(d, ufKindAppendBuffer, 1, 0), "granted");
  EXPECT_EQ(Refusal(d, ufKindAllData, 0, 0), "granted");
  EXPECT_EQ(Refusal(d, ufKindCombined, 4, 0), "Cannot update undo storage");
  EXPECT_EQ(Refusal(d, ufKindCombined, 3, 0), "granted");
}

TEST(HexDataUndoDescription, DescriptionsFollowTheNewestEntry) {
  THexViewData d;
  EXPECT_EQ(d.GetUndoDescription(), "No Undo");
  Fill(d, {1, 2, 3});
  d.IntChangeByte(1, 5, 0, "Type");
  EXPECT_EQ(d.GetUndoDescription(), "Type");
  d.IntChangeByte(2, 6, 1, "");
  EXPECT_EQ(d.GetUndoDescription(), "Change Byte(s)");
  d.CombineUndo(2, "");
  EXPECT_EQ(d.GetUndoDescription(), "Multiple Modification");
  EXPECT_TRUE(d.UndoStorage().RemoveLastUndo());
  EXPECT_EQ(d.GetUndoDescription(), "Change Byte(s)");
  EXPECT_TRUE(d.UndoStorage().RemoveLastUndo());
  EXPECT_EQ(d.GetUndoDescription(), "Type");
  EXPECT_EQ(d.UndoStorage().KeptDescription(), "Change Byte(s)");
  EXPECT_TRUE(d.UndoStorage().RestoreKeptEntry());
  EXPECT_EQ(d.UndoStorage().Count(), 2);
  EXPECT_EQ(d.GetUndoDescription(), "Change Byte(s)");
  EXPECT_TRUE(d.UndoStorage().RemoveLastUndo());
  EXPECT_TRUE(d.UndoStorage().RemoveLastUndo());
  EXPECT_EQ(d.GetUndoDescription(), "No Undo");
  EXPECT_FALSE(d.GetCanUndo());
}

TEST(HexDataUndoDescription, CombinedEntryNamesItself) {
  THexViewData d;
  Fill(d, {1, 2});
  d.IntChangeByte(1, 5, 0, "");
  d.CombineUndo(1, "Paste block");
  d.IntChangeByte(2, 7, 1, "");
  d.UndoStorage().RemoveLastUndo();
  EXPECT_EQ(d.GetUndoDescription(), "Paste block");
}

TEST(HexDataUndoGrouping, UpdateDepthSuppressesEntriesButNotRefusals) {
  THexViewData d;
  Fill(d, {1, 2, 3});
  EXPECT_EQ(d.UndoBeginUpdate(), 1);
  EXPECT_EQ(d.UndoBeginUpdate(), 2);
  d.IntChangeByte(1, 5, 0, "");
  EXPECT_EQ(d.UndoStorage().Count(), 0);
  EXPECT_TRUE(d.ModifiedFlag());
  EXPECT_FALSE(d.GetCanUndo());
  d.SetNoSizeChange(true);
  const Byte b = 1;
  EXPECT_THROW(d.AppendBuffer(&b, 1, "", false), EHexView);
  EXPECT_EQ(d.UndoEndUpdate(), 1);
  EXPECT_EQ(d.UndoEndUpdate(), 0);
  EXPECT_EQ(d.UndoEndUpdate(), 0);
}

TEST(HexDataUndoGrouping, SnapshotStaysOnlyWhenDataChanged) {
  THexViewExData d;
  Fill(d, {1, 2, 3});
  d.UndoBeginUpdate("Fill");
  EXPECT_EQ(d.UndoStorage().Count(), 1);
  d.UndoEndUpdate();  // nothing changed: the snapshot goes
  EXPECT_EQ(d.UndoStorage().Count(), 0);

  d.UndoBeginUpdate("Fill");
  d.IntChangeByte(1, 9, 0, "");
  d.IntChangeByte(2, 9, 1, "");
  d.UndoEndUpdate();
  ASSERT_EQ(d.UndoStorage().Count(), 1);
  THVUndoEntry e;
  ASSERT_TRUE(d.UndoStorage().ReadNewest(e));
  EXPECT_EQ(e.Kind(), ufKindAllData);
  EXPECT_EQ(e.Data, (Bytes{1, 2, 3}));
  EXPECT_EQ(d.GetUndoDescription(), "Fill");

  d.UndoBeginUpdate();  // snapshot groups stay on once used
  EXPECT_EQ(d.UndoStorage().Count(), 2);
  d.SetDataAt(0, 4);
  const Byte b = 8;
  d.WriteBuffer(&b, 0, 1);
  d.UndoEndUpdate();
  EXPECT_EQ(d.UndoStorage().Count(), 2);
}

TEST(HexDataUndoGrouping, UnbalancedEndKeepsRealEntries) {
  THexViewExData d;
  Fill(d, {1, 2});
  d.UndoBeginUpdate("G");
  d.UndoEndUpdate();
  d.IntChangeByte(1, 3, 0, "real");
  d.UndoEndUpdate();  // no group open
  EXPECT_EQ(d.UndoStorage().Count(), 1);
  EXPECT_EQ(d.GetUndoDescription(), "real");
}

TEST(HexDataUndoGrouping, ExtendedWritesSetModified) {
  THexViewExData d;
  Fill(d, {1, 2});
  const Byte b = 7;
  d.WriteBuffer(&b, 1, 1);
  EXPECT_TRUE(d.ModifiedFlag());
  THexViewData plain;
  Fill(plain, {1, 2});
  plain.WriteBuffer(&b, 1, 1);
  EXPECT_FALSE(plain.ModifiedFlag());
}

TEST(HexDataUndoRedo, NewEntryDiscardsTheRedoRecord) {
  THexViewData d;
  Fill(d, {1, 2});
  d.IntChangeByte(1, 3, 0, "");
  d.UndoStorage().RemoveLastUndo();
  d.UndoStorage().SetRedo(THVRedoRecord{});
  EXPECT_TRUE(d.GetCanRedo());
  d.IntChangeByte(2, 4, 1, "");
  EXPECT_FALSE(d.GetCanRedo());
  EXPECT_TRUE(d.UndoStorage().KeptEntry().empty());
  d.UndoStorage().SetRedo(THVRedoRecord{});
  d.ResetUndo();
  EXPECT_FALSE(d.GetCanRedo());
  EXPECT_EQ(d.UndoStorage().Count(), 0);
}

TEST(HexDataUndoDump, WritesTheRawStream) {
  THexViewExData d;
  d.SetDataSize(64);
  const std::string path = testing::TempDir() + "hexdata_undo_dump.bin";
  ASSERT_TRUE(d.DumpUndoStorage(path));
  std::ifstream in(path, std::ios::binary);
  const Bytes dumped((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(dumped, d.UndoStorage().Bytes());
  ASSERT_EQ(dumped.size(), 35u);  // one "Append Buffer" entry: Pos 0, Count 64
  EXPECT_EQ(LeInt(dumped, 4), UndoFlagBit(ufKindAppendBuffer));
  EXPECT_EQ(LeInt(dumped, 16), 64u);
  std::remove(path.c_str());
  EXPECT_FALSE(d.DumpUndoStorage("/nonexistent-dir/undo.bin"));
}

}  // namespace
