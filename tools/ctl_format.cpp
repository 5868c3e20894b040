#include "tools/ctl_format.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr Integer kBytesPerLine = 8;

std::string FormatValue(long double v) {
  char text[64];
  if (v == std::trunc(v)) {
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(v));
  } else {
    std::snprintf(text, sizeof text, "%.6Lg", v);
  }
  return text;
}

void AddLine(std::string& out, const std::string& name, const std::string& value) {
  out += name + "=" + value + "\n";
}

}  // namespace

std::string FormatHexLines(const std::array<Byte, kRomSize>& bytes) {
  std::string out;
  char cell[8];
  for (Integer line = 0; line < kRomSize; line += kBytesPerLine) {
    std::snprintf(cell, sizeof cell, "0x%02X:", line);
    out += cell;
    for (Integer i = line; i < line + kBytesPerLine; ++i) {
      std::snprintf(cell, sizeof cell, " %02X", bytes[i]);
      out += cell;
    }
    out += "\n";
  }
  return out;
}

std::string FormatDump(const ParameterSet& params) {
  std::string out;
  for (Integer i = 0; i < kNumericCount; ++i) {
    ParamId id = static_cast<ParamId>(i);
    AddLine(out, DescriptorOf(id).name, FormatValue(params.Value(id)));
  }
  for (Integer i = 0; i < kFunregCount; ++i) {
    AddLine(out, "FUNREG." + std::to_string(i), params.FUNREG[i].checked ? "1" : "0");
  }
  for (Integer i = 0; i < kFunreg1Count; ++i) {
    AddLine(out, "FUNREG1." + std::to_string(i), params.FUNREG1[i] ? "1" : "0");
  }
  AddLine(out, "HFD", params.HFD ? "1" : "0");
  AddLine(out, "nvchckbxLPPMP", params.nvchckbxLPPMP ? "1" : "0");
  AddLine(out, "nvchckbxINVC", params.nvchckbxINVC ? "1" : "0");
  return out;
}
