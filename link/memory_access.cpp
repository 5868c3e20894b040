#include "link/memory_access.h"

#include <utility>

namespace {

struct SpaceCodes {
  uint8_t read;
  uint8_t write;
  const char* name;
};

// SFR breaks the pattern of the others on purpose: its codes are CD/CB.
constexpr SpaceCodes kSpaces[] = {
    {0x99, 0x89, "DATA"}, {0x9A, 0x8A, "XDATA"}, {0xCD, 0xCB, "SFR"},
    {0x9C, 0x8C, "CODE"}, {0x98, 0x88, "BP"},    {0x9B, 0x8B, "PIPE"},
};

bool IsValidSpace(int8_t space) {
  return space >= DATA && space <= PIPE;
}

// Lengths that the result values could not tell apart from a failure.
bool IsAmbiguousLength(uint16_t length) {
  return length == kCommandFailed || length == kDataFailed;
}

uint16_t ChunkAt(uint32_t done, uint16_t length) {
  const uint32_t left = length - done;
  return static_cast<uint16_t>(left < kChunkSize ? left : kChunkSize);
}

constexpr const char* kReadPrefix = "读数据:";
constexpr const char* kWritePrefix = "写数据:";
constexpr const char* kFailed = "...出错!";
constexpr const char* kCommandNotAnswered = "命令无响应";
constexpr const char* kCommandReplyTimeout = "ERROR:命令响应超时";
constexpr const char* kDataWriteTimeout = "ERROR:数据写入超时";
constexpr const char* kWriteAckTimeout = "ERROR:数据响应超时，没有完成下载";
constexpr const char* kWriteAckWrong = "ERROR:数据响应错误，没有完成下载";
constexpr const char* kWriteDone = "写数据成功";
constexpr const char* kDataReadTimeout = "ERROR:数据读入超时";
constexpr const char* kReadAckFailed = "ERROR:数据响应超时，没有完成读出";
constexpr const char* kReadDone = "读数据成功";
constexpr const char* kMisframed = "ERROR:数据响应多余，帧错位";

}  // namespace

// Out of range spaces give code 0 and an empty name rather than reading past the table.
uint8_t ReadCommandCode(MemorySpace space) {
  return IsValidSpace(space) ? kSpaces[space].read : 0;
}
uint8_t WriteCommandCode(MemorySpace space) {
  return IsValidSpace(space) ? kSpaces[space].write : 0;
}
const char* MemorySpaceName(MemorySpace space) {
  return IsValidSpace(space) ? kSpaces[space].name : "";
}

MemoryAccess::MemoryAccess(UsbLink& link, DiagnosticSink sink)
    : link_(link), sink_(std::move(sink)) {}

void MemoryAccess::SetSink(DiagnosticSink sink) {
  sink_ = std::move(sink);
}

void MemoryAccess::Say(const std::string& text) {
  if (sink_) sink_(text);
}

uint16_t MemoryAccess::Fail(TransferResult result, const char* text, uint16_t value) {
  last_ = result;
  Say(text);
  return value;
}

bool MemoryAccess::Start(int8_t space, uint16_t length, const char* prefix) {
  if (!IsValidSpace(space) || IsAmbiguousLength(length)) {
    last_ = trRefused;
    return false;
  }
  last_ = trOk;
  Say(std::string(prefix) + MemorySpaceName(static_cast<MemorySpace>(space)));
  return true;
}

bool MemoryAccess::Answered(uint16_t reply, uint16_t length) {
  if (reply == length) return true;
  if (last_ == trOk) last_ = trReplyCountWrong;  // the reply came, with another count
  return false;
}

bool MemoryAccess::Finish(bool ok) {
  if (!ok) Say(kFailed);
  return ok;
}

bool MemoryAccess::StrayBytesWaiting() {
  return link_.Waiting() > 0;
}

bool MemoryAccess::ReadMemory(int8_t space, uint16_t address, uint16_t length, uint8_t* buffer) {
  if (!Start(space, length, kReadPrefix)) return false;
  const uint8_t code = ReadCommandCode(static_cast<MemorySpace>(space));
  return Finish(Answered(SendCommand(code, address, length), length) &&
                ReceiveData(buffer, length) == length);
}

bool MemoryAccess::WriteMemory(int8_t space, uint16_t address, uint16_t length,
                               const uint8_t* buffer) {
  if (!Start(space, length, kWritePrefix)) return false;
  const uint8_t code = WriteCommandCode(static_cast<MemorySpace>(space));
  return Finish(Answered(SendCommand(code, address, length), length) &&
                SendData(buffer, length) == length);
}

uint16_t MemoryAccess::SendCommand(uint8_t code, uint16_t address, uint16_t length) {
  const uint8_t packet[5] = {
      code, static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address & 0xFF),
      static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length & 0xFF)};
  if (!link_.Write(packet, sizeof packet)) {
    return Fail(trCommandNotSent, kCommandNotAnswered, kCommandFailed);
  }
  uint8_t reply[2] = {};
  if (link_.Read(reply, sizeof reply) < sizeof reply) {
    return Fail(trReplyMissing, kCommandReplyTimeout, kCommandFailed);
  }
  return static_cast<uint16_t>(reply[0] * 256 + reply[1]);
}

// Each write of the host drops what it has not read; bytes still waiting
// when the host is about to acknowledge a chunk would be dropped unseen, and
// the chunk they came with is not the one the device meant.
uint16_t MemoryAccess::ReceiveData(uint8_t* buffer, uint16_t length) {
  // A read of nothing has no chunk to look behind: the reply must have been
  // all the device said, or it was not the reply.
  if (length == 0 && StrayBytesWaiting()) return Fail(trMisframed, kMisframed, kDataFailed);
  uint32_t done = 0;
  while (done < length) {
    const uint16_t chunk = ChunkAt(done, length);
    if (link_.Read(buffer + done, chunk) != chunk) {
      return Fail(trChunkShort, kDataReadTimeout, kDataFailed);
    }
    done += chunk;
    if (StrayBytesWaiting()) return Fail(trMisframed, kMisframed, kDataFailed);
    const uint8_t ack[2] = {static_cast<uint8_t>(done >> 8), static_cast<uint8_t>(done & 0xFF)};
    if (!link_.Write(ack, sizeof ack)) return Fail(trAckNotSent, kReadAckFailed, kDataFailed);
  }
  Say(kReadDone);
  return static_cast<uint16_t>(done);
}

// Every answer of the device (the command reply, each acknowledgement, the
// last one too) must be exactly the two bytes asked for: a device that says
// more is not speaking this protocol, and no more data goes to it.
uint16_t MemoryAccess::SendData(const uint8_t* buffer, uint16_t length) {
  uint32_t done = 0;
  while (done < length) {
    const uint16_t chunk = ChunkAt(done, length);
    if (StrayBytesWaiting()) return Fail(trMisframed, kMisframed, kDataFailed);
    if (!link_.Write(buffer + done, chunk)) {
      // Below `length`: the caller sees the failure.
      return Fail(trChunkNotSent, kDataWriteTimeout, static_cast<uint16_t>(done));
    }
    done += chunk;
    uint8_t ack[2] = {};
    if (link_.Read(ack, sizeof ack) < sizeof ack) {
      return Fail(trAckMissing, kWriteAckTimeout, kDataFailed);
    }
    if (static_cast<uint32_t>(ack[0] * 256 + ack[1]) != done) {
      return Fail(trAckWrong, kWriteAckWrong, kDataFailed);
    }
  }
  if (StrayBytesWaiting()) return Fail(trMisframed, kMisframed, kDataFailed);
  Say(kWriteDone);
  return static_cast<uint16_t>(done);
}
