// The tool's own parsing and formatting, without a chip.
#include <gtest/gtest.h>

#include "tools/ctl_assignment.h"
#include "tools/ctl_format.h"

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
  EXPECT_NE(Refusal("DB=1e99999").find("not a number"), std::string::npos);
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

TEST(Format, DumpShowsNegativeAndFlagValues) {
  ParameterSet p;
  p.SetValue(piedtPMID, -120);
  p.FUNREG[9].checked = true;
  p.nvchckbxLPPMP = true;
  std::string text = FormatDump(p);
  EXPECT_NE(text.find("\nPMID=-120\n"), std::string::npos);
  EXPECT_NE(text.find("\nFUNREG.9=1\nOVERLOAD1=0\n"), std::string::npos);
  EXPECT_NE(text.find("\nLPPMP=1\nINVC=0\n"), std::string::npos);
}

TEST(Format, DifferencesShowSixteenThenCountTheRest) {
  std::array<Byte, kRomSize> chip{}, file{};
  std::vector<Integer> offsets;
  for (Integer i = 0; i < 20; ++i) {
    chip[i * 3] = static_cast<Byte>(0xA0 + i);
    file[i * 3] = static_cast<Byte>(i);
    offsets.push_back(i * 3);
  }
  std::vector<std::string> lines;
  std::string text = FormatDifferences({"chip", chip}, {"file", file}, offsets);
  for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(text.substr(at, end - at));
  }
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0], "0x00: chip A0, file 00");
  EXPECT_EQ(lines[15], "0x2D: chip AF, file 0F");
  EXPECT_EQ(lines[16], "and 4 more differing offsets");
  offsets.resize(17);
  EXPECT_NE(FormatDifferences({"chip", chip}, {"file", file}, offsets)
                .find("\nand 1 more "
                      "differing offset\n"),
            std::string::npos);
  EXPECT_EQ(FormatDifferences({"chip", chip}, {"file", file}, {}), "");
}

TEST(Format, JsonCarriesEveryByteAndTypedValues) {
  std::array<Byte, kRomSize> bytes{};
  for (Integer i = 0; i < kRomSize; ++i) bytes[i] = static_cast<Byte>(i * 4 + 3);
  const std::string json = FormatReadJson(bytes);
  EXPECT_EQ(json.rfind("{\"hex\": \"03070B0F", 0), 0u) << json;
  EXPECT_EQ(json.find("\", \"bytes\""), 9u + 128u) << "two hex digits per byte";
  EXPECT_NE(json.find("FBFF\", \"bytes\": [3, 7, 11, "), std::string::npos) << json;
  EXPECT_NE(json.find(", 255]}\n"), std::string::npos) << json;

  ParameterSet p;
  p.SetValue(piedtPMID, -7);
  p.FUNREG1[2] = true;
  const std::string dump = FormatDumpJson(p);
  EXPECT_NE(dump.find("\"PMID\": -7, \"FUNREG.0\": false"), std::string::npos) << dump;
  EXPECT_NE(dump.find("\"OVERLOAD3\": true, \"HFD\": false"), std::string::npos) << dump;
  EXPECT_NE(dump.find("\"units\": {\"PMIN\": \"us\", \"PMAX\": \"us\"}}"), std::string::npos)
      << dump;
}

}  // namespace
