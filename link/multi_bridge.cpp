#include "link/multi_bridge.h"

MultiBridgeLibrary::MultiBridgeLibrary(std::vector<std::unique_ptr<BridgeLibrary>> members)
    : members_(std::move(members)) {}

bool MultiBridgeLibrary::Locate(uint32_t index, BridgeLibrary*& member, uint32_t& local) {
  for (const auto& m : members_) {
    uint32_t count = 0;
    if (m->GetNumDevices(count) != kBridgeOk) return false;
    if (index < count) {
      member = m.get();
      local = index;
      return true;
    }
    index -= count;
  }
  return false;
}

bool MultiBridgeLibrary::Find(BridgeHandle handle, Opened& opened) {
  std::lock_guard lock(mutex_);
  const auto it = opened_.find(reinterpret_cast<uintptr_t>(handle));
  if (it == opened_.end()) return false;
  opened = it->second;
  return true;
}

BridgeStatus MultiBridgeLibrary::GetNumDevices(uint32_t& count) {
  uint32_t total = 0;
  for (const auto& m : members_) {
    uint32_t n = 0;
    if (const BridgeStatus status = m->GetNumDevices(n); status != kBridgeOk) return status;
    total += n;
  }
  count = total;
  return kBridgeOk;
}

BridgeStatus MultiBridgeLibrary::GetProductString(uint32_t index, char* buffer, uint32_t option) {
  BridgeLibrary* member = nullptr;
  uint32_t local = 0;
  if (!Locate(index, member, local)) return kStatusBadIndex;
  return member->GetProductString(local, buffer, option);
}

std::string MultiBridgeLibrary::Location(uint32_t index) {
  BridgeLibrary* member = nullptr;
  uint32_t local = 0;
  return Locate(index, member, local) ? member->Location(local) : "";
}

BridgeStatus MultiBridgeLibrary::Open(uint32_t index, BridgeHandle& handle) {
  BridgeLibrary* member = nullptr;
  uint32_t local = 0;
  if (!Locate(index, member, local)) return kStatusBadIndex;
  BridgeHandle inner = nullptr;
  if (const BridgeStatus status = member->Open(local, inner); status != kBridgeOk) return status;
  std::lock_guard lock(mutex_);
  const uintptr_t id = nextHandle_++;
  opened_[id] = Opened{member, inner};
  handle = reinterpret_cast<BridgeHandle>(id);
  return kBridgeOk;
}

BridgeStatus MultiBridgeLibrary::Close(BridgeHandle handle) {
  Opened opened;
  {
    // Found and forgotten at once, so that two Closes of one handle close
    // the member's handle once.
    std::lock_guard lock(mutex_);
    const auto it = opened_.find(reinterpret_cast<uintptr_t>(handle));
    if (it == opened_.end()) return kStatusBadHandle;
    opened = it->second;
    opened_.erase(it);
  }
  return opened.member->Close(opened.handle);
}

BridgeStatus MultiBridgeLibrary::Read(BridgeHandle handle, uint8_t* buffer, uint32_t wanted,
                                      uint32_t& received) {
  received = 0;
  Opened opened;
  if (!Find(handle, opened)) return kStatusBadHandle;
  return opened.member->Read(opened.handle, buffer, wanted, received);
}

BridgeStatus MultiBridgeLibrary::Write(BridgeHandle handle, const uint8_t* buffer, uint32_t count,
                                       uint32_t& written) {
  written = 0;
  Opened opened;
  if (!Find(handle, opened)) return kStatusBadHandle;
  return opened.member->Write(opened.handle, buffer, count, written);
}

BridgeStatus MultiBridgeLibrary::FlushBuffers(BridgeHandle handle, uint8_t flushTransmit,
                                              uint8_t flushReceive) {
  Opened opened;
  if (!Find(handle, opened)) return kStatusBadHandle;
  return opened.member->FlushBuffers(opened.handle, flushTransmit, flushReceive);
}

BridgeStatus MultiBridgeLibrary::CheckReceiveQueue(BridgeHandle handle, uint32_t& waiting) {
  waiting = 0;
  Opened opened;
  if (!Find(handle, opened)) return kStatusBadHandle;
  return opened.member->CheckReceiveQueue(opened.handle, waiting);
}

BridgeStatus MultiBridgeLibrary::SetTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) {
  // Every member opens under the same time-outs, whichever device comes next.
  BridgeStatus result = kBridgeOk;
  for (const auto& m : members_) {
    const BridgeStatus status = m->SetTimeouts(readTimeoutMs, writeTimeoutMs);
    if (result == kBridgeOk) result = status;
  }
  return result;
}
