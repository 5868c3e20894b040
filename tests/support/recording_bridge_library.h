// A fake bridge library for tests: records every call with its arguments
// and answers from a script. Unscripted reads give status 0 and no bytes;
// unscripted writes succeed in full; an unscripted receive queue is empty.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "link/bridge_library.h"

class RecordingBridgeLibrary : public BridgeLibrary {
 public:
  enum class Op {
    kGetNumDevices,
    kGetProductString,
    kOpen,
    kClose,
    kRead,
    kWrite,
    kFlush,
    kSetTimeouts,
    kQueue
  };

  struct Call {
    Op op = Op::kGetNumDevices;
    uint32_t first = 0;   // index / wanted / count / read time-out / flush transmit
    uint32_t second = 0;  // option / write time-out / flush receive
    BridgeHandle handle = nullptr;
    std::vector<uint8_t> data;  // the bytes of a write
  };

  struct Device {
    std::string serial;  // copied into the buffer for option 0
    BridgeStatus serialStatus = kBridgeOk;
    BridgeStatus openStatus = kBridgeOk;
    BridgeHandle handle = nullptr;  // null: a distinct non-null handle per device
    bool nullHandle = false;        // the open reports success but gives a null handle
    bool terminate = true;          // false: fill the buffer without a zero byte
  };

  struct ReadResult {
    BridgeStatus status = kBridgeOk;
    std::vector<uint8_t> bytes;        // copied into the buffer (at most `wanted`)
    std::optional<uint32_t> reported;  // received count reported; default bytes copied
  };

  struct WriteResult {
    BridgeStatus status = kBridgeOk;
    std::optional<uint32_t> written;  // default: the full count
  };

  // --- script ---
  std::vector<Device> devices;
  std::deque<BridgeStatus> countStatuses;  // next GetNumDevices results; then kBridgeOk
  std::deque<ReadResult> reads;
  std::deque<WriteResult> writes;
  std::deque<uint32_t> waiting;  // next receive-queue counts; then 0
  BridgeStatus flushStatus = kBridgeOk;
  BridgeStatus queueStatus = kBridgeOk;
  BridgeStatus timeoutStatus = kBridgeOk;

  // A device whose serial is `serial`.
  RecordingBridgeLibrary& AddDevice(const std::string& serial);
  // Queue a successful read that delivers `bytes`.
  RecordingBridgeLibrary& QueueRead(std::vector<uint8_t> bytes);

  // --- record ---
  std::vector<Call> calls;
  std::vector<Call> CallsOf(Op op) const;
  // Compact text of the calls, e.g. "count;serial 0 0;timeouts 1800 500;open 0".
  std::string Trace() const;
  // The bytes of every write, one vector per write.
  std::vector<std::vector<uint8_t>> Writes() const;
  void ClearCalls() { calls.clear(); }

  static BridgeHandle HandleOf(uint32_t index);

 private:
  void Record(Op op, uint32_t first = 0, uint32_t second = 0, BridgeHandle handle = nullptr,
              std::vector<uint8_t> data = {});

 public:
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
};
