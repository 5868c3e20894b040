// Bridges that are attached but that this user may not open: on Linux the
// bridge's USB device node (/dev/bus/usb/BBB/DDD) needs read and write
// access, which the udev rule 60-zn4417.rules grants.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "link/bridge_library.h"
#include "link/forwarding_bridge_library.h"

// Offered by bridge libraries that reach the bridges through device nodes.
// The free functions below keep no state; any thread may call them.
class DeviceAccessReport {
 public:
  virtual ~DeviceAccessReport() = default;
  // Device nodes of matching bridges that the last look at the bus (and the
  // opens after it) could not open for lack of permission.
  virtual std::vector<std::string> InaccessibleNodes() const = 0;
};

inline constexpr const char* kUdevRuleName = "60-zn4417.rules";

// "/dev/bus/usb/001/007".
std::string UsbDeviceNode(int bus, int address);

// One line saying that `node` is not accessible and what grants access.
std::string NoAccessText(const std::string& node);

// NoAccessText for every inaccessible node `library` reports; empty for a
// library without device nodes.
std::vector<std::string> NoAccessTexts(const BridgeLibrary& library);

// A bridge library that passes every call on to another, which it owns, and
// says, through `report`, why a bridge that is attached could not be
// opened: once per node and look at the bus (each connection attempt starts
// with a new look).
// Threads: as safe as the library it wraps; its own record is locked, and
// `report` is called, outside that lock, on the thread whose call failed.
class AccessReportingBridgeLibrary : public ForwardingBridgeLibrary {
 public:
  using Report = std::function<void(const std::string& text)>;

  AccessReportingBridgeLibrary(std::unique_ptr<BridgeLibrary> inner, Report report);

  BridgeLibrary& Inner() { return *inner_; }

  BridgeStatus GetNumDevices(uint32_t& count) override;
  BridgeStatus GetProductString(uint32_t index, char* buffer, uint32_t option) override;
  BridgeStatus Open(uint32_t index, BridgeHandle& handle) override;

 private:
  void ReportNewNodes();

  std::unique_ptr<BridgeLibrary> inner_;
  Report report_;
  std::mutex mutex_;
  std::set<std::string> reported_;  // since the last look at the bus
};
