#include "link/multi_bridge.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "link/bridge_address.h"
#include "link/sim_bridge.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::unique_ptr<MultiBridgeLibrary> TwoChips(SimBridgeLibrary*& first, SimBridgeLibrary*& second) {
  std::vector<std::unique_ptr<BridgeLibrary>> members;
  members.push_back(std::make_unique<SimBridgeLibrary>());
  members.push_back(std::make_unique<SimBridgeLibrary>());
  first = static_cast<SimBridgeLibrary*>(members[0].get());
  second = static_cast<SimBridgeLibrary*>(members[1].get());
  return std::make_unique<MultiBridgeLibrary>(std::move(members));
}

std::string Serial(BridgeLibrary& library, uint32_t index) {
  char text[kProductStringSize] = {};
  if (library.GetProductString(index, text, kProductSerialNumber) != kBridgeOk) return "(none)";
  return text;
}

TEST(MultiBridge, EachDeviceReachesItsOwnChipThoughMembersShareHandleValues) {
  SimBridgeLibrary* first = nullptr;
  SimBridgeLibrary* second = nullptr;
  auto multi = TwoChips(first, second);
  second->SetSerial("other");
  uint32_t count = 0;
  ASSERT_EQ(multi->GetNumDevices(count), kBridgeOk);
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(Serial(*multi, 0), "tx_v1.0");
  EXPECT_EQ(Serial(*multi, 1), "other");
  EXPECT_EQ(Serial(*multi, 2), "(none)");

  // Both members hand out handle 1; the combined handles must still differ.
  BridgeHandle a = nullptr, b = nullptr;
  ASSERT_EQ(multi->Open(0, a), kBridgeOk);
  ASSERT_EQ(multi->Open(1, b), kBridgeOk);
  EXPECT_NE(a, b);
  EXPECT_EQ(first->OpenHandles(), 1);
  EXPECT_EQ(second->OpenHandles(), 1);

  second->Chip().Poke(SimulatedChip::kSfrSpace, 5, 0x77);
  first->Chip().Poke(SimulatedChip::kSfrSpace, 5, 0x11);
  const uint8_t command[] = {0xCD, 0x00, 0x05, 0x00, 0x01};
  for (auto [handle, expected] : {std::pair{b, 0x77}, std::pair{a, 0x11}}) {
    uint32_t written = 0, received = 0;
    ASSERT_EQ(multi->FlushBuffers(handle, 255, 255), kBridgeOk);
    ASSERT_EQ(multi->Write(handle, command, 5, written), kBridgeOk);
    uint8_t reply[3] = {};
    ASSERT_EQ(multi->Read(handle, reply, 3, received), kBridgeOk);
    ASSERT_EQ(received, 3u);
    EXPECT_EQ(reply[2], expected);
  }

  EXPECT_EQ(multi->Close(b), kBridgeOk);
  EXPECT_EQ(second->OpenHandles(), 0);
  EXPECT_EQ(first->OpenHandles(), 1);
  uint32_t n = 0;
  uint8_t byte = 0;
  EXPECT_NE(multi->Close(b), kBridgeOk);
  EXPECT_NE(multi->Read(b, &byte, 1, n), kBridgeOk);
  EXPECT_NE(multi->Write(b, &byte, 1, n), kBridgeOk);
  EXPECT_NE(multi->FlushBuffers(b, 255, 255), kBridgeOk);
}

class SimAddressTest : public ::testing::Test {
 protected:
  std::string File(const char* name) const { return (dir / name).string(); }
  TempDir temp{"zn4417-multi"};
  const std::filesystem::path& dir = temp.Path();
};

TEST_F(SimAddressTest, BadListsAreRefusedInOneLine) {
  const std::string a = File("a.mem");
  for (const std::string& address :
       {std::string("sim:0"), std::string("sim:17"), "sim:" + a + "," + a, "sim:" + a + ",",
        "sim:," + a, "sim:" + a + "?serial=", "sim:" + a + "?speed=1",
        "sim:" + a + "," + (dir / "." / "a.mem").string()}) {
    std::string error;
    EXPECT_EQ(CreateBridgeLibrary(address, UsbId{}, error), nullptr) << address;
    EXPECT_FALSE(error.empty()) << address;
    EXPECT_EQ(error.find('\n'), std::string::npos) << address;
  }
  EXPECT_FALSE(std::filesystem::exists(a)) << "a refused address creates no memory file";
}

}  // namespace
