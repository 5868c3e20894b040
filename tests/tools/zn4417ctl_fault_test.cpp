// zn4417ctl against a device that fails on the wire: pulled out before,
// during and after each phase of a Read and of a Write (command, reply,
// every chunk and acknowledgement, the wait before the read-back, the
// read-back), silent, answering garbage, answering with stray bytes beyond
// what was asked and answering without waiting. Whatever happens: the tool
// ends within the bridge's time-outs, reports success only for a block that
// is really on the chip, and explains every failure.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "link/tcp_device_emulator.h"
#include "link/usb_link.h"
#include "tests/tools/run_tool.h"

namespace {

constexpr int kSfr = SimulatedChip::kSfrSpace;
constexpr const char* kSuccess = "下载成功!";

// How the command must end. kEither: the device was pulled after it had
// sent everything but before the host's last acknowledgement; whether the
// host still sees the connection alive at that moment is a race, and both
// a clean failure and a success with the right bytes are true reports.
enum Outcome { kFails, kSucceeds, kEither };

struct FaultCase {
  const char* name;
  bool write;  // "write FILE"; otherwise "read"
  WireFault fault;
  Outcome outcome;
  int timeouts;  // read time-outs the host must sit out
};

// Host bytes on the connection: Read: command 5, acknowledgements at 7 and
// 9. Write: command 5, chunks end at 37 and 69; the read-back's command
// ends at 74, its acknowledgements at 76 and 78.
const FaultCase kCases[] = {
    {"ReadPulledBeforeTheCommand", false, {waUnplug, 0, 0}, kFails, 0},
    {"ReadPulledAfterTheCommand", false, {waUnplug, 5, 0}, kFails, 0},
    {"ReadPulledDuringTheReply", false, {waUnplug, 5, 1}, kFails, 0},
    {"ReadPulledDuringChunk0", false, {waUnplug, 5, 12}, kFails, 0},
    {"ReadPulledAfterChunk0", false, {waUnplug, 5, 34}, kFails, 0},
    {"ReadPulledAfterAck0", false, {waUnplug, 7, 0}, kFails, 0},
    {"ReadPulledDuringChunk1", false, {waUnplug, 7, 20}, kFails, 0},
    {"ReadPulledBeforeTheLastAck", false, {waUnplug, 7, 32}, kEither, 0},
    {"ReadPulledAfterTheLastAck", false, {waUnplug, 9, 0}, kSucceeds, 0},
    {"ReadSilentAfterTheCommand", false, {waSilent, 5, 0}, kFails, 1},
    {"ReadSilentBeforeChunk1", false, {waSilent, 7, 0}, kFails, 1},
    {"ReadGarbageReply", false, {waGarbage, 5, 0}, kFails, 0},
    {"ReadOneByteOfTheReplyThenSilence", false, {waSilent, 5, 1}, kFails, 1},
    {"ReadStrayByteAfterTheReply", false, {waExtraBytes, 5, 2, 1}, kFails, 0},
    {"ReadTwoStrayBytesAfterTheReply", false, {waExtraBytes, 5, 2, 2}, kFails, 0},
    {"ReadThreeStrayBytesAfterTheReply", false, {waExtraBytes, 5, 2, 3}, kFails, 0},
    {"ReadStrayBytesBetweenTheChunks", false, {waExtraBytes, 5, 34}, kFails, 0},
    {"ReadStrayBytesAfterTheLastChunk", false, {waExtraBytes, 7, 32}, kFails, 0},
    {"ReadChunksSentWithoutWaiting", false, {waEarly, 5, 0}, kFails, 1},
    {"WritePulledBeforeTheCommand", true, {waUnplug, 0, 0}, kFails, 0},
    {"WritePulledAfterTheCommand", true, {waUnplug, 5, 0}, kFails, 0},
    {"WritePulledDuringTheReply", true, {waUnplug, 5, 1}, kFails, 0},
    {"WritePulledDuringChunk0", true, {waUnplug, 20, 0}, kFails, 0},
    {"WritePulledBeforeAck0", true, {waUnplug, 37, 0}, kFails, 0},
    {"WritePulledDuringAck0", true, {waUnplug, 37, 1}, kFails, 0},
    {"WritePulledDuringChunk1", true, {waUnplug, 50, 0}, kFails, 0},
    {"WritePulledBeforeTheLastAck", true, {waUnplug, 69, 0}, kFails, 0},
    {"WritePulledDuringTheWait", true, {waUnplug, 69, 2}, kFails, 0},
    {"WritePulledDuringTheReadBackReply", true, {waUnplug, 74, 1}, kFails, 0},
    {"WritePulledDuringAReadBackChunk", true, {waUnplug, 74, 20}, kFails, 0},
    {"WritePulledBeforeTheReadBacksLastChunk", true, {waUnplug, 76, 0}, kFails, 0},
    {"WritePulledAfterTheReadBack", true, {waUnplug, 78, 0}, kSucceeds, 0},
    {"WriteSilentAfterTheCommand", true, {waSilent, 5, 0}, kFails, 2},
    {"WriteSilentBeforeTheLastAck", true, {waSilent, 69, 0}, kFails, 2},
    {"WriteGarbageAck", true, {waGarbage, 37, 0}, kFails, 0},
    {"WriteGarbageInTheReadBack", true, {waGarbage, 74, 10}, kFails, 0},
    // An abandoned write leaves the chip waiting for the rest of its chunk:
    // it takes the read-back's command as data and the read-back times out.
    {"WriteStrayBytesAfterTheReply", true, {waExtraBytes, 5, 2}, kFails, 1},
    {"WriteStrayBytesAfterAck0", true, {waExtraBytes, 37, 2}, kFails, 1},
    {"WriteStrayBytesAfterTheLastAck", true, {waExtraBytes, 69, 2}, kFails, 0},
    {"WriteStrayBytesInTheReadBack", true, {waExtraBytes, 74, 2}, kFails, 0},
    {"WriteReadBackSentWithoutWaiting", true, {waEarly, 74, 0}, kFails, 1},
};

class ToolFaultTest : public ::testing::TestWithParam<FaultCase> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(emulator.Start());
    std::vector<uint8_t> block(64);
    for (int i = 0; i < 64; ++i) block[i] = static_cast<uint8_t>(0x80 + i);
    std::vector<uint8_t> powerOn = SimulatedChip::PowerOnSfr();
    std::copy(powerOn.begin() + 10, powerOn.begin() + 33, block.begin() + 10);
    emulator.WriteMemory(kSfr, 0, block);
    before = block;
  }

  ToolResult Run(const std::vector<std::string>& command, double& seconds) {
    std::vector<std::string> args = {"--bridge", emulator.Address(), "--verbose"};
    args.insert(args.end(), command.begin(), command.end());
    const auto start = std::chrono::steady_clock::now();
    ToolResult r = RunTool(args);
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return r;
  }

  TcpDeviceEmulator emulator;
  std::vector<uint8_t> before;
};

// The image the write cases give the tool: the chip's block with BT = 9.
std::string ImageFile(std::vector<uint8_t> block) {
  block[17] = 9;
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("zn4417ctl-fault-" + std::to_string(getpid()) + ".bin"))
                               .string();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(block.data()), 64);
  return path;
}

// What writing `file` leaves on a device that behaves.
std::vector<uint8_t> CleanWriteResult(const std::vector<uint8_t>& before, const std::string& file) {
  TcpDeviceEmulator clean;
  if (!clean.Start()) return {};
  clean.WriteMemory(kSfr, 0, before);
  RunTool({"--bridge", clean.Address(), "write", file});
  return clean.ReadMemory(kSfr, 0, 64);
}

TEST_P(ToolFaultTest, EndsInTimeAndReportsOnlyTheTruth) {
  const FaultCase& c = GetParam();
  const std::string file = ImageFile(before);
  const std::vector<uint8_t> expected = c.write ? CleanWriteResult(before, file) : before;
  ASSERT_EQ(expected.size(), 64u);
  if (c.write) {
    ASSERT_NE(expected, before) << "the write must change the block";
  }
  emulator.SetWireFault(c.fault);

  double seconds = 0;
  const ToolResult r =
      Run(c.write ? std::vector<std::string>{"write", file} : std::vector<std::string>{"read"},
          seconds);
  std::filesystem::remove(file);
  RecordProperty("seconds", std::to_string(seconds));
  // A fault after the tool's last byte may fire just after the tool ended.
  for (int i = 0; i < 200 && !emulator.WireFaultFired(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(emulator.WireFaultFired());

  const double limit = c.timeouts * UsbLink::kReadTimeoutMs / 1000.0 + 2.5;
  EXPECT_LT(seconds, limit) << "no wait beyond the bridge's time-outs";
  const bool said = r.out.find(kSuccess) != std::string::npos;
  const bool succeeded = c.outcome == kEither ? r.exitCode == 0 : c.outcome == kSucceeds;
  if (succeeded) {
    EXPECT_EQ(r.exitCode, 0) << r.err;
  } else {
    EXPECT_NE(r.exitCode, 0) << r.out;
    EXPECT_FALSE(said) << "no success message for a failed write";
    EXPECT_NE(r.err.find("zn4417ctl: "), std::string::npos) << "a failure is explained";
  }
  const std::vector<uint8_t> chip = emulator.ReadMemory(kSfr, 0, 64);
  if (c.write) {
    EXPECT_EQ(said, succeeded);
    if (said) {
      EXPECT_EQ(chip, expected) << "success only for the block really on the chip";
    }
  } else {
    EXPECT_EQ(chip, before) << "a read never changes the chip";
    if (succeeded) {
      EXPECT_EQ(r.out.substr(0, 29), "0x00: 80 81 82 83 84 85 86 87");
      ASSERT_EQ(SplitLines(r.out).size(), 8u);
      EXPECT_EQ(SplitLines(r.out)[7], "0x38: B8 B9 BA BB BC BD BE BF");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Wire, ToolFaultTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// After the device is gone the tool says so at once, and once it is back
// the same command works again.
TEST(ToolUnplugTest, GoneThenBackAgain) {
  TcpDeviceEmulator emulator;
  ASSERT_TRUE(emulator.Start());
  const std::string address = emulator.Address();
  emulator.Unplug();
  ToolResult gone = RunTool({"--bridge", address, "read"});
  EXPECT_NE(gone.exitCode, 0);
  EXPECT_EQ(gone.out, "");
  EXPECT_NE(gone.err.find("no ZN4417 bridge"), std::string::npos) << gone.err;
  emulator.Plug();
  ASSERT_TRUE(emulator.Plugged());
  ToolResult back = RunTool({"--bridge", address, "read"});
  EXPECT_EQ(back.exitCode, 0) << back.err;
}

}  // namespace
