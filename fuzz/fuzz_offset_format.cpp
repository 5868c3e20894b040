// Offset-format text: any text is either taken or refused with EHexView;
// a refusal keeps the format in force, and a taken format writes offsets
// whose digits read back as the offset divided by the unit.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "hexview/ehexview.h"
#include "hexview/hvnumtext.h"
#include "hexview/thvoffsetformat.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

void CheckOffsetText(const THVOffsetFormat& f, Int64 offset, bool lower) {
  const std::string text = f.OffsetText(offset, lower);
  Require(text.compare(0, f.Prefix().size(), f.Prefix()) == 0);
  Require(EndsWith(text, f.Suffix()));
  Require(text.size() >= f.Prefix().size() + f.Suffix().size());
  const std::string digits =
      text.substr(f.Prefix().size(), text.size() - f.Prefix().size() - f.Suffix().size());
  const Int64 value = offset / f.Unit();
  if (digits.empty()) {
    Require(f.MinWidth() == 0 && value == 0);
    return;
  }
  Require(static_cast<Integer>(digits.size()) >= f.MinWidth());
  Require(RadixToInt64(digits, f.Radix()) == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  THVOffsetUnits units;
  units.BytesPerRow = in.ConsumeIntegralInRange<Integer>(1, 64);
  units.BytesPerColumn = in.PickValueInArray({1, 2, 4, 8});
  units.RulerUnit = in.PickValueInArray({1, 2, 4, 8});
  const Int64 offset = in.ConsumeIntegralInRange<Int64>(0, INT64_C(1) << 40);
  const bool lower = in.ConsumeBool();
  const std::string text = in.ConsumeRemainingBytesAsString();

  THVOffsetFormat format;
  const std::string before = format.Format();
  try {
    format.SetFormat(text, units);
  } catch (const EHexView&) {
    Require(format.Format() == before);  // a refused text changes nothing
    CheckOffsetText(format, offset, lower);
    return 0;
  }
  Require(format.Format() == text);
  if (text.empty()) {
    Require(format.OffsetText(offset, lower).empty());
    return 0;
  }
  Require(format.Radix() >= 2 && format.Radix() <= 16);
  Require(format.Unit() >= 1 && format.Unit() <= 64);
  CheckOffsetText(format, offset, lower);
  format.CalcWidth(offset);
  CheckOffsetText(format, offset, lower);
  return 0;
}
