// zn4417ctl run as a program against the simulated chip kept in a file.
#include <gtest/gtest.h>

#include <regex>

#include "tests/tools/sim_tool_fixture.h"

namespace {

TEST_F(SimToolTest, ReadPrintsEightHexLinesOfTheBlock) {
  ToolResult r = Run({"read"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::vector<std::string> lines = SplitLines(r.out);
  ASSERT_EQ(lines.size(), 8u);
  std::vector<uint8_t> sfr = Sfr();
  std::regex shape("0x[0-9A-F]{2}:( [0-9A-F]{2}){8}");
  for (int line = 0; line < 8; ++line) {
    EXPECT_TRUE(std::regex_match(lines[line], shape)) << lines[line];
    char expected[64];
    std::snprintf(expected, sizeof expected, "0x%02X: %02X %02X %02X %02X %02X %02X %02X %02X",
                  line * 8, sfr[line * 8], sfr[line * 8 + 1], sfr[line * 8 + 2], sfr[line * 8 + 3],
                  sfr[line * 8 + 4], sfr[line * 8 + 5], sfr[line * 8 + 6], sfr[line * 8 + 7]);
    EXPECT_EQ(lines[line], expected);
  }
  EXPECT_EQ(lines[7].substr(0, 6), "0x38: ");
  EXPECT_EQ(lines[1], "0x08: 48 49 00 00 07 01 02 F8");
}

TEST_F(SimToolTest, ReadToFileStoresTheRawBlock) {
  fs::path out = dir / "block.bin";
  ToolResult r = Run({"read", "-o", out.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(ReadFile(out), Sfr());
}

TEST_F(SimToolTest, DumpPrintsEveryParameterInOrder) {
  ToolResult r = Run({"dump"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::vector<std::string> expected = {
      "DEADBAND=7",  "STRETCHER=0", "BOOST=8",    "MAXDUTYL=244", "MAXDUTYR=244", "DEADZONE=31",
      "P1MDUTY=128", "P2MDUTY=64",  "P1WTIME=50", "P2WTIME=100",  "P3WTIME=100",  "OSC=1",
      "CH=2",        "CLK=7",       "PMIN=900",   "PMAX=2100",    "PMID=0"};
  for (int i = 0; i < 10; ++i) expected.push_back("FUNREG." + std::to_string(i) + "=0");
  for (int i = 1; i <= 3; ++i) expected.push_back("OVERLOAD" + std::to_string(i) + "=0");
  expected.insert(expected.end(), {"HFD=0", "LPPMP=0", "INVC=0"});
  EXPECT_EQ(SplitLines(r.out), expected);
}

TEST_F(SimToolTest, SetThenDumpShowsTheNewValues) {
  std::vector<uint8_t> before = Sfr();
  ToolResult r = Run({"set", "--clamp", "DB=10", "FUNREG1.1=1", "HFD=1", "edtPMINL=3000"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "下载成功!\n");
  std::vector<uint8_t> after = Sfr();
  EXPECT_EQ(after[15], 245);
  EXPECT_EQ(after[10], 0x48);
  EXPECT_EQ(after[28], 0xD4) << "PMIN clamped to 2500";
  EXPECT_EQ(after[29], 0x30);
  for (int i : {0, 5, 9, 27, 33, 63}) EXPECT_EQ(after[i], before[i]) << "offset " << i;

  ExpectDumpLines({{0, "DEADBAND=10"},
                   {14, "PMIN=2500"},
                   {23, "FUNREG.6=1"},
                   {28, "OVERLOAD2=1"},
                   {30, "HFD=1"},
                   {20, "FUNREG.3=1"}});
}

TEST_F(SimToolTest, WriteSendsTheFileWithForcedBytes) {
  std::vector<uint8_t> image(64);
  for (int i = 0; i < 64; ++i) image[i] = static_cast<uint8_t>(i * 7);
  image[12] = 3;  // CLK 3: offset 12 is still sent as 7
  image[20] = 0;
  image[14] = 9;
  image[15] = 200;
  image[26] = 20;
  image[16] = 5;
  image[28] = 0x94, image[29] = 0x11;
  image[30] = 0x04, image[31] = 0x29;
  image[32] = 0xF0;
  image[10] = 0x2C;
  image[11] = 0x40;
  fs::path file = dir / "image.bin";
  WriteFile(file, image);
  ToolResult r = Run({"write", file.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "下载成功!\n");
  std::vector<uint8_t> expected = image;
  expected[12] = 7;
  expected[20] = 41;
  EXPECT_EQ(Sfr(), expected);
}

TEST_F(SimToolTest, VerboseShowsTheDiagnosticTexts) {
  ToolResult r = Run({"--verbose", "read"});
  ASSERT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "读数据:SFR\n读数据成功\n");
  ToolResult quiet = Run({"read"});
  EXPECT_EQ(quiet.err, "");
}

TEST_F(SimToolTest, BadInputIsRefusedBeforeTheChipIsTouched) {
  fs::path shortFile = dir / "short.bin";
  fs::path longFile = dir / "long.bin";
  WriteFile(shortFile, std::vector<uint8_t>(63, 1));
  WriteFile(longFile, std::vector<uint8_t>(65, 1));
  const std::vector<std::vector<std::string>> cases = {
      {"set", "XYZ=1"},
      {"set", "DB=12abc"},
      {"set", "DB="},
      {"set", "DB=10", "ST=seven"},
      {"set", "FUNREG.0=1"},
      {"set", "FUNREG.10=1"},
      {"set", "HFD=2"},
      {"set", "FUNREG=1"},
      {"set", "DB"},
      {"set"},
      {"write", shortFile.string()},
      {"write", longFile.string()},
      {"write", (dir / "missing.bin").string()},
      {"write"},
      {"frobnicate"},
      {"read", "extra"},
      {"--usb-id", "xyz", "read"},
      {"--nonsense", "read"},
      {},
  };
  std::vector<uint8_t> memory = ReadFile(simFile);
  auto stamp = fs::last_write_time(simFile);
  for (const auto& args : cases) {
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    ToolResult r = Run(args);
    EXPECT_EQ(r.exitCode, 64) << joined;
    EXPECT_EQ(r.out, "") << joined;
    EXPECT_EQ(SplitLines(r.err).size(), 1u) << joined << ": " << r.err;
  }
  EXPECT_EQ(ReadFile(simFile), memory);
  EXPECT_EQ(fs::last_write_time(simFile), stamp);
}

TEST_F(SimToolTest, ErrorMessagesNameTheProblem) {
  EXPECT_NE(Run({"set", "XYZ=1"}).err.find("XYZ"), std::string::npos);
  EXPECT_NE(Run({"set", "DB=abc"}).err.find("not a number"), std::string::npos);
  fs::path shortFile = dir / "short.bin";
  WriteFile(shortFile, std::vector<uint8_t>(10, 0));
  EXPECT_NE(Run({"write", shortFile.string()}).err.find("64"), std::string::npos);
  ToolResult bridge = RunTool({"--bridge", "serial:/dev/ttyS0", "read"});
  EXPECT_EQ(bridge.exitCode, 64);
  EXPECT_NE(bridge.err.find("bridge address"), std::string::npos);
}

TEST_F(SimToolTest, HelpDocumentsCommandsAndExitCodes) {
  ToolResult r = RunTool({"--help"});
  EXPECT_EQ(r.exitCode, 0);
  for (const char* word : {"list", "read [-o FILE]", "dump", "write FILE", "set NAME=VALUE",
                           "--bridge", "--usb-id", "--verbose", "64", "下载成功!"}) {
    EXPECT_NE(r.out.find(word), std::string::npos) << word;
  }
}

TEST_F(SimToolTest, ListShowsTheSimulatedBridge) {
  ToolResult r = Run({"list"});
  ASSERT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "0 " + simFile.string() + " tx_v1.0 (ZN4417 bridge)\n");
}

}  // namespace
