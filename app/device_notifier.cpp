#include "app/device_notifier.h"

DeviceInterfaceFilter BridgeInterfaceFilter() {
  DeviceInterfaceFilter filter{};
  filter.size = 32;
  filter.deviceType = DBT_DEVTYP_DEVICEINTERFACE;
  filter.reserved = 0;
  filter.classGuid = kBridgeInterfaceClass;
  return filter;
}

NotificationHandle DeviceNotifier::Register(const DeviceInterfaceFilter& filter,
                                            DeviceChangeHandler handler) {
  if (filter.deviceType != DBT_DEVTYP_DEVICEINTERFACE ||
      filter.classGuid != kBridgeInterfaceClass) {
    return nullptr;
  }
  if (!watching_) watching_ = StartWatching();
  if (!watching_) return nullptr;
  handler_ = std::move(handler);
  return this;
}

void DeviceNotifier::Deliver(const DeviceNotification& change) {
  if (handler_) handler_(change);
}

void DeviceNotifier::Unregister(NotificationHandle handle) {
  if (handle == this) handler_ = nullptr;
}
