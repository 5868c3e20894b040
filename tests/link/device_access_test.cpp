// Telling why an attached bridge cannot be opened: the texts for device
// nodes without permission, and the reporting library in front of UsbLink.
#include "link/device_access.h"

#include <gtest/gtest.h>

#include "link/sim_bridge.h"
#include "link/usb_link.h"
#include "tests/support/recording_bridge_library.h"

namespace {

// A library whose bridges' device nodes the user may not open: their serial
// strings cannot be read.
class DeniedLibrary : public RecordingBridgeLibrary, public DeviceAccessReport {
 public:
  std::vector<std::string> nodes;
  std::vector<std::string> InaccessibleNodes() const override { return nodes; }
};

struct Reporting {
  DeniedLibrary* denied = nullptr;
  std::vector<std::string> texts;
  std::unique_ptr<AccessReportingBridgeLibrary> library;

  Reporting() {
    auto inner = std::make_unique<DeniedLibrary>();
    denied = inner.get();
    library = std::make_unique<AccessReportingBridgeLibrary>(
        std::move(inner), [this](const std::string& text) { texts.push_back(text); });
  }
};

TEST(DeviceAccess, NodePathAndTextNameTheNodeAndTheRule) {
  EXPECT_EQ(UsbDeviceNode(1, 7), "/dev/bus/usb/001/007");
  EXPECT_EQ(UsbDeviceNode(12, 127), "/dev/bus/usb/012/127");
  const std::string text = NoAccessText("/dev/bus/usb/003/004");
  EXPECT_NE(text.find("/dev/bus/usb/003/004 is not accessible"), std::string::npos) << text;
  EXPECT_NE(text.find("60-zn4417.rules"), std::string::npos) << text;
  EXPECT_NE(text.find("Using a real bridge on Linux"), std::string::npos) << text;

  DeniedLibrary denied;
  denied.nodes = {"/dev/bus/usb/001/002", "/dev/bus/usb/001/009"};
  const std::vector<std::string> texts = NoAccessTexts(denied);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1], NoAccessText("/dev/bus/usb/001/009"));
  // Libraries without device nodes have nothing to say.
  SimBridgeLibrary sim;
  EXPECT_TRUE(NoAccessTexts(sim).empty());
}

TEST(DeviceAccess, EachConnectionAttemptReportsEveryDeniedNodeOnce) {
  Reporting r;
  RecordingBridgeLibrary::Device device;
  device.serialStatus = 4;
  r.denied->devices = {device, device};
  r.denied->nodes = {"/dev/bus/usb/001/005", "/dev/bus/usb/002/003"};
  UsbLink link(*r.library);
  EXPECT_FALSE(link.Open());
  ASSERT_EQ(r.texts.size(), 2u) << "both failing serial reads see both nodes; each is said once";
  EXPECT_EQ(r.texts[0], NoAccessText("/dev/bus/usb/001/005"));
  EXPECT_EQ(r.texts[1], NoAccessText("/dev/bus/usb/002/003"));
  // The next attempt (a replug) looks at the bus again and says it again.
  EXPECT_FALSE(link.Open());
  EXPECT_EQ(r.texts.size(), 4u);
}

TEST(DeviceAccess, NothingIsSaidWhenPermissionIsNotTheProblem) {
  Reporting r;
  RecordingBridgeLibrary::Device other;
  other.serial = "another";
  RecordingBridgeLibrary::Device broken;
  broken.serialStatus = 6;  // fails, but every node is accessible
  r.denied->devices = {other, broken};
  UsbLink link(*r.library);
  EXPECT_FALSE(link.Open());
  EXPECT_TRUE(r.texts.empty());

  // An accessible bridge opens through the reporting library as through
  // the library itself, and its transfers pass on unchanged.
  r.denied->AddDevice("tx_v1.0");
  r.denied->ClearCalls();
  EXPECT_TRUE(link.Open());
  EXPECT_EQ(r.denied->Trace(), "count;serial 0 0;serial 1 0;serial 2 0;timeouts 1800 500;open 2");
  const uint8_t command[5] = {0xCD, 0, 0, 0, 0x40};
  EXPECT_TRUE(link.Write(command, 5));
  r.denied->QueueRead({0x00, 0x40});
  uint8_t reply[2] = {};
  EXPECT_EQ(link.Read(reply, 2), 2u);
  EXPECT_EQ(reply[1], 0x40);
  ASSERT_EQ(r.denied->Writes().size(), 1u);
  EXPECT_EQ(r.denied->Writes()[0], std::vector<uint8_t>(command, command + 5));
  link.Close();
  EXPECT_EQ(r.denied->CallsOf(RecordingBridgeLibrary::Op::kClose).size(), 1u);
  EXPECT_TRUE(r.texts.empty());
}

}  // namespace
