#include "link/libusb_bridge.h"

#include <libusb-1.0/libusb.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <deque>

// One open bridge. `io` is held for the whole of a transfer on it; `closed`
// is set under `io` when the handle is closed.
struct LibUsbBridgeLibrary::Connection {
  std::mutex io;
  bool closed = false;
  libusb_device_handle* device = nullptr;
  int interface = -1;
  uint8_t in = 0;
  uint8_t out = 0;
  int packetSize = 64;
  libusb_device* usb = nullptr;  // the device it was opened on (libusb holds it while open)
  bool detached = false;         // a kernel driver was detached to claim the interface
  std::deque<uint8_t> pending;   // received beyond what a read asked for
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

void Release(LibUsbBridgeLibrary::Connection& c) {
  libusb_release_interface(c.device, c.interface);
  if (c.detached) libusb_attach_kernel_driver(c.device, c.interface);
  libusb_close(c.device);
  c.device = nullptr;
  c.closed = true;
}

std::string NodeOf(libusb_device* device) {
  return UsbDeviceNode(libusb_get_bus_number(device), libusb_get_device_address(device));
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
  for (auto& [id, c] : connections_) Release(*c);
  ForgetDevices();
  if (context_ != nullptr) libusb_exit(context_);
}

void LibUsbBridgeLibrary::ForgetDevices() {
  for (libusb_device* d : devices_) libusb_unref_device(d);
  devices_.clear();
}

libusb_device* LibUsbBridgeLibrary::DeviceAt(uint32_t index) {
  std::lock_guard lock(mutex_);
  return index < devices_.size() ? libusb_ref_device(devices_[index]) : nullptr;
}

int LibUsbBridgeLibrary::OpenDevice(libusb_device* device, libusb_device_handle** handle) {
  const int result = libusb_open(device, handle);
  std::lock_guard lock(mutex_);
  if (result == LIBUSB_ERROR_ACCESS) {
    inaccessible_.insert(NodeOf(device));
  } else if (result == 0) {
    inaccessible_.erase(NodeOf(device));
  }
  return result;
}

std::vector<std::string> LibUsbBridgeLibrary::InaccessibleNodes() const {
  std::lock_guard lock(mutex_);
  return {inaccessible_.begin(), inaccessible_.end()};
}

BridgeStatus LibUsbBridgeLibrary::GetNumDevices(uint32_t& count) {
  count = 0;
  // Without libusb there is no bridge to be seen; that is not an error of the call.
  if (context_ == nullptr) return kBridgeOk;
  libusb_device** list = nullptr;
  const ssize_t n = libusb_get_device_list(context_, &list);
  if (n < 0) {
    std::lock_guard lock(mutex_);
    ForgetDevices();
    inaccessible_.clear();
    return kStatusIoError;
  }
  std::vector<libusb_device*> found;
  std::set<std::string> nodes;
  for (ssize_t i = 0; i < n; ++i) {
    libusb_device_descriptor desc{};
    if (libusb_get_device_descriptor(list[i], &desc) != 0) continue;
    if (desc.idVendor != vendor_ || desc.idProduct != product_) continue;
    found.push_back(libusb_ref_device(list[i]));
    nodes.insert(NodeOf(list[i]));
  }
  libusb_free_device_list(list, 1);
  std::lock_guard lock(mutex_);
  ForgetDevices();
  devices_ = std::move(found);
  // A refusal is kept while its bridge is attached, whichever thread counts
  // between the refusal and the look at it.
  std::erase_if(inaccessible_, [&](const std::string& node) { return nodes.count(node) == 0; });
  count = static_cast<uint32_t>(devices_.size());
  return kBridgeOk;
}

BridgeStatus LibUsbBridgeLibrary::GetProductString(uint32_t index, char* buffer, uint32_t option) {
  libusb_device* device = DeviceAt(index);
  if (device == nullptr) return kStatusBadIndex;
  BridgeStatus status = kBridgeOk;
  libusb_device_descriptor desc{};
  libusb_device_handle* handle = nullptr;
  unsigned char text[kProductStringSize] = {};
  int n = -1;
  if (libusb_get_device_descriptor(device, &desc) != 0) {
    status = kStatusIoError;
  } else if (const uint8_t which =
                 option == kProductSerialNumber ? desc.iSerialNumber : desc.iProduct;
             which == 0) {
    status = kStatusIoError;
  } else if (OpenDevice(device, &handle) != 0) {
    status = kStatusCannotOpen;
  } else {
    n = libusb_get_string_descriptor_ascii(handle, which, text, kProductStringSize - 1);
    libusb_close(handle);
    if (n < 0) status = kStatusIoError;
  }
  libusb_unref_device(device);
  if (status != kBridgeOk) return status;
  std::memcpy(buffer, text, static_cast<size_t>(n));
  buffer[n] = '\0';
  return kBridgeOk;
}

BridgeStatus LibUsbBridgeLibrary::Open(uint32_t index, BridgeHandle& handle) {
  libusb_device* device = nullptr;
  {
    std::lock_guard lock(mutex_);
    if (index >= devices_.size()) return kStatusBadIndex;
    device = devices_[index];
    for (const auto& [id, c] : connections_) {
      if (c->usb == device) return kStatusBusy;
    }
    if (!opening_.insert(device).second) return kStatusBusy;
    libusb_ref_device(device);
  }
  std::shared_ptr<Connection> c;
  const BridgeStatus status = Claim(device, c);
  std::lock_guard lock(mutex_);
  opening_.erase(device);
  libusb_unref_device(device);
  if (status != kBridgeOk) return status;
  const uintptr_t id = nextHandle_++;
  connections_[id] = c;
  handle = reinterpret_cast<BridgeHandle>(id);
  return kBridgeOk;
}

BridgeStatus LibUsbBridgeLibrary::Claim(libusb_device* device, std::shared_ptr<Connection>& c) {
  BulkPair pair;
  if (!FindDataInterface(device, pair)) return kStatusNoInterface;
  libusb_device_handle* opened = nullptr;
  if (OpenDevice(device, &opened) != 0) return kStatusCannotOpen;
  bool detached = false;
  if (!ClaimData(opened, pair.interface, detached)) {
    libusb_close(opened);
    return kStatusCannotOpen;
  }
  c = std::make_shared<Connection>();
  c->device = opened;
  c->usb = device;
  c->interface = pair.interface;
  c->in = pair.in;
  c->out = pair.out;
  c->packetSize = pair.packetSize;
  c->detached = detached;
  return kBridgeOk;
}

std::shared_ptr<LibUsbBridgeLibrary::Connection> LibUsbBridgeLibrary::Live(BridgeHandle handle) {
  std::lock_guard lock(mutex_);
  const auto it = connections_.find(reinterpret_cast<uintptr_t>(handle));
  return it == connections_.end() ? nullptr : it->second;
}

BridgeStatus LibUsbBridgeLibrary::Close(BridgeHandle handle) {
  std::shared_ptr<Connection> c;
  {
    std::lock_guard lock(mutex_);
    const auto it = connections_.find(reinterpret_cast<uintptr_t>(handle));
    if (it == connections_.end()) return kStatusBadHandle;
    c = std::move(it->second);
    connections_.erase(it);
  }
  std::lock_guard io(c->io);
  Release(*c);
  return kBridgeOk;
}

uint32_t LibUsbBridgeLibrary::ReadTimeoutMs() const {
  std::lock_guard lock(mutex_);
  return readTimeoutMs_;
}

uint32_t LibUsbBridgeLibrary::WriteTimeoutMs() const {
  std::lock_guard lock(mutex_);
  return writeTimeoutMs_;
}

BridgeStatus LibUsbBridgeLibrary::OnConnection(
    BridgeHandle handle, const std::function<BridgeStatus(Connection&)>& run) {
  const std::shared_ptr<Connection> c = Live(handle);
  if (c == nullptr) return kStatusBadHandle;
  std::lock_guard io(c->io);
  if (c->closed) return kStatusBadHandle;  // closed while this call waited
  return run(*c);
}

BridgeStatus LibUsbBridgeLibrary::Read(BridgeHandle handle, uint8_t* buffer, uint32_t wanted,
                                       uint32_t& received) {
  received = 0;
  const uint32_t timeout = ReadTimeoutMs();
  return OnConnection(handle, [&](Connection& c) {
    // Transfers are whole packets, so a packet can bring more than asked for;
    // the rest waits in `pending` for the next read.
    std::vector<uint8_t> packet(static_cast<size_t>(c.packetSize) * 4);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout);
    while (c.pending.size() < wanted) {
      const unsigned int left = MillisecondsLeft(deadline);
      if (left == 0) break;
      int got = 0;
      const int r = libusb_bulk_transfer(c.device, c.in, packet.data(),
                                         static_cast<int>(packet.size()), &got, left);
      c.pending.insert(c.pending.end(), packet.begin(), packet.begin() + got);
      if (r == LIBUSB_ERROR_TIMEOUT) break;
      if (r != 0) return kStatusIoError;
    }
    received = static_cast<uint32_t>(std::min<size_t>(wanted, c.pending.size()));
    std::copy_n(c.pending.begin(), received, buffer);
    c.pending.erase(c.pending.begin(), c.pending.begin() + received);
    return kBridgeOk;
  });
}

BridgeStatus LibUsbBridgeLibrary::Write(BridgeHandle handle, const uint8_t* buffer, uint32_t count,
                                        uint32_t& written) {
  written = 0;
  const uint32_t timeout = WriteTimeoutMs();
  return OnConnection(handle, [&](Connection& c) {
    int sent = 0;
    const int r = libusb_bulk_transfer(c.device, c.out, const_cast<uint8_t*>(buffer),
                                       static_cast<int>(count), &sent, timeout);
    written = static_cast<uint32_t>(sent);
    return r == 0 || r == LIBUSB_ERROR_TIMEOUT ? kBridgeOk : kStatusIoError;
  });
}

BridgeStatus LibUsbBridgeLibrary::FlushBuffers(BridgeHandle handle, uint8_t /*flushTransmit*/,
                                               uint8_t flushReceive) {
  return OnConnection(handle, [&](Connection& c) {
    if (flushReceive == 0) return kBridgeOk;
    c.pending.clear();
    // Drain what the device has queued for us; a bounded number of short
    // transfers, so that a device that never stops talking cannot hang us.
    std::vector<uint8_t> packet(static_cast<size_t>(c.packetSize) * 4);
    for (int i = 0; i < 256; ++i) {
      int got = 0;
      const int r = libusb_bulk_transfer(c.device, c.in, packet.data(),
                                         static_cast<int>(packet.size()), &got, 2);
      if (r != 0 || got == 0) break;
    }
    return kBridgeOk;
  });
}

// What earlier packets brought beyond what was read, and whatever the
// device has queued on the pipe now. libusb has no zero time-out (0 waits
// for ever), so the look at the pipe takes its shortest one; a look is only
// needed while nothing is held already.
BridgeStatus LibUsbBridgeLibrary::CheckReceiveQueue(BridgeHandle handle, uint32_t& waiting) {
  waiting = 0;
  return OnConnection(handle, [&](Connection& c) {
    if (c.pending.empty()) {
      std::vector<uint8_t> packet(static_cast<size_t>(c.packetSize) * 4);
      int got = 0;
      const int r = libusb_bulk_transfer(c.device, c.in, packet.data(),
                                         static_cast<int>(packet.size()), &got, kLookTimeoutMs);
      c.pending.insert(c.pending.end(), packet.begin(), packet.begin() + got);
      if (r != 0 && r != LIBUSB_ERROR_TIMEOUT) return kStatusIoError;
    }
    waiting = static_cast<uint32_t>(c.pending.size());
    return kBridgeOk;
  });
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
