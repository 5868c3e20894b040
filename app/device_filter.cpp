#include "app/device_filter.h"

#include <cstring>

bool PathHasBridgeMarker(const std::string& path) {
  return std::strstr(path.c_str(), kDevicePathMarker) != nullptr;
}

TDeviceChangeAction FilterDeviceChange(uint32_t event, const DeviceBroadcast* record) {
  if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) return dcaIgnore;
  if (record == nullptr || record->deviceType != DBT_DEVTYP_DEVICEINTERFACE) return dcaIgnore;
  if (!PathHasBridgeMarker(record->devicePath)) return dcaIgnore;
  return event == DBT_DEVICEARRIVAL ? dcaArrived : dcaRemoved;
}
