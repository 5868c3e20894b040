// Clipboard byte formats and the placing of pasted and dropped bytes.
#include <gtest/gtest.h>

#include "hexview/hvclipformats.h"
#include "tests/hexview/hexdata_test_util.h"

namespace {

using Bytes = std::vector<Byte>;

TEST(ClipFormats, CopiedBytesAsBlockAndText) {
  const Bytes ab0c = {0x41, 0x42, 0x00, 0x43};
  const Bytes block = HVMakeClipBlock(ab0c.data(), 4);
  ASSERT_EQ(block.size(), 16u);
  EXPECT_EQ(std::string(block.begin(), block.begin() + 4), "HVCB");
  EXPECT_EQ(LeInt(block, 4), 65537u);
  EXPECT_EQ(LeInt(block, 8), 4u);
  EXPECT_EQ(Bytes(block.begin() + 12, block.end()), ab0c);
  EXPECT_EQ(HVClipTextOf(ab0c.data(), 4, false, false), "AB");  // up to the zero byte
  EXPECT_EQ(HVClipTextOf(ab0c.data(), 4, true, false), "41420043");
  EXPECT_EQ(HVClipTextOf(ab0c.data(), 4, true, true), "14240034");
  EXPECT_EQ(HVClipTextOf(ab0c.data(), 0, true, false), "");
}

TEST(ClipFormats, BlocksAreCheckedAndCutToTheirSize) {
  Bytes all(256);
  for (int i = 0; i < 256; ++i) all[i] = static_cast<Byte>(i);
  Bytes block = HVMakeClipBlock(all.data(), 256), bytes;
  ASSERT_TRUE(HVReadClipBlock(block.data(), block.size(), bytes));
  EXPECT_EQ(bytes, all);  // zero bytes and all others exactly
  Bytes other = block;
  other[0] = 'X';
  EXPECT_FALSE(HVReadClipBlock(other.data(), other.size(), bytes));
  EXPECT_TRUE(bytes.empty());
  other = block;
  other[6] = 2;  // another number
  EXPECT_FALSE(HVReadClipBlock(other.data(), other.size(), bytes));
  EXPECT_FALSE(HVReadClipBlock(block.data(), 11, bytes));
  ASSERT_TRUE(HVReadClipBlock(block.data(), 12 + 10, bytes));  // count says 256, 10 are there
  EXPECT_EQ(bytes, Bytes(all.begin(), all.begin() + 10));

  const Bytes reg = {3, 0, 0, 0, 0xAA, 0x00, 0xBB, 0xCC};
  EXPECT_EQ(HVReadRegEditHexData(reg.data(), reg.size()), (Bytes{0xAA, 0x00, 0xBB}));
  const Bytes longReg = {0xFF, 0xFF, 0, 0, 1, 2};
  EXPECT_EQ(HVReadRegEditHexData(longReg.data(), longReg.size()), (Bytes{1, 2}));
  EXPECT_TRUE(HVReadRegEditHexData(reg.data(), 3).empty());

  const Bytes dib = {1, 2, 3};
  const Bytes file = HVDibToBitmapFile(dib.data(), dib.size());
  EXPECT_EQ(file, (Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3}));
  EXPECT_EQ(HVZeroTerminated(reg.data() + 4, 4), (Bytes{0xAA}));
  EXPECT_EQ(HVFileNameList({"a.bin", "b"}), (Bytes{'a', '.', 'b', 'i', 'n', 0, 'b', 0}));
}

TEST(ClipFormats, EveryByteSurvivesTheUnicodeRoundTrip) {
  std::string bytes;
  for (int i = 1; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  const std::u32string text = HVAnsiToUnicode(bytes);
  ASSERT_EQ(text.size(), 255u);
  EXPECT_EQ(text[0x80 - 1], U'\u20AC');  // euro sign
  EXPECT_EQ(text[0x81 - 1], U'\u0081');  // unassigned: the C1 control of that number
  EXPECT_EQ(text[0xE4 - 1], U'\u00E4');
  EXPECT_EQ(HVUnicodeToAnsi(text), bytes);
  EXPECT_EQ(HVUnicodeToAnsi(U"a\u20ACb\u4E2D\U0001F600"),
            "a\x80"
            "b??");
  EXPECT_EQ(HVUnicodeToAnsi(std::u32string(U"ab\0cd", 5)), "ab");
  EXPECT_EQ(HVAnsiToUnicode(std::string("ab\0cd", 5)), U"ab");
}

TEST(ClipFormats, AcceptedFormatsInPriorityOrder) {
  const std::vector<std::string> offered = {"text/plain;charset=utf-8",
                                            "image/png",
                                            "application/x-regedit-hexdata",
                                            "text/uri-list",
                                            kHVClipboardMime,
                                            "application/octet-stream",
                                            "text/rtf",
                                            "text/html"};
  EXPECT_EQ(HVAcceptedClipFormats(offered, true),
            (std::vector<THVClipFormat>{hcfPrivate, hcfFileList, hcfText, hcfRichText, hcfBitmap,
                                        hcfOctetStream, hcfRegEditHexData}));
  EXPECT_EQ(HVAcceptedClipFormats(offered, false),
            (std::vector<THVClipFormat>{hcfPrivate, hcfFileList}));
  EXPECT_TRUE(HVAcceptedClipFormats({"text/plain"}, false).empty());
  EXPECT_TRUE(HVAcceptedClipFormats({"text/html", "text/plainx"}, true).empty());
  EXPECT_EQ(HVClipFormatName(hcfText), "Text");
  EXPECT_EQ(HVClipFormatName(hcfRegEditHexData), "RegEdit_HexData");
}

TEST(ClipFormats, VirtualFileName) {
  EXPECT_EQ(HVVirtualFileName("/home/tech/chip.rom"), "Dump of chip.bin");
  EXPECT_EQ(HVVirtualFileName("Untitled"), "Dump of Untitled.bin");
  EXPECT_EQ(HVVirtualFileName("/a.b/c"), "Dump of c.bin");
  const std::string longName = HVVirtualFileName(std::string(300, 'x') + "\xC3\xA4.x");
  EXPECT_EQ(longName.size(), 255u);
  const std::string umlauts =
      HVVirtualFileName(std::string(150, '\xC3') + std::string(150, '\xA4'));
  EXPECT_LE(umlauts.size(), 255u);
  EXPECT_EQ(umlauts.substr(umlauts.size() - 5), "\xC3.bin");  // cut before a continuation byte
}

TEST(ClipPlacing, PasteInsertsOrOverwritesFromTheUnitStart) {
  THexViewData d;
  Fill(d, {1, 2, 3, 4, 5, 6});
  d.SetBytesPerUnit(2);
  d.MoveCaret(3, false);
  const Bytes ab = {0xA, 0xB};
  d.PasteData(ab.data(), 2, kHVPasteFromClipboard);
  EXPECT_EQ(Contents(d), (Bytes{1, 2, 0xA, 0xB, 3, 4, 5, 6}));  // at 2, the unit's start
  EXPECT_EQ(d.GetUndoDescription(), kHVPasteFromClipboard);

  Fill(d, {1, 2, 3, 4, 5, 6});
  d.ResetSelection(false);  // the paste selected what it inserted
  d.SetBytesPerUnit(1);
  d.SetNoSizeChange(true);
  d.MoveCaret(4, false);
  const Bytes many = {7, 8, 9, 10};
  d.PasteData(many.data(), 4, kHVPasteFromClipboard);
  EXPECT_EQ(Contents(d), (Bytes{1, 2, 3, 4, 7, 8}));  // overwritten, size kept

  d.SetSelection(0, 0, 2);
  d.PasteData(many.data(), 4, kHVPasteFromClipboard);
  EXPECT_EQ(Contents(d), (Bytes{7, 8, 9, 4, 7, 8}));

  d.SetNoSizeChange(false);
  d.SetSelection(1, 1, 1);
  d.PasteData(many.data(), 4, kHVPasteFromClipboard);
  EXPECT_EQ(Contents(d), (Bytes{7, 7, 8, 9, 10, 9, 4, 7, 8}));
}

TEST(ClipPlacing, DropsFromElsewhere) {
  THexViewData d;
  const Bytes xy = {0xE, 0xF};
  Fill(d, {1, 2, 3, 4});
  EXPECT_TRUE(d.DropData(xy.data(), 2, 1, false, kHVDataDropped));
  EXPECT_EQ(Contents(d), (Bytes{1, 0xE, 0xF, 2, 3, 4}));
  EXPECT_EQ(d.GetUndoDescription(), kHVDataDropped);
  EXPECT_TRUE(d.DropData(xy.data(), 2, 6, false, kHVDataDropped));  // beyond: appended
  EXPECT_EQ(Contents(d), (Bytes{1, 0xE, 0xF, 2, 3, 4, 0xE, 0xF}));
  d.SetSelection(1, 1, 2);
  EXPECT_TRUE(d.DropData(xy.data(), 1, 2, false, kHVDataDropped));  // in the selection
  EXPECT_EQ(Contents(d), (Bytes{1, 0xE, 2, 3, 4, 0xE, 0xF}));
  EXPECT_FALSE(d.DropData(xy.data(), 2, -1, false, kHVDataDropped));  // no drop position

  Fill(d, {1, 2, 3, 4});
  d.SetNoSizeChange(true);
  EXPECT_FALSE(d.DropData(xy.data(), 2, 4, false, kHVDataDropped));
  EXPECT_TRUE(d.DropData(xy.data(), 2, 3, false, kHVDataDropped));  // overwritten, cut
  EXPECT_EQ(Contents(d), (Bytes{1, 2, 3, 0xE}));
  d.SetSelection(0, 0, 1);
  EXPECT_TRUE(d.DropData(xy.data(), 2, 1, false, kHVDataDropped));
  EXPECT_EQ(Contents(d), (Bytes{0xE, 0xF, 3, 0xE}));
}

TEST(ClipPlacing, MovingTheSelectionInsideTheData) {
  THexViewData d;
  for (bool fixed : {false, true}) {
    Fill(d, {0, 1, 2, 3, 4, 5, 6, 7});
    d.SetNoSizeChange(fixed);
    d.SetSelection(1, 1, 2);
    const Bytes moved = {1, 2};
    const Integer entries = d.UndoStorage().Count();
    EXPECT_TRUE(d.DropData(moved.data(), 2, 6, true, kHVDataDropped));  // after: 6 - 2
    EXPECT_EQ(Contents(d), (Bytes{0, 3, 4, 5, 1, 2, 6, 7})) << fixed;
    EXPECT_EQ(d.UndoStorage().Count(), entries + 2);  // the drag source combines them
    EXPECT_FALSE(d.IsFileSizeFixed() != fixed);
    d.SetSelection(4, 4, 5);
    EXPECT_TRUE(d.DropData(moved.data(), 2, 0, true, kHVDataDropped));  // before
    EXPECT_EQ(Contents(d), (Bytes{1, 2, 0, 3, 4, 5, 6, 7}));
    d.SetSelection(0, 0, 1);
    EXPECT_TRUE(d.DropData(moved.data(), 2, 8, true, kHVDataDropped));  // to the end
    EXPECT_EQ(Contents(d), (Bytes{0, 3, 4, 5, 6, 7, 1, 2}));
    d.CombineUndo(2, kHVDataMoved);
    EXPECT_EQ(d.GetUndoDescription(), kHVDataMoved);
  }
}

}  // namespace
