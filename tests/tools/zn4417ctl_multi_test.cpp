// zn4417ctl as a program with several simulated bridges, with none, and
// its help.
#include "tests/tools/sim_tool_fixture.h"

namespace {

TEST_F(MultiToolTest, ListShowsEveryBridgeWithItsIndex) {
  ToolResult r = RunAll({"list"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "0 " + simFile.string() + " tx_v1.0 (ZN4417 bridge)\n1 " + other.string() +
                       " other-bridge (not a ZN4417 bridge)\n2 " + second.string() +
                       " tx_v1.0 (ZN4417 bridge)\n");
  ToolResult two = RunTool({"--bridge", "sim:2", "list"});
  EXPECT_EQ(two.out, "0 sim#0 tx_v1.0 (ZN4417 bridge)\n1 sim#1 tx_v1.0 (ZN4417 bridge)\n");
}

TEST_F(MultiToolTest, ListWithoutAnyBridgeExitsTwo) {
  ToolResult r = RunTool({"--usb-id", "FFFF:FFFE", "list"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "zn4417ctl: no bridge is attached\n");
}

TEST_F(MultiToolTest, IndexPicksTheBridgeForEveryCommand) {
  std::vector<uint8_t> firstBefore = SfrOf(simFile);
  ToolResult set = RunAll({"--index", "2", "set", "BOOST=99"});
  ASSERT_EQ(set.exitCode, 0) << set.err;
  EXPECT_EQ(SfrOf(second)[17], 99);
  EXPECT_EQ(SfrOf(simFile), firstBefore);
  EXPECT_EQ(SplitLines(RunAll({"--index=2", "dump"}).out).at(2), "BOOST=99");
  EXPECT_EQ(SplitLines(RunAll({"dump"}).out).at(2), "BOOST=8") << "default: the first ZN4417";

  ToolResult notOurs = RunAll({"--index", "1", "read"});
  EXPECT_EQ(notOurs.exitCode, 2);
  EXPECT_EQ(notOurs.err, "zn4417ctl: bridge 1 is not a ZN4417 bridge (serial 'other-bridge')\n");
  ToolResult missing = RunAll({"--index", "7", "read"});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_EQ(missing.out, "");

  // With a bridge of another kind first, the default is the first ZN4417 bridge after it.
  ToolResult skipped = RunTool(
      {"--bridge", "sim:" + other.string() + "?serial=x," + second.string(), "set", "BOOST=42"});
  ASSERT_EQ(skipped.exitCode, 0) << skipped.err;
  EXPECT_EQ(SfrOf(second)[17], 42);
  EXPECT_EQ(SfrOf(other)[17], 8);
}

TEST_F(MultiToolTest, AllWritesEveryChipBridgeWithALineEach) {
  std::vector<uint8_t> image = SfrOf(simFile);
  image[17] = 55;
  image[40] = 0x12;
  fs::path file = dir / "image.bin";
  WriteFile(file, image);
  std::vector<uint8_t> otherBefore = SfrOf(other);
  ToolResult r = RunAll({"write", file.string(), "--all"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "bridge 0: 下载成功!\nbridge 2: 下载成功!\n");
  EXPECT_EQ(SfrOf(simFile), image);
  EXPECT_EQ(SfrOf(second), image);
  EXPECT_EQ(SfrOf(other), otherBefore);

  ToolResult verify = RunAll({"verify", file.string(), "--all"});
  EXPECT_EQ(verify.exitCode, 0) << verify.err;
  EXPECT_EQ(verify.out,
            "bridge 0: offsets 0 to 62 match the file\nbridge 2: offsets 0 to 62 match the file\n");
  ASSERT_EQ(RunAll({"--index", "2", "set", "BOOST=56"}).exitCode, 0);
  ToolResult one = RunAll({"verify", file.string(), "--all"});
  EXPECT_EQ(one.exitCode, 1);
  EXPECT_EQ(one.out,
            "bridge 0: offsets 0 to 62 match the file\nbridge 2: 1 of offsets 0 to 62 differ\n");
  EXPECT_NE(one.err.find("zn4417ctl: bridge 2: 1 of offsets 0 to 62 differ:\n0x11: chip 38, "
                         "file 37\n"),
            std::string::npos)
      << one.err;
}

TEST_F(SimToolTest, HelpReadsAsAManualPage) {
  ToolResult r = RunTool({"--help"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "");
  std::vector<std::string> lines = SplitLines(r.out);
  ASSERT_GT(lines.size(), 40u);
  EXPECT_EQ(lines[0].rfind("zn4417ctl - ", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("Usage: zn4417ctl ", 0), 0u) << lines[1];
  for (const char* heading : {"Options:", "Commands:", "Parameters:", "Profiles:", "JSON results:",
                              "Log:", "Examples:", "Exit status:"}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), heading), lines.end()) << heading;
  }
  for (const char* word : {"verify FILE",
                           "--json",
                           "--index N",
                           "--all",
                           "--clamp",
                           "sim:N",
                           "DEADBAND",
                           "OVERLOAD1",
                           "LPPMP",
                           "INVC",
                           "microseconds",
                           "zn4417ctl verify block.bin",
                           "zn4417ctl write block.bin --all",
                           "zn4417ctl dump --json",
                           "--dry-run",
                           "--log FILE",
                           "--from FILE",
                           "set --from FILE",
                           "verify --from FILE",
                           "sha256_before",
                           "zn4417emu",
                           "16 bridges: 15 done, 1 failed"}) {
    EXPECT_NE(r.out.find(word), std::string::npos) << word;
  }
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_LE(lines[i].size(), 80u) << "line " << i;
  ToolResult version = RunTool({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("zn4417ctl ", 0), 0u);
}

}  // namespace
