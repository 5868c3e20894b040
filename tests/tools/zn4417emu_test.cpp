// zn4417emu run as a program, driven by zn4417ctl --bridge tcp://... as a
// user would: reads, writes and verifies against it, faults given on its
// command line, its serial string, its image file, its end by a signal and
// its refusals of bad arguments.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include <filesystem>

#include "link/simulated_chip.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/emu_process.h"
#include "tests/tools/run_tool.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// A block with the power-on parameters and recognisable bytes around them.
Bytes Block(uint8_t base) {
  const Bytes sfr = SimulatedChip::PowerOnSfr();
  Bytes block(sfr.begin(), sfr.begin() + 64);
  for (int i = 0; i < 64; ++i) {
    if (i < 10 || i > 32) block[i] = static_cast<uint8_t>(base + i);
  }
  return block;
}

class EmuTest : public ::testing::Test {
 protected:
  ToolResult Ctl(std::vector<std::string> args) {
    args.insert(args.begin(), {"--bridge", emu.Address()});
    return RunTool(args);
  }
  std::string File(const std::string& name, const Bytes& bytes) {
    WriteFile(dir / name, bytes);
    return (dir / name).string();
  }

  TempDir temp{"zn4417emu-test"};
  const fs::path& dir = temp.Path();
  EmuProcess emu;
};

TEST_F(EmuTest, ServesTheImageAndTakesWritesWithoutTouchingTheFile) {
  const std::string image = File("image.bin", Block(0x40));
  ASSERT_TRUE(emu.Start({"--image", image})) << emu.Address();
  const ToolResult read = Ctl({"read", "-o", (dir / "read.bin").string()});
  ASSERT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(ReadFile(dir / "read.bin"), Block(0x40));

  const std::string next = File("next.bin", Block(0x90));
  const ToolResult write = Ctl({"write", next});
  EXPECT_EQ(write.exitCode, 0) << write.err;
  EXPECT_EQ(write.out, "下载成功!\n");
  EXPECT_EQ(Ctl({"verify", next}).exitCode, 0);
  EXPECT_EQ(Ctl({"verify", image}).exitCode, 1) << "the chip holds the new block";
  EXPECT_EQ(Ctl({"set", "DEADBAND=10"}).exitCode, 0);
  EXPECT_EQ(SplitLines(Ctl({"dump"}).out).at(0), "DEADBAND=10");
  EXPECT_EQ(ReadFile(image), Block(0x40)) << "the image file is only read";
  EXPECT_EQ(emu.Stop(SIGTERM), 0) << emu.Err();
}

// A memory file that --bridge sim:FILE kept is served whole.
TEST_F(EmuTest, ServesTheMemoriesOfASimulatedChipFile) {
  const std::string sim = (dir / "chip.mem").string();
  ASSERT_EQ(RunTool({"--bridge", "sim:" + sim, "set", "BOOST=77"}).exitCode, 0);
  ASSERT_EQ(fs::file_size(sim), SimulatedChip::kMemorySize);
  ASSERT_TRUE(emu.Start({"--image", sim}));
  const ToolResult dump = Ctl({"dump"});
  EXPECT_NE(dump.out.find("BOOST=77\n"), std::string::npos) << dump.out;
}

struct FaultRun {
  std::vector<std::string> faults;
  std::vector<std::string> command;
  int first;         // exit code of the first run
  int second;        // of the same command run again
  const char* said;  // in the first run's stderr
};

// A fault given on the command line is what the tool meets; wire faults
// fire once, chip faults on every exchange.
TEST_F(EmuTest, FaultsFromTheCommandLineReachTheTool) {
  const FaultRun runs[] = {
      {{"--fault", "extra:1@5+2"}, {"read"}, 3, 0, "more bytes than asked for"},
      {{"--fault", "garbage@5"}, {"read"}, 3, 0, "zn4417ctl: "},
      {{"--fault", "unplug@5"}, {"read"}, 3, 2, "zn4417ctl: "},
      {{"--fault", "stray@0"}, {"read"}, 3, 3, "more bytes than asked for"},
      {{"--fault", "corrupt@5"}, {"set", "BOOST=9"}, 1, 1, "zn4417ctl: "},
      {{"--fault", "wrong-ack@0", "--fault", "drift"}, {"set", "BOOST=9"}, 3, 3, "wrong count"},
      {{"--fault", "extra@5+2", "--fault", "garbage@5"}, {"read"}, 3, 3, "zn4417ctl: "},
  };
  for (const FaultRun& run : runs) {
    EmuProcess fresh;
    ASSERT_TRUE(fresh.Start(run.faults)) << run.faults[1];
    std::vector<std::string> args = {"--bridge", fresh.Address()};
    args.insert(args.end(), run.command.begin(), run.command.end());
    const ToolResult first = RunTool(args);
    EXPECT_EQ(first.exitCode, run.first) << run.faults[1] << ": " << first.err;
    EXPECT_NE(first.err.find(run.said), std::string::npos) << run.faults[1] << ": " << first.err;
    EXPECT_EQ(RunTool(args).exitCode, run.second) << run.faults[1];
    EXPECT_EQ(fresh.Stop(SIGTERM), 0) << fresh.Err();
  }
}

TEST_F(EmuTest, VerboseTellsEveryExchangeAndTheFault) {
  ASSERT_TRUE(emu.Start({"--verbose", "--fault", "extra:2@5+2"}));
  EXPECT_EQ(Ctl({"read"}).exitCode, 3);
  EXPECT_EQ(Ctl({"set", "BOOST=9"}).exitCode, 0);
  ASSERT_EQ(emu.Stop(SIGINT), 0);
  const std::vector<std::string> lines = SplitLines(emu.Err());
  const std::vector<std::string> tails = {"fault extra:2@5+2 fires",
                                          "read SFR 0x0000+64: 0 of 64 bytes acknowledged, "
                                          "not completed",
                                          "read SFR 0x0000+64: done", "write SFR 0x0000+64: done",
                                          "read SFR 0x0000+64: done"};
  ASSERT_EQ(lines.size(), tails.size() + 1) << emu.Err();
  for (size_t i = 0; i < tails.size(); ++i) {
    EXPECT_EQ(lines[i].rfind("zn4417emu: connection ", 0), 0u) << lines[i];
    EXPECT_EQ(lines[i].substr(lines[i].size() - tails[i].size()), tails[i]) << lines[i];
  }
  EXPECT_EQ(lines.back(), "zn4417emu: ended by SIGINT");
}

TEST_F(EmuTest, TheSerialStringReachesTheTool) {
  ASSERT_TRUE(emu.Start({"--serial", "tx_v2.0"}));
  const ToolResult list = Ctl({"list"});
  EXPECT_EQ(list.out, "0 " + emu.Address() + " tx_v2.0 (not a ZN4417 bridge)\n");
  EXPECT_EQ(Ctl({"read"}).exitCode, 2);
}

TEST_F(EmuTest, EachEndingSignalStopsItCleanly) {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    EmuProcess fresh;
    ASSERT_TRUE(fresh.Start({}));
    ASSERT_TRUE(Listening(fresh.Address()));
    EXPECT_EQ(fresh.Stop(signal), 0) << signal << fresh.Err();
    EXPECT_EQ(fresh.Err(), "");
    EXPECT_FALSE(Listening(fresh.Address())) << "the socket is closed";
  }
}

TEST_F(EmuTest, BadArgumentsAreRefusedInOneLine) {
  const std::string shortImage = File("short.bin", Bytes(63));
  const std::vector<std::vector<std::string>> bad = {
      {"--bogus"},
      {"stray-argument"},
      {"--listen"},
      {"--listen", "127.0.0.1"},
      {"--listen", "127.0.0.1:65536"},
      {"--serial", ""},
      {"--fault", "melt"},
      {"--fault", "unplug@x"},
      {"--fault", "unplug@5+"},
      {"--fault", "early@5+1"},
      {"--fault", "extra:256"},
      {"--fault", "stray"},
      {"--fault", "drift@3"},
      {"--fault", "corrupt@65536"},
      {"--fault", "drift", "--fault", "drift"},
      {"--image", shortImage},
      {"--image", (dir / "missing.bin").string()},
  };
  for (const auto& args : bad) {
    const ToolResult r = RunProgram(ZN4417EMU_PATH, args);
    EXPECT_EQ(r.exitCode, 64) << args[0] << " " << (args.size() > 1 ? args[1] : "");
    EXPECT_EQ(r.out, "");
    const auto lines = SplitLines(r.err);
    ASSERT_EQ(lines.size(), 1u) << r.err;
    EXPECT_EQ(lines[0].rfind("zn4417emu: ", 0), 0u) << lines[0];
  }
  EXPECT_EQ(RunProgram(ZN4417EMU_PATH, {"--fault", "unplug@5+3x"}).err,
            "zn4417emu: bad fault 'unplug@5+3x': +DEVICE must be a number from 0 to 1000000000\n");
}

TEST_F(EmuTest, AnAddressInUseEndsWithExitOne) {
  ASSERT_TRUE(emu.Start({}));
  const std::string port = emu.Address().substr(emu.Address().rfind(':') + 1);
  const ToolResult second = RunProgram(ZN4417EMU_PATH, {"--listen", "127.0.0.1:" + port});
  EXPECT_EQ(second.exitCode, 1);
  EXPECT_NE(second.err.find("cannot listen on 127.0.0.1:" + port), std::string::npos) << second.err;
}

TEST_F(EmuTest, HelpAndVersion) {
  const ToolResult help = RunProgram(ZN4417EMU_PATH, {"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("zn4417emu - ", 0), 0u);
  EXPECT_NE(help.out.find("\nUsage: zn4417emu [OPTION]...\n"), std::string::npos);
  const ToolResult version = RunProgram(ZN4417EMU_PATH, {"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("zn4417emu (ZN4417 configurator) ", 0), 0u);
}

}  // namespace
