#include "link/libusb_bridge.h"

#include <libusb-1.0/libusb.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <deque>

struct LibUsbBridgeLibrary::Connection {
  libusb_device_handle* device = nullptr;
  int interface = -1;
  uint8_t in = 0;
  uint8_t out = 0;
  int packetSize = 64;
  bool detached = false;        // a kernel driver was detached to claim the interface
  std::deque<uint8_t> pending;  // received beyond what a read asked for
};

namespace {

struct BulkPair {
  int interface = -1;
  uint8_t in = 0;
  uint8_t out = 0;
  int packetSize = 64;
};

bool FindBulkPair(const libusb_interface_descriptor& alt, BulkPair& pair) {
  int ins = 0, outs = 0;
  for (int e = 0; e < alt.bNumEndpoints; ++e) {
    const libusb_endpoint_descriptor& ep = alt.endpoint[e];
    if ((ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) != LIBUSB_TRANSFER_TYPE_BULK) continue;
    if ((ep.bEndpointAddress & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_IN) {
      ++ins;
      pair.in = ep.bEndpointAddress;
      pair.packetSize = std::max<int>(ep.wMaxPacketSize & 0x7FF, 1);
    } else {
      ++outs;
      pair.out = ep.bEndpointAddress;
    }
  }
  pair.interface = alt.bInterfaceNumber;
  return ins == 1 && outs == 1;
}

bool FindDataInterface(libusb_device* device, BulkPair& pair) {
  libusb_config_descriptor* config = nullptr;
  if (libusb_get_active_config_descriptor(device, &config) != 0) return false;
  bool found = false;
  for (int i = 0; i < config->bNumInterfaces && !found; ++i) {
    const libusb_interface& itf = config->interface[i];
    if (itf.num_altsetting > 0) found = FindBulkPair(itf.altsetting[0], pair);
  }
  libusb_free_config_descriptor(config);
  return found;
}

bool ClaimData(libusb_device_handle* handle, int interface, bool& detached) {
  detached = false;
  if (libusb_kernel_driver_active(handle, interface) == 1) {
    if (libusb_detach_kernel_driver(handle, interface) != 0) return false;
    detached = true;
  }
  if (libusb_claim_interface(handle, interface) == 0) return true;
  if (detached) libusb_attach_kernel_driver(handle, interface);
  return false;
}

void Release(LibUsbBridgeLibrary::Connection* c) {
  libusb_release_interface(c->device, c->interface);
  if (c->detached) libusb_attach_kernel_driver(c->device, c->interface);
  libusb_close(c->device);
  delete c;
}

unsigned int MillisecondsLeft(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now())
                        .count();
  return left > 0 ? static_cast<unsigned int>(left) : 0;
}

}  // namespace

LibUsbBridgeLibrary::LibUsbBridgeLibrary(uint16_t vendor, uint16_t product)
    : vendor_(vendor), product_(product) {
  const int result = libusb_init(&context_);
  if (result != 0) {
    context_ = nullptr;
    initError_ = std::string("libusb: ") + libusb_error_name(result);
  }
}

LibUsbBridgeLibrary::~LibUsbBridgeLibrary() {
  for (Connection* c : connections_) Release(c);
  ForgetDevices();
  if (context_ != nullptr) libusb_exit(context_);
}

void LibUsbBridgeLibrary::ForgetDevices() {
  for (libusb_device* d : devices_) libusb_unref_device(d);
  devices_.clear();
  inaccessible_.clear();
}

int LibUsbBridgeLibrary::OpenDevice(libusb_device* device, libusb_device_handle** handle) {
  const std::string node =
      UsbDeviceNode(libusb_get_bus_number(device), libusb_get_device_address(device));
  const int result = libusb_open(device, handle);
  if (result == LIBUSB_ERROR_ACCESS) {
    inaccessible_.insert(node);
  } else if (result == 0) {
    inaccessible_.erase(node);
  }
  return result;
}

std::vector<std::string> LibUsbBridgeLibrary::InaccessibleNodes() const {
  std::lock_guard lock(mutex_);
  return {inaccessible_.begin(), inaccessible_.end()};
}

BridgeStatus LibUsbBridgeLibrary::GetNumDevices(uint32_t& count) {
  std::lock_guard lock(mutex_);
  ForgetDevices();
  count = 0;
  // Without libusb there is no bridge to be seen; that is not an error of the call.
  if (context_ == nullptr) return kBridgeOk;
  libusb_device** list = nullptr;
  const ssize_t n = libusb_get_device_list(context_, &list);
  if (n < 0) return kStatusIoError;
  for (ssize_t i = 0; i < n; ++i) {
    libusb_device_descriptor desc{};
    if (libusb_get_device_descriptor(list[i], &desc) != 0) continue;
    if (desc.idVendor != vendor_ || desc.idProduct != product_) continue;
    devices_.push_back(libusb_ref_device(list[i]));
  }
  libusb_free_device_list(list, 1);
  count = static_cast<uint32_t>(devices_.size());
  return kBridgeOk;
}

BridgeStatus LibUsbBridgeLibrary::GetProductString(uint32_t index, char* buffer, uint32_t option) {
  std::lock_guard lock(mutex_);
  if (index >= devices_.size()) return kStatusBadIndex;
  libusb_device* device = devices_[index];
  libusb_device_descriptor desc{};
  if (libusb_get_device_descriptor(device, &desc) != 0) return kStatusIoError;
  const uint8_t which = option == kProductSerialNumber ? desc.iSerialNumber : desc.iProduct;
  if (which == 0) return kStatusIoError;
  libusb_device_handle* handle = nullptr;
  if (OpenDevice(device, &handle) != 0) return kStatusCannotOpen;
  unsigned char text[kProductStringSize] = {};
  const int n = libusb_get_string_descriptor_ascii(handle, which, text, kProductStringSize - 1);
  libusb_close(handle);
  if (n < 0) return kStatusIoError;
  std::memcpy(buffer, text, static_cast<size_t>(n));
  buffer[n] = '\0';
  return kBridgeOk;
}

BridgeStatus LibUsbBridgeLibrary::Open(uint32_t index, BridgeHandle& handle) {
  std::lock_guard lock(mutex_);
  if (index >= devices_.size()) return kStatusBadIndex;
  BulkPair pair;
  if (!FindDataInterface(devices_[index], pair)) return kStatusNoInterface;
  libusb_device_handle* device = nullptr;
  if (OpenDevice(devices_[index], &device) != 0) return kStatusCannotOpen;
  bool detached = false;
  if (!ClaimData(device, pair.interface, detached)) {
    libusb_close(device);
    return kStatusCannotOpen;
  }
  auto* c =
      new Connection{device, pair.interface, pair.in, pair.out, pair.packetSize, detached, {}};
  connections_.insert(c);
  handle = c;
  return kBridgeOk;
}

LibUsbBridgeLibrary::Connection* LibUsbBridgeLibrary::Live(BridgeHandle handle) {
  auto* c = static_cast<Connection*>(handle);
  return connections_.count(c) != 0 ? c : nullptr;
}

BridgeStatus LibUsbBridgeLibrary::Close(BridgeHandle handle) {
  std::lock_guard lock(mutex_);
  Connection* c = Live(handle);
  if (c == nullptr) return kStatusBadHandle;
  connections_.erase(c);
  Release(c);
  return kBridgeOk;
}

BridgeStatus LibUsbBridgeLibrary::Read(BridgeHandle handle, uint8_t* buffer, uint32_t wanted,
                                       uint32_t& received) {
  std::lock_guard lock(mutex_);
  received = 0;
  Connection* c = Live(handle);
  if (c == nullptr) return kStatusBadHandle;
  // Transfers are whole packets, so a packet can bring more than asked for;
  // the rest waits in `pending` for the next read.
  std::vector<uint8_t> packet(static_cast<size_t>(c->packetSize) * 4);
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(readTimeoutMs_);
  while (c->pending.size() < wanted) {
    const unsigned int left = MillisecondsLeft(deadline);
    if (left == 0) break;
    int got = 0;
    const int r = libusb_bulk_transfer(c->device, c->in, packet.data(),
                                       static_cast<int>(packet.size()), &got, left);
    c->pending.insert(c->pending.end(), packet.begin(), packet.begin() + got);
    if (r == LIBUSB_ERROR_TIMEOUT) break;
    if (r != 0) return kStatusIoError;
  }
  received = static_cast<uint32_t>(std::min<size_t>(wanted, c->pending.size()));
  std::copy_n(c->pending.begin(), received, buffer);
  c->pending.erase(c->pending.begin(), c->pending.begin() + received);
  return kBridgeOk;
}

BridgeStatus LibUsbBridgeLibrary::Write(BridgeHandle handle, const uint8_t* buffer, uint32_t count,
                                        uint32_t& written) {
  std::lock_guard lock(mutex_);
  written = 0;
  Connection* c = Live(handle);
  if (c == nullptr) return kStatusBadHandle;
  int sent = 0;
  const int r = libusb_bulk_transfer(c->device, c->out, const_cast<uint8_t*>(buffer),
                                     static_cast<int>(count), &sent, writeTimeoutMs_);
  written = static_cast<uint32_t>(sent);
  return r == 0 || r == LIBUSB_ERROR_TIMEOUT ? kBridgeOk : kStatusIoError;
}

BridgeStatus LibUsbBridgeLibrary::FlushBuffers(BridgeHandle handle, uint8_t /*flushTransmit*/,
                                               uint8_t flushReceive) {
  std::lock_guard lock(mutex_);
  Connection* c = Live(handle);
  if (c == nullptr) return kStatusBadHandle;
  if (flushReceive == 0) return kBridgeOk;
  c->pending.clear();
  // Drain what the device has queued for us; a bounded number of short
  // transfers, so that a device that never stops talking cannot hang us.
  std::vector<uint8_t> packet(static_cast<size_t>(c->packetSize) * 4);
  for (int i = 0; i < 256; ++i) {
    int got = 0;
    const int r = libusb_bulk_transfer(c->device, c->in, packet.data(),
                                       static_cast<int>(packet.size()), &got, 2);
    if (r != 0 || got == 0) break;
  }
  return kBridgeOk;
}

// What earlier packets brought beyond what was read, and whatever the
// device has queued on the pipe now. libusb has no zero time-out (0 waits
// for ever), so the look at the pipe takes its shortest one; a look is only
// needed while nothing is held already.
BridgeStatus LibUsbBridgeLibrary::CheckReceiveQueue(BridgeHandle handle, uint32_t& waiting) {
  std::lock_guard lock(mutex_);
  waiting = 0;
  Connection* c = Live(handle);
  if (c == nullptr) return kStatusBadHandle;
  if (c->pending.empty()) {
    std::vector<uint8_t> packet(static_cast<size_t>(c->packetSize) * 4);
    int got = 0;
    const int r = libusb_bulk_transfer(c->device, c->in, packet.data(),
                                       static_cast<int>(packet.size()), &got, kLookTimeoutMs);
    c->pending.insert(c->pending.end(), packet.begin(), packet.begin() + got);
    if (r != 0 && r != LIBUSB_ERROR_TIMEOUT) return kStatusIoError;
  }
  waiting = static_cast<uint32_t>(c->pending.size());
  return kBridgeOk;
}

BridgeStatus LibUsbBridgeLibrary::SetTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) {
  std::lock_guard lock(mutex_);
  readTimeoutMs_ = readTimeoutMs;
  writeTimeoutMs_ = writeTimeoutMs;
  return kBridgeOk;
}

std::string LibUsbBridgeLibrary::Location(uint32_t index) {
  std::lock_guard lock(mutex_);
  if (index >= devices_.size()) return "";
  std::string location = "usb:" + std::to_string(libusb_get_bus_number(devices_[index]));
  uint8_t ports[8] = {};
  const int depth = libusb_get_port_numbers(devices_[index], ports, sizeof ports);
  for (int i = 0; i < depth; ++i) location += (i == 0 ? "-" : ".") + std::to_string(ports[i]);
  return location;
}
