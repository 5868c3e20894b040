#include "model/image_codec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

RomImage DefaultRom() {
  return RomImage(DefaultImage());
}

TEST(DefaultsRoundTrip, DecodeGivesTheDefaultValues) {
  ParameterSet p = DecodeImage(DefaultRom());
  EXPECT_EQ(p.Value(piDB), 7);
  EXPECT_EQ(p.Value(piST), 0);
  EXPECT_EQ(p.Value(piBT), 8);
  EXPECT_EQ(p.Value(piMDL), 244);
  EXPECT_EQ(p.Value(piMDR), 244);
  EXPECT_EQ(p.Value(piDZ), 31);
  EXPECT_EQ(p.Value(piP1MD), 128);
  EXPECT_EQ(p.Value(piP2MD), 64);
  EXPECT_EQ(p.Value(piP1T), 50);
  EXPECT_EQ(p.Value(piP2T), 100);
  EXPECT_EQ(p.Value(piP3T), 100);
  EXPECT_EQ(p.Value(piedtPMINL), 900);
  EXPECT_EQ(p.Value(piedtPMAXL), 2100);
  EXPECT_EQ(p.Value(piedtPMID), 0);
  EXPECT_EQ(p.Value(piCLK), 7);
  EXPECT_EQ(p.Value(piOSC), 1);
  EXPECT_EQ(p.Value(piCH), 2);
  for (const CheckItem& item : p.FUNREG) EXPECT_FALSE(item.checked);
  for (bool b : p.FUNREG1) EXPECT_FALSE(b);
  EXPECT_FALSE(p.HFD);
  EXPECT_FALSE(p.nvchckbxLPPMP);
  EXPECT_FALSE(p.nvchckbxINVC);
}

TEST(DefaultsRoundTrip, EncodeReproducesTheDefaultBytes) {
  RomImage image;  // all zero: the encode must produce every mapped byte itself
  EncodeImage(DecodeImage(DefaultRom()), image);
  for (Integer i = 10; i <= 32; ++i) {
    if (i == 20 || i == 27) continue;
    EXPECT_EQ(image.GetDataAt(i), DefaultImage()[i]) << "offset " << i;
  }
  EXPECT_EQ(image.GetDataAt(20), 0) << "offset 20 is not written by an encode";
}

TEST(FlagBytes, Byte10AllOnesDecodesAndEncodesWithClearedBits) {
  RomImage image(DefaultImage());
  image.SetDataAt(10, 0xFF);
  ParameterSet p = DecodeImage(image);
  for (Integer i = 0; i < 8; ++i) EXPECT_TRUE(p.FUNREG[i].checked) << i;
  EXPECT_FALSE(p.FUNREG[8].checked);
  EXPECT_FALSE(p.FUNREG[9].checked);
  for (bool b : p.FUNREG1) EXPECT_TRUE(b);
  EXPECT_TRUE(p.HFD);
  EXPECT_TRUE(p.nvchckbxLPPMP);
  EXPECT_FALSE(p.nvchckbxINVC);
  EncodeImage(p, image);
  EXPECT_EQ(image.GetDataAt(10), 0xEC);
}

TEST(FlagBytes, Byte11KeepsOnlyTheInversionBit) {
  RomImage image(DefaultImage());
  image.SetDataAt(11, 0x43);
  ParameterSet p = DecodeImage(image);
  EXPECT_TRUE(p.FUNREG[8].checked);
  EXPECT_TRUE(p.FUNREG[9].checked);
  EXPECT_TRUE(p.nvchckbxINVC);
  for (Integer i = 0; i < 8; ++i) EXPECT_FALSE(p.FUNREG[i].checked) << i;
  EncodeImage(p, image);
  EXPECT_EQ(image.GetDataAt(11), 0x40);
  EXPECT_EQ(image.GetDataAt(10), 0x00) << "items 8 and 9 are written nowhere";
}

TEST(FlagBytes, SingleFlagsWinOverTheirListItemsWhenEncoding) {
  ParameterSet p = DecodeImage(DefaultRom());
  p.FUNREG[3].checked = true;  // HFD unchecked clears bit 3
  p.nvchckbxLPPMP = true;      // sets bit 2 although item 2 is unchecked
  p.FUNREG[6].checked = true;
  RomImage image;
  EncodeImage(p, image);
  EXPECT_EQ(image.GetDataAt(10), 0x44);
}

TEST(SignedPmid, TwoComplementRoundTripAndClamp) {
  RomImage image(DefaultImage());
  image.SetDataAt(32, 0x88);
  ParameterSet p = DecodeImage(image);
  EXPECT_EQ(p.Value(piedtPMID), -120);
  image.SetDataAt(32, 0);
  EncodeImage(p, image);
  EXPECT_EQ(image.GetDataAt(32), 0x88);

  image.SetDataAt(32, 0x80);
  p = DecodeImage(image);
  EXPECT_EQ(p.Value(piedtPMID), -120) << "-128 is clamped";
  EncodeImage(p, image);
  EXPECT_EQ(image.GetDataAt(32), 0x88);

  image.SetDataAt(32, 0x7F);
  EXPECT_EQ(DecodeImage(image).Value(piedtPMID), 120);
}

TEST(SignedPmid, FractionsTruncateTowardZero) {
  ParameterSet p;
  p.SetValue(piedtPMID, -5.9L);
  RomImage image;
  EncodeImage(p, image);
  EXPECT_EQ(image.GetDataAt(32), 0xFB);  // -5
}

TEST(PulseLimits, LargestWordDecodesClampedAndEncodesLittleEndian) {
  RomImage image(DefaultImage());
  image.SetDataAt(28, 0xFF);
  image.SetDataAt(29, 0xFF);
  ParameterSet p = DecodeImage(image);
  EXPECT_EQ(p.Value(piedtPMINL), 2500);
  EncodeImage(p, image);
  EXPECT_EQ(image.GetDataAt(28), 0xD4);
  EXPECT_EQ(image.GetDataAt(29), 0x30);
}

TEST(PulseLimits, NonMultipleOfFiveGoesBackAsTheLowerMultiple) {
  RomImage image(DefaultImage());
  image.SetDataAt(28, 0x95);
  image.SetDataAt(29, 0x11);
  ParameterSet p = DecodeImage(image);
  EXPECT_EQ(p.Value(piedtPMINL), 900);
  EncodeImage(p, image);
  EXPECT_EQ(image.GetDataAt(28), 0x94);
  EXPECT_EQ(image.GetDataAt(29), 0x11);
}

TEST(PulseLimits, SmallWordDecodesToTheMinimum) {
  RomImage image(DefaultImage());
  image.SetDataAt(30, 0x00);
  image.SetDataAt(31, 0x00);
  EXPECT_EQ(DecodeImage(image).Value(piedtPMAXL), 500);
}

TEST(PulseLimits, OutOfRangeValueIsClampedWhenEncoded) {
  // A value typed into PMIN beyond its range never reaches the image as such.
  ParameterSet p;
  p.SetValue(piedtPMINL, 3000);
  p.SetValue(piedtPMAXL, 10);
  RomImage image;
  EncodeImage(p, image);
  EXPECT_EQ(image.GetDataAt(28), 0xD4);  // 2500 * 5 = 12500
  EXPECT_EQ(image.GetDataAt(29), 0x30);
  EXPECT_EQ(image.GetDataAt(30), 0xC4);  // 500 * 5 = 2500
  EXPECT_EQ(image.GetDataAt(31), 0x09);
}

TEST(PulseLimits, UnreadableValueCountsAsTheMinimum) {
  ParameterSet p;
  p.SetValue(piedtPMINL, NAN);
  p.SetValue(piDB, INFINITY);
  EXPECT_EQ(p.Value(piedtPMINL), 500);
  EXPECT_EQ(p.Value(piDB), 255);
}

TEST(DbInversion, StoredAsTwoFiftyFiveMinusValue) {
  RomImage image(DefaultImage());
  image.SetDataAt(15, 0);
  ParameterSet p = DecodeImage(image);
  EXPECT_EQ(p.Value(piDB), 255);
  p.SetValue(piDB, 0);
  EncodeImage(p, image);
  EXPECT_EQ(image.GetDataAt(15), 0xFF);
  p.SetValue(piDB, 10);
  EncodeImage(p, image);
  EXPECT_EQ(image.GetDataAt(15), 245);
}

TEST(DbInversion, OtherBytesClampIntoTheirRanges) {
  RomImage image(DefaultImage());
  image.SetDataAt(16, 200);
  image.SetDataAt(26, 200);
  image.SetDataAt(12, 9);
  ParameterSet p = DecodeImage(image);
  EXPECT_EQ(p.Value(piST), 7);
  EXPECT_EQ(p.Value(piDZ), 63);
  EXPECT_EQ(p.Value(piCLK), 7);
  EncodeImage(p, image);
  EXPECT_EQ(image.GetDataAt(16), 7);
  EXPECT_EQ(image.GetDataAt(26), 63);
}

TEST(DbInversion, EachByteComesFromItsOwnParameter) {
  // Distinct values catch two parameters swapped in the offset map.
  ParameterSet p;
  const std::pair<ParamId, int> values[] = {
      {piCLK, 3},  {piOSC, 100}, {piCH, 9},    {piDB, 20},  {piST, 5},   {piBT, 30},   {piMDL, 40},
      {piMDR, 50}, {piP1MD, 60}, {piP2MD, 70}, {piP1T, 80}, {piP2T, 90}, {piP3T, 110}, {piDZ, 33}};
  for (auto [id, v] : values) p.SetValue(id, v);
  RomImage image;
  EncodeImage(p, image);
  const int expected[] = {3, 100, 9, 235, 5, 30, 40, 50, -1, 60, 70, 80, 90, 110, 33};
  for (int offset = 12; offset <= 26; ++offset) {
    if (expected[offset - 12] < 0) continue;
    EXPECT_EQ(image.GetDataAt(offset), expected[offset - 12]) << "offset " << offset;
  }
  EXPECT_EQ(DecodeImage(image), p);
}

TEST(LinkFlagsRules, OverloadListFeedsFunctionItemsInTheSameStep) {
  ParameterSet p = DecodeImage(DefaultRom());
  p.FUNREG1[1] = true;
  RomImage image(DefaultImage());
  LinkFlags(p, piFUNREG1, image);
  EXPECT_TRUE(p.FUNREG[6].checked);
  EXPECT_FALSE(p.FUNREG[5].checked);
  EXPECT_EQ(image.GetDataAt(10), 0x40);
}

TEST(LinkFlagsRules, FunctionListIsTheSourceOfSingleFlags) {
  ParameterSet p = DecodeImage(DefaultRom());
  p.FUNREG[3].checked = true;
  p.FUNREG[2].checked = true;
  p.FUNREG[7].checked = true;
  RomImage image(DefaultImage());
  LinkFlags(p, piFUNREG, image);
  EXPECT_TRUE(p.HFD);
  EXPECT_TRUE(p.nvchckbxLPPMP);
  EXPECT_TRUE(p.FUNREG1[2]);
  EXPECT_FALSE(p.FUNREG1[0]);
  EXPECT_EQ(image.GetDataAt(10), 0x8C);

  // Leaving any other control with HFD unchecked clears item 3 again.
  p.HFD = false;
  LinkFlags(p, piDB, image);
  EXPECT_FALSE(p.FUNREG[3].checked);
  EXPECT_TRUE(p.FUNREG[2].checked);
  EXPECT_EQ(image.GetDataAt(10), 0x84);
}

TEST(LinkFlagsRules, OtherSourcesLeaveOverloadItemsAlone) {
  ParameterSet p = DecodeImage(DefaultRom());
  p.FUNREG1[0] = true;  // not propagated: the source is not FUNREG1
  p.FUNREG[6].checked = true;
  p.FUNREG[3].checked = true;  // overruled by HFD
  ApplyFlagLinks(p, pinvchckbxINVC);
  EXPECT_FALSE(p.FUNREG[5].checked);
  EXPECT_TRUE(p.FUNREG[6].checked);
  EXPECT_FALSE(p.FUNREG1[1]);
  EXPECT_FALSE(p.FUNREG[3].checked);
}

TEST(LinkFlagsRules, FunregSourceOverwritesTheOverloadList) {
  ParameterSet p = DecodeImage(DefaultRom());
  p.FUNREG1 = {true, true, true};
  p.FUNREG[5].checked = true;
  ApplyFlagLinks(p, piFUNREG);
  EXPECT_EQ(p.FUNREG1, (std::array<bool, 3>{true, false, false}));
}

TEST(UntouchedOffsets, UnmappedBytesSurviveRepeatedEncodes) {
  std::mt19937 rng(4417);
  std::array<Byte, kRomSize> bytes{};
  for (Byte& b : bytes) b = static_cast<Byte>(rng());
  RomImage image(bytes);
  ParameterSet p = DecodeImage(image);
  for (int round = 0; round < 5; ++round) {
    p.SetValue(piBT, round * 40);
    p.FUNREG1[round % 3] = !p.FUNREG1[round % 3];
    LinkFlags(p, round % 2 ? piFUNREG1 : piFUNREG, image);
  }
  for (Integer i = 0; i < kRomSize; ++i) {
    if (i >= 10 && i <= 32 && i != 20 && i != 27) continue;
    EXPECT_EQ(image.GetDataAt(i), bytes[i]) << "offset " << i;
  }
}

TEST(UntouchedOffsets, EncodeAsksForOneRepaint) {
  RomImage image;
  int repaints = 0;
  image.OnRepaint = [&] { ++repaints; };
  EncodeImage(ParameterSet(), image);
  EXPECT_EQ(repaints, 1);
}

TEST(ParameterTable, NamesLookUpTheirOwnEntry) {
  for (const ParamDescriptor& d : ParamDescriptors()) {
    ParamId found{};
    ASSERT_TRUE(FindParam(d.name, found)) << d.name;
    EXPECT_EQ(found, d.id);
    EXPECT_EQ(&DescriptorOf(found), &d);
  }
  ParamId ignored{};
  EXPECT_FALSE(FindParam("db", ignored));
  EXPECT_FALSE(FindParam("PMIN", ignored));
}

}  // namespace
