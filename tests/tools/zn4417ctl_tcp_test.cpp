// zn4417ctl run as a program against a device emulator on 127.0.0.1.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "link/tcp_device_emulator.h"
#include "tests/tools/run_tool.h"

namespace {

constexpr int kSfr = SimulatedChip::kSfrSpace;

class TcpToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(emulator.Start());
    std::vector<uint8_t> block(64);
    for (int i = 0; i < 64; ++i) block[i] = static_cast<uint8_t>(0x80 + i);
    emulator.WriteMemory(kSfr, 0, block);
    std::vector<uint8_t> powerOn = SimulatedChip::PowerOnSfr();
    emulator.WriteMemory(kSfr, 10, {powerOn.begin() + 10, powerOn.begin() + 33});
  }

  ToolResult Run(std::vector<std::string> args, const std::string& serial = "") {
    args.insert(args.begin(), {"--bridge", emulator.Address(serial)});
    return RunTool(args);
  }

  void SetFaults(void (*edit)(SimFaults&)) {
    SimFaults faults = emulator.Faults();
    edit(faults);
    emulator.SetFaults(faults);
  }

  // A 64-byte image file; removed with the test.
  std::string ImageFile(const std::vector<uint8_t>& bytes) {
    file = std::filesystem::temp_directory_path() /
           ("zn4417ctl-tcp-" + std::to_string(getpid()) + ".bin");
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    return file.string();
  }
  void TearDown() override {
    if (!file.empty()) std::filesystem::remove(file);
  }

  // The block as the chip holds it now, which a write of it sends unchanged.
  std::vector<uint8_t> Block() { return emulator.ReadMemory(kSfr, 0, 64); }

  // `write FILE` under the fault fails with exit 3, nothing on stdout and
  // exactly `err` on stderr.
  void ExpectWriteFails(const std::string& image, void (*fault)(SimFaults&),
                        const std::string& err) {
    SetFaults(fault);
    ToolResult r = Run({"write", image});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, err);
  }

  TcpDeviceEmulator emulator;
  std::filesystem::path file;
};

TEST_F(TcpToolTest, ReadGoesThroughTheProtocol) {
  ToolResult r = Run({"read"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::vector<std::string> lines = SplitLines(r.out);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], "0x00: 80 81 82 83 84 85 86 87");
  EXPECT_EQ(lines[7], "0x38: B8 B9 BA BB BC BD BE BF");
}

TEST_F(TcpToolTest, SetWritesAndVerifies) {
  ToolResult r = Run({"set", "DB=10", "CLK=3"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "下载成功!\n");
  std::vector<uint8_t> sfr = emulator.ReadMemory(kSfr, 0, 64);
  EXPECT_EQ(sfr[15], 245);
  EXPECT_EQ(sfr[12], 7) << "offset 12 is forced whatever CLK holds";
  EXPECT_EQ(sfr[0], 0x80);
  EXPECT_EQ(sfr[63], 0xBF);
  ToolResult dump = Run({"dump"});
  EXPECT_EQ(SplitLines(dump.out).at(0), "DEADBAND=10");
}

TEST_F(TcpToolTest, ReadBackThatDiffersExitsOne) {
  SetFaults([](SimFaults& f) { f.corruptSfrAddress = 5; });
  ToolResult r = Run({"set", "BT=9"});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(emulator.ReadMemory(kSfr, 17, 1).at(0), 9) << "the write itself went through";
}

TEST_F(TcpToolTest, DriftOfOffset63AloneStillVerifies) {
  SetFaults([](SimFaults& f) { f.driftOffset63 = true; });
  ToolResult r = Run({"set", "BT=9"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "下载成功!\n");
}

TEST_F(TcpToolTest, FailedTransfersExitThree) {
  SetFaults([](SimFaults& f) { f.shortReadChunk = 1; });
  ToolResult read = Run({"read"});
  EXPECT_EQ(read.exitCode, 3) << read.err;
  EXPECT_EQ(read.out, "");

  SetFaults([](SimFaults& f) {
    f.shortReadChunk = -1;
    f.wrongAckChunk = 0;
  });
  std::filesystem::path file = std::filesystem::temp_directory_path() / "zn4417ctl-tcp-image.bin";
  {
    std::ofstream out(file, std::ios::binary);
    out << std::string(64, '\x01');
  }
  ToolResult write = Run({"write", file.string()});
  std::filesystem::remove(file);
  EXPECT_EQ(write.exitCode, 3) << write.err;
  EXPECT_EQ(write.out, "");
}

// A device that puts a stray byte between a read's reply and its first
// chunk, in one piece with the chunk: the shifted bytes never reach the
// output, a file or the chip, and the next command works.
TEST_F(TcpToolTest, MisframedReadIsNeverTakenForTheBlock) {
  const std::string why = "the device sent more bytes than asked for";
  const auto misframed = [&](const std::vector<std::string>& args) {
    emulator.SetWireFault({waExtraBytes, 5, 2, 1});
    const size_t before = emulator.Commands().size();
    ToolResult r = Run(args);
    EXPECT_TRUE(emulator.WireFaultFired()) << args[0];
    EXPECT_EQ(r.exitCode, 3) << args[0] << r.err;
    EXPECT_EQ(r.out, "") << args[0];
    EXPECT_NE(r.err.find(why), std::string::npos) << r.err;
    const std::vector<uint8_t> all = emulator.Commands();
    EXPECT_EQ(std::vector<uint8_t>(all.begin() + static_cast<long>(before), all.end()),
              std::vector<uint8_t>{0xCD})
        << args[0] << ": nothing but the read was sent";
  };
  const std::vector<uint8_t> chip = Block();
  misframed({"read"});
  misframed({"set", "DEADBAND=10"});
  const std::string image = ImageFile(std::vector<uint8_t>(64, 0x5A));
  misframed({"verify", image});
  misframed({"read", "-o", image});
  std::ifstream in(image, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), std::string(64, '\x5A'))
      << "the output file is untouched";
  std::filesystem::remove(image);
  misframed({"read", "-o", image});
  EXPECT_FALSE(std::filesystem::exists(image));
  EXPECT_EQ(Block(), chip);
  EXPECT_EQ(emulator.CompletedWrites(), 0u);
  ToolResult next = Run({"read"});
  EXPECT_EQ(next.exitCode, 0) << next.err;
  EXPECT_EQ(SplitLines(next.out).at(0), "0x00: 80 81 82 83 84 85 86 87");
}

// A misframed read-back: the write is not verified, and never reported done.
TEST_F(TcpToolTest, MisframedReadBackExitsThree) {
  // Host bytes: write: the command ends at 5, the chunks at 37 and 69, the
  // read-back's command at 74; set reads first (9 bytes), so 9 more.
  const std::string image = ImageFile(Block());
  const std::pair<std::vector<std::string>, uint64_t> runs[] = {{{"write", image}, 74},
                                                                {{"set", "BT=9"}, 83}};
  for (const auto& [args, readBackCommandEnd] : runs) {
    emulator.SetWireFault({waExtraBytes, readBackCommandEnd, 2, 1});
    ToolResult r = Run(args);
    EXPECT_TRUE(emulator.WireFaultFired()) << args[0];
    EXPECT_EQ(r.exitCode, 3) << args[0] << r.err;
    EXPECT_EQ(r.out, "") << args[0];
    EXPECT_NE(r.err.find("reading the block back failed: the device sent more bytes than asked "
                         "for; the transfer is not trusted; the write is not verified"),
              std::string::npos)
        << r.err;
  }
}

TEST_F(TcpToolTest, NoOpenableBridgeExitsTwo) {
  ToolResult other = Run({"read"}, "tx_v1.1");
  EXPECT_EQ(other.exitCode, 2) << other.err;
  std::string address = emulator.Address();
  emulator.Stop();  // nothing listens on the port any more
  ToolResult gone = RunTool({"--bridge", address, "dump"});
  EXPECT_EQ(gone.exitCode, 2) << gone.err;
  EXPECT_EQ(gone.out, "");
  EXPECT_NE(gone.err.find("no ZN4417 bridge"), std::string::npos);
}

TEST_F(TcpToolTest, ListTellsOurBridgeFromOthers) {
  ToolResult ours = Run({"list"});
  EXPECT_EQ(ours.exitCode, 0);
  const std::string location = emulator.Address().substr(0, emulator.Address().find('?'));
  EXPECT_EQ(ours.out, "0 " + location + " tx_v1.0 (ZN4417 bridge)\n");
  ToolResult other = Run({"list"}, "Tx_v1.0");
  EXPECT_EQ(other.out, "0 " + location + " Tx_v1.0 (not a ZN4417 bridge)\n");
}

TEST_F(TcpToolTest, BadInputSendsNothing) {
  uint64_t writes = emulator.CompletedWrites();
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"set", "DB=ten"}, {"set", "NOPE=1"}, {"write", "/nonexistent/image.bin"}}) {
    EXPECT_EQ(Run(args).exitCode, 64);
  }
  EXPECT_EQ(emulator.ConnectionsAccepted(), 0u);
  EXPECT_EQ(emulator.BytesSent(), 0u);
  EXPECT_EQ(emulator.CompletedWrites(), writes);
}

TEST_F(TcpToolTest, WrongAcknowledgementIsAFailureEvenWhenTheReadBackMatches) {
  const std::string image = ImageFile(Block());
  ExpectWriteFails(
      image, [](SimFaults& f) { f.wrongAckChunk = 0; },  // 00 1F after the first chunk
      "zn4417ctl: writing the block failed: a data chunk was acknowledged with a wrong count\n"
      "zn4417ctl: the block read back matches anyway; the write is not counted as done\n");

  // The first chunk (offsets 0 to 31) reaches the chip; a change in the second cannot.
  ToolResult set = Run({"set", "PMID=9"});
  EXPECT_EQ(set.exitCode, 3);
  EXPECT_EQ(set.out, "");
  EXPECT_NE(set.err.find("writing the block failed"), std::string::npos) << set.err;
  EXPECT_NE(set.err.find("the block read back differs at 1 of offsets 0 to 62"), std::string::npos)
      << set.err;
}

TEST_F(TcpToolTest, FailedReadBackIsAFailureThoughTheWriteWentThrough) {
  std::vector<uint8_t> block = Block();
  block[40] = 0x5A;
  ExpectWriteFails(
      ImageFile(block), [](SimFaults& f) { f.shortReadChunk = 1; },
      "zn4417ctl: reading the block back failed: a data chunk did not come in full; "
      "the write is not verified\n");
  EXPECT_EQ(Block()[40], 0x5A) << "the write itself went through";
}

TEST_F(TcpToolTest, CommandWithoutReplyFailsBothSteps) {
  const std::string image = ImageFile(Block());
  ExpectWriteFails(
      image, [](SimFaults& f) { f.shortCommandReply = true; },
      "zn4417ctl: writing the block failed: the chip did not answer the command\n"
      "zn4417ctl: reading the block back failed too: the chip did not answer the "
      "command\n");
  ToolResult verify = Run({"verify", image});
  EXPECT_EQ(verify.exitCode, 3);
  EXPECT_EQ(verify.err,
            "zn4417ctl: reading the configuration block failed: the chip did not answer the "
            "command\n");
}

TEST_F(TcpToolTest, ReadBackThatDiffersListsTheOffsets) {
  SetFaults([](SimFaults& f) { f.corruptSfrAddress = 5; });
  ToolResult r = Run({"set", "BT=9"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err,
            "zn4417ctl: written, but the block read back differs at 1 of offsets 0 to 62:\n"
            "0x05: read back 85, written 84\n");
  SetFaults([](SimFaults& f) { f.corruptSfrAddress = -1; });
  std::vector<uint8_t> block = Block();
  const std::string image = ImageFile(block);
  SetFaults([](SimFaults& f) { f.corruptSfrAddress = 62; });
  ToolResult verify = Run({"verify", image});
  EXPECT_EQ(verify.exitCode, 1);
  EXPECT_EQ(verify.out, "1 of offsets 0 to 62 differ:\n0x3E: chip BF, file BE\n");
}

TEST_F(TcpToolTest, DeviceThatClosesTheConnectionFailsTheTransfer) {
  std::vector<uint8_t> before = Block();
  SetFaults([](SimFaults& f) { f.refuseOpen = true; });  // accepts, then hangs up
  ToolResult r = Run({"set", "DEADBAND=1"});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("zn4417ctl: reading the configuration block failed: ", 0), 0u) << r.err;
  ToolResult write = Run({"write", ImageFile(before)});
  EXPECT_EQ(write.exitCode, 3);
  EXPECT_EQ(write.out, "");
  EXPECT_NE(write.err.find("writing the block failed"), std::string::npos) << write.err;
  EXPECT_EQ(Block(), before);
}

}  // namespace
