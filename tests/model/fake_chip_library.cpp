#include "tests/model/fake_chip_library.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
constexpr uint32_t kChunk = 32;
constexpr BridgeStatus kFail = 4;
}  // namespace

void FakeChipLibrary::Event(const std::string& text) {
  if (onEvent) onEvent(text);
}

BridgeStatus FakeChipLibrary::GetNumDevices(uint32_t& count) {
  if (dead) return kFail;
  count = static_cast<uint32_t>(serials.size());
  return kBridgeOk;
}

BridgeStatus FakeChipLibrary::GetProductString(uint32_t index, char* buffer, uint32_t) {
  if (dead || index >= serials.size()) return kFail;
  std::snprintf(buffer, kProductStringSize, "%s", serials[index].c_str());
  return kBridgeOk;
}

BridgeStatus FakeChipLibrary::Open(uint32_t index, BridgeHandle& handle) {
  if (dead || openFails || index >= serials.size()) return kFail;
  ++opens;
  Event("open");
  handle = this;
  phase_ = phIdle;
  toHost_.clear();
  return kBridgeOk;
}

BridgeStatus FakeChipLibrary::Close(BridgeHandle) {
  ++closes;
  Event("close");
  return kBridgeOk;
}

BridgeStatus FakeChipLibrary::Read(BridgeHandle, uint8_t* buffer, uint32_t wanted,
                                   uint32_t& received) {
  received = 0;
  if (dead) return kFail;
  while (received < wanted && !toHost_.empty()) {
    buffer[received++] = toHost_.front();
    toHost_.pop_front();
  }
  return kBridgeOk;  // a short count is a time-out
}

BridgeStatus FakeChipLibrary::Write(BridgeHandle, const uint8_t* buffer, uint32_t count,
                                    uint32_t& written) {
  written = 0;
  if (dead) return kFail;
  written = count;
  if (phase_ == phWriting) {
    WriteChunk(buffer, count);
  } else if (count == 5) {
    Command(buffer);  // a new command also ends a read left unfinished
  } else if (phase_ == phReading && count == 2) {
    if (done_ >= length_) {
      phase_ = phIdle;
    } else {
      QueueReadChunk();
    }
  }
  return kBridgeOk;
}

void FakeChipLibrary::QueueCount(uint32_t count) {
  toHost_.push_back(static_cast<uint8_t>(count >> 8));
  toHost_.push_back(static_cast<uint8_t>(count & 0xFF));
}

void FakeChipLibrary::Command(const uint8_t* p) {
  ++commands;
  char name[16];
  std::snprintf(name, sizeof name, "cmd %02X", p[0]);
  Event(name);
  address_ = p[1] * 256u + p[2];
  length_ = p[3] * 256u + p[4];
  done_ = 0;
  chunkIndex_ = 0;
  QueueCount(replyCount >= 0 ? static_cast<uint32_t>(replyCount) : length_);
  toHost_.insert(toHost_.end(), static_cast<size_t>(strayAfterReply), 0xEE);
  if (replyCount >= 0 && static_cast<uint32_t>(replyCount) != length_) return;
  if (p[0] == 0xCD) {
    phase_ = phReading;
    QueueReadChunk();
  } else if (p[0] == 0xCB) {
    phase_ = phWriting;
    block_.clear();
  }
}

void FakeChipLibrary::QueueReadChunk() {
  uint32_t n = std::min(kChunk, length_ - done_);
  if (chunkIndex_++ != missingReadChunk) {
    for (uint32_t i = 0; i < n; ++i) toHost_.push_back(sfr[(address_ + done_ + i) % sfr.size()]);
  }
  done_ += n;
}

void FakeChipLibrary::WriteChunk(const uint8_t* data, uint32_t count) {
  block_.insert(block_.end(), data, data + count);
  for (uint32_t i = 0; i < count; ++i) sfr[(address_ + done_ + i) % sfr.size()] = data[i];
  done_ += count;
  QueueCount(done_);
  if (done_ >= length_) {
    phase_ = phIdle;
    writtenBlocks.push_back(block_);
    Event("write-done");
    if (afterWrite) afterWrite(sfr);
  }
}

BridgeStatus FakeChipLibrary::FlushBuffers(BridgeHandle, uint8_t, uint8_t) {
  if (dead) return kFail;
  toHost_.clear();
  return kBridgeOk;
}

BridgeStatus FakeChipLibrary::CheckReceiveQueue(BridgeHandle, uint32_t& waiting) {
  waiting = 0;
  if (dead) return kFail;
  waiting = static_cast<uint32_t>(toHost_.size());
  return kBridgeOk;
}

BridgeStatus FakeChipLibrary::SetTimeouts(uint32_t, uint32_t) {
  return dead ? kFail : kBridgeOk;
}
