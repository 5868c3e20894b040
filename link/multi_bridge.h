// Several bridge libraries shown as one: the devices of the first library
// come first, then those of the second, and so on. Handles are this
// library's own, so two member libraries may hand out equal handle values.
//
// Threads: as safe as its members. Its own table of handles is locked, and
// no lock of its own is held while a member works, so transfers on handles
// of different members run at the same time. A device index is counted
// anew on every call, from the members' counts at that moment.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "link/bridge_library.h"

class MultiBridgeLibrary : public BridgeLibrary {
 public:
  static constexpr BridgeStatus kStatusBadIndex = 2;
  static constexpr BridgeStatus kStatusBadHandle = 3;

  explicit MultiBridgeLibrary(std::vector<std::unique_ptr<BridgeLibrary>> members);

  BridgeStatus GetNumDevices(uint32_t& count) override;
  BridgeStatus GetProductString(uint32_t index, char* buffer, uint32_t option) override;
  BridgeStatus Open(uint32_t index, BridgeHandle& handle) override;
  BridgeStatus Close(BridgeHandle handle) override;
  BridgeStatus Read(BridgeHandle handle, uint8_t* buffer, uint32_t wanted,
                    uint32_t& received) override;
  BridgeStatus Write(BridgeHandle handle, const uint8_t* buffer, uint32_t count,
                     uint32_t& written) override;
  BridgeStatus FlushBuffers(BridgeHandle handle, uint8_t flushTransmit,
                            uint8_t flushReceive) override;
  BridgeStatus SetTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) override;
  BridgeStatus CheckReceiveQueue(BridgeHandle handle, uint32_t& waiting) override;
  std::string Location(uint32_t index) override;

  size_t MemberCount() const { return members_.size(); }
  BridgeLibrary& Member(size_t i) { return *members_.at(i); }

 private:
  struct Opened {
    BridgeLibrary* member = nullptr;
    BridgeHandle handle = nullptr;
  };
  // The member that holds device `index` and the index within it; false
  // when no member does (or a member cannot count its devices).
  bool Locate(uint32_t index, BridgeLibrary*& member, uint32_t& local);
  bool Find(BridgeHandle handle, Opened& opened);

  std::vector<std::unique_ptr<BridgeLibrary>> members_;
  std::mutex mutex_;
  std::map<uintptr_t, Opened> opened_;
  uintptr_t nextHandle_ = 1;
};
