// Choosing among several bridges: the list of attached bridges, and one
// bridge of a library shown as if it were the only one, so that the link
// opens exactly that bridge (or none, if it is not a ZN4417 bridge).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/bridge_library.h"
#include "link/forwarding_bridge_library.h"

struct BridgeEntry {
  uint32_t index = 0;
  std::string location;   // where it is attached, "" when the library cannot tell
  bool readable = false;  // the serial string could be read
  std::string serial;
  bool ours = false;  // the serial marks the ZN4417 bridge
};

// Every attached bridge in index order; false when the library cannot
// count them.
bool ListBridges(BridgeLibrary& library, std::vector<BridgeEntry>& bridges);

class OneBridgeLibrary : public ForwardingBridgeLibrary {
 public:
  static constexpr BridgeStatus kStatusBadIndex = 2;

  // Device `index` of `library` appears as device 0.
  OneBridgeLibrary(BridgeLibrary& library, uint32_t index)
      : ForwardingBridgeLibrary(library), index_(index) {}

  BridgeStatus GetNumDevices(uint32_t& count) override;
  BridgeStatus GetProductString(uint32_t index, char* buffer, uint32_t option) override;
  BridgeStatus Open(uint32_t index, BridgeHandle& handle) override;
  std::string Location(uint32_t index) override;

 private:
  uint32_t index_;
};

// A library as it is, noting which device was opened last.
class OpenRecordingLibrary : public ForwardingBridgeLibrary {
 public:
  using ForwardingBridgeLibrary::ForwardingBridgeLibrary;

  BridgeStatus Open(uint32_t index, BridgeHandle& handle) override;
  // Whether a device was opened, and which.
  bool Opened(uint32_t& index) const;

 private:
  bool opened_ = false;
  uint32_t index_ = 0;
};
