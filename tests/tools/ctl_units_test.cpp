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
  EXPECT_NE(Refusal("DB=1e99999").find("not a number"), std::string::npos);
  EXPECT_NE(Refusal("DB=1-2").find("not a number"), std::string::npos);
  EXPECT_NE(Refusal("HFD=yes").find("0 or 1"), std::string::npos);
  // A fixed item is named only at 0, the value every write gives it.
  for (int fixed : {0, 1, 4, 8, 9}) {
    const std::string item = "FUNREG." + std::to_string(fixed);
    EXPECT_NE(Refusal(item + "=1").find("disabled"), std::string::npos);
    EXPECT_EQ(Parsed(item + "=0").value, 0);
  }
  Refusal("FUNREG1.3=1");
  Refusal("FUNREG.-1=1");
  Refusal("FUNREG.=1");
  Refusal("DB.1=1");
  Refusal("=5");
  Refusal("FUNREG1=1");
}

bool Parse(std::vector<std::string> args, CtlOptions& options, std::string& error) {
  args.insert(args.begin(), "zn4417ctl");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  return ParseCommandLine(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(CommandLine, EachCommandWordIsParsedOnceAndAnUnknownOneRefused) {
  const std::pair<const char*, CtlCommand> commands[] = {{"list", ccList},   {"read", ccRead},
                                                         {"dump", ccDump},   {"verify", ccVerify},
                                                         {"write", ccWrite}, {"set", ccSet}};
  for (const auto& [word, command] : commands) {
    CtlOptions options;
    std::string error;
    EXPECT_TRUE(Parse({word}, options, error)) << word << ": " << error;
    EXPECT_EQ(options.command, command) << word;
    EXPECT_STREQ(CommandName(command), word);
  }
  for (const char* word : {"frobnicate", "Read", "writ", "sets"}) {
    CtlOptions options;
    std::string error;
    EXPECT_FALSE(Parse({word, "x"}, options, error)) << word;
    EXPECT_EQ(error, std::string("unknown command '") + word + "' (try --help)");
  }
  CtlOptions help;
  std::string error;
  EXPECT_TRUE(Parse({"frobnicate", "--help"}, help, error)) << "--help wins over the command";
  EXPECT_TRUE(help.help);
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

}  // namespace
