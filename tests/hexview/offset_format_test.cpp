// The offset format language and its refusals.
#include <gtest/gtest.h>

#include "hexview/ehexview.h"
#include "hexview/thvoffsetformat.h"

namespace {

THVOffsetUnits Units(Integer perRow, Integer perColumn = 1, Integer ruler = 1) {
  return THVOffsetUnits{perRow, perColumn, ruler};
}

std::string Refusal(const std::string& format, const THVOffsetUnits& units) {
  THVOffsetFormat f;
  try {
    f.SetFormat(format, units);
  } catch (const EHexView& e) {
    return e.what();
  }
  return "accepted";
}

TEST(HexDataOffsetFormat, DefaultFormatGivesTheProgramsOffsets) {
  THVOffsetFormat f;
  EXPECT_EQ(f.Format(), "-!10:0x|");
  EXPECT_TRUE(f.HasFlag(offCalcWidth));
  EXPECT_TRUE(f.HasFlag(offBytesPerUnit));
  EXPECT_EQ(f.Radix(), 16);
  EXPECT_EQ(f.Prefix(), "0x");
  EXPECT_EQ(f.Suffix(), "");
  f.CalcWidth(56);  // 64 bytes, 8 per row: the last row starts at 0x38
  EXPECT_EQ(f.OffsetText(0, false), "0x00");
  EXPECT_EQ(f.OffsetText(8, false), "0x08");
  EXPECT_EQ(f.OffsetText(56, false), "0x38");
  f.CalcWidth(0);  // empty data: one row at offset 0
  EXPECT_EQ(f.OffsetText(0, false), "0x0");
}

TEST(HexDataOffsetFormat, LowerCaseDigitsKeepPrefixAndSuffix) {
  THVOffsetFormat f;
  f.SetFormat("-!10:0X|H", Units(8));
  f.CalcWidth(0xA8);
  EXPECT_EQ(f.OffsetText(0xA8, true), "0Xa8H");
  EXPECT_EQ(f.OffsetText(0xA8, false), "0XA8H");
}

TEST(HexDataOffsetFormat, RowUnitShowsRowNumbers) {
  THVOffsetFormat f;
  f.SetFormat("r%-!A:|", Units(8));
  EXPECT_TRUE(f.HasFlag(offCalcRow));
  EXPECT_EQ(f.Unit(), 8);
  f.CalcWidth(99 * 8);
  EXPECT_EQ(f.OffsetText(0, false), "00");
  EXPECT_EQ(f.OffsetText(12 * 8, false), "12");
  EXPECT_EQ(Refusal("r%-!A:|", Units(16)), "Invalid bytes per unit value 16, allowed: 1,2,4,8");
  f.BytesPerRowChanged(16);  // a later change follows without the check
  EXPECT_EQ(f.Unit(), 16);
}

TEST(HexDataOffsetFormat, UnitAlternatives) {
  THVOffsetFormat f;
  f.SetFormat("c%4!10:|", Units(16, 2));
  EXPECT_TRUE(f.HasFlag(offCalcColumn));
  EXPECT_EQ(f.Unit(), 2);
  EXPECT_EQ(f.MinWidth(), 4);
  EXPECT_EQ(f.OffsetText(0x20, false), "0010");
  f.SetFormat("4%8:|", Units(16));
  EXPECT_EQ(f.Unit(), 4);
  EXPECT_EQ(f.Radix(), 8);
  EXPECT_EQ(f.MinWidth(), 1);
  f.SetFormat("%!10:$|", Units(16, 2, 4));
  EXPECT_TRUE(f.HasFlag(offBytesPerUnit));
  EXPECT_EQ(f.Unit(), 4);
  EXPECT_EQ(f.OffsetText(0x40, false), "$10");
  f.RulerUnitChanged(8);
  EXPECT_EQ(f.OffsetText(0x40, false), "$8");
  EXPECT_EQ(Refusal("3%10:|", Units(16)), "Invalid bytes per unit value 3, allowed: 1,2,4,8");
  EXPECT_EQ(Refusal("c%10:|", Units(16, 3)), "Invalid bytes per unit value 3, allowed: 1,2,4,8");
}

TEST(HexDataOffsetFormat, ZeroDigitsHideOffsetZero) {
  THVOffsetFormat f;
  f.SetFormat("0!10:[|]", Units(16));
  EXPECT_EQ(f.OffsetText(0, false), "[]");
  EXPECT_EQ(f.OffsetText(0x1F, false), "[1F]");
}

TEST(HexDataOffsetFormat, RefusalsCarryTheirTexts) {
  const THVOffsetUnits u = Units(16);
  EXPECT_EQ(Refusal("-!:0x|", u), "Missing char in offset format: number radix");
  EXPECT_EQ(Refusal("-!10", u), "Missing char in offset format: :");
  EXPECT_EQ(Refusal("-!10;0x|", u), "Missing char in offset format: :");
  EXPECT_EQ(Refusal("-!10:0x", u), "Missing char in offset format: |");
  EXPECT_EQ(Refusal("-!11:|", u), "Invalid radix in offset format (11h), allowed: 02h..10h");
  EXPECT_EQ(Refusal("-!1:|", u), "Invalid radix in offset format (1h), allowed: 02h..10h");
  EXPECT_EQ(Refusal("-!2:|", u), "accepted");
}

TEST(HexDataOffsetFormat, RefusedFormatKeepsThePreviousOne) {
  THVOffsetFormat f;
  f.SetFormat("8!A:#|", Units(16));
  EXPECT_THROW(f.SetFormat("-!10:0x", Units(16)), EHexView);
  EXPECT_EQ(f.Format(), "8!A:#|");
  EXPECT_EQ(f.OffsetText(42, false), "#00000042");
}

TEST(HexDataOffsetFormat, EmptyFormat) {
  THVOffsetFormat f;
  f.SetFormat("", Units(16));
  EXPECT_EQ(f.OffsetText(0x30, false), "");
  EXPECT_EQ(f.AnyOffsetText(0x3A, false), "3A");
}

}  // namespace
