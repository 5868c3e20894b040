// The bridge library and the matching source of device changes for a
// bridge address (usb, sim, sim:FILE, tcp://HOST:PORT[?serial=S]).
#pragma once

#include <memory>
#include <string>

#include "app/device_notifier.h"
#include "link/bridge_address.h"
#include "link/bridge_library.h"

struct BridgeSetup {
  std::unique_ptr<BridgeLibrary> library;
  std::unique_ptr<DeviceNotifier> notifier;  // null for a library of unknown kind
};

// False with `error` set for an unknown or malformed address.
bool CreateBridgeSetup(const std::string& address, const UsbId& usbId, BridgeSetup& setup,
                       std::string& error);

// The source of device changes that suits `library`; null when none does.
// Paths carry `usbId` except for libusb bridges, which carry their own id.
std::unique_ptr<DeviceNotifier> CreateDeviceNotifier(BridgeLibrary& library, const UsbId& usbId);
