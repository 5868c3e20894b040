// The tool's own parsing and formatting, without a chip.
#include <gtest/gtest.h>

#include "tools/ctl_assignment.h"
#include "tools/ctl_format.h"
#include "tools/ctl_options.h"

namespace {

Assignment Parsed(const std::string& text) {
  Assignment a;
  std::string error;
  EXPECT_TRUE(ParseAssignment(text, a, error)) << text << ": " << error;
  return a;
}

std::string Refusal(const std::string& text) {
  Assignment a;
  std::string error;
  EXPECT_FALSE(ParseAssignment(text, a, error)) << text;
  return error;
}

TEST(Assignments, NumbersAreClampedAndRoundedAsTheControlsShowThem) {
  ParameterSet p;
  ApplyAssignment(p, Parsed("edtPMINL=3000"));
  EXPECT_EQ(p.Value(piedtPMINL), 2500);
  ApplyAssignment(p, Parsed("edtPMID=-500"));
  EXPECT_EQ(p.Value(piedtPMID), -120);
  ApplyAssignment(p, Parsed("DB=10.6"));
  EXPECT_EQ(p.Value(piDB), 11);
  ApplyAssignment(p, Parsed("ST=+3"));
  EXPECT_EQ(p.Value(piST), 3);
  ApplyAssignment(p, Parsed("BT=1e2"));
  EXPECT_EQ(p.Value(piBT), 100);
}

TEST(Assignments, FlagsAndListItems) {
  ParameterSet p;
  Assignment a = Parsed("FUNREG1.2=1");
  EXPECT_EQ(a.id, piFUNREG1);
  EXPECT_EQ(a.item, 2);
  ApplyAssignment(p, a);
  EXPECT_TRUE(p.FUNREG1[2]);
  ApplyAssignment(p, Parsed("FUNREG.7=1"));
  EXPECT_TRUE(p.FUNREG[7].checked);
  ApplyAssignment(p, Parsed("nvchckbxINVC=1"));
  EXPECT_TRUE(p.nvchckbxINVC);
  ApplyAssignment(p, Parsed("nvchckbxINVC=0"));
  EXPECT_FALSE(p.nvchckbxINVC);
}

TEST(Assignments, BadInputIsNamed) {
  EXPECT_NE(Refusal("Db=1").find("Db"), std::string::npos);
  EXPECT_NE(Refusal("DB=0x10").find("not a number"), std::string::npos);
  EXPECT_NE(Refusal("DB=nan").find("not a number"), std::string::npos);
  EXPECT_NE(Refusal("DB=1e999").find("not a number"), std::string::npos);
  EXPECT_NE(Refusal("DB=1-2").find("not a number"), std::string::npos);
  EXPECT_NE(Refusal("HFD=yes").find("0 or 1"), std::string::npos);
  for (int fixed : {0, 1, 4, 8, 9}) {
    EXPECT_NE(Refusal("FUNREG." + std::to_string(fixed) + "=0").find("disabled"),
              std::string::npos);
  }
  Refusal("FUNREG1.3=1");
  Refusal("FUNREG.-1=1");
  Refusal("FUNREG.=1");
  Refusal("DB.1=1");
  Refusal("=5");
  Refusal("FUNREG1=1");
}

TEST(Format, HexLinesAreUpperCaseWithOffsets) {
  std::array<Byte, kRomSize> bytes{};
  for (Integer i = 0; i < kRomSize; ++i) bytes[i] = static_cast<Byte>(i * 4 + 3);
  std::string text = FormatHexLines(bytes);
  EXPECT_EQ(text.substr(0, 30), "0x00: 03 07 0B 0F 13 17 1B 1F\n");
  EXPECT_EQ(text.substr(text.size() - 30), "0x38: E3 E7 EB EF F3 F7 FB FF\n");
  EXPECT_EQ(text.size(), 8u * 30u);
}

TEST(Format, DumpShowsNegativeAndFlagValues) {
  ParameterSet p;
  p.SetValue(piedtPMID, -120);
  p.FUNREG[9].checked = true;
  p.nvchckbxLPPMP = true;
  std::string text = FormatDump(p);
  EXPECT_NE(text.find("\nedtPMID=-120\n"), std::string::npos);
  EXPECT_NE(text.find("\nFUNREG.9=1\nFUNREG1.0=0\n"), std::string::npos);
  EXPECT_NE(text.find("\nnvchckbxLPPMP=1\nnvchckbxINVC=0\n"), std::string::npos);
}

TEST(Options, GlobalOptionsAndCommand) {
  const char* argv[] = {"zn4417ctl", "--bridge=sim", "--usb-id", "1234:ABCD",
                        "--verbose", "read",         "-o",       "x.bin"};
  CtlOptions o;
  std::string error;
  ASSERT_TRUE(ParseCommandLine(8, const_cast<char**>(argv), o, error)) << error;
  EXPECT_EQ(o.bridge, "sim");
  EXPECT_EQ(o.usbId.vendor, 0x1234);
  EXPECT_EQ(o.usbId.product, 0xABCD);
  EXPECT_TRUE(o.verbose);
  EXPECT_EQ(o.command, "read");
  EXPECT_EQ(o.args, (std::vector<std::string>{"-o", "x.bin"}));

  const char* missing[] = {"zn4417ctl", "read", "--bridge"};
  CtlOptions o2;
  EXPECT_FALSE(ParseCommandLine(3, const_cast<char**>(missing), o2, error));
  EXPECT_NE(error.find("--bridge"), std::string::npos);
}

}  // namespace
