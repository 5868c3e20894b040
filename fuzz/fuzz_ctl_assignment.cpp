// The tool's NAME=VALUE assignments: any text is taken or refused with a
// reason; a taken one leaves every parameter inside its range and whole,
// names a disabled FUNREG item only at the 0 every write gives it, and
// survives encoding into the image and decoding back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "model/config_controller.h"
#include "model/image_codec.h"
#include "tools/ctl_assignment.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

bool IsDisabled(Integer item) {
  for (Integer fixed : kDisabledFunregItems) {
    if (item == fixed) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Assignment a;
  std::string error;
  if (!ParseAssignment(text, a, error)) {
    Require(!error.empty());
    return 0;
  }
  Require(error.empty());
  const ParamDescriptor& d = DescriptorOf(a.id);
  Require(std::isfinite(a.value));
  if (d.kind == pkItemList) {
    Require(a.item >= 0 && a.item < static_cast<Integer>(d.items.size()));
    Require(a.id != piFUNREG || !IsDisabled(a.item) || a.value == 0);
  } else {
    Require(a.item == -1);
  }

  ParameterSet params;
  ApplyAssignment(params, a);
  for (int id = 0; id < kNumericCount; ++id) {
    const ParamDescriptor& n = DescriptorOf(static_cast<ParamId>(id));
    const long double v = params.Value(n.id);
    Require(v >= n.min && v <= n.max && v == std::round(v));
  }
  // As the tool does: the flag links of the control just set, then the encoding.
  RomImage image;
  LinkFlags(params, a.id, image);
  const ParameterSet decoded = DecodeImage(image);
  if (d.kind == pkNumeric) Require(decoded.Value(a.id) == params.Value(a.id));
  if (a.id == piFUNREG1) Require(decoded.FUNREG1[a.item] == params.FUNREG1[a.item]);
  if (a.id == piFUNREG && IsDisabled(a.item)) Require(!decoded.FUNREG[a.item].checked);
  return 0;
}
