#include "link/usb_link.h"

#include <cstring>

namespace {

// The whole zero-terminated string must equal the serial we look for: same
// bytes, same case, same length.
bool IsOurSerial(const char* buffer) {
  return std::strncmp(buffer, UsbLink::kSerialString, kProductStringSize) == 0;
}

}  // namespace

bool UsbLink::Open() {
  uint32_t count = 0;
  if (library_.GetNumDevices(count) != kBridgeOk) {
    Close();
    return false;
  }
  if (handle_ != nullptr) return true;
  for (uint32_t i = 0; i < count; ++i) {
    char serial[kProductStringSize] = {};
    if (library_.GetProductString(i, serial, kProductSerialNumber) != kBridgeOk) continue;
    serial[kProductStringSize - 1] = '\0';  // never trust the terminator to be there
    if (!IsOurSerial(serial)) continue;
    library_.SetTimeouts(kReadTimeoutMs, kWriteTimeoutMs);
    // Open into a local: a failing open may leave anything in its out value,
    // and that must never become the handle that Close later passes back.
    BridgeHandle opened = nullptr;
    if (library_.Open(i, opened) != kBridgeOk) continue;
    handle_ = opened;
    return handle_ != nullptr;
  }
  Close();
  return false;
}

void UsbLink::Close() {
  if (handle_ == nullptr) return;
  library_.Close(handle_);
  handle_ = nullptr;
}

uint32_t UsbLink::Read(uint8_t* buffer, uint32_t count) {
  if (handle_ == nullptr) return 0;
  uint32_t received = 0;
  if (library_.Read(handle_, buffer, count, received) != kBridgeOk) return 0;
  // A library that claims more than was asked for cannot have put it in the
  // buffer; report no more than the buffer holds.
  return received > count ? count : received;
}

bool UsbLink::Write(const uint8_t* buffer, uint32_t count) {
  if (handle_ == nullptr) return false;
  // Whatever the bridge still holds from earlier exchanges is dropped here,
  // whether or not the flush reports success.
  library_.FlushBuffers(handle_, 0xFF, 0xFF);
  uint32_t written = 0;
  if (library_.Write(handle_, buffer, count, written) != kBridgeOk) return false;
  return written == count;
}

uint32_t UsbLink::Waiting() {
  if (handle_ == nullptr) return 0;
  uint32_t waiting = 0;
  if (library_.CheckReceiveQueue(handle_, waiting) != kBridgeOk) return 0;
  return waiting;
}
