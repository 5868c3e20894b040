#include "app/sim_device_notifier.h"

#include <QMetaObject>

SimDeviceNotifier::SimDeviceNotifier(SimBridgeLibrary& library, std::string devicePath)
    : library_(library), path_(std::move(devicePath)) {}

void SimDeviceNotifier::Plug() {
  if (library_.IsPlugged()) return;
  library_.Plug();
  Announce(DBT_DEVICEARRIVAL);
}

void SimDeviceNotifier::Unplug() {
  if (!library_.IsPlugged()) return;
  library_.Unplug();
  Announce(DBT_DEVICEREMOVECOMPLETE);
}

void SimDeviceNotifier::Announce(uint32_t event) {
  const DeviceNotification change{event, {DBT_DEVTYP_DEVICEINTERFACE, path_}};
  QMetaObject::invokeMethod(
      &context_, [this, change] { Deliver(change); }, Qt::QueuedConnection);
}
