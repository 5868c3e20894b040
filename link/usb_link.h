// UsbLink: the single bridge handle and the raw byte pipe over it.
//
// Threads: one UsbLink is used by one thread at a time. Links on different
// threads may share a bridge library (each opens a bridge of its own); the
// library's header says what it allows.
#pragma once

#include <cstdint>

#include "link/bridge_library.h"

class UsbLink {
 public:
  static constexpr const char* kSerialString = "tx_v1.0";
  static constexpr uint32_t kReadTimeoutMs = 1800;
  static constexpr uint32_t kWriteTimeoutMs = 500;

  explicit UsbLink(BridgeLibrary& library) : library_(library) {}
  UsbLink(const UsbLink&) = delete;
  UsbLink& operator=(const UsbLink&) = delete;

  // True when a bridge is open on return.
  bool Open();
  // Closes the bridge if one is open; the handle becomes null.
  void Close();
  // Reads up to `count` bytes; the number received, 0 on failure or when closed.
  uint32_t Read(uint8_t* buffer, uint32_t count);
  // Flushes both queues, then writes; true only when all `count` bytes went.
  bool Write(const uint8_t* buffer, uint32_t count);
  // Bytes received and not read yet, found without waiting; 0 when closed
  // or when the library cannot tell.
  uint32_t Waiting();

  bool IsOpen() const { return handle_ != nullptr; }
  BridgeHandle Handle() const { return handle_; }

 private:
  BridgeLibrary& library_;
  BridgeHandle handle_ = nullptr;
};
