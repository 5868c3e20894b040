#include "link/tcp_bridge.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "link/bridge_address.h"
#include "link/memory_access.h"
#include "link/tcp_device_emulator.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Texts = std::vector<std::string>;

Bytes PowerOnBlock() {
  const Bytes sfr = SimulatedChip::PowerOnSfr();
  return Bytes(sfr.begin(), sfr.begin() + 64);
}

// Waits (bounded) for something the emulator thread does.
template <typename Condition>
bool Eventually(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

std::unique_ptr<BridgeLibrary> Create(const std::string& address) {
  std::string error;
  auto created = CreateBridgeLibrary(address, UsbId{}, error);
  EXPECT_NE(created, nullptr) << error;
  return created;
}

class TcpBridgeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(started); }
  TcpBridgeLibrary& Tcp() { return dynamic_cast<TcpBridgeLibrary&>(*library); }
  UsbLink& Link() { return link; }
  bool Read(Bytes& block) {
    block.assign(64, 0xEE);
    return access.ReadMemory(SFR, 0, 64, block.data());
  }

  TcpDeviceEmulator emulator;
  bool started = emulator.Start();
  std::unique_ptr<BridgeLibrary> library = Create(emulator.Address());
  UsbLink link{*library};
  Texts texts;
  MemoryAccess access{link, [this](const std::string& t) { texts.push_back(t); }};
};

TEST_F(TcpBridgeTest, ReadsTheEmulatedChip) {
  ASSERT_TRUE(Link().Open());
  Bytes block;
  EXPECT_TRUE(Read(block));
  EXPECT_EQ(block, PowerOnBlock());
  EXPECT_EQ(texts, (Texts{"读数据:SFR", "读数据成功"}));
}

TEST_F(TcpBridgeTest, WriteReachesTheChipAndReadsBack) {
  ASSERT_TRUE(Link().Open());
  Bytes block = PowerOnBlock();
  for (int i = 10; i <= 32; ++i) block[i] ^= 0x5A;
  EXPECT_TRUE(access.WriteMemory(SFR, 0, 64, block.data()));
  EXPECT_EQ(emulator.ReadMemory(SimulatedChip::kSfrSpace, 0, 64), block);
  Bytes back;
  EXPECT_TRUE(Read(back));
  EXPECT_EQ(back, block);
  EXPECT_EQ(emulator.CompletedWrites(), 1u);
}

TEST_F(TcpBridgeTest, DeviceCountFollowsTheEmulator) {
  uint32_t count = 0;
  EXPECT_EQ(library->GetNumDevices(count), kBridgeOk);
  EXPECT_EQ(count, 1u);
  const uint16_t port = emulator.port();
  emulator.Stop();
  EXPECT_EQ(library->GetNumDevices(count), kBridgeOk);
  EXPECT_EQ(count, 0u);
  EXPECT_FALSE(Link().Open());
  ASSERT_TRUE(emulator.Start(port));
  EXPECT_EQ(library->GetNumDevices(count), kBridgeOk);
  EXPECT_EQ(count, 1u);
  EXPECT_TRUE(Link().Open());
}

TEST_F(TcpBridgeTest, CountWhileOpenDoesNotProbe) {
  ASSERT_TRUE(Link().Open());  // one probe, then the link's own connection
  ASSERT_TRUE(Eventually([&] { return emulator.ConnectionsAccepted() == 2; }));
  uint32_t count = 0;
  EXPECT_EQ(library->GetNumDevices(count), kBridgeOk);
  EXPECT_EQ(count, 1u);
  EXPECT_TRUE(Link().Open());
  Bytes block;
  EXPECT_TRUE(Read(block));
  // The emulator accepts a probe no later than it serves bytes sent after it.
  EXPECT_EQ(emulator.ConnectionsAccepted(), 2u);
}

TEST_F(TcpBridgeTest, ProbeFromAnotherLibraryDoesNotDisturbAnExchange) {
  ASSERT_TRUE(Link().Open());
  auto other = Create(emulator.Address());
  uint32_t count = 0;
  ASSERT_EQ(other->GetNumDevices(count), kBridgeOk);
  EXPECT_EQ(count, 1u);
  Bytes block;
  EXPECT_TRUE(Read(block));
  EXPECT_EQ(block, PowerOnBlock());
}

TEST_F(TcpBridgeTest, FlushDropsStaleBytes) {
  ASSERT_TRUE(Link().Open());
  const uint8_t command[5] = {0xCD, 0, 0, 0, 0x40};
  uint32_t written = 0;
  ASSERT_EQ(library->Write(Link().Handle(), command, 5, written), kBridgeOk);
  ASSERT_EQ(written, 5u);
  ASSERT_TRUE(Eventually([&] { return Link().Waiting() == 34; }));
  EXPECT_EQ(library->FlushBuffers(Link().Handle(), 0xFF, 0xFF), kBridgeOk);
  EXPECT_EQ(Link().Waiting(), 0u);
  Tcp().CapTimeouts(20);
  uint8_t buffer[34];
  uint32_t received = 99;
  EXPECT_EQ(library->Read(Link().Handle(), buffer, 34, received), kBridgeOk);
  EXPECT_EQ(received, 0u);
  Tcp().CapTimeouts(0);
  Bytes block;
  EXPECT_TRUE(Read(block));
  EXPECT_EQ(block, PowerOnBlock());
}

TEST_F(TcpBridgeTest, PeerThatClosesFailsReadsAndWrites) {
  ASSERT_TRUE(Link().Open());
  emulator.Stop();
  // A flush notices the closed connection once the close has come through.
  ASSERT_TRUE(
      Eventually([&] { return library->FlushBuffers(Link().Handle(), 0xFF, 0xFF) != kBridgeOk; }));
  Bytes block;
  EXPECT_FALSE(Read(block));
  EXPECT_EQ(texts, (Texts{"读数据:SFR", "命令无响应", "...出错!"}));
  uint8_t byte = 0;
  uint32_t received = 0;
  EXPECT_NE(library->Read(Link().Handle(), &byte, 1, received), kBridgeOk);
}

TEST_F(TcpBridgeTest, SerialOptionChangesTheSerialString) {
  auto upper = Create(emulator.Address("TX_v1.0"));
  char serial[kProductStringSize] = {};
  EXPECT_EQ(upper->GetProductString(0, serial, kProductSerialNumber), kBridgeOk);
  EXPECT_STREQ(serial, "TX_v1.0");
  UsbLink other(*upper);
  EXPECT_FALSE(other.Open());
}

TEST_F(TcpBridgeTest, FaultsOfTheEmulatedChipShowThrough) {
  ASSERT_TRUE(Link().Open());
  Tcp().CapTimeouts(100);
  emulator.SetFaults({.shortCommandReply = true});
  Bytes block;
  EXPECT_FALSE(Read(block));
  EXPECT_EQ(texts, (Texts{"读数据:SFR", "ERROR:命令响应超时", "...出错!"}));
  Tcp().CapTimeouts(0);  // the rest needs no time-out to run out
  emulator.SetFaults({.wrongAckChunk = 1});
  texts.clear();
  EXPECT_FALSE(access.WriteMemory(SFR, 0, 64, block.data()));
  EXPECT_EQ(texts, (Texts{"写数据:SFR", "ERROR:数据响应错误，没有完成下载", "...出错!"}));
  emulator.SetFaults({});
  EXPECT_TRUE(Read(block));
}

TEST_F(TcpBridgeTest, RefusedConnectionsFailTheFirstExchange) {
  emulator.SetFaults({.refuseOpen = true});
  ASSERT_TRUE(Link().Open());  // TCP accepts before the emulator can refuse
  Tcp().CapTimeouts(500);
  Bytes block;
  EXPECT_FALSE(Read(block));
  EXPECT_EQ(texts.back(), "...出错!");
}

}  // namespace
