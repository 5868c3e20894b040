// A bridge library that passes every call on to another: the base of the
// wrappers that change a few calls and leave the rest alone.
#pragma once

#include <cstdint>
#include <string>

#include "link/bridge_library.h"

// Passes every call on to another library, which must outlive it.
class ForwardingBridgeLibrary : public BridgeLibrary {
 public:
  explicit ForwardingBridgeLibrary(BridgeLibrary& library) : library_(library) {}

  BridgeStatus GetNumDevices(uint32_t& count) override { return library_.GetNumDevices(count); }
  BridgeStatus GetProductString(uint32_t index, char* buffer, uint32_t option) override {
    return library_.GetProductString(index, buffer, option);
  }
  BridgeStatus Open(uint32_t index, BridgeHandle& handle) override {
    return library_.Open(index, handle);
  }
  BridgeStatus Close(BridgeHandle handle) override { return library_.Close(handle); }
  BridgeStatus Read(BridgeHandle handle, uint8_t* buffer, uint32_t wanted,
                    uint32_t& received) override {
    return library_.Read(handle, buffer, wanted, received);
  }
  BridgeStatus Write(BridgeHandle handle, const uint8_t* buffer, uint32_t count,
                     uint32_t& written) override {
    return library_.Write(handle, buffer, count, written);
  }
  BridgeStatus FlushBuffers(BridgeHandle handle, uint8_t flushTransmit,
                            uint8_t flushReceive) override {
    return library_.FlushBuffers(handle, flushTransmit, flushReceive);
  }
  BridgeStatus SetTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) override {
    return library_.SetTimeouts(readTimeoutMs, writeTimeoutMs);
  }
  BridgeStatus CheckReceiveQueue(BridgeHandle handle, uint32_t& waiting) override {
    return library_.CheckReceiveQueue(handle, waiting);
  }
  std::string Location(uint32_t index) override { return library_.Location(index); }

 protected:
  BridgeLibrary& library_;
};
