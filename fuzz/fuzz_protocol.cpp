// The host side of the memory-access protocol against a device whose every
// answer comes from the fuzzer: reply counts, chunk sizes, acknowledgements,
// stray bytes anywhere in an answer, short and over-long reads, failing
// calls. The host must never touch a byte outside the caller's buffer, must
// only report success for an exchange that went by the rules, and a read
// that returns true must hold exactly the bytes the device meant as data.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "link/memory_access.h"
#include "link/usb_link.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

constexpr BridgeStatus kFail = 9;

// A bridge with one device. The device answers each packet the host gets
// through in the protocol's shape (the command reply and the first chunk,
// the next chunk, an acknowledgement); the input decides how each answer
// goes wrong, and how the library hands the bytes over. Rare events come
// with the highest value of their range, so that an input that has run out
// (which yields the lowest) plays a device that behaves.
class FuzzedBridge : public BridgeLibrary {
 public:
  FuzzedBridge(FuzzedDataProvider& in, bool reading) : in_(in), reading_(reading) {}

  std::vector<uint8_t> meant;                 // the data bytes the device sent as data
  std::vector<std::vector<uint8_t>> written;  // bytes of every write
  bool replyRight = false;                    // the command reply carried the length
  bool acksRight = true;                      // every write acknowledgement carried the count
  bool strayed = false;                       // the device sent bytes beyond an answer
  bool strayRead = false;                     // the host took a stray byte for part of an answer
  bool shortened = false;                     // an answer of the device went short
  bool dead = false;                          // a failed queue check: every later call fails

  BridgeStatus GetNumDevices(uint32_t& count) override {
    count = 1;
    return kBridgeOk;
  }
  BridgeStatus GetProductString(uint32_t, char* buffer, uint32_t) override {
    std::strcpy(buffer, UsbLink::kSerialString);
    return kBridgeOk;
  }
  BridgeStatus Open(uint32_t, BridgeHandle& handle) override {
    handle = this;
    return kBridgeOk;
  }
  BridgeStatus Close(BridgeHandle) override { return kBridgeOk; }

  BridgeStatus Read(BridgeHandle, uint8_t* buffer, uint32_t wanted, uint32_t& received) override {
    received = 0;
    if (dead) return kFail;
    const uint8_t mode = in_.ConsumeIntegral<uint8_t>();
    // Usually what is there, up to `wanted`; sometimes fewer (the library
    // gave up early, the rest stays queued), a count above what was asked
    // (a library that over-reports), or a failing status.
    uint32_t n = std::min<uint32_t>(wanted, static_cast<uint32_t>(rx_.size()));
    if ((mode & 0x0F) == 1) n = in_.ConsumeIntegralInRange<uint32_t>(0, n);
    std::copy_n(rx_.begin(), n, buffer);
    rx_.erase(rx_.begin(), rx_.begin() + n);
    strayRead =
        strayRead || std::find(stray_.begin(), stray_.begin() + n, true) != stray_.begin() + n;
    stray_.erase(stray_.begin(), stray_.begin() + n);
    received = n;
    if ((mode & 0x0F) == 2 && n == wanted) received = wanted + 1 + (mode >> 4);
    return (mode & 0x0F) == 3 ? kFail : kBridgeOk;
  }

  BridgeStatus Write(BridgeHandle, const uint8_t* buffer, uint32_t count,
                     uint32_t& written_count) override {
    written_count = 0;
    if (dead) return kFail;
    written.emplace_back(buffer, buffer + count);
    const uint8_t mode = in_.ConsumeIntegral<uint8_t>();
    written_count = (mode & 0x0F) == 1 ? count / 2 : count;
    if ((mode & 0x0F) == 2) return kFail;
    if (written_count == count) Answer(buffer, count);
    return kBridgeOk;
  }

  BridgeStatus FlushBuffers(BridgeHandle, uint8_t, uint8_t flushReceive) override {
    if (dead) return kFail;
    if (flushReceive != 0) {
      rx_.clear();
      stray_.clear();
    }
    return kBridgeOk;
  }
  BridgeStatus SetTimeouts(uint32_t, uint32_t) override { return kBridgeOk; }

  BridgeStatus CheckReceiveQueue(BridgeHandle, uint32_t& waiting) override {
    waiting = 0;
    if (dead || in_.ConsumeIntegralInRange<int>(0, 31) == 31) {
      dead = true;
      return kFail;
    }
    waiting = static_cast<uint32_t>(rx_.size());
    return kBridgeOk;
  }

 private:
  // The device's side: what it says to a packet that reached it.
  void Answer(const uint8_t* packet, uint32_t count) {
    std::vector<uint8_t> out;
    std::vector<bool> stray;
    if (!started_) {
      if (count != 5) return;
      started_ = true;
      length_ = packet[3] * 256u + packet[4];
      uint32_t reply = length_;
      if (in_.ConsumeIntegralInRange<int>(0, 7) == 7) reply = in_.ConsumeIntegral<uint16_t>();
      replyRight = reply == length_;
      Count(out, reply);
      if (reading_ && replyRight) Chunk(out);
    } else if (reading_) {
      Chunk(out);
    } else {
      done_ += count;
      uint32_t ack = done_;
      if (in_.ConsumeIntegralInRange<int>(0, 7) == 7) ack = in_.ConsumeIntegral<uint16_t>();
      acksRight = acksRight && ack == done_;
      Count(out, ack);
    }
    stray.assign(out.size(), false);
    Misframe(out, stray);
    rx_.insert(rx_.end(), out.begin(), out.end());
    stray_.insert(stray_.end(), stray.begin(), stray.end());
  }

  static void Count(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value & 0xFF));
  }

  // The next chunk of a read, as far as the block goes.
  void Chunk(std::vector<uint8_t>& out) {
    const uint32_t n = std::min<uint32_t>(kChunkSize, length_ - sent_);
    const std::vector<uint8_t> bytes = in_.ConsumeBytes<uint8_t>(n);
    meant.insert(meant.end(), bytes.begin(), bytes.end());
    out.insert(out.end(), bytes.begin(), bytes.end());
    sent_ += n;
  }

  // An answer goes short (then with nothing added: a short answer topped up
  // by stray bytes looks right to any host) or gets stray bytes anywhere.
  void Misframe(std::vector<uint8_t>& out, std::vector<bool>& tags) {
    const uint8_t how = in_.ConsumeIntegralInRange<uint8_t>(0, 7);
    if (how == 1 && !out.empty()) {
      out.resize(in_.ConsumeIntegralInRange<size_t>(0, out.size() - 1));
      tags.resize(out.size());
      shortened = true;
    } else if (how == 2) {
      const size_t at = in_.ConsumeIntegralInRange<size_t>(0, out.size());
      const std::vector<uint8_t> stray =
          in_.ConsumeBytes<uint8_t>(in_.ConsumeIntegralInRange<size_t>(1, 4));
      out.insert(out.begin() + static_cast<std::ptrdiff_t>(at), stray.begin(), stray.end());
      tags.insert(tags.begin() + static_cast<std::ptrdiff_t>(at), stray.size(), true);
      strayed = strayed || !stray.empty();
    }
  }

  FuzzedDataProvider& in_;
  std::deque<uint8_t> rx_;  // received by the bridge, not read yet
  std::deque<bool> stray_;  // for each byte of rx_: not part of any answer
  bool reading_;
  bool started_ = false;
  uint32_t length_ = 0;
  uint32_t sent_ = 0;  // read: data bytes the device has sent
  uint32_t done_ = 0;  // write: data bytes the device has taken
};

uint16_t Be16(const std::vector<uint8_t>& b) {
  return static_cast<uint16_t>(b.at(0) * 256 + b.at(1));
}

void CheckRead(FuzzedBridge& bridge, uint16_t length, const uint8_t* buffer, bool ok,
               const std::vector<std::string>& texts) {
  if (!ok) {
    Require(texts.empty() || texts.back() == "...出错!");
    return;
  }
  Require(texts.back() == "读数据成功");
  // One acknowledgement per chunk, each carrying the running count.
  Require(bridge.written.size() == 1 + (length + kChunkSize - 1u) / kChunkSize);
  for (size_t i = 1; i < bridge.written.size(); ++i) {
    Require(Be16(bridge.written[i]) == std::min<size_t>(i * kChunkSize, length));
  }
  // Stray bytes the host read as part of an answer fill a gap the device
  // left (a wrong reply with no data after it, an answer gone short) or
  // stand where a queue check failed: then the stream looked right to the
  // host and no host could tell. Otherwise a read that passes holds
  // exactly what the device meant.
  if (bridge.strayRead) {
    Require(!bridge.replyRight || bridge.shortened || bridge.dead);
    return;
  }
  Require(bridge.replyRight);
  Require(bridge.meant.size() == length);
  Require(std::equal(bridge.meant.begin(), bridge.meant.end(), buffer));
}

void CheckWrite(FuzzedBridge& bridge, uint16_t length, const uint8_t* source, bool ok,
                const std::vector<std::string>& texts) {
  if (!ok) {
    Require(texts.empty() || texts.back() == "...出错!");
    return;
  }
  Require(texts.back() == "写数据成功");
  // A stray byte, and a wrong reply or acknowledgement it stood in for, can
  // only go unseen where the bridge died at the last check: nothing follows
  // that check that could fail.
  Require((bridge.replyRight && bridge.acksRight) || bridge.dead);
  Require(!bridge.strayed || bridge.dead);
  std::vector<uint8_t> sent;
  for (size_t i = 1; i < bridge.written.size(); ++i) {
    Require(bridge.written[i].size() <= kChunkSize);
    sent.insert(sent.end(), bridge.written[i].begin(), bridge.written[i].end());
  }
  Require(sent.size() == length && std::equal(sent.begin(), sent.end(), source));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const auto space = in.ConsumeIntegral<int8_t>();
  const auto address = in.ConsumeIntegral<uint16_t>();
  // Mostly short blocks (the chip's own is 64 bytes); now and then any length.
  const bool anyLength = in.ConsumeIntegralInRange<int>(0, 15) == 0;
  const auto length =
      anyLength ? in.ConsumeIntegral<uint16_t>() : in.ConsumeIntegralInRange<uint16_t>(0, 200);
  const bool write = in.ConsumeBool();

  FuzzedBridge bridge(in, !write);
  UsbLink link(bridge);
  Require(link.Open());
  std::vector<std::string> texts;
  MemoryAccess memory(link, [&](const std::string& t) { texts.push_back(t); });

  // Exactly `length` bytes on the heap, so that any byte beyond is a report.
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[length == 0 ? 1 : length]);
  for (uint16_t i = 0; i < length; ++i) buffer[i] = static_cast<uint8_t>(i * 7);
  bool ok = false;
  if (write) {
    const std::vector<uint8_t> source(buffer.get(), buffer.get() + length);
    ok = memory.WriteMemory(space, address, length, buffer.get());
    Require(std::equal(source.begin(), source.end(), buffer.get()));  // never changed
    CheckWrite(bridge, length, buffer.get(), ok, texts);
  } else {
    ok = memory.ReadMemory(space, address, length, buffer.get());
    CheckRead(bridge, length, buffer.get(), ok, texts);
  }
  Require(ok == (memory.LastResult() == trOk));
  if (space < DATA || space > PIPE) Require(texts.empty() && bridge.written.empty());
  return 0;
}
