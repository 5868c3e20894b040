// Number text: any text either reads as a number or is refused with
// EHexView; numbers written in every radix and in every notation read back
// as themselves.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "hexview/ehexview.h"
#include "hexview/hvnumtext.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

void CheckNotations(Int64 value) {
  const std::string hex = IntToRadix64(value, 16);
  const std::string oct = IntToRadix64(value, 8);
  const std::string bin = IntToRadix64(value, 2);
  for (const std::string& text :
       {"0x" + hex, "0X" + hex, "$" + hex, hex + "H", hex + "h", "O" + oct, "o" + oct, oct + "O",
        "%" + bin, bin + "%", IntToRadix64(value, 10)}) {
    Require(CheckRadixToInt64(text) == value);
  }
  Require(CheckRadixToInt(IntToRadix(static_cast<Integer>(value), 10)) ==
          static_cast<Integer>(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const Int64 value = in.ConsumeIntegral<Int64>();
  const Integer radix = in.ConsumeIntegralInRange<Integer>(2, 16);
  const Integer width = in.ConsumeIntegralInRange<Integer>(0, 80);
  const std::string text = in.ConsumeRemainingBytesAsString();

  const std::string digits = IntToRadixLen64(value, radix, width);
  Require(static_cast<Integer>(digits.size()) >= width);
  Require(digits.find_first_not_of("0123456789ABCDEF") == std::string::npos);
  Require(RadixToInt64(digits, radix) == value);
  CheckNotations(value);

  // Foreign text: a number or a refusal, nothing else.
  try {
    const Int64 read = CheckRadixToInt64(text);
    Require(CheckRadixToInt(text) == static_cast<Integer>(read));
  } catch (const EHexView&) {
  }
  try {
    RadixToInt64(text, radix);
  } catch (const EHexView&) {
  }
  return 0;
}
