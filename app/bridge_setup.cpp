#include "app/bridge_setup.h"

#include "app/sim_device_notifier.h"
#include "app/tcp_device_notifier.h"
#include "app/usb_device_notifier.h"
#include "link/libusb_bridge.h"
#include "link/sim_bridge.h"
#include "link/tcp_bridge.h"

bool CreateBridgeSetup(const std::string& address, const UsbId& usbId, BridgeSetup& setup,
                       std::string& error) {
  std::unique_ptr<BridgeLibrary> library = CreateBridgeLibrary(address, usbId, error);
  if (!library) return false;
  setup.notifier = CreateDeviceNotifier(*library, usbId);
  setup.library = std::move(library);
  return true;
}

std::unique_ptr<DeviceNotifier> CreateDeviceNotifier(BridgeLibrary& library, const UsbId& usbId) {
  if (auto* usb = dynamic_cast<LibUsbBridgeLibrary*>(&library)) {
    return std::make_unique<UsbDeviceNotifier>(usb->Vendor(), usb->Product());
  }
  if (auto* tcp = dynamic_cast<TcpBridgeLibrary*>(&library)) {
    return std::make_unique<TcpDeviceNotifier>(
        tcp->Host(), tcp->Port(), MakeDevicePath(usbId.vendor, usbId.product, tcp->Serial()));
  }
  if (auto* sim = dynamic_cast<SimBridgeLibrary*>(&library)) {
    return std::make_unique<SimDeviceNotifier>(
        *sim, MakeDevicePath(usbId.vendor, usbId.product, SimBridgeLibrary::kSerial));
  }
  return nullptr;
}
