// The clipboard layouts the hex view accepts from other programs: the
// private block, the registry editor's hex data, zero-terminated text and
// 8-bit text through Unicode. Any block may come in; what is read never
// reaches past the block, says no more bytes than the block holds, and the
// private block and the text conversions give back what they were given.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "hexview/hvclipformats.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

void CheckForeignBlock(const std::vector<Byte>& block) {
  std::vector<Byte> bytes;
  if (HVReadClipBlock(block.data(), block.size(), bytes)) {
    // Header of 12 bytes, then at most what the block still holds.
    Require(block.size() >= 12);
    Require(bytes.size() <= block.size() - 12);
    Require(std::equal(bytes.begin(), bytes.end(), block.begin() + 12));
  }
  const std::vector<Byte> reg = HVReadRegEditHexData(block.data(), block.size());
  Require(reg.size() + 4 <= block.size() || reg.empty());
  if (!reg.empty()) Require(std::equal(reg.begin(), reg.end(), block.begin() + 4));

  const std::vector<Byte> text = HVZeroTerminated(block.data(), block.size());
  Require(text.size() <= block.size());
  Require(std::find(text.begin(), text.end(), Byte{0}) == text.end());
  Require(std::equal(text.begin(), text.end(), block.begin()));

  const std::vector<Byte> bitmap = HVDibToBitmapFile(block.data(), block.size());
  Require(bitmap.size() == block.size() + 14 && bitmap[0] == 'B' && bitmap[1] == 'M');
}

void CheckOwnBytes(const std::vector<Byte>& bytes) {
  const auto count = static_cast<Integer>(bytes.size());
  // Our own block carries every byte, zero bytes included.
  const std::vector<Byte> block = HVMakeClipBlock(bytes.data(), count);
  std::vector<Byte> back;
  Require(HVReadClipBlock(block.data(), block.size(), back));
  Require(back == bytes);

  // Text stops at the first zero; every other byte survives Unicode.
  const std::string text = HVClipTextOf(bytes.data(), count, false, false);
  const size_t zero = std::find(bytes.begin(), bytes.end(), Byte{0}) - bytes.begin();
  Require(text == std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(zero)));
  Require(HVUnicodeToAnsi(HVAnsiToUnicode(text)) == text);

  const std::string hex = HVClipTextOf(bytes.data(), count, true, false);
  Require(hex.size() == bytes.size() * 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<Byte> raw(data, data + size);
  CheckForeignBlock(raw);
  CheckOwnBytes(raw);
  return 0;
}
