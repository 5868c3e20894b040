// Following the arrival and removal of USB bridges through libusb.
//
// UsbHotplugWatcher has no thread of its own and never waits: its owner
// watches the descriptors of PollFds() (and those announced later through
// OnPollFdAdded / OnPollFdRemoved) and calls HandleEvents() whenever one is
// ready. Where libusb has no hot-plug support the owner calls Poll() about
// once a second instead, which compares the attached devices with the last
// look. Each change reaches OnChange as a device-change record (arrival or
// removal, device type 5, the device path); a removal carries the path that
// was announced for that device when it arrived.
//
// Threads: a watcher belongs to the thread that started it; every call and
// every event comes on that thread. It has a libusb context of its own and
// shares nothing with the bridge libraries, whose threads it never disturbs.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "link/device_path.h"

struct libusb_context;
struct libusb_device;

// The paths announced for the attached devices, keyed by bus and address.
class UsbDeviceRoster {
 public:
  using Key = uint32_t;
  static Key MakeKey(uint8_t bus, uint8_t address) { return (Key(bus) << 8) | address; }

  // Remembers `path` for `key` without reporting anything.
  void Remember(Key key, const std::string& path) { paths_[key] = path; }
  // Remembers `path` for `key`; the arrival record to report.
  DeviceNotification Arrive(Key key, const std::string& path);
  // Forgets `key`. False when no path was announced for it (nothing to report).
  bool Leave(Key key, DeviceNotification& removal);
  // Compares the devices attached now with those remembered: a removal for
  // each one gone, then an arrival for each new one (`pathOf` gives its path).
  std::vector<DeviceNotification> Reconcile(const std::vector<Key>& attached,
                                            const std::function<std::string(Key)>& pathOf);

  bool Knows(Key key) const { return paths_.count(key) != 0; }
  size_t Size() const { return paths_.size(); }

 private:
  std::map<Key, std::string> paths_;
};

class UsbHotplugWatcher {
 public:
  struct PollFd {
    int fd;
    short events;  // POLLIN / POLLOUT
  };

  UsbHotplugWatcher(uint16_t vendor, uint16_t product,
                    std::string interfaceClass = kBridgeInterfaceClass);
  ~UsbHotplugWatcher();
  UsbHotplugWatcher(const UsbHotplugWatcher&) = delete;
  UsbHotplugWatcher& operator=(const UsbHotplugWatcher&) = delete;

  // Opens libusb, registers for hot-plug events where supported and
  // remembers the devices attached now (without reporting them). False with
  // `error` set when libusb cannot be used at all.
  bool Start(std::string& error);
  bool Started() const { return context_ != nullptr; }
  bool HotplugSupported() const { return hotplug_; }

  std::vector<PollFd> PollFds() const;
  std::function<void(int fd, short events)> OnPollFdAdded;
  std::function<void(int fd)> OnPollFdRemoved;

  // Handles what libusb has ready, without waiting, then reports the changes.
  void HandleEvents();
  // Without hot-plug support: reports what changed since the last look.
  void Poll();

  std::function<void(const DeviceNotification&)> OnChange;

  // The folder where a device's serial string is looked up before asking
  // the device itself (default /sys/bus/usb/devices).
  void SetSysfsRoot(std::string root) { sysfsRoot_ = std::move(root); }

 private:
  struct Pending {
    bool arrived;
    libusb_device* device;  // referenced until handled
  };
  struct Callbacks;  // libusb's C callbacks
  bool Matches(libusb_device* device) const;
  std::string SerialOf(libusb_device* device) const;
  std::string PathOf(libusb_device* device) const;
  void RememberAttached();
  void Report(const std::vector<DeviceNotification>& changes);

  uint16_t vendor_;
  uint16_t product_;
  std::string interfaceClass_;
  std::string sysfsRoot_ = "/sys/bus/usb/devices";
  libusb_context* context_ = nullptr;
  bool hotplug_ = false;
  int callbackHandle_ = 0;
  std::vector<Pending> pending_;
  UsbDeviceRoster roster_;
};
