// The chip side of the memory-access protocol: six memory spaces of 64 KiB,
// fed the host's bytes and producing the device's bytes. It answers only
// once the host's preceding packet has fully arrived, so a host that
// flushes before each write never loses a byte it is waiting for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Misbehaviour a simulated chip (and the bridge in front of it) can be told
// to show. Chunk numbers count from 0 within one exchange; -1 switches a
// fault off.
struct SimFaults {
  bool refuseOpen = false;         // the bridge cannot be opened (an emulator drops connections)
  bool shortCommandReply = false;  // the command reply carries one byte, then the chip gives up
  int shortReadChunk = -1;         // this read chunk comes one byte short, then the chip gives up
  int wrongAckChunk = -1;          // this write chunk is acknowledged one too low, then it gives up
  int corruptSfrAddress = -1;      // this SFR byte reads back with its lowest bit inverted
  bool driftOffset63 = false;      // SFR byte 63 counts up by itself after every completed write
  // Stray bytes (kStrayByte) follow packet N of every exchange, in one piece
  // with what comes after it: 0 is the command reply, then each read chunk
  // or write acknowledgement in turn.
  int strayAfterPacket = -1;
  int strayBytes = 1;
};

// One exchange as the chip saw it, from its command packet to its end.
struct SimExchange {
  uint8_t code = 0;  // the command packet's first byte
  int space = -1;    // its memory space; -1 when the code is no command
  bool write = false;
  uint16_t address = 0;
  uint16_t length = 0;
  uint32_t done = 0;      // bytes acknowledged by the host (read) or stored (write)
  bool complete = false;  // all `length` bytes went across and were acknowledged
};

class SimulatedChip {
 public:
  static constexpr int kSpaceCount = 6;
  static constexpr size_t kSpaceSize = 65536;
  static constexpr size_t kMemorySize = kSpaceCount * kSpaceSize;
  static constexpr int kSfrSpace = 2;
  static constexpr uint8_t kStrayByte = 0xEE;

  SimulatedChip();

  // Bytes from the host, in any split.
  void Feed(const uint8_t* data, size_t count);
  // Bytes the chip has produced that the host has not taken yet.
  size_t Pending() const { return outbox_.size() - outHead_; }
  size_t Take(uint8_t* buffer, size_t max);
  void DropPending();
  // Forgets any exchange in progress and half-received packet.
  void Abort();

  uint8_t Peek(int space, uint16_t address) const;
  void Poke(int space, uint16_t address, uint8_t value);
  // All six spaces one after another (kMemorySize bytes).
  const std::vector<uint8_t>& Memory() const { return memory_; }
  // False (and nothing changed) unless `image` holds exactly kMemorySize bytes.
  bool LoadMemory(const std::vector<uint8_t>& image);

  const SimFaults& Faults() const { return faults_; }
  void SetFaults(const SimFaults& faults) { faults_ = faults; }

  uint64_t CompletedWrites() const { return completedWrites_; }
  // The acknowledgement a read exchange now waits for, or -1 when none.
  int32_t ExpectedReadAck() const;
  // Fired after every completed write exchange (sender first).
  std::function<void(SimulatedChip& sender)> OnWriteComplete;
  // Fired for every 5-byte command packet taken, with its command code.
  std::function<void(SimulatedChip& sender, uint8_t code)> OnCommand;
  // Fired when an exchange ends: completed, given up by the chip (a fault),
  // or abandoned by the host (a new command, an Abort).
  std::function<void(SimulatedChip& sender, const SimExchange& exchange)> OnExchangeEnd;

  // Power-on SFR contents: a plausible configuration block plus a few
  // bytes outside the parameter area.
  static std::vector<uint8_t> PowerOnSfr();

 private:
  enum class State { kCommand, kReadAck, kWriteData };

  void Accept(uint8_t byte);
  void StartExchange();
  void SendReadChunk();
  void AcceptAck();
  void AcceptChunk();
  void CompleteWrite();
  void Emit(const uint8_t* data, size_t count);
  void Emit16(uint32_t value);
  // One packet of the exchange has gone out; stray bytes may follow it.
  void EndPacket();
  void EndExchange(bool complete);
  uint8_t& At(int space, uint32_t address);
  uint16_t ChunkLength() const;

  std::vector<uint8_t> memory_;
  std::vector<uint8_t> inbox_;
  std::vector<uint8_t> outbox_;
  size_t outHead_ = 0;
  SimFaults faults_;
  State state_ = State::kCommand;
  int space_ = 0;
  uint16_t address_ = 0;
  uint16_t length_ = 0;
  uint32_t done_ = 0;
  int chunkIndex_ = 0;
  int packetIndex_ = 0;
  uint64_t completedWrites_ = 0;
  SimExchange exchange_;  // the one in progress or the last one
};
