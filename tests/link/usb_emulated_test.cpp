// The libusb bridge library against an emulated USB bridge: a test bed with
// a device 10c4:ea61 whose serial string is "tx_v1.0" (two for the test of
// threads), and an ioctl handler that plays the device's side of usbfs
// (control transfers for the string descriptors, bulk transfers answered by
// a simulated chip). Runs under umockdev-wrapper, which puts the test bed
// in place of /sys and /dev; the real libusb calls go through it.
#include <glib.h>
#include <gtest/gtest.h>
#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <umockdev.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/libusb_bridge.h"
#include "link/memory_access.h"
#include "link/simulated_chip.h"
#include "link/usb_link.h"

namespace {

constexpr uint8_t kEpIn = 0x81;
constexpr uint8_t kEpOut = 0x01;

std::vector<uint8_t> Descriptors() {
  return {// device: USB 2.0, 64-byte EP0, 10c4:ea61, strings 1/2/3, one configuration
          18, 1, 0x00, 0x02, 0, 0, 0, 64, 0xC4, 0x10, 0x61, 0xEA, 0x00, 0x01, 1, 2, 3, 1,
          // configuration 1 with one vendor interface and two bulk endpoints
          9, 2, 32, 0, 1, 1, 0, 0x80, 50, 9, 4, 0, 0, 2, 0xFF, 0, 0, 0, 7, 5, kEpIn, 2, 64, 0, 0, 7,
          5, kEpOut, 2, 64, 0, 0};
}

std::vector<uint8_t> StringDescriptor(const std::string& text) {
  std::vector<uint8_t> d = {static_cast<uint8_t>(2 + 2 * text.size()), 3};
  for (char c : text) {
    d.push_back(static_cast<uint8_t>(c));
    d.push_back(0);
  }
  return d;
}

// The device side of usbfs. ioctls arrive on umockdev's own thread.
class EmulatedBridge {
 public:
  std::atomic<bool> gone{false};
  std::atomic<int> claimed{0};
  std::atomic<int> submitted{0};
  SimulatedChip chip;  // touched only on the handler thread while the test runs transfers
  std::mutex mutex;

  static gboolean Handle(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
    return static_cast<EmulatedBridge*>(self)->OnIoctl(client);
  }

 private:
  // A transfer, kept for the connection (the open file) that submitted it:
  // as usbfs does, only that connection reaps it.
  struct Pending {
    UMockdevIoctlData* urb;  // referenced
    UMockdevIoctlData* buffer;
    UMockdevIoctlClient* client;
  };
  std::deque<Pending> waiting_;  // IN transfers without data yet
  std::deque<Pending> done_;     // completed, to be reaped

  static usbdevfs_urb* Urb(const Pending& p) {
    return reinterpret_cast<usbdevfs_urb*>(p.urb->data);
  }

  void Complete(Pending p, int status, int length) {
    Urb(p)->status = status;
    Urb(p)->actual_length = length;
    done_.push_back(p);
  }

  // Fills waiting IN transfers from what the chip has said.
  void FeedWaiting() {
    while (!waiting_.empty() && chip.Pending() > 0) {
      Pending p = waiting_.front();
      waiting_.pop_front();
      const size_t n = chip.Take(p.buffer->data, static_cast<size_t>(Urb(p)->buffer_length));
      Complete(p, 0, static_cast<int>(n));
    }
  }

  void Control(Pending p) {
    uint8_t* b = p.buffer->data;
    const uint8_t request = b[1];
    const uint8_t type = b[3], index = b[2];
    const int wanted = b[6] | b[7] << 8;
    std::vector<uint8_t> reply;
    if (request == 6 && type == 3) {  // GET_DESCRIPTOR, string
      const char* texts[] = {"", "Emulated", "ZN4417 bridge", "tx_v1.0"};
      reply = index == 0 ? std::vector<uint8_t>{4, 3, 0x09, 0x04}
                         : StringDescriptor(index < 4 ? texts[index] : "");
    } else if (request == 6 && type == 1) {
      const std::vector<uint8_t> all = Descriptors();
      reply.assign(all.begin(), all.begin() + 18);
    } else if (request == 6 && type == 2) {
      const std::vector<uint8_t> all = Descriptors();
      reply.assign(all.begin() + 18, all.end());
    }
    const int n = std::min<int>(wanted, static_cast<int>(reply.size()));
    std::memcpy(b + 8, reply.data(), static_cast<size_t>(n));
    Complete(p, 0, n + 8 > 8 ? n : 0);
  }

  // The ioctl's argument is the client's pointer; this is what it points to.
  static UMockdevIoctlData* Target(UMockdevIoctlData* arg, gsize size) {
    GError* error = nullptr;
    UMockdevIoctlData* data = umockdev_ioctl_data_resolve(arg, 0, size, &error);
    g_clear_error(&error);
    return data;
  }

  gboolean Submit(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
    UMockdevIoctlData* urbData = Target(arg, sizeof(usbdevfs_urb));
    if (urbData == nullptr) {
      umockdev_ioctl_client_complete(client, -1, EFAULT);
      return TRUE;
    }
    auto* urb = reinterpret_cast<usbdevfs_urb*>(urbData->data);
    GError* error = nullptr;
    UMockdevIoctlData* buffer = umockdev_ioctl_data_resolve(
        urbData, offsetof(usbdevfs_urb, buffer), static_cast<gsize>(urb->buffer_length), &error);
    if (buffer == nullptr) {
      g_clear_error(&error);
      umockdev_ioctl_client_complete(client, -1, EFAULT);
      return TRUE;
    }
    ++submitted;
    Pending p{static_cast<UMockdevIoctlData*>(g_object_ref(urbData)), buffer, client};
    if (urb->type == USBDEVFS_URB_TYPE_CONTROL) {
      Control(p);
    } else if (urb->endpoint == kEpOut) {
      chip.Feed(buffer->data, static_cast<size_t>(urb->buffer_length));
      Complete(p, 0, urb->buffer_length);
      FeedWaiting();
    } else {
      waiting_.push_back(p);
      FeedWaiting();
    }
    umockdev_ioctl_client_complete(client, 0, 0);
    return TRUE;
  }

  gboolean Reap(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
    const auto mine = std::find_if(done_.begin(), done_.end(),
                                   [&](const Pending& p) { return p.client == client; });
    if (mine == done_.end()) {
      umockdev_ioctl_client_complete(client, -1, gone ? ENODEV : EAGAIN);
      return TRUE;
    }
    UMockdevIoctlData* slot = Target(arg, sizeof(void*));
    if (slot == nullptr) {
      umockdev_ioctl_client_complete(client, -1, EFAULT);
      return TRUE;
    }
    Pending p = *mine;
    done_.erase(mine);
    umockdev_ioctl_data_set_ptr(slot, 0, p.urb);
    umockdev_ioctl_client_complete(client, 0, 0);
    g_object_unref(p.urb);
    return TRUE;
  }

  // A cancelled transfer (libusb's time-out) is reaped with -ENOENT.
  gboolean Discard(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
    uint64_t address = 0;
    std::memcpy(&address, arg->data, std::min<size_t>(sizeof address, arg->data_len));
    for (auto it = waiting_.begin(); it != waiting_.end(); ++it) {
      if (it->client == client && it->urb->client_addr == address) {
        Pending p = *it;
        waiting_.erase(it);
        Complete(p, -ENOENT, 0);
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
      }
    }
    umockdev_ioctl_client_complete(client, -1, EINVAL);
    return TRUE;
  }

  gboolean OnIoctl(UMockdevIoctlClient* client) {
    std::lock_guard lock(mutex);
    const gulong request = umockdev_ioctl_client_get_request(client);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    if (gone && request != USBDEVFS_REAPURBNDELAY && request != USBDEVFS_REAPURB &&
        request != USBDEVFS_DISCARDURB) {
      umockdev_ioctl_client_complete(client, -1, ENODEV);
      return TRUE;
    }
    switch (request) {
      case USBDEVFS_GET_CAPABILITIES:
        if (UMockdevIoctlData* caps = Target(arg, 4)) std::memset(caps->data, 0, 4);
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
      case USBDEVFS_CLAIMINTERFACE:
        ++claimed;
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
      case USBDEVFS_RELEASEINTERFACE:
        --claimed;
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
      case USBDEVFS_GETDRIVER:
        umockdev_ioctl_client_complete(client, -1, ENODATA);
        return TRUE;
      case USBDEVFS_SUBMITURB:
        return Submit(client, arg);
      case USBDEVFS_REAPURB:
      case USBDEVFS_REAPURBNDELAY:
        return Reap(client, arg);
      case USBDEVFS_DISCARDURB:
        return Discard(client, arg);
      default:
        umockdev_ioctl_client_complete(client, -1, ENOTTY);
        return TRUE;
    }
  }
};

// One emulated bridge in the test bed: its device, its node and the
// handler that plays it.
struct BedDevice {
  std::string node;
  gchar* sysPath = nullptr;
  UMockdevIoctlBase* handler = nullptr;
};

class UsbEmulatedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* preload = std::getenv("LD_PRELOAD");
    if (preload == nullptr || std::strstr(preload, "umockdev") == nullptr) {
      GTEST_SKIP() << "needs umockdev-wrapper";
    }
    bed = umockdev_testbed_new();
    AddBridge("1-1", 2, bridge, first);
    sysPath = first.sysPath;
    for (int i = 0; i < 64; ++i) bridge.chip.Poke(SimulatedChip::kSfrSpace, i, 0x40 + i);
  }

  // Adds a bridge 10c4:ea61 with serial "tx_v1.0" as device `devnum` of bus 1.
  void AddBridge(const char* name, int devnum, EmulatedBridge& played, BedDevice& device) {
    char node[32], padded[8];
    std::snprintf(node, sizeof node, "/dev/bus/usb/001/%03d", devnum);
    std::snprintf(padded, sizeof padded, "%03d", devnum);
    device.node = node;
    const std::string number = std::to_string(devnum);
    device.sysPath = umockdev_testbed_add_device(
        bed, "usb", name, nullptr, "idVendor", "10c4", "idProduct", "ea61", "busnum", "1", "devnum",
        number.c_str(), "speed", "12", "bConfigurationValue", "1", "serial", "tx_v1.0", "dev",
        ("189:" + std::to_string(devnum - 1)).c_str(), nullptr, "DEVNAME", node, "DEVTYPE",
        "usb_device", "BUSNUM", "001", "DEVNUM", padded, nullptr);
    ASSERT_NE(device.sysPath, nullptr);
    std::vector<uint8_t> d = Descriptors();
    umockdev_testbed_set_attribute_binary(bed, device.sysPath, "descriptors", d.data(),
                                          static_cast<gssize>(d.size()));
    device.handler = umockdev_ioctl_base_new();
    g_signal_connect(device.handler, "handle-ioctl", G_CALLBACK(EmulatedBridge::Handle), &played);
    GError* error = nullptr;
    ASSERT_TRUE(umockdev_testbed_attach_ioctl(bed, node, device.handler, &error))
        << (error ? error->message : "");
    // The node itself, which the test bed only records (as .node/...).
    const std::string root = umockdev_testbed_get_root_dir(bed);
    g_mkdir_with_parents((root + "/dev/bus/usb/001").c_str(), 0755);
    ASSERT_TRUE(g_file_set_contents((root + node).c_str(), "", 0, nullptr));
    devices.push_back(&device);
  }

  void TearDown() override {
    if (bed == nullptr) return;
    for (BedDevice* device : devices) {
      umockdev_testbed_detach_ioctl(bed, device->node.c_str(), nullptr);
      g_object_unref(device->handler);
      g_free(device->sysPath);
    }
    g_object_unref(bed);
  }

  UMockdevTestbed* bed = nullptr;
  BedDevice first;
  gchar* sysPath = nullptr;  // of the first bridge
  std::vector<BedDevice*> devices;
  EmulatedBridge bridge;
  BedDevice second;  // a second bridge, for the tests that add it
  EmulatedBridge secondBridge;
};

TEST_F(UsbEmulatedTest, EnumeratesOpensClaimsReadsWritesAndCloses) {
  LibUsbBridgeLibrary library(0x10C4, 0xEA61);
  ASSERT_EQ(library.InitError(), "");
  uint32_t count = 0;
  ASSERT_EQ(library.GetNumDevices(count), kBridgeOk);
  ASSERT_EQ(count, 1u);
  char serial[kProductStringSize] = {};
  ASSERT_EQ(library.GetProductString(0, serial, kProductSerialNumber), kBridgeOk);
  EXPECT_STREQ(serial, "tx_v1.0");

  UsbLink link(library);
  ASSERT_TRUE(link.Open());
  EXPECT_EQ(bridge.claimed.load(), 1);
  MemoryAccess memory(link, nullptr);
  uint8_t block[64] = {};
  ASSERT_TRUE(memory.ReadMemory(SFR, 0, 64, block));
  for (int i = 0; i < 64; ++i) EXPECT_EQ(block[i], 0x40 + i) << i;

  uint8_t written[64];
  for (int i = 0; i < 64; ++i) written[i] = static_cast<uint8_t>(0xC0 ^ i);
  ASSERT_TRUE(memory.WriteMemory(SFR, 0, 64, written));
  uint8_t back[64] = {};
  ASSERT_TRUE(memory.ReadMemory(SFR, 0, 64, back));
  EXPECT_EQ(std::memcmp(back, written, 64), 0);

  link.Close();
  EXPECT_EQ(bridge.claimed.load(), 0);
}

// Nothing said: a read ends after the read time-out with nothing. Then two
// commands in a row: the flush before the second drops the answer to the
// first, so exactly one answer (reply and first chunk) is there to read.
TEST_F(UsbEmulatedTest, ReadTimesOutAndWritesFlushWhatWasNotRead) {
  LibUsbBridgeLibrary library(0x10C4, 0xEA61);
  UsbLink link(library);
  ASSERT_TRUE(link.Open());
  library.SetTimeouts(100, 100);
  uint8_t buffer[80] = {};
  EXPECT_EQ(link.Read(buffer, 2), 0u);
  const uint8_t command[5] = {0xCD, 0, 0, 0, 0x40};
  ASSERT_TRUE(link.Write(command, 5));
  ASSERT_TRUE(link.Write(command, 5));
  ASSERT_EQ(link.Read(buffer, sizeof buffer), 34u);
  EXPECT_EQ(buffer[0], 0x00);
  EXPECT_EQ(buffer[1], 0x40);
  EXPECT_EQ(buffer[2], 0x40) << "the chip's first byte follows the reply";
}

// The device answers a read with its reply, a stray byte and the first
// chunk in one bulk packet: the read fails instead of taking the shifted
// bytes, and the next read works.
TEST_F(UsbEmulatedTest, StrayByteInTheFirstPacketFailsTheRead) {
  LibUsbBridgeLibrary library(0x10C4, 0xEA61);
  UsbLink link(library);
  ASSERT_TRUE(link.Open());
  {
    std::lock_guard lock(bridge.mutex);
    bridge.chip.SetFaults({.strayAfterPacket = 0});
  }
  MemoryAccess memory(link, nullptr);
  uint8_t block[64] = {};
  EXPECT_FALSE(memory.ReadMemory(SFR, 0, 64, block));
  EXPECT_EQ(memory.LastResult(), trMisframed);
  {
    std::lock_guard lock(bridge.mutex);
    bridge.chip.SetFaults({});
  }
  ASSERT_TRUE(memory.ReadMemory(SFR, 0, 64, block));
  for (int i = 0; i < 64; ++i) EXPECT_EQ(block[i], 0x40 + i) << i;
}

// What the device has put in the pipe counts as waiting, and looking at it
// loses nothing: the next read still gets every byte.
TEST_F(UsbEmulatedTest, WaitingLooksAtThePipeWithoutLosingBytes) {
  LibUsbBridgeLibrary library(0x10C4, 0xEA61);
  UsbLink link(library);
  ASSERT_TRUE(link.Open());
  EXPECT_EQ(link.Waiting(), 0u);
  const uint8_t command[5] = {0xCD, 0, 0, 0, 0x40};
  ASSERT_TRUE(link.Write(command, 5));
  EXPECT_EQ(link.Waiting(), 34u);
  uint8_t buffer[34] = {};
  ASSERT_EQ(link.Read(buffer, sizeof buffer), 34u);
  EXPECT_EQ(buffer[2], 0x40);
  EXPECT_EQ(link.Waiting(), 0u);
}

// Pulled out while open: transfers fail, closing still works, and the
// bridge is not counted once it is gone from the bus.
TEST_F(UsbEmulatedTest, RemovalWhileOpen) {
  LibUsbBridgeLibrary library(0x10C4, 0xEA61);
  UsbLink link(library);
  ASSERT_TRUE(link.Open());
  bridge.gone = true;
  umockdev_testbed_uevent(bed, sysPath, "remove");
  umockdev_testbed_remove_device(bed, sysPath);
  MemoryAccess memory(link, nullptr);
  uint8_t block[64] = {};
  EXPECT_FALSE(memory.ReadMemory(SFR, 0, 64, block));
  EXPECT_FALSE(memory.WriteMemory(SFR, 0, 64, block));
  link.Close();
  EXPECT_FALSE(link.IsOpen());
  // libusb learns of the removal from its event thread.
  uint32_t count = 5;
  for (int i = 0; i < 100 && count != 0; ++i) {
    EXPECT_EQ(library.GetNumDevices(count), kBridgeOk);
    if (count != 0) g_usleep(10000);
  }
  EXPECT_EQ(count, 0u);
}

// Two bridges, a thread each, over one library: each thread opens a bridge
// of its own (the one taken first is busy for the other), and every
// transfer of both goes through at the same time; each chip ends with the
// block of the thread that had it.
TEST_F(UsbEmulatedTest, TwoBridgesWorkAtOnceFromTwoThreads) {
  AddBridge("1-2", 3, secondBridge, second);
  LibUsbBridgeLibrary library(0x10C4, 0xEA61);
  std::atomic<int> opened{0};
  std::vector<int> failures(2, 0);
  std::vector<std::vector<uint8_t>> last(2);
  const auto work = [&](int t) {
    UsbLink link(library);
    const bool open = link.Open();
    ++opened;
    while (opened < 2) std::this_thread::yield();
    if (!open) {
      failures[t] = -1;
      return;
    }
    MemoryAccess memory(link, nullptr);
    for (int round = 0; round < 20; ++round) {
      std::vector<uint8_t> block(64), back(64);
      for (int i = 0; i < 64; ++i) block[i] = static_cast<uint8_t>(t * 100 + round + i);
      if (!memory.WriteMemory(SFR, 0, 64, block.data()) ||
          !memory.ReadMemory(SFR, 0, 64, back.data()) || back != block) {
        ++failures[t];
      }
      last[t] = block;
    }
    link.Close();
  };
  std::thread a(work, 0), b(work, 1);
  a.join();
  b.join();
  EXPECT_EQ(failures, (std::vector<int>{0, 0}));
  std::vector<std::vector<uint8_t>> chips;
  for (EmulatedBridge* played : {&bridge, &secondBridge}) {
    std::lock_guard lock(played->mutex);
    std::vector<uint8_t> block(64);
    for (int i = 0; i < 64; ++i) block[i] = played->chip.Peek(SimulatedChip::kSfrSpace, i);
    chips.push_back(block);
  }
  std::sort(chips.begin(), chips.end());
  std::sort(last.begin(), last.end());
  EXPECT_EQ(chips, last);
  EXPECT_EQ(bridge.claimed.load() + secondBridge.claimed.load(), 0);
}

// An open bridge is busy for a second open; once closed it opens again.
TEST_F(UsbEmulatedTest, AnOpenBridgeIsBusy) {
  LibUsbBridgeLibrary library(0x10C4, 0xEA61);
  uint32_t count = 0;
  ASSERT_EQ(library.GetNumDevices(count), kBridgeOk);
  BridgeHandle first = nullptr, second = nullptr;
  ASSERT_EQ(library.Open(0, first), kBridgeOk);
  EXPECT_EQ(library.Open(0, second), LibUsbBridgeLibrary::kStatusBusy);
  EXPECT_EQ(bridge.claimed.load(), 1);
  UsbLink link(library);
  EXPECT_FALSE(link.Open()) << "the only bridge is taken";
  EXPECT_EQ(library.Close(first), kBridgeOk);
  EXPECT_NE(library.Close(first), kBridgeOk);
  ASSERT_TRUE(link.Open());
  link.Close();
}

// Counting the bridges and asking for refusals never wait for a transfer
// on another thread, and never disturb it.
TEST_F(UsbEmulatedTest, CountsWhileAnotherThreadTransfers) {
  LibUsbBridgeLibrary library(0x10C4, 0xEA61);
  UsbLink link(library);
  ASSERT_TRUE(link.Open());
  std::atomic<bool> done{false};
  std::atomic<int> counts{0};
  std::thread counter([&] {
    while (!done) {
      uint32_t count = 0;
      if (library.GetNumDevices(count) == kBridgeOk && count == 1) ++counts;
      library.InaccessibleNodes();
    }
  });
  MemoryAccess memory(link, nullptr);
  int failures = 0;
  for (int round = 0; round < 20; ++round) {
    uint8_t block[64], back[64];
    for (int i = 0; i < 64; ++i) block[i] = static_cast<uint8_t>(round * 3 + i);
    if (!memory.WriteMemory(SFR, 0, 64, block) || !memory.ReadMemory(SFR, 0, 64, back) ||
        std::memcmp(block, back, 64) != 0) {
      ++failures;
    }
  }
  done = true;
  counter.join();
  EXPECT_EQ(failures, 0);
  EXPECT_GT(counts.load(), 0);
  link.Close();
}

}  // namespace
