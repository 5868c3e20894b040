#include "link/usb_hotplug.h"

#include <libusb-1.0/libusb.h>

#include <fstream>
#include <set>

DeviceNotification UsbDeviceRoster::Arrive(Key key, const std::string& path) {
  paths_[key] = path;
  return {DBT_DEVICEARRIVAL, {DBT_DEVTYP_DEVICEINTERFACE, path}};
}

bool UsbDeviceRoster::Leave(Key key, DeviceNotification& removal) {
  const auto it = paths_.find(key);
  if (it == paths_.end()) return false;
  removal = {DBT_DEVICEREMOVECOMPLETE, {DBT_DEVTYP_DEVICEINTERFACE, it->second}};
  paths_.erase(it);
  return true;
}

std::vector<DeviceNotification> UsbDeviceRoster::Reconcile(
    const std::vector<Key>& attached, const std::function<std::string(Key)>& pathOf) {
  const std::set<Key> now(attached.begin(), attached.end());
  std::vector<Key> gone;
  for (const auto& [key, path] : paths_) {
    if (now.count(key) == 0) gone.push_back(key);
  }
  std::vector<DeviceNotification> changes;
  for (Key key : gone) {
    DeviceNotification removal;
    if (Leave(key, removal)) changes.push_back(removal);
  }
  for (Key key : now) {
    if (!Knows(key)) changes.push_back(Arrive(key, pathOf(key)));
  }
  return changes;
}

struct UsbHotplugWatcher::Callbacks {
  static int LIBUSB_CALL Hotplug(libusb_context*, libusb_device* device, libusb_hotplug_event event,
                                 void* self) {
    // No transfer may be made from inside libusb's event handling: the device
    // is only queued here and looked at when HandleEvents has returned from it.
    auto* watcher = static_cast<UsbHotplugWatcher*>(self);
    const bool arrived = event == LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED;
    watcher->pending_.push_back({arrived, libusb_ref_device(device)});
    return 0;  // stay registered
  }
  static void LIBUSB_CALL Added(int fd, short events, void* self) {
    auto* watcher = static_cast<UsbHotplugWatcher*>(self);
    if (watcher->OnPollFdAdded) watcher->OnPollFdAdded(fd, events);
  }
  static void LIBUSB_CALL Removed(int fd, void* self) {
    auto* watcher = static_cast<UsbHotplugWatcher*>(self);
    if (watcher->OnPollFdRemoved) watcher->OnPollFdRemoved(fd);
  }
};

namespace {

UsbDeviceRoster::Key KeyOf(libusb_device* device) {
  return UsbDeviceRoster::MakeKey(libusb_get_bus_number(device), libusb_get_device_address(device));
}

// The device's folder name below the USB device tree: "BUS-PORT.PORT...".
std::string SysfsName(libusb_device* device) {
  uint8_t ports[8];
  const int depth = libusb_get_port_numbers(device, ports, sizeof ports);
  if (depth <= 0) return "";
  std::string name = std::to_string(libusb_get_bus_number(device)) + "-";
  for (int i = 0; i < depth; ++i) {
    if (i > 0) name += ".";
    name += std::to_string(ports[i]);
  }
  return name;
}

bool ReadFirstLine(const std::string& file, std::string& line) {
  std::ifstream in(file);
  return in && std::getline(in, line);
}

std::string SerialFromDevice(libusb_device* device) {
  libusb_device_descriptor desc{};
  if (libusb_get_device_descriptor(device, &desc) != 0 || desc.iSerialNumber == 0) return "";
  libusb_device_handle* handle = nullptr;
  if (libusb_open(device, &handle) != 0) return "";
  unsigned char text[256] = {};
  const int n =
      libusb_get_string_descriptor_ascii(handle, desc.iSerialNumber, text, sizeof text - 1);
  libusb_close(handle);
  return n > 0 ? std::string(reinterpret_cast<char*>(text), static_cast<size_t>(n)) : "";
}

}  // namespace

UsbHotplugWatcher::UsbHotplugWatcher(uint16_t vendor, uint16_t product, std::string interfaceClass)
    : vendor_(vendor), product_(product), interfaceClass_(std::move(interfaceClass)) {}

UsbHotplugWatcher::~UsbHotplugWatcher() {
  if (context_ == nullptr) return;
  if (hotplug_) libusb_hotplug_deregister_callback(context_, callbackHandle_);
  libusb_set_pollfd_notifiers(context_, nullptr, nullptr, nullptr);
  for (const Pending& p : pending_) libusb_unref_device(p.device);
  libusb_exit(context_);
}

bool UsbHotplugWatcher::Start(std::string& error) {
  if (context_ != nullptr) return true;
  const int result = libusb_init(&context_);
  if (result != 0) {
    context_ = nullptr;
    error = std::string("libusb: ") + libusb_error_name(result);
    return false;
  }
  libusb_set_pollfd_notifiers(context_, Callbacks::Added, Callbacks::Removed, this);
  if (libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG) != 0) {
    const auto events = static_cast<libusb_hotplug_event>(LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED |
                                                          LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT);
    hotplug_ = libusb_hotplug_register_callback(
                   context_, events, static_cast<libusb_hotplug_flag>(0), vendor_, product_,
                   LIBUSB_HOTPLUG_MATCH_ANY, Callbacks::Hotplug, this, &callbackHandle_) == 0;
  }
  // Devices attached before now are not announced, but their removal is.
  RememberAttached();
  return true;
}

std::vector<UsbHotplugWatcher::PollFd> UsbHotplugWatcher::PollFds() const {
  std::vector<PollFd> fds;
  if (context_ == nullptr) return fds;
  const libusb_pollfd** list = libusb_get_pollfds(context_);
  if (list == nullptr) return fds;
  for (int i = 0; list[i] != nullptr; ++i) fds.push_back({list[i]->fd, list[i]->events});
  libusb_free_pollfds(list);
  return fds;
}

bool UsbHotplugWatcher::Matches(libusb_device* device) const {
  libusb_device_descriptor desc{};
  return libusb_get_device_descriptor(device, &desc) == 0 && desc.idVendor == vendor_ &&
         desc.idProduct == product_;
}

std::string UsbHotplugWatcher::SerialOf(libusb_device* device) const {
  // The device tree gives the serial string without opening the device, which
  // needs no access rights to the device node and never disturbs it.
  const std::string name = SysfsName(device);
  std::string serial;
  if (!name.empty() && ReadFirstLine(sysfsRoot_ + "/" + name + "/serial", serial)) return serial;
  return SerialFromDevice(device);
}

std::string UsbHotplugWatcher::PathOf(libusb_device* device) const {
  return MakeDevicePath(vendor_, product_, SerialOf(device), interfaceClass_);
}

void UsbHotplugWatcher::RememberAttached() {
  libusb_device** list = nullptr;
  const ssize_t n = libusb_get_device_list(context_, &list);
  if (n < 0) return;
  for (ssize_t i = 0; i < n; ++i) {
    if (Matches(list[i])) roster_.Remember(KeyOf(list[i]), PathOf(list[i]));
  }
  libusb_free_device_list(list, 1);
}

void UsbHotplugWatcher::Report(const std::vector<DeviceNotification>& changes) {
  for (const DeviceNotification& change : changes) {
    if (OnChange) OnChange(change);
  }
}

void UsbHotplugWatcher::HandleEvents() {
  if (context_ == nullptr) return;
  timeval zero{0, 0};
  libusb_handle_events_timeout_completed(context_, &zero, nullptr);
  std::vector<Pending> pending;
  pending.swap(pending_);
  std::vector<DeviceNotification> changes;
  for (const Pending& p : pending) {
    const UsbDeviceRoster::Key key = KeyOf(p.device);
    if (p.arrived) {
      changes.push_back(roster_.Arrive(key, PathOf(p.device)));
    } else {
      DeviceNotification removal;
      if (roster_.Leave(key, removal)) changes.push_back(removal);
    }
    libusb_unref_device(p.device);
  }
  Report(changes);
}

void UsbHotplugWatcher::Poll() {
  if (context_ == nullptr) return;
  libusb_device** list = nullptr;
  const ssize_t n = libusb_get_device_list(context_, &list);
  if (n < 0) return;
  std::map<UsbDeviceRoster::Key, libusb_device*> attached;
  for (ssize_t i = 0; i < n; ++i) {
    if (Matches(list[i])) attached[KeyOf(list[i])] = list[i];
  }
  std::vector<UsbDeviceRoster::Key> keys;
  for (const auto& [key, device] : attached) keys.push_back(key);
  const auto changes =
      roster_.Reconcile(keys, [&](UsbDeviceRoster::Key key) { return PathOf(attached[key]); });
  libusb_free_device_list(list, 1);
  Report(changes);
}
