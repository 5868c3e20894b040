// Which device changes the main window reacts to.
//
// Only the arrival (0x8000) and the completed removal (0x8004) of a device
// interface (device type 5) whose path contains "#Tx_v1.0#" count; the
// marker is compared byte for byte, case-sensitively, anywhere in the path.
// Every other change (query-remove, volumes, ports, other devices) is ignored.
#pragma once

#include <cstdint>

#include "link/device_path.h"

inline constexpr const char* kDevicePathMarker = "#Tx_v1.0#";

enum TDeviceChangeAction { dcaIgnore, dcaArrived, dcaRemoved };

// The reaction to a device change with event code `event` whose record is
// `record` (null: no record, ignored). The path counts up to its first zero
// byte, as a zero-terminated string would.
TDeviceChangeAction FilterDeviceChange(uint32_t event, const DeviceBroadcast* record);

// True when `path` (up to its first zero byte) contains the marker.
bool PathHasBridgeMarker(const std::string& path);
