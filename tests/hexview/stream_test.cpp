// The buffer stream's bounds checks and the hex text conversions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "hexview/ehexview.h"
#include "hexview/hvhextext.h"
#include "hexview/thvmemorystream.h"

namespace {

using Bytes = std::vector<Byte>;

THVMemoryStream Stream(const Bytes& bytes) {
  THVMemoryStream s;
  s.Write(bytes.data(), static_cast<Int64>(bytes.size()));
  return s;
}

void ExpectOutOfBounds(const std::function<void()>& f) {
  try {
    f();
    FAIL() << "no refusal";
  } catch (const EHexView& e) {
    EXPECT_STREQ(e.what(), "Data position/length out of data bounds");
  }
}

TEST(HexDataStream, CheckedAccessStaysInsideAndKeepsPosition) {
  THVMemoryStream s = Stream({1, 2, 3, 4});
  s.SetPosition(1);
  Byte out[4] = {};
  s.ReadBufferAt(out, 2, 2);
  EXPECT_EQ(out[0], 3);
  EXPECT_EQ(out[1], 4);
  const Byte in[2] = {9, 8};
  s.WriteBufferAt(in, 0, 2);
  EXPECT_EQ(s.Position(), 1);
  EXPECT_EQ(s.Memory()[1], 8);
  s.ReadBufferAt(out, 4, 0);  // an empty range at the end is inside
  ExpectOutOfBounds([&] { s.ReadBufferAt(out, 3, 2); });
  ExpectOutOfBounds([&] { s.WriteBufferAt(in, 4, 1); });
  ExpectOutOfBounds([&] { s.ReadBufferAt(out, -1, 1); });
  ExpectOutOfBounds([&] { s.ReadBufferAt(out, 0, -1); });
  ExpectOutOfBounds([&] { s.ReadBufferAt(out, 1, INT64_MAX); });
  ExpectOutOfBounds([&] { (void)s.GetAsHex(2, 3, false); });
  ExpectOutOfBounds([&] { s.TranslateToAnsi(tkBCD, 0, 5); });
  ExpectOutOfBounds([&] { s.TranslateFromAnsi(tkAsIs, 5, 0); });
  EXPECT_EQ(s.Memory()[3], 4);
}

TEST(HexDataStream, HexAndTranslationOfARange) {
  THVMemoryStream s = Stream({0xC1, 0xC2, 0x4F});
  EXPECT_EQ(s.GetAsHex(0, 3, false), "C1C24F");
  EXPECT_EQ(s.GetAsHex(1, 2, true), "2CF4");
  s.TranslateToAnsi(tkBCD, 0, 2);
  EXPECT_EQ(s.Memory()[0], 'A');
  EXPECT_EQ(s.Memory()[1], 'B');
  EXPECT_EQ(s.Memory()[2], 0x4F);
  s.TranslateFromAnsi(tkBCD, 0, 2);
  EXPECT_EQ(s.Memory()[0], 0xC1);
}

TEST(HexDataStream, StreamingAndMove) {
  THVMemoryStream s = Stream({1, 2, 3});
  EXPECT_EQ(s.Position(), 3);
  s.SetPosition(1);
  Byte out[8];
  EXPECT_EQ(s.Read(out, 8), 2);
  EXPECT_EQ(s.Read(out, 8), 0);
  s.SetSize(6);
  s.Move(0, 2, 3);  // overlapping
  EXPECT_EQ(Bytes(s.Memory(), s.Memory() + 6), (Bytes{1, 2, 1, 2, 3, 0}));
}

TEST(HexDataHexText, BinaryToHex) {
  const Bytes b = {0x0F, 0xA1, 0x00};
  EXPECT_EQ(ConvertBinToHex(b.data(), 3, false), "0FA100");
  EXPECT_EQ(ConvertBinToHex(b.data(), 3, true), "F01A00");
  EXPECT_EQ(ConvertBinToHex(b.data(), 0, false), "");
}

TEST(HexDataHexText, HexToBinarySkipsOtherCharacters) {
  EXPECT_EQ(ConvertHexToBin("0f a1-00", false), (Bytes{0x0F, 0xA1, 0x00}));
  EXPECT_EQ(ConvertHexToBin("0xZZ12", false), (Bytes{0x01}));  // 0 1 pair; 2 dropped
  EXPECT_EQ(ConvertHexToBin("F01A", true), (Bytes{0x0F, 0xA1}));
  EXPECT_EQ(ConvertHexToBin("abc", false), (Bytes{0xAB}));
  EXPECT_TRUE(ConvertHexToBin("xyz", false).empty());
}

TEST(HexDataStream, GrownBytesAreZeroAlsoAfterShrinkingAndInLargeBlocks) {
  for (const Int64 size : {Int64{64}, Int64{24} << 20}) {  // heap and system blocks
    THVMemoryStream s;
    s.SetSize(size);
    std::memset(s.Memory(), 0xFF, static_cast<size_t>(size));
    s.SetSize(size / 2);  // the capacity stays; the bytes after it are stale
    s.SetSize(size + 3);
    const Byte* p = s.Memory();
    EXPECT_EQ(p[size / 2 - 1], 0xFF);
    EXPECT_EQ(std::count(p + size / 2, p + size + 3, Byte{0}), size / 2 + 3) << size;
    s.SetPosition(size + 3);
    const Byte tail[2] = {7, 8};
    s.Write(tail, 2);  // growing by writing keeps the rest
    EXPECT_EQ(s.Size(), size + 5);
    EXPECT_EQ(s.Memory()[size + 4], 8);
    EXPECT_EQ(s.Memory()[size / 2 - 1], 0xFF);
    s.SetSize(0);
    EXPECT_EQ(s.Size(), 0);
    s.SetSize(5);
    EXPECT_EQ(std::count(s.Memory(), s.Memory() + 5, Byte{0}), 5);
  }
}

}  // namespace
