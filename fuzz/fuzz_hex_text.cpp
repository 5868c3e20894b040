// Hex text to bytes: every pair of hex digits becomes one byte, whatever
// surrounds them, and bytes written as hex read back unchanged.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "hexview/hvhextext.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const bool swap = in.ConsumeBool();
  const std::string text = in.ConsumeRemainingBytesAsString();

  const std::vector<Byte> bytes = ConvertHexToBin(text, swap);
  std::string digits;
  for (char c : text) {
    if (std::isxdigit(static_cast<unsigned char>(c)) != 0) {
      digits.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    }
  }
  Require(bytes.size() == digits.size() / 2);
  const std::string hex = ConvertBinToHex(bytes.data(), static_cast<Integer>(bytes.size()), swap);
  Require(hex == digits.substr(0, bytes.size() * 2));
  Require(ConvertHexToBin(hex, swap) == bytes);

  // The raw input as bytes: to hex and back, in both nibble orders.
  const Byte* raw = data;
  const auto count = static_cast<Integer>(size);
  for (bool s : {false, true}) {
    const std::string h = ConvertBinToHex(raw, count, s);
    Require(h.size() == size * 2);
    Require(ConvertHexToBin(h, s) == std::vector<Byte>(raw, raw + size));
  }
  return 0;
}
