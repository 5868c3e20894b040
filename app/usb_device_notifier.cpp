#include "app/usb_device_notifier.h"

#include <poll.h>

UsbDeviceNotifier::UsbDeviceNotifier(uint16_t vendor, uint16_t product)
    : watcher_(vendor, product) {
  watcher_.OnChange = [this](const DeviceNotification& change) { Deliver(change); };
}

UsbDeviceNotifier::~UsbDeviceNotifier() {
  // The notifiers go with context_; libusb must not announce into them later.
  watcher_.OnPollFdAdded = nullptr;
  watcher_.OnPollFdRemoved = nullptr;
}

bool UsbDeviceNotifier::StartWatching() {
  watcher_.OnPollFdAdded = [this](int fd, short events) { WatchFd(fd, events); };
  watcher_.OnPollFdRemoved = [this](int fd) { UnwatchFd(fd); };
  if (!watcher_.Start(error_)) return false;
  if (watcher_.HotplugSupported()) {
    for (const UsbHotplugWatcher::PollFd& p : watcher_.PollFds()) WatchFd(p.fd, p.events);
    mode_ = wmHotplug;
  } else {
    poll_ = new QTimer(&context_);
    poll_->setInterval(kPollIntervalMs);
    QObject::connect(poll_, &QTimer::timeout, &context_, [this] { watcher_.Poll(); });
    poll_->start();
    mode_ = wmPolling;
  }
  return true;
}

void UsbDeviceNotifier::WatchFd(int fd, short events) {
  if (notifiers_.count(fd) != 0) UnwatchFd(fd);
  std::vector<QSocketNotifier*>& list = notifiers_[fd];
  auto add = [&](QSocketNotifier::Type type) {
    auto* n = new QSocketNotifier(fd, type, &context_);
    QObject::connect(n, &QSocketNotifier::activated, &context_,
                     [this] { watcher_.HandleEvents(); });
    list.push_back(n);
  };
  if (events & POLLIN) add(QSocketNotifier::Read);
  if (events & POLLOUT) add(QSocketNotifier::Write);
}

void UsbDeviceNotifier::UnwatchFd(int fd) {
  const auto it = notifiers_.find(fd);
  if (it == notifiers_.end()) return;
  // libusb may drop a descriptor from inside its own event handling, which
  // runs from one of these notifiers: they are deleted once that is over.
  for (QSocketNotifier* n : it->second) {
    n->setEnabled(false);
    n->deleteLater();
  }
  notifiers_.erase(it);
}
