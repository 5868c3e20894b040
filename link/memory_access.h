// The chip's memory-access protocol over UsbLink: 5-byte command, 2-byte
// reply, 32-byte chunks each confirmed by a 2-byte running count.
// Threads: a MemoryAccess, like its link, is used by one thread at a time;
// it keeps nothing that another MemoryAccess sees.
#pragma once

#include <cstdint>
#include <string>

#include "link/diagnostic_sink.h"
#include "link/transfer_result.h"
#include "link/usb_link.h"

enum MemorySpace : int8_t { DATA = 0, XDATA = 1, SFR = 2, CODE = 3, BP = 4, PIPE = 5 };

inline constexpr uint16_t kCommandFailed = 0xFFF0;  // SendCommand sentinel
inline constexpr uint16_t kDataFailed = 0xFFFF;     // SendData/ReceiveData sentinel
inline constexpr uint16_t kChunkSize = 32;

class MemoryAccess {
 public:
  MemoryAccess(UsbLink& link, DiagnosticSink sink);

  // `space` arrives as a signed byte; values outside 0..5 are refused.
  bool ReadMemory(int8_t space, uint16_t address, uint16_t length, uint8_t* buffer);
  bool WriteMemory(int8_t space, uint16_t address, uint16_t length, const uint8_t* buffer);

  uint16_t SendCommand(uint8_t code, uint16_t address, uint16_t length);
  uint16_t SendData(const uint8_t* buffer, uint16_t length);
  uint16_t ReceiveData(uint8_t* buffer, uint16_t length);

  void SetSink(DiagnosticSink sink);

  // How the last ReadMemory or WriteMemory ended: the step that failed, or trOk.
  TransferResult LastResult() const { return last_; }

 private:
  void Say(const std::string& text);
  // Records `result`, says `text` and gives back `value`.
  uint16_t Fail(TransferResult result, const char* text, uint16_t value);
  // Checks the request and announces it; false (trRefused) when refused.
  bool Start(int8_t space, uint16_t length, const char* prefix);
  bool Answered(uint16_t reply, uint16_t length);
  // Says "...出错!" when the exchange failed.
  bool Finish(bool ok);
  // Bytes beyond what the exchange has read so far are waiting.
  bool StrayBytesWaiting();

  UsbLink& link_;
  DiagnosticSink sink_;
  TransferResult last_ = trOk;
};

// Command codes and the name used in diagnostic texts; only valid for 0..5.
uint8_t ReadCommandCode(MemorySpace space);
uint8_t WriteCommandCode(MemorySpace space);
const char* MemorySpaceName(MemorySpace space);
