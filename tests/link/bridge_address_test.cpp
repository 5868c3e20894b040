#include "link/bridge_address.h"

#include <gtest/gtest.h>

#include "link/decimal_text.h"
#include "link/libusb_bridge.h"
#include "link/tcp_bridge.h"
#include "link/usb_link.h"

namespace {

TEST(ParseUsbId, AcceptsFourHexDigitsEachSide) {
  UsbId id;
  ASSERT_TRUE(ParseUsbId("1A2b:eF09", id));
  EXPECT_EQ(id.vendor, 0x1A2B);
  EXPECT_EQ(id.product, 0xEF09);
  ASSERT_TRUE(ParseUsbId("10C4:EA61", id));
  EXPECT_EQ(id.vendor, 0x10C4);
  EXPECT_EQ(id.product, 0xEA61);
}

TEST(ParseUsbId, RejectsAnythingElseAndKeepsTheId) {
  for (const char* text :
       {"", "10C4", "10C4EA61", "10C:EA61", "10C4:EA6", "10C4:EA611", "010C4:EA61", "G0C4:EA61",
        "10C4-EA61", " 0C4:EA61", "10C4:EA6 ", "+0C4:EA61", "0x10:EA61", "10C4:EA61\n"}) {
    UsbId id{0x1234, 0x5678};
    EXPECT_FALSE(ParseUsbId(text, id)) << text;
    EXPECT_EQ(id.vendor, 0x1234) << text;
    EXPECT_EQ(id.product, 0x5678) << text;
  }
}

TEST(CreateBridgeLibrary, UsbWithNoMatchingDeviceCountsZero) {
  std::string error;
  auto library = CreateBridgeLibrary("usb", UsbId{0xFFFF, 0xFFFE}, error);
  ASSERT_NE(library, nullptr) << error;
  auto* usb = dynamic_cast<LibUsbBridgeLibrary*>(library.get());
  ASSERT_NE(usb, nullptr);
  EXPECT_EQ(usb->Vendor(), 0xFFFF);
  EXPECT_EQ(usb->Product(), 0xFFFE);
  uint32_t count = 7;
  EXPECT_EQ(library->GetNumDevices(count), kBridgeOk);
  EXPECT_EQ(count, 0u);
  char buffer[kProductStringSize];
  BridgeHandle handle = nullptr;
  EXPECT_NE(library->GetProductString(0, buffer, 0), kBridgeOk);
  EXPECT_NE(library->Open(0, handle), kBridgeOk);
  UsbLink link(*library);
  EXPECT_FALSE(link.Open());
}

TEST(CreateBridgeLibrary, TcpAddressesAreParsed) {
  std::string error;
  auto library = CreateBridgeLibrary("tcp://127.0.0.1:4417?serial=abc", UsbId{}, error);
  ASSERT_NE(library, nullptr) << error;
  auto& tcp = dynamic_cast<TcpBridgeLibrary&>(*library);
  EXPECT_EQ(tcp.Host(), "127.0.0.1");
  EXPECT_EQ(tcp.Port(), 4417);
  EXPECT_EQ(tcp.Serial(), "abc");

  library = CreateBridgeLibrary("tcp://[::1]:65535", UsbId{}, error);
  ASSERT_NE(library, nullptr) << error;
  auto& v6 = dynamic_cast<TcpBridgeLibrary&>(*library);
  EXPECT_EQ(v6.Host(), "::1");
  EXPECT_EQ(v6.Port(), 65535);
  EXPECT_EQ(v6.Serial(), "tx_v1.0");
}

TEST(CreateBridgeLibrary, BadAddressesGiveAOneLineError) {
  for (const char* address :
       {"", "USB", "usb:", "simulator", "sim:", "udp://h:1", "tcp://", "tcp://host", "tcp://:4417",
        "tcp://host:0", "tcp://host:65536", "tcp://host:99999999", "tcp://host:-1",
        "tcp://host:12a", "tcp://host:4417?serial=", "tcp://host:4417?speed=9",
        "tcp://host:4417?serial=a&x=1", "tcp://[::1]4417", "tcp://[::1"}) {
    std::string error;
    EXPECT_EQ(CreateBridgeLibrary(address, UsbId{}, error), nullptr) << address;
    EXPECT_FALSE(error.empty()) << address;
    EXPECT_EQ(error.find('\n'), std::string::npos) << address;
  }
}

}  // namespace

TEST(DecimalTextTest, TakesOnlyDigitsUpToTheirCount) {
  const struct {
    const char* text;
    size_t maxDigits;
    bool ok;
    uint64_t value;
  } cases[] = {{"0", 1, true, 0},    {"65535", 5, true, 65535},
               {"007", 3, true, 7},  {"1234", 3, false, 0},
               {"", 5, false, 0},    {"+1", 5, false, 0},
               {"-1", 5, false, 0},  {" 1", 5, false, 0},
               {"1e3", 5, false, 0}, {"4294967295", 10, true, 4294967295u}};
  for (const auto& c : cases) {
    uint64_t value = 99;
    EXPECT_EQ(ParseDecimal(c.text, c.maxDigits, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}
