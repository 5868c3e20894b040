#include "tests/support/recording_bridge_library.h"

#include <algorithm>
#include <cstring>

RecordingBridgeLibrary& RecordingBridgeLibrary::AddDevice(const std::string& serial) {
  Device device;
  device.serial = serial;
  devices.push_back(device);
  return *this;
}

RecordingBridgeLibrary& RecordingBridgeLibrary::QueueRead(std::vector<uint8_t> bytes) {
  ReadResult result;
  result.bytes = std::move(bytes);
  reads.push_back(std::move(result));
  return *this;
}

void RecordingBridgeLibrary::Record(Op op, uint32_t first, uint32_t second, BridgeHandle handle,
                                    std::vector<uint8_t> data) {
  Call call;
  call.op = op;
  call.first = first;
  call.second = second;
  call.handle = handle;
  call.data = std::move(data);
  calls.push_back(std::move(call));
}

BridgeHandle RecordingBridgeLibrary::HandleOf(uint32_t index) {
  return reinterpret_cast<BridgeHandle>(static_cast<uintptr_t>(0x1000 + index * 0x10));
}

std::vector<RecordingBridgeLibrary::Call> RecordingBridgeLibrary::CallsOf(Op op) const {
  std::vector<Call> out;
  std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
               [op](const Call& c) { return c.op == op; });
  return out;
}

std::vector<std::vector<uint8_t>> RecordingBridgeLibrary::Writes() const {
  std::vector<std::vector<uint8_t>> out;
  for (const Call& c : calls) {
    if (c.op == Op::kWrite) out.push_back(c.data);
  }
  return out;
}

std::string RecordingBridgeLibrary::Trace() const {
  std::string out;
  for (const Call& c : calls) {
    if (!out.empty()) out += ';';
    const std::string a = std::to_string(c.first), b = std::to_string(c.second);
    switch (c.op) {
      case Op::kGetNumDevices:
        out += "count";
        break;
      case Op::kGetProductString:
        out += "serial " + a + " " + b;
        break;
      case Op::kOpen:
        out += "open " + a;
        break;
      case Op::kClose:
        out += "close";
        break;
      case Op::kRead:
        out += "read " + a;
        break;
      case Op::kWrite:
        out += "write " + a;
        break;
      case Op::kFlush:
        out += "flush " + a + " " + b;
        break;
      case Op::kSetTimeouts:
        out += "timeouts " + a + " " + b;
        break;
      case Op::kQueue:
        out += "queue";
        break;
    }
  }
  return out;
}

BridgeStatus RecordingBridgeLibrary::GetNumDevices(uint32_t& count) {
  Record(Op::kGetNumDevices);
  BridgeStatus status = kBridgeOk;
  if (!countStatuses.empty()) {
    status = countStatuses.front();
    countStatuses.pop_front();
  }
  count = status == kBridgeOk ? static_cast<uint32_t>(devices.size()) : 0;
  return status;
}

BridgeStatus RecordingBridgeLibrary::GetProductString(uint32_t index, char* buffer,
                                                      uint32_t option) {
  Record(Op::kGetProductString, index, option);
  if (index >= devices.size()) return 2;
  const Device& d = devices[index];
  if (d.serialStatus != kBridgeOk) return d.serialStatus;
  if (d.terminate) {
    std::memset(buffer, 0, kProductStringSize);
    std::memcpy(buffer, d.serial.data(), std::min<size_t>(d.serial.size(), kProductStringSize - 1));
  } else {
    // The serial over and over, with no zero byte anywhere in the buffer.
    for (uint32_t i = 0; i < kProductStringSize; ++i) buffer[i] = d.serial[i % d.serial.size()];
  }
  return kBridgeOk;
}

BridgeStatus RecordingBridgeLibrary::Open(uint32_t index, BridgeHandle& handle) {
  Record(Op::kOpen, index);
  if (index >= devices.size()) return 2;
  const Device& d = devices[index];
  // A failing open still scribbles into the out value, as careless libraries do.
  handle = d.handle != nullptr ? d.handle : HandleOf(index);
  if (d.nullHandle) handle = nullptr;
  return d.openStatus;
}

BridgeStatus RecordingBridgeLibrary::Close(BridgeHandle handle) {
  Record(Op::kClose, 0, 0, handle);
  return kBridgeOk;
}

BridgeStatus RecordingBridgeLibrary::Read(BridgeHandle handle, uint8_t* buffer, uint32_t wanted,
                                          uint32_t& received) {
  Record(Op::kRead, wanted, 0, handle);
  ReadResult result;
  if (!reads.empty()) {
    result = std::move(reads.front());
    reads.pop_front();
  }
  const size_t n = std::min<size_t>(wanted, result.bytes.size());
  std::copy_n(result.bytes.begin(), n, buffer);
  received = result.reported.value_or(static_cast<uint32_t>(n));
  return result.status;
}

BridgeStatus RecordingBridgeLibrary::Write(BridgeHandle handle, const uint8_t* buffer,
                                           uint32_t count, uint32_t& written) {
  Record(Op::kWrite, count, 0, handle, std::vector<uint8_t>(buffer, buffer + count));
  WriteResult result;
  if (!writes.empty()) {
    result = writes.front();
    writes.pop_front();
  }
  written = result.written.value_or(count);
  return result.status;
}

BridgeStatus RecordingBridgeLibrary::FlushBuffers(BridgeHandle handle, uint8_t flushTransmit,
                                                  uint8_t flushReceive) {
  Record(Op::kFlush, flushTransmit, flushReceive, handle);
  return flushStatus;
}

BridgeStatus RecordingBridgeLibrary::SetTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) {
  Record(Op::kSetTimeouts, readTimeoutMs, writeTimeoutMs);
  return timeoutStatus;
}

BridgeStatus RecordingBridgeLibrary::CheckReceiveQueue(BridgeHandle handle, uint32_t& count) {
  Record(Op::kQueue, 0, 0, handle);
  count = 0;
  if (!waiting.empty()) {
    count = waiting.front();
    waiting.pop_front();
  }
  return queueStatus;
}
