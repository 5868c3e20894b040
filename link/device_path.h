// Device-change records and the device-interface path of a bridge.
//
// A device-change record carries an event code, a device type and, for
// device type 5 (a device interface), the device path:
//   \\?\USB#VID_vvvv&PID_pppp#INSTANCE#{3C5E1462-5695-4E18-876B-F3F3D08AAF18}
// INSTANCE is the bridge's serial string with its first letter upper-cased,
// so the ZN4417 bridge (serial "tx_v1.0") shows up as "#Tx_v1.0#".
#pragma once

#include <cstdint>
#include <string>

// Event codes of a device change.
inline constexpr uint32_t DBT_DEVICEARRIVAL = 0x8000;
inline constexpr uint32_t DBT_DEVICEQUERYREMOVE = 0x8001;
inline constexpr uint32_t DBT_DEVICEQUERYREMOVEFAILED = 0x8002;
inline constexpr uint32_t DBT_DEVICEREMOVEPENDING = 0x8003;
inline constexpr uint32_t DBT_DEVICEREMOVECOMPLETE = 0x8004;

// Device types of a device-change record.
inline constexpr uint32_t DBT_DEVTYP_OEM = 0;
inline constexpr uint32_t DBT_DEVTYP_VOLUME = 2;
inline constexpr uint32_t DBT_DEVTYP_PORT = 3;
inline constexpr uint32_t DBT_DEVTYP_DEVICEINTERFACE = 5;

// The interface class under which the bridge's devices are announced.
inline constexpr const char* kBridgeInterfaceClass = "{3C5E1462-5695-4E18-876B-F3F3D08AAF18}";

// The record a device change carries: its device type and, for a device
// interface, the device path.
struct DeviceBroadcast {
  uint32_t deviceType = DBT_DEVTYP_DEVICEINTERFACE;
  std::string devicePath;
};

// One device change: the event code and the record.
struct DeviceNotification {
  uint32_t event = 0;
  DeviceBroadcast record;
};

// "tx_v1.0" -> "Tx_v1.0"; only an ASCII lower-case first letter changes.
std::string DeviceInstanceFromSerial(const std::string& serial);

// The device path of a bridge with this id and serial string, hex digits
// upper-case: \\?\USB#VID_10C4&PID_EA61#Tx_v1.0#{3C5E1462-...}.
std::string MakeDevicePath(uint16_t vendor, uint16_t product, const std::string& serial,
                           const std::string& interfaceClass = kBridgeInterfaceClass);
