#include "tools/ctl_bridges.h"

#include "link/usb_link.h"

bool ListBridges(BridgeLibrary& library, std::vector<BridgeEntry>& bridges) {
  uint32_t count = 0;
  if (library.GetNumDevices(count) != kBridgeOk) return false;
  bridges.clear();
  for (uint32_t i = 0; i < count; ++i) {
    BridgeEntry entry;
    entry.index = i;
    entry.location = library.Location(i);
    char serial[kProductStringSize] = {};
    if (library.GetProductString(i, serial, kProductSerialNumber) == kBridgeOk) {
      serial[kProductStringSize - 1] = 0;
      entry.readable = true;
      entry.serial = serial;
      entry.ours = entry.serial == UsbLink::kSerialString;
    }
    bridges.push_back(entry);
  }
  return true;
}

BridgeStatus OneBridgeLibrary::GetNumDevices(uint32_t& count) {
  uint32_t all = 0;
  if (const BridgeStatus status = library_.GetNumDevices(all); status != kBridgeOk) return status;
  count = index_ < all ? 1 : 0;
  return kBridgeOk;
}

BridgeStatus OneBridgeLibrary::GetProductString(uint32_t index, char* buffer, uint32_t option) {
  if (index != 0) return kStatusBadIndex;
  return library_.GetProductString(index_, buffer, option);
}

BridgeStatus OneBridgeLibrary::Open(uint32_t index, BridgeHandle& handle) {
  if (index != 0) return kStatusBadIndex;
  return library_.Open(index_, handle);
}

std::string OneBridgeLibrary::Location(uint32_t index) {
  return index == 0 ? library_.Location(index_) : "";
}

BridgeStatus OpenRecordingLibrary::Open(uint32_t index, BridgeHandle& handle) {
  const BridgeStatus status = library_.Open(index, handle);
  if (status == kBridgeOk) {
    opened_ = true;
    index_ = index;
  }
  return status;
}

bool OpenRecordingLibrary::Opened(uint32_t& index) const {
  index = index_;
  return opened_;
}
