// DeviceNotifier: the source of device-change records that the main window
// registers with. A registration names the interface class to watch with a
// device-interface filter record; from then on every arrival and removal of
// a bridge of that class reaches the handler as a record (event code,
// device type, device path), on the window's thread, from the event loop.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "link/device_path.h"

// The filter a registration passes: size 32, device type 5, reserved 0, the
// interface class and an empty name.
struct DeviceInterfaceFilter {
  uint32_t size = 0;
  uint32_t deviceType = 0;
  uint32_t reserved = 0;
  std::string classGuid;
  std::string name;
};

// The filter for the bridge's interface class.
DeviceInterfaceFilter BridgeInterfaceFilter();

using NotificationHandle = void*;
using DeviceChangeHandler = std::function<void(const DeviceNotification& change)>;

class DeviceNotifier {
 public:
  virtual ~DeviceNotifier() = default;

  // Starts delivering changes to `handler`. Null when the filter does not ask
  // for the bridge's interface class or the source cannot watch; the handler
  // then never hears anything. A later registration replaces the earlier one.
  NotificationHandle Register(const DeviceInterfaceFilter& filter, DeviceChangeHandler handler);
  // Stops delivering to the handler of `handle` (a window going away).
  void Unregister(NotificationHandle handle);
  bool Registered() const { return static_cast<bool>(handler_); }

 protected:
  // Begins watching; false when this source cannot.
  virtual bool StartWatching() = 0;
  // Hands one change to the registered handler (none: dropped).
  void Deliver(const DeviceNotification& change);

 private:
  DeviceChangeHandler handler_;
  bool watching_ = false;
};
