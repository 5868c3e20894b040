// Device changes of real bridges: libusb's hot-plug events, handled from
// Qt's event loop. libusb's descriptors are watched with socket notifiers and
// its events are handled without waiting whenever one is ready, so nothing
// polls and no other thread touches the window. Where libusb offers no
// hot-plug support the attached devices are compared once a second instead.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <map>
#include <memory>
#include <vector>

#include "app/device_notifier.h"
#include "link/usb_hotplug.h"

class UsbDeviceNotifier : public DeviceNotifier {
 public:
  static constexpr int kPollIntervalMs = 1000;

  UsbDeviceNotifier(uint16_t vendor, uint16_t product);
  ~UsbDeviceNotifier() override;

  enum TWatchMode { wmNone, wmHotplug, wmPolling };
  TWatchMode WatchMode() const { return mode_; }
  // Why watching could not start (empty otherwise).
  const std::string& Error() const { return error_; }

 protected:
  bool StartWatching() override;

 private:
  void WatchFd(int fd, short events);
  void UnwatchFd(int fd);

  UsbHotplugWatcher watcher_;
  QObject context_;  // owns the notifiers and the timer
  std::map<int, std::vector<QSocketNotifier*>> notifiers_;
  QTimer* poll_ = nullptr;
  TWatchMode mode_ = wmNone;
  std::string error_;
};
