// The host side of the memory-access protocol against a device whose every
// answer comes from the fuzzer: reply counts, chunk sizes, acknowledgements,
// short and over-long reads, failing calls. The host must never touch a byte
// outside the caller's buffer, must only report success for an exchange
// that went by the rules, and a successful read must hand over exactly the
// bytes the device sent in its data phase.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "link/memory_access.h"
#include "link/usb_link.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

// A bridge with one device whose reads and writes are decided by the input.
class FuzzedBridge : public BridgeLibrary {
 public:
  explicit FuzzedBridge(FuzzedDataProvider& in) : in_(in) {}

  std::vector<std::vector<uint8_t>> delivered;  // bytes of every successful read
  std::vector<std::vector<uint8_t>> written;    // bytes of every write

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
    const uint8_t mode = in_.ConsumeIntegral<uint8_t>();
    // Usually the whole answer; sometimes fewer bytes, or a count above
    // what was asked (a library that over-reports), or a failing status.
    uint32_t n = wanted;
    if ((mode & 0x0F) == 1) n = in_.ConsumeIntegralInRange<uint32_t>(0, wanted);
    std::vector<uint8_t> bytes = in_.ConsumeBytes<uint8_t>(n);
    received = static_cast<uint32_t>(bytes.size());
    if ((mode & 0x0F) == 2) {
      // Every byte asked for is there, but the count claims more.
      bytes.resize(wanted);
      received = wanted + 1 + (mode >> 4);
    }
    std::copy(bytes.begin(), bytes.end(), buffer);
    if ((mode & 0x0F) == 3) return 9;
    delivered.emplace_back(bytes.begin(), bytes.end());
    return kBridgeOk;
  }
  BridgeStatus Write(BridgeHandle, const uint8_t* buffer, uint32_t count,
                     uint32_t& written_count) override {
    written.emplace_back(buffer, buffer + count);
    const uint8_t mode = in_.ConsumeIntegral<uint8_t>();
    written_count = (mode & 0x0F) == 1 ? count / 2 : count;
    return (mode & 0x0F) == 2 ? 9 : kBridgeOk;
  }
  BridgeStatus FlushBuffers(BridgeHandle, uint8_t, uint8_t) override { return kBridgeOk; }
  BridgeStatus SetTimeouts(uint32_t, uint32_t) override { return kBridgeOk; }

 private:
  FuzzedDataProvider& in_;
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
  // The reply, then one read per chunk, every one of them complete.
  Require(Be16(bridge.delivered.at(0)) == length);
  std::vector<uint8_t> data;
  for (size_t i = 1; i < bridge.delivered.size(); ++i) {
    data.insert(data.end(), bridge.delivered[i].begin(), bridge.delivered[i].end());
  }
  Require(data.size() == length);
  Require(std::equal(data.begin(), data.end(), buffer));
  // Acknowledgements carry the running count.
  uint32_t done = 0;
  for (size_t i = 1; i < bridge.written.size(); ++i) {
    done += bridge.delivered.at(i).size();
    Require(Be16(bridge.written[i]) == done);
  }
}

void CheckWrite(FuzzedBridge& bridge, uint16_t length, const uint8_t* source, bool ok,
                const std::vector<std::string>& texts) {
  if (!ok) {
    Require(texts.empty() || texts.back() == "...出错!");
    return;
  }
  Require(texts.back() == "写数据成功");
  Require(Be16(bridge.delivered.at(0)) == length);
  std::vector<uint8_t> sent;
  for (size_t i = 1; i < bridge.written.size(); ++i) {
    Require(bridge.written[i].size() <= kChunkSize);
    sent.insert(sent.end(), bridge.written[i].begin(), bridge.written[i].end());
    Require(Be16(bridge.delivered.at(i)) == sent.size());
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

  FuzzedBridge bridge(in);
  UsbLink link(bridge);
  Require(link.Open());
  std::vector<std::string> texts;
  MemoryAccess memory(link, [&](const std::string& t) { texts.push_back(t); });

  // Exactly `length` bytes on the heap, so that any byte beyond is a report.
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[length == 0 ? 1 : length]);
  for (uint16_t i = 0; i < length; ++i) buffer[i] = static_cast<uint8_t>(i * 7);
  bridge.delivered.clear();
  if (write) {
    const std::vector<uint8_t> source(buffer.get(), buffer.get() + length);
    const bool ok = memory.WriteMemory(space, address, length, buffer.get());
    Require(std::equal(source.begin(), source.end(), buffer.get()));  // never changed
    CheckWrite(bridge, length, buffer.get(), ok, texts);
  } else {
    const bool ok = memory.ReadMemory(space, address, length, buffer.get());
    CheckRead(bridge, length, buffer.get(), ok, texts);
  }
  if (space < DATA || space > PIPE) Require(texts.empty() && bridge.written.empty());
  return 0;
}
