#include "link/usb_link.h"

#include <gtest/gtest.h>

#include "tests/support/recording_bridge_library.h"

namespace {

using Op = RecordingBridgeLibrary::Op;

constexpr const char* kOpenFirst = "count;serial 0 0;timeouts 1800 500;open 0";

TEST(UsbLinkOpen, NoBridgeAttachedLeavesLinkClosed) {
  RecordingBridgeLibrary lib;
  UsbLink link(lib);
  EXPECT_FALSE(link.Open());
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(lib.Trace(), "count");
}

TEST(UsbLinkOpen, MatchingBridgeIsOpenedWithTimeoutsSetFirst) {
  RecordingBridgeLibrary lib;
  lib.AddDevice("tx_v1.0");
  UsbLink link(lib);
  EXPECT_TRUE(link.Open());
  EXPECT_EQ(lib.Trace(), kOpenFirst);
  EXPECT_EQ(link.Handle(), RecordingBridgeLibrary::HandleOf(0));
}

TEST(UsbLinkOpen, SerialMustMatchExactly) {
  for (const char* serial :
       {"TX_v1.0", "tx_V1.0", "tx_v1.0 ", "tx_v1.01", "tx_v1.", "", "Tx_v1.0"}) {
    RecordingBridgeLibrary lib;
    lib.AddDevice(serial);
    UsbLink link(lib);
    EXPECT_FALSE(link.Open()) << serial;
    EXPECT_EQ(lib.Trace(), "count;serial 0 0") << serial;
  }
}

TEST(UsbLinkOpen, UnterminatedSerialBufferDoesNotMatch) {
  RecordingBridgeLibrary lib;
  lib.AddDevice("tx_v1.0");
  lib.devices[0].terminate = false;
  UsbLink link(lib);
  EXPECT_FALSE(link.Open());
  EXPECT_TRUE(lib.CallsOf(Op::kOpen).empty());
}

TEST(UsbLinkOpen, SecondBridgeOpenedWhenFirstHasAnotherSerial) {
  RecordingBridgeLibrary lib;
  lib.AddDevice("other").AddDevice("tx_v1.0");
  UsbLink link(lib);
  EXPECT_TRUE(link.Open());
  EXPECT_EQ(lib.Trace(), "count;serial 0 0;serial 1 0;timeouts 1800 500;open 1");
  EXPECT_EQ(link.Handle(), RecordingBridgeLibrary::HandleOf(1));
}

TEST(UsbLinkOpen, FailingSerialCallSkipsToNextDevice) {
  RecordingBridgeLibrary lib;
  lib.AddDevice("tx_v1.0").AddDevice("tx_v1.0");
  lib.devices[0].serialStatus = 9;
  UsbLink link(lib);
  EXPECT_TRUE(link.Open());
  EXPECT_EQ(lib.Trace(), "count;serial 0 0;serial 1 0;timeouts 1800 500;open 1");
}

TEST(UsbLinkOpen, LaterMatchingBridgeTriedWhenFirstCannotBeOpened) {
  RecordingBridgeLibrary lib;
  lib.AddDevice("tx_v1.0").AddDevice("tx_v1.0");
  lib.devices[0].openStatus = 5;
  UsbLink link(lib);
  EXPECT_TRUE(link.Open());
  EXPECT_EQ(lib.Trace(),
            "count;serial 0 0;timeouts 1800 500;open 0;serial 1 0;timeouts 1800 500;open 1");
  EXPECT_EQ(link.Handle(), RecordingBridgeLibrary::HandleOf(1));
}

TEST(UsbLinkOpen, FailedOpenNeverKeepsOrClosesTheJunkHandle) {
  // The fake writes a non-null handle even when its open fails.
  RecordingBridgeLibrary lib;
  lib.AddDevice("tx_v1.0");
  lib.devices[0].openStatus = 5;
  UsbLink link(lib);
  EXPECT_FALSE(link.Open());
  EXPECT_FALSE(link.IsOpen());
  EXPECT_TRUE(lib.CallsOf(Op::kClose).empty());
  link.Close();
  EXPECT_TRUE(lib.CallsOf(Op::kClose).empty());
}

TEST(UsbLinkOpen, SuccessWithNullHandleIsNotOpen) {
  RecordingBridgeLibrary lib;
  lib.AddDevice("tx_v1.0").AddDevice("tx_v1.0");
  lib.devices[0].nullHandle = true;
  UsbLink link(lib);
  EXPECT_FALSE(link.Open());
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(lib.Trace(), kOpenFirst);  // stops at the first successful open call
}

TEST(UsbLinkOpen, FailingTimeoutCallDoesNotStopTheOpen) {
  RecordingBridgeLibrary lib;
  lib.AddDevice("tx_v1.0");
  lib.timeoutStatus = 3;
  UsbLink link(lib);
  EXPECT_TRUE(link.Open());
  EXPECT_EQ(lib.Trace(), kOpenFirst);
}

TEST(UsbLinkOpen, ReopenAsksForCountAndKeepsTheHandle) {
  RecordingBridgeLibrary lib;
  lib.AddDevice("tx_v1.0");
  UsbLink link(lib);
  ASSERT_TRUE(link.Open());
  lib.ClearCalls();
  EXPECT_TRUE(link.Open());
  EXPECT_EQ(lib.Trace(), "count");
  EXPECT_EQ(link.Handle(), RecordingBridgeLibrary::HandleOf(0));
}

TEST(UsbLinkOpen, FailingCountWhileOpenClosesTheBridge) {
  RecordingBridgeLibrary lib;
  lib.AddDevice("tx_v1.0");
  UsbLink link(lib);
  ASSERT_TRUE(link.Open());
  lib.ClearCalls();
  lib.countStatuses.push_back(7);
  EXPECT_FALSE(link.Open());
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(lib.Trace(), "count;close");
  EXPECT_EQ(lib.calls[1].handle, RecordingBridgeLibrary::HandleOf(0));
}

TEST(UsbLinkOpen, FailingCountWhileClosedCallsNothingElse) {
  RecordingBridgeLibrary lib;
  lib.AddDevice("tx_v1.0");
  lib.countStatuses.push_back(1);
  UsbLink link(lib);
  EXPECT_FALSE(link.Open());
  EXPECT_EQ(lib.Trace(), "count");
}

TEST(UsbLinkClose, ClosingTwiceClosesOnce) {
  RecordingBridgeLibrary lib;
  lib.AddDevice("tx_v1.0");
  UsbLink link(lib);
  ASSERT_TRUE(link.Open());
  lib.ClearCalls();
  link.Close();
  link.Close();
  EXPECT_EQ(lib.Trace(), "close");
  EXPECT_EQ(lib.calls[0].handle, RecordingBridgeLibrary::HandleOf(0));
  EXPECT_FALSE(link.IsOpen());
}

TEST(UsbLinkTransfer, ReadAndWriteWhenClosedCallNothing) {
  RecordingBridgeLibrary lib;
  UsbLink link(lib);
  uint8_t buffer[4] = {1, 2, 3, 4};
  EXPECT_EQ(link.Read(buffer, 4), 0u);
  EXPECT_FALSE(link.Write(buffer, 4));
  lib.waiting = {3};
  EXPECT_EQ(link.Waiting(), 0u);
  EXPECT_TRUE(lib.calls.empty());
}

class UsbLinkOpenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lib.AddDevice("tx_v1.0");
    ASSERT_TRUE(link.Open());
    lib.ClearCalls();
  }
  RecordingBridgeLibrary lib;
  UsbLink link{lib};
};

TEST_F(UsbLinkOpenTest, WriteFlushesBothQueuesThenWritesTheBytes) {
  const uint8_t bytes[5] = {0xCD, 0, 0, 0, 0x40};
  EXPECT_TRUE(link.Write(bytes, 5));
  EXPECT_EQ(lib.Trace(), "flush 255 255;write 5");
  EXPECT_EQ(lib.calls[0].handle, link.Handle());
  EXPECT_EQ(lib.calls[1].handle, link.Handle());
  EXPECT_EQ(lib.calls[1].data, std::vector<uint8_t>(bytes, bytes + 5));
}

TEST_F(UsbLinkOpenTest, WriteGoesAheadWhenFlushFails) {
  lib.flushStatus = 4;
  const uint8_t bytes[2] = {0, 0x20};
  EXPECT_TRUE(link.Write(bytes, 2));
  EXPECT_EQ(lib.Trace(), "flush 255 255;write 2");
}

TEST_F(UsbLinkOpenTest, WriteFailsUnlessEveryByteWentWithStatusZero) {
  const uint8_t bytes[5] = {1, 2, 3, 4, 5};
  lib.writes.push_back({kBridgeOk, 4u});  // short
  lib.writes.push_back({kBridgeOk, 6u});  // more than asked: not believable
  lib.writes.push_back({3, 5u});          // all written but failing status
  EXPECT_FALSE(link.Write(bytes, 5));
  EXPECT_FALSE(link.Write(bytes, 5));
  EXPECT_FALSE(link.Write(bytes, 5));
  EXPECT_TRUE(link.Write(bytes, 5));
}

TEST_F(UsbLinkOpenTest, ReadReturnsWhatCameAndZeroOnFailingStatus) {
  uint8_t buffer[4] = {};
  lib.QueueRead({1, 2, 3, 4});
  lib.QueueRead({9});  // time-out after one byte
  RecordingBridgeLibrary::ReadResult failing;
  failing.status = 2;
  failing.bytes = {7, 7};
  lib.reads.push_back(failing);
  EXPECT_EQ(link.Read(buffer, 4), 4u);
  EXPECT_EQ(buffer[3], 4);
  EXPECT_EQ(link.Read(buffer, 4), 1u);
  EXPECT_EQ(buffer[0], 9);
  EXPECT_EQ(link.Read(buffer, 2), 0u);
  EXPECT_EQ(lib.Trace(), "read 4;read 4;read 2");
}

TEST_F(UsbLinkOpenTest, ReadNeverReportsMoreThanAsked) {
  uint8_t buffer[2] = {};
  RecordingBridgeLibrary::ReadResult boastful;
  boastful.bytes = {1, 2};
  boastful.reported = 300;
  lib.reads.push_back(boastful);
  EXPECT_EQ(link.Read(buffer, 2), 2u);
}

}  // namespace

TEST_F(UsbLinkOpenTest, WaitingAsksTheReceiveQueueAndIsZeroWhenTheLibraryCannotTell) {
  lib.waiting = {3, 7};
  EXPECT_EQ(link.Waiting(), 3u);
  lib.queueStatus = 5;
  EXPECT_EQ(link.Waiting(), 0u);
  EXPECT_EQ(lib.Trace(), "queue;queue");
  EXPECT_EQ(lib.calls[0].handle, link.Handle());
}
