// Device changes of the simulated chip: Plug and Unplug change the simulated
// bridge and announce the change through the event loop, as a real arrival
// or removal would come.
#pragma once

#include <QObject>
#include <string>

#include "app/device_notifier.h"
#include "link/sim_bridge.h"

class SimDeviceNotifier : public DeviceNotifier {
 public:
  SimDeviceNotifier(SimBridgeLibrary& library, std::string devicePath);

  // Only a change of state is announced.
  void Plug();
  void Unplug();

  SimBridgeLibrary& Library() { return library_; }
  const std::string& DevicePath() const { return path_; }

 protected:
  bool StartWatching() override { return true; }

 private:
  void Announce(uint32_t event);

  SimBridgeLibrary& library_;
  std::string path_;
  QObject context_;  // pending announcements die with the notifier
};
