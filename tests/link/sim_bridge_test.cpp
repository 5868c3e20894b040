#include "link/sim_bridge.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "link/bridge_address.h"
#include "link/memory_access.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Texts = std::vector<std::string>;

// UsbLink and MemoryAccess over one simulated bridge, as the program uses them.
struct Rig {
  explicit Rig(BridgeLibrary& library) : link(library) {}
  bool Read(Bytes& block, uint16_t length = 64) {
    block.assign(length, 0xEE);
    return access.ReadMemory(SFR, 0, length, block.data());
  }
  bool Write(const Bytes& block) {
    return access.WriteMemory(SFR, 0, static_cast<uint16_t>(block.size()), block.data());
  }
  UsbLink link;
  Texts texts;
  MemoryAccess access{link, [this](const std::string& t) { texts.push_back(t); }};
};

Bytes PowerOnBlock() {
  const Bytes sfr = SimulatedChip::PowerOnSfr();
  return Bytes(sfr.begin(), sfr.begin() + 64);
}

Bytes EditedBlock() {
  Bytes block = PowerOnBlock();
  for (int i = 10; i <= 32; ++i) block[i] = static_cast<uint8_t>(block[i] + 3 * i);
  return block;
}

class SimBridgeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(rig.link.Open()); }
  SimBridgeLibrary sim;
  Rig rig{sim};
};

TEST_F(SimBridgeTest, OpensTheOneBridgeWithTheProgramsTimeouts) {
  EXPECT_EQ(sim.OpenHandles(), 1);
  EXPECT_EQ(sim.ReadTimeoutMs(), 1800u);
  EXPECT_EQ(sim.WriteTimeoutMs(), 500u);
  char product[kProductStringSize] = {};
  EXPECT_EQ(sim.GetProductString(0, product, 1), kBridgeOk);
  EXPECT_STRNE(product, "tx_v1.0");
  EXPECT_NE(sim.GetProductString(1, product, 0), kBridgeOk);
  BridgeHandle second = nullptr;
  EXPECT_EQ(sim.Open(0, second), SimBridgeLibrary::kStatusBusy);
}

TEST_F(SimBridgeTest, ReadsThePowerOnBlock) {
  Bytes block;
  EXPECT_TRUE(rig.Read(block));
  EXPECT_EQ(block, PowerOnBlock());
  EXPECT_EQ(rig.texts, (Texts{"读数据:SFR", "读数据成功"}));
}

TEST_F(SimBridgeTest, WriteThenReadBackKeepsEveryByte) {
  const Bytes block = EditedBlock();
  EXPECT_TRUE(rig.Write(block));
  Bytes back;
  EXPECT_TRUE(rig.Read(back));
  EXPECT_EQ(back, block);
  EXPECT_EQ(sim.Chip().CompletedWrites(), 1u);
}

TEST_F(SimBridgeTest, FlushDropsUnreadReplyBytes) {
  const uint8_t command[5] = {0xCD, 0, 0, 0, 0x40};
  uint32_t written = 0, received = 0;
  ASSERT_EQ(sim.Write(rig.link.Handle(), command, 5, written), kBridgeOk);
  EXPECT_EQ(sim.FlushBuffers(rig.link.Handle(), 0xFF, 0xFF), kBridgeOk);
  uint8_t buffer[34];
  EXPECT_EQ(sim.Read(rig.link.Handle(), buffer, 34, received), kBridgeOk);
  EXPECT_EQ(received, 0u);
  Bytes block;
  EXPECT_TRUE(rig.Read(block));  // the next exchange starts cleanly
  EXPECT_EQ(block, PowerOnBlock());
}

TEST_F(SimBridgeTest, RefusedOpen) {
  rig.link.Close();
  sim.SetFaults({.refuseOpen = true});
  EXPECT_FALSE(rig.link.Open());
  sim.SetFaults({});
  EXPECT_TRUE(rig.link.Open());
}

TEST_F(SimBridgeTest, ShortCommandReply) {
  sim.SetFaults({.shortCommandReply = true});
  Bytes block;
  EXPECT_FALSE(rig.Read(block));
  EXPECT_EQ(rig.texts, (Texts{"读数据:SFR", "ERROR:命令响应超时", "...出错!"}));
  sim.SetFaults({});
  EXPECT_TRUE(rig.Read(block));
}

TEST_F(SimBridgeTest, ShortSecondReadChunk) {
  sim.SetFaults({.shortReadChunk = 1});
  Bytes block;
  EXPECT_FALSE(rig.Read(block));
  EXPECT_EQ(rig.texts, (Texts{"读数据:SFR", "ERROR:数据读入超时", "...出错!"}));
  Bytes expected = PowerOnBlock();
  expected[63] = 0xEE;  // the one byte that never came
  EXPECT_EQ(block, expected);
  sim.SetFaults({});
  EXPECT_TRUE(rig.Read(block));
}

TEST_F(SimBridgeTest, WrongAcknowledgementCount) {
  sim.SetFaults({.wrongAckChunk = 0});
  EXPECT_FALSE(rig.Write(EditedBlock()));
  EXPECT_EQ(rig.texts, (Texts{"写数据:SFR", "ERROR:数据响应错误，没有完成下载", "...出错!"}));
  EXPECT_EQ(sim.Chip().CompletedWrites(), 0u);
  sim.SetFaults({});
  EXPECT_TRUE(rig.Write(EditedBlock()));
}

// Stray bytes after the reply, between the chunks or after the last one:
// the read fails and the caller's buffer never passes for the block; the
// next exchange starts clean, since its first write drops the leftovers.
TEST_F(SimBridgeTest, StrayBytesFailAReadAndTheNextExchangeWorks) {
  for (int packet : {0, 1, 2}) {
    rig.texts.clear();
    sim.SetFaults({.strayAfterPacket = packet, .strayBytes = packet + 1});
    Bytes block;
    EXPECT_FALSE(rig.Read(block)) << packet;
    EXPECT_EQ(rig.access.LastResult(), trMisframed) << packet;
    EXPECT_EQ(rig.texts, (Texts{"读数据:SFR", "ERROR:数据响应多余，帧错位", "...出错!"}));
    sim.SetFaults({});
    EXPECT_TRUE(rig.Read(block));
    EXPECT_EQ(block, PowerOnBlock());
  }
}

// A write sends no data after an answer with stray bytes; after the last
// acknowledgement the block is on the chip, but the write still fails.
TEST_F(SimBridgeTest, StrayBytesFailAWrite) {
  for (int packet : {0, 1, 2}) {
    rig.texts.clear();
    sim.SetFaults({.strayAfterPacket = packet});
    const uint64_t before = sim.Chip().CompletedWrites();
    EXPECT_FALSE(rig.Write(EditedBlock())) << packet;
    EXPECT_EQ(rig.access.LastResult(), trMisframed) << packet;
    EXPECT_EQ(rig.texts, (Texts{"写数据:SFR", "ERROR:数据响应多余，帧错位", "...出错!"}));
    EXPECT_EQ(sim.Chip().CompletedWrites() - before, packet == 2 ? 1u : 0u) << packet;
    // The chip still waits for the rest of an abandoned write; a new open
    // starts it afresh.
    sim.SetFaults({});
    rig.link.Close();
    ASSERT_TRUE(rig.link.Open());
  }
}

TEST_F(SimBridgeTest, CorruptByteReadsBackDifferently) {
  sim.SetFaults({.corruptSfrAddress = 20});
  const Bytes block = EditedBlock();
  ASSERT_TRUE(rig.Write(block));
  Bytes back;
  ASSERT_TRUE(rig.Read(back));
  EXPECT_EQ(sim.Chip().Peek(SimulatedChip::kSfrSpace, 20), block[20]);  // stored right
  EXPECT_NE(back[20], block[20]);                                       // read wrong
  back[20] = block[20];
  EXPECT_EQ(back, block);
}

TEST_F(SimBridgeTest, Offset63DriftsAfterEachWrite) {
  sim.SetFaults({.driftOffset63 = true});
  const Bytes block = EditedBlock();
  ASSERT_TRUE(rig.Write(block));
  Bytes back;
  ASSERT_TRUE(rig.Read(back));
  EXPECT_EQ(back[63], static_cast<uint8_t>(block[63] + 1));
  EXPECT_EQ(Bytes(back.begin(), back.begin() + 63), Bytes(block.begin(), block.begin() + 63));
  ASSERT_TRUE(rig.Write(block));
  ASSERT_TRUE(rig.Read(back));
  EXPECT_EQ(back[63], static_cast<uint8_t>(block[63] + 1));
}

TEST_F(SimBridgeTest, UnplugFailsTheOpenHandleForGood) {
  sim.Unplug();
  uint32_t count = 9;
  EXPECT_EQ(sim.GetNumDevices(count), kBridgeOk);
  EXPECT_EQ(count, 0u);
  Bytes block;
  EXPECT_FALSE(rig.Read(block));
  EXPECT_EQ(rig.texts, (Texts{"读数据:SFR", "命令无响应", "...出错!"}));
  uint8_t byte = 0;
  EXPECT_EQ(rig.link.Read(&byte, 1), 0u);

  sim.Plug();
  EXPECT_FALSE(rig.Read(block));  // the handle from before stays dead
  EXPECT_TRUE(rig.link.Open());   // still "open" until closed
  rig.link.Close();
  EXPECT_EQ(sim.OpenHandles(), 0);
  EXPECT_TRUE(rig.link.Open());
  EXPECT_TRUE(rig.Read(block));
  EXPECT_EQ(block, PowerOnBlock());
}

TEST(SimBridgeAddress, SimAddressGivesAReachableSimLibrary) {
  std::string error;
  auto library = CreateBridgeLibrary("sim", UsbId{}, error);
  ASSERT_NE(library, nullptr) << error;
  auto* sim = dynamic_cast<SimBridgeLibrary*>(library.get());
  ASSERT_NE(sim, nullptr);
  sim->Unplug();
  UsbLink link(*library);
  EXPECT_FALSE(link.Open());
  sim->Plug();
  EXPECT_TRUE(link.Open());
}

class SimFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("zn_link_sim_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    file = (dir / "chip.bin").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::filesystem::path dir;
  std::string file;
};

TEST_F(SimFileTest, WritesPersistAcrossLibraryInstances) {
  const Bytes block = EditedBlock();
  std::string error;
  {
    auto library = CreateBridgeLibrary("sim:" + file, UsbId{}, error);
    ASSERT_NE(library, nullptr) << error;
    EXPECT_EQ(std::filesystem::file_size(file), SimulatedChip::kMemorySize);
    Rig rig(*library);
    ASSERT_TRUE(rig.link.Open());
    ASSERT_TRUE(rig.Write(block));
  }
  auto library = CreateBridgeLibrary("sim:" + file, UsbId{}, error);
  ASSERT_NE(library, nullptr) << error;
  Rig rig(*library);
  ASSERT_TRUE(rig.link.Open());
  Bytes back;
  ASSERT_TRUE(rig.Read(back));
  EXPECT_EQ(back, block);
}

TEST_F(SimFileTest, FileWithTheWrongSizeIsAnError) {
  std::ofstream(file, std::ios::binary) << "too short";
  std::string error;
  EXPECT_EQ(CreateBridgeLibrary("sim:" + file, UsbId{}, error), nullptr);
  EXPECT_NE(error.find("bytes"), std::string::npos) << error;
  EXPECT_EQ(std::filesystem::file_size(file), 9u);  // left as it was
}

TEST_F(SimFileTest, UnreadableFileIsReportedNotReplaced) {
  std::filesystem::create_directory(file);  // exists, but cannot be read as a file
  std::string error;
  EXPECT_EQ(CreateBridgeLibrary("sim:" + file, UsbId{}, error), nullptr);
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST_F(SimFileTest, UncreatableFileIsAnError) {
  std::string error;
  EXPECT_EQ(CreateBridgeLibrary("sim:" + (dir / "missing" / "chip.bin").string(), UsbId{}, error),
            nullptr);
  EXPECT_FALSE(error.empty());
}

}  // namespace
