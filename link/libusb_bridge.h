// The bridge library over libusb-1.0: every USB device with the given
// vendor:product id counts as a bridge. The serial string is the device's
// serial-number string descriptor; data moves over the one interface that
// has a bulk IN and a bulk OUT endpoint.
//
// Threads: every call may come from any thread, also at the same time as
// another. Each library has a libusb context of its own. The library's lock
// guards its lists only and is never held while the bus is asked or a
// transfer runs: transfers on different handles run at the same time, a
// transfer waits only for another on the same handle, and a Close waits
// for the transfer in progress on its handle. A device index means the
// device at that place in the list of the latest count, whichever thread
// made it; an index that is open already is refused as busy.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "link/bridge_library.h"
#include "link/device_access.h"

struct libusb_context;
struct libusb_device;

class LibUsbBridgeLibrary : public BridgeLibrary, public DeviceAccessReport {
 public:
  static constexpr BridgeStatus kStatusNoLibrary = 1;
  static constexpr BridgeStatus kStatusBadIndex = 2;
  static constexpr BridgeStatus kStatusBadHandle = 3;
  static constexpr BridgeStatus kStatusCannotOpen = 4;
  static constexpr BridgeStatus kStatusNoInterface = 5;
  static constexpr BridgeStatus kStatusIoError = 6;
  static constexpr BridgeStatus kStatusBusy = 7;
  // The shortest wait libusb offers for a look at the pipe.
  static constexpr unsigned int kLookTimeoutMs = 1;

  LibUsbBridgeLibrary(uint16_t vendor, uint16_t product);
  ~LibUsbBridgeLibrary() override;
  LibUsbBridgeLibrary(const LibUsbBridgeLibrary&) = delete;
  LibUsbBridgeLibrary& operator=(const LibUsbBridgeLibrary&) = delete;

  BridgeStatus GetNumDevices(uint32_t& count) override;
  BridgeStatus GetProductString(uint32_t index, char* buffer, uint32_t option) override;
  BridgeStatus Open(uint32_t index, BridgeHandle& handle) override;
  BridgeStatus Close(BridgeHandle handle) override;
  BridgeStatus Read(BridgeHandle handle, uint8_t* buffer, uint32_t wanted,
                    uint32_t& received) override;
  BridgeStatus Write(BridgeHandle handle, const uint8_t* buffer, uint32_t count,
                     uint32_t& written) override;
  BridgeStatus FlushBuffers(BridgeHandle handle, uint8_t flushTransmit,
                            uint8_t flushReceive) override;
  BridgeStatus SetTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) override;
  BridgeStatus CheckReceiveQueue(BridgeHandle handle, uint32_t& waiting) override;
  // "usb:BUS-PORT.PORT...", the bus and the port path from the root hub, as
  // the kernel names the device ("usb:1-1.4").
  std::string Location(uint32_t index) override;

  // Empty unless libusb could not be initialised (then no bridge is ever seen).
  const std::string& InitError() const { return initError_; }
  uint16_t Vendor() const { return vendor_; }
  uint16_t Product() const { return product_; }

  // DeviceAccessReport: bridges of the last count that could not be opened
  // (for their serial string or for data) for lack of permission.
  std::vector<std::string> InaccessibleNodes() const override;

  struct Connection;

 private:
  void ForgetDevices();  // with mutex_ held
  std::shared_ptr<Connection> Live(BridgeHandle handle);
  // Runs `run` on the connection of `handle` with the connection's lock held.
  BridgeStatus OnConnection(BridgeHandle handle,
                            const std::function<BridgeStatus(Connection&)>& run);
  // Opens and claims `device` for data.
  BridgeStatus Claim(libusb_device* device, std::shared_ptr<Connection>& c);
  // Device `index` of the last count, referenced (the caller unreferences
  // it), or null.
  libusb_device* DeviceAt(uint32_t index);
  // Opens `device`; a refusal for lack of permission is remembered.
  int OpenDevice(libusb_device* device, struct libusb_device_handle** handle);
  uint32_t ReadTimeoutMs() const;
  uint32_t WriteTimeoutMs() const;

  const uint16_t vendor_;
  const uint16_t product_;
  libusb_context* context_ = nullptr;  // set once, by the constructor
  std::string initError_;
  mutable std::mutex mutex_;             // guards what follows, never held while the bus works
  std::vector<libusb_device*> devices_;  // referenced; the list of the last count
  std::map<uintptr_t, std::shared_ptr<Connection>> connections_;  // by handle
  uintptr_t nextHandle_ = 1;
  std::set<libusb_device*> opening_;    // devices an Open is claiming now
  std::set<std::string> inaccessible_;  // device nodes, since the last count
  uint32_t readTimeoutMs_ = 1800;
  uint32_t writeTimeoutMs_ = 500;
};
