// Number text functions.
#include <gtest/gtest.h>

#include "hexview/ehexview.h"
#include "hexview/hvnumtext.h"

namespace {

std::string RadixRefusal(const std::string& text, Integer radix) {
  try {
    RadixToInt(text, radix);
  } catch (const EHexView& e) {
    return e.what();
  }
  return "accepted";
}

TEST(HexDataNumberText, ToText) {
  EXPECT_EQ(IntToRadix(255, 16), "FF");
  EXPECT_EQ(IntToRadix(0, 2), "0");
  EXPECT_EQ(IntToRadix(-1, 16), "FFFFFFFF");  // taken as unsigned
  EXPECT_EQ(IntToRadixLen(5, 2, 8), "00000101");
  EXPECT_EQ(IntToRadixLen(0x1234, 16, 2), "1234");
  EXPECT_EQ(IntToRadix64(-1, 16), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToRadixLen64(int64_t{1} << 40, 16, 12), "010000000000");
  EXPECT_EQ(IntToOctal(8), "10");
  EXPECT_EQ(IntToRadix(35, 7), "50");
}

TEST(HexDataNumberText, FromText) {
  EXPECT_EQ(RadixToInt("ff", 16), 255);
  EXPECT_EQ(RadixToInt("Ff", 16), 255);
  EXPECT_EQ(RadixToInt("101", 2), 5);
  EXPECT_EQ(RadixToInt("FFFFFFFF", 16), -1);
  EXPECT_EQ(RadixToInt64("10000000000", 16), int64_t{1} << 40);
  EXPECT_EQ(OctalToInt("777"), 511);
  EXPECT_EQ(RadixToInt("", 10), 0);
}

TEST(HexDataNumberText, DigitsOutsideTheRadixAreRefused) {
  EXPECT_EQ(RadixRefusal("12", 2), "Invalid character 2, cannot convert using radix 2h");
  EXPECT_EQ(RadixRefusal("1G", 16), "Invalid character G, cannot convert using radix 10h");
  EXPECT_EQ(RadixRefusal("9A", 10), "Invalid character A, cannot convert using radix Ah");
  EXPECT_EQ(RadixRefusal("-5", 10), "Invalid character -, cannot convert using radix Ah");
  EXPECT_THROW(OctalToInt("8"), EHexView);
}

TEST(HexDataNumberText, RadixOutsideTwoToSixteenIsRefused) {
  EXPECT_THROW(IntToRadix(5, 1), EHexView);
  EXPECT_THROW(IntToRadix(5, 17), EHexView);
  EXPECT_THROW(RadixToInt("1", 0), EHexView);
}

TEST(HexDataNumberText, NotationPicksTheRadix) {
  EXPECT_EQ(CheckRadixToInt("0x1F"), 31);
  EXPECT_EQ(CheckRadixToInt("0X1f"), 31);
  EXPECT_EQ(CheckRadixToInt("$1F"), 31);
  EXPECT_EQ(CheckRadixToInt("1FH"), 31);
  EXPECT_EQ(CheckRadixToInt("1fh"), 31);
  EXPECT_EQ(CheckRadixToInt("O17"), 15);
  EXPECT_EQ(CheckRadixToInt("17O"), 15);
  EXPECT_EQ(CheckRadixToInt("%101"), 5);
  EXPECT_EQ(CheckRadixToInt("101%"), 5);
  EXPECT_EQ(CheckRadixToInt("42"), 42);
  EXPECT_EQ(CheckRadixToInt64("0x10000000000"), int64_t{1} << 40);
  EXPECT_THROW(CheckRadixToInt("12A"), EHexView);
  EXPECT_THROW(CheckRadixToInt("O19"), EHexView);
}

}  // namespace
