// The device emulator as a program uses it: wire faults one after another,
// its serial string asked for by the TCP bridge, other listening addresses,
// the memories loaded at once and every exchange reported.
#include "link/tcp_device_emulator.h"

#include <gtest/gtest.h>

#include "link/bridge_address.h"
#include "link/memory_access.h"
#include "link/tcp_bridge.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::unique_ptr<BridgeLibrary> Create(const std::string& address) {
  std::string error;
  auto created = CreateBridgeLibrary(address, UsbId{}, error);
  EXPECT_NE(created, nullptr) << error;
  return created;
}

std::string SerialOf(BridgeLibrary& library) {
  char serial[kProductStringSize] = {};
  EXPECT_EQ(library.GetProductString(0, serial, kProductSerialNumber), kBridgeOk);
  return serial;
}

// One exchange on a link of its own: open, read the block, close.
TransferResult ReadOnce(BridgeLibrary& library) {
  UsbLink link(library);
  if (!link.Open()) {
    ADD_FAILURE() << "no bridge to open";
    return trCommandNotSent;
  }
  MemoryAccess access(link, nullptr);
  uint8_t block[64];
  access.ReadMemory(SFR, 0, 64, block);
  link.Close();
  return access.LastResult();
}

TEST(TcpDeviceEmulator, WireFaultsFireOneAfterAnotherEachOnAConnectionOfItsOwn) {
  TcpDeviceEmulator emulator;
  ASSERT_TRUE(emulator.Start());
  auto library = Create(emulator.Address());
  emulator.SetWireFaults({{waExtraBytes, 5, 2, 1}, {waNone}, {waGarbage, 5, 0}});
  UsbLink link(*library);
  ASSERT_TRUE(link.Open());
  MemoryAccess access(link, nullptr);
  uint8_t block[64];
  EXPECT_FALSE(access.ReadMemory(SFR, 0, 64, block));
  EXPECT_EQ(access.LastResult(), trMisframed);
  EXPECT_EQ(emulator.WireFaultsFired(), 1u);
  EXPECT_FALSE(emulator.WireFaultFired());
  EXPECT_TRUE(access.ReadMemory(SFR, 0, 64, block)) << "the next fault waits for a new connection";
  link.Close();
  EXPECT_NE(ReadOnce(*library), trOk);
  EXPECT_TRUE(emulator.WireFaultFired()) << "the waNone entry is left out";
  EXPECT_EQ(ReadOnce(*library), trOk);
  emulator.SetWireFaults({});
  EXPECT_FALSE(emulator.WireFaultFired());
}

TEST(TcpDeviceEmulator, TheBridgeAsksForTheSerialUnlessTheAddressNamesOne) {
  TcpDeviceEmulator emulator;
  ASSERT_TRUE(emulator.Start());
  emulator.SetSerial("tx_v2.0");
  auto asking = Create(emulator.Address());
  EXPECT_EQ(SerialOf(*asking), "tx_v2.0");
  EXPECT_EQ(dynamic_cast<TcpBridgeLibrary&>(*asking).Serial(), "tx_v2.0");
  UsbLink link(*asking);
  EXPECT_FALSE(link.Open()) << "not the ZN4417 bridge's serial";
  auto named = Create(emulator.Address(TcpBridgeLibrary::kDefaultSerial));
  EXPECT_EQ(SerialOf(*named), "tx_v1.0");
  emulator.SetSerial("tx_v1.0");
  uint32_t count = 0;
  ASSERT_EQ(asking->GetNumDevices(count), kBridgeOk) << "each count looks again";
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(ReadOnce(*asking), trOk);
  EXPECT_TRUE(emulator.Commands() == Bytes{0xCD}) << "identify requests reach no chip";
}

TEST(TcpDeviceEmulator, ADeviceThatDoesNotAnswerReportsTheDefaultSerial) {
  TcpDeviceEmulator emulator;
  ASSERT_TRUE(emulator.Start());
  emulator.SetSerial("tx_v2.0");
  emulator.SetFaults({.refuseOpen = true});  // closes every connection at once
  auto library = Create(emulator.Address());
  uint32_t count = 0;
  ASSERT_EQ(library->GetNumDevices(count), kBridgeOk);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(SerialOf(*library), TcpBridgeLibrary::kDefaultSerial);
  emulator.Stop();
  auto gone = Create(emulator.Address());
  char serial[kProductStringSize] = {};
  EXPECT_EQ(gone->GetProductString(0, serial, kProductSerialNumber),
            TcpBridgeLibrary::kStatusNoConnection);
}

TEST(TcpDeviceEmulator, ListensOnIpv6) {
  TcpDeviceEmulator emulator;
  if (!emulator.Start("::1", 0)) GTEST_SKIP() << "no IPv6 loopback here";
  EXPECT_EQ(emulator.Address(), "tcp://[::1]:" + std::to_string(emulator.port()));
  auto library = Create(emulator.Address());
  EXPECT_EQ(ReadOnce(*library), trOk);
}

TEST(TcpDeviceEmulator, ReportsExchangesWithTheirConnection) {
  TcpDeviceEmulator emulator;
  std::vector<std::pair<uint64_t, SimExchange>> ends;
  std::vector<uint64_t> faults;
  emulator.OnExchange = [&](uint64_t connection, const SimExchange& e) {
    ends.push_back({connection, e});
  };
  emulator.OnWireFault = [&](size_t index, const WireFault&, uint64_t connection) {
    faults.push_back(index * 100 + connection);
  };
  ASSERT_TRUE(emulator.Start());
  emulator.SetWireFault({waUnplug, 7, 0});
  auto library = Create(emulator.Address());
  EXPECT_EQ(ReadOnce(*library), trChunkShort);  // the second chunk never comes
  emulator.Stop();                              // the reports come from the emulator's thread
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].first, 2u) << "after the probe";
  EXPECT_EQ(ends[0].second.done, 32u);
  EXPECT_FALSE(ends[0].second.complete);
  EXPECT_EQ(faults, std::vector<uint64_t>{2});
}

TEST(TcpDeviceEmulator, LoadsEveryMemoryAtOnce) {
  TcpDeviceEmulator emulator;
  Bytes memory(SimulatedChip::kMemorySize, 0x3C);
  EXPECT_FALSE(emulator.LoadMemory(Bytes(64)));
  EXPECT_TRUE(emulator.LoadMemory(memory));
  EXPECT_EQ(emulator.ReadMemory(SimulatedChip::kSfrSpace, 0, 2), (Bytes{0x3C, 0x3C}));
}

}  // namespace
