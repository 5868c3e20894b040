#include "link/simulated_chip.h"

#include <algorithm>

namespace {

constexpr uint16_t kChunk = 32;

struct CommandCode {
  uint8_t code;
  int space;
  bool write;
};

constexpr CommandCode kCodes[] = {
    {0x99, 0, false}, {0x9A, 1, false}, {0xCD, 2, false}, {0x9C, 3, false},
    {0x98, 4, false}, {0x9B, 5, false}, {0x89, 0, true},  {0x8A, 1, true},
    {0xCB, 2, true},  {0x8C, 3, true},  {0x88, 4, true},  {0x8B, 5, true},
};

const CommandCode* FindCode(uint8_t code) {
  for (const auto& c : kCodes) {
    if (c.code == code) return &c;
  }
  return nullptr;
}

}  // namespace

std::vector<uint8_t> SimulatedChip::PowerOnSfr() {
  std::vector<uint8_t> sfr(kSpaceSize, 0);
  const std::pair<int, uint8_t> block[] = {
      {12, 7},
      {13, 1},
      {14, 2},
      {15, 248},
      {17, 8},
      {18, 244},
      {19, 244},
      {20, 41},
      {21, 128},
      {22, 64},
      {23, 50},
      {24, 100},
      {25, 100},
      {26, 31},
      {28, 148},
      {29, 17},
      {30, 4},
      {31, 41},
      // Bytes outside the parameter area, so that keeping them is visible.
      {0, 0x5A},
      {1, 0x17},
      {2, 0x44},
      {3, 0x01},
      {40, 0xA5},
      {63, 0xC3},
  };
  for (const auto& [offset, value] : block) sfr[offset] = value;
  return sfr;
}

SimulatedChip::SimulatedChip() : memory_(kMemorySize, 0) {
  const auto sfr = PowerOnSfr();
  std::copy(sfr.begin(), sfr.end(), memory_.begin() + kSfrSpace * kSpaceSize);
}

void SimulatedChip::Feed(const uint8_t* data, size_t count) {
  for (size_t i = 0; i < count; ++i) Accept(data[i]);
}

size_t SimulatedChip::Take(uint8_t* buffer, size_t max) {
  const size_t n = std::min(max, Pending());
  std::copy_n(outbox_.begin() + outHead_, n, buffer);
  outHead_ += n;
  if (outHead_ == outbox_.size()) DropPending();
  return n;
}

void SimulatedChip::DropPending() {
  outbox_.clear();
  outHead_ = 0;
}

void SimulatedChip::Abort() {
  inbox_.clear();
  if (state_ == State::kCommand) return;
  state_ = State::kCommand;
  EndExchange(false);
}

void SimulatedChip::EndExchange(bool complete) {
  exchange_.done = done_;
  exchange_.complete = complete;
  if (OnExchangeEnd) OnExchangeEnd(*this, exchange_);
}

uint8_t SimulatedChip::Peek(int space, uint16_t address) const {
  return memory_[static_cast<size_t>(space) * kSpaceSize + address];
}

void SimulatedChip::Poke(int space, uint16_t address, uint8_t value) {
  At(space, address) = value;
}

bool SimulatedChip::LoadMemory(const std::vector<uint8_t>& image) {
  if (image.size() != kMemorySize) return false;
  memory_ = image;
  return true;
}

uint8_t& SimulatedChip::At(int space, uint32_t address) {
  // Addresses wrap within their 64 KiB space like the chip's 16-bit pointer.
  return memory_[static_cast<size_t>(space) * kSpaceSize + (address & 0xFFFF)];
}

uint16_t SimulatedChip::ChunkLength() const {
  const uint32_t left = length_ - done_;
  return static_cast<uint16_t>(std::min<uint32_t>(left, kChunk));
}

void SimulatedChip::Emit(const uint8_t* data, size_t count) {
  outbox_.insert(outbox_.end(), data, data + count);
}

void SimulatedChip::Emit16(uint32_t value) {
  const uint8_t bytes[2] = {static_cast<uint8_t>((value >> 8) & 0xFF),
                            static_cast<uint8_t>(value & 0xFF)};
  Emit(bytes, 2);
}

void SimulatedChip::EndPacket() {
  if (packetIndex_++ != faults_.strayAfterPacket) return;
  outbox_.insert(outbox_.end(), static_cast<size_t>(std::max(faults_.strayBytes, 0)), kStrayByte);
}

void SimulatedChip::Accept(uint8_t byte) {
  inbox_.push_back(byte);
  switch (state_) {
    case State::kCommand:
      if (inbox_.size() == 5) StartExchange();
      break;
    case State::kReadAck:
      if (inbox_.size() == 2) AcceptAck();
      break;
    case State::kWriteData:
      if (inbox_.size() == ChunkLength()) AcceptChunk();
      break;
  }
}

void SimulatedChip::StartExchange() {
  const CommandCode* code = FindCode(inbox_[0]);
  address_ = static_cast<uint16_t>(inbox_[1] << 8 | inbox_[2]);
  length_ = static_cast<uint16_t>(inbox_[3] << 8 | inbox_[4]);
  const uint8_t received = inbox_[0];
  inbox_.clear();
  done_ = 0;
  exchange_ = {received, code ? code->space : -1, code && code->write, address_, length_};
  if (OnCommand) OnCommand(*this, received);
  if (code == nullptr) {  // not a command: stay silent
    EndExchange(false);
    return;
  }
  if (faults_.shortCommandReply) {
    const uint8_t high = static_cast<uint8_t>(length_ >> 8);
    Emit(&high, 1);
    EndExchange(false);
    return;
  }
  packetIndex_ = 0;
  Emit16(length_);
  EndPacket();
  space_ = code->space;
  chunkIndex_ = 0;
  if (length_ == 0) {
    if (code->write) CompleteWrite();
    EndExchange(true);
    return;
  }
  if (code->write) {
    state_ = State::kWriteData;
  } else {
    SendReadChunk();
  }
}

void SimulatedChip::SendReadChunk() {
  uint16_t n = ChunkLength();
  for (uint16_t i = 0; i < n; ++i) {
    const uint32_t address = (address_ + done_ + i) & 0xFFFF;
    uint8_t value = At(space_, address);
    if (space_ == kSfrSpace && static_cast<int>(address) == faults_.corruptSfrAddress) value ^= 1;
    outbox_.push_back(value);
  }
  if (chunkIndex_ == faults_.shortReadChunk) {
    outbox_.pop_back();
    state_ = State::kCommand;
    EndExchange(false);
    return;
  }
  EndPacket();
  state_ = State::kReadAck;
}

int32_t SimulatedChip::ExpectedReadAck() const {
  return state_ == State::kReadAck ? static_cast<int32_t>(done_ + ChunkLength()) : -1;
}

void SimulatedChip::AcceptAck() {
  const uint32_t expected = done_ + ChunkLength();
  const uint32_t got = static_cast<uint32_t>(inbox_[0] << 8 | inbox_[1]);
  if (got != expected) {
    // The host gave up on this read and is sending something new: take the
    // two bytes as the start of its next command.
    std::vector<uint8_t> start = inbox_;
    Abort();
    Feed(start.data(), start.size());
    return;
  }
  inbox_.clear();
  done_ = expected;
  ++chunkIndex_;
  if (done_ == length_) {
    state_ = State::kCommand;
    EndExchange(true);
  } else {
    SendReadChunk();
  }
}

void SimulatedChip::AcceptChunk() {
  for (size_t i = 0; i < inbox_.size(); ++i) At(space_, address_ + done_ + i) = inbox_[i];
  done_ += static_cast<uint32_t>(inbox_.size());
  inbox_.clear();
  if (chunkIndex_ == faults_.wrongAckChunk) {
    Emit16(done_ - 1);
    state_ = State::kCommand;
    EndExchange(false);
    return;
  }
  Emit16(done_);
  EndPacket();
  ++chunkIndex_;
  if (done_ == length_) {
    state_ = State::kCommand;
    CompleteWrite();
    EndExchange(true);
  }
}

void SimulatedChip::CompleteWrite() {
  if (faults_.driftOffset63) ++At(kSfrSpace, 63);
  ++completedWrites_;
  if (OnWriteComplete) OnWriteComplete(*this);
}
