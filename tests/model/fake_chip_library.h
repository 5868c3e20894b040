// A bridge library that plays one simulated chip speaking the memory-access
// protocol, with knobs for the faults the controller must survive.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "link/bridge_library.h"

class FakeChipLibrary : public BridgeLibrary {
 public:
  // Serial strings of the attached bridges; empty means none attached.
  std::vector<std::string> serials{"tx_v1.0"};
  bool openFails = false;
  // Every library call fails with a non-zero status (a bridge pulled out).
  bool dead = false;
  // When >= 0, the command reply carries this count instead of the length.
  int replyCount = -1;
  // When >= 0, read commands deliver this data chunk (0-based) as nothing.
  int missingReadChunk = -1;
  // Stray bytes (0xEE) that follow every command reply, in one piece with
  // what comes next.
  int strayAfterReply = 0;
  // Called once a write command's data phase has completed.
  std::function<void(std::vector<uint8_t>& sfr)> afterWrite;
  // Called for every event: "open", "close", "cmd XX", "write-done".
  std::function<void(const std::string&)> onEvent;

  std::vector<uint8_t> sfr = std::vector<uint8_t>(256, 0);
  std::vector<std::vector<uint8_t>> writtenBlocks;  // one per completed write command
  int opens = 0;
  int closes = 0;
  int commands = 0;

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

 private:
  enum Phase { phIdle, phReading, phWriting };
  void Event(const std::string& text);
  void Command(const uint8_t* packet);
  void QueueReadChunk();
  void QueueCount(uint32_t count);
  void WriteChunk(const uint8_t* data, uint32_t count);

  std::deque<uint8_t> toHost_;
  Phase phase_ = phIdle;
  uint32_t address_ = 0;
  uint32_t length_ = 0;
  uint32_t done_ = 0;
  int chunkIndex_ = 0;
  std::vector<uint8_t> block_;
};
