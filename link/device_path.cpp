#include "link/device_path.h"

#include <cstdio>

std::string DeviceInstanceFromSerial(const std::string& serial) {
  std::string instance = serial;
  if (!instance.empty() && instance[0] >= 'a' && instance[0] <= 'z') {
    instance[0] = static_cast<char>(instance[0] - 'a' + 'A');
  }
  return instance;
}

std::string MakeDevicePath(uint16_t vendor, uint16_t product, const std::string& serial,
                           const std::string& interfaceClass) {
  char ids[32];
  std::snprintf(ids, sizeof ids, "VID_%04X&PID_%04X", vendor, product);
  return std::string("\\\\?\\USB#") + ids + "#" + DeviceInstanceFromSerial(serial) + "#" +
         interfaceClass;
}
