#include "tools/ctl_format.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "tools/ctl_assignment.h"
#include "tools/ctl_names.h"

namespace {

constexpr Integer kBytesPerLine = 8;

std::string Hex2(Byte b) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", b);
  return text;
}

// Every parameter with its value in dump order; flags as "0" or "1".
std::vector<std::pair<std::string, std::string>> Entries(const ParameterSet& params) {
  std::vector<std::pair<std::string, std::string>> entries;
  for (const ParamRef& ref : DumpRefs()) {
    entries.emplace_back(DumpName(ref), FormatValue(ValueOf(params, ref)));
  }
  return entries;
}

}  // namespace

std::string Count(size_t n, const char* thing) {
  return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

std::string FormatValue(long double v) {
  char text[64];
  if (v == std::trunc(v)) {
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(v));
  } else {
    std::snprintf(text, sizeof text, "%.6Lg", v);
  }
  return text;
}

std::string FormatHexLines(const std::array<Byte, kRomSize>& bytes) {
  std::string out;
  char cell[8];
  for (Integer line = 0; line < kRomSize; line += kBytesPerLine) {
    std::snprintf(cell, sizeof cell, "0x%02X:", line);
    out += cell;
    for (Integer i = line; i < line + kBytesPerLine; ++i) out += " " + Hex2(bytes[i]);
    out += "\n";
  }
  return out;
}

std::string FormatDump(const ParameterSet& params) {
  std::string out;
  for (const auto& [name, value] : Entries(params)) out += name + "=" + value + "\n";
  return out;
}

std::string FormatDumpJson(const ParameterSet& params) {
  std::string out = "{\"parameters\": {";
  const Integer numbers = kNumericCount;
  Integer i = 0;
  for (const auto& [name, value] : Entries(params)) {
    std::string shown = i < numbers ? value : (value == "1" ? "true" : "false");
    out += (i++ ? ", \"" : "\"") + name + "\": " + shown;
  }
  out += "}, \"units\": {";
  bool first = true;
  for (Integer n = 0; n < kNumericCount; ++n) {
    const std::string unit = UnitOf(static_cast<ParamId>(n));
    if (unit.empty()) continue;
    out += (first ? "\"" : ", \"") + DumpName(ParamRef{static_cast<ParamId>(n), -1}) + "\": \"" +
           unit + "\"";
    first = false;
  }
  return out + "}}\n";
}

std::string FormatReadJson(const std::array<Byte, kRomSize>& bytes) {
  std::string hex, list;
  for (Integer i = 0; i < kRomSize; ++i) {
    hex += Hex2(bytes[i]);
    list += (i ? ", " : "") + std::to_string(bytes[i]);
  }
  return "{\"hex\": \"" + hex + "\", \"bytes\": [" + list + "]}\n";
}

std::string FormatDifferences(const NamedBlock& a, const NamedBlock& b,
                              const std::vector<Integer>& offsets, size_t shown) {
  std::string out;
  char line[96];
  for (size_t i = 0; i < offsets.size() && i < shown; ++i) {
    const Integer at = offsets[i];
    std::snprintf(line, sizeof line, "0x%02X: %s %02X, %s %02X\n", at, a.name, a.bytes.at(at),
                  b.name, b.bytes.at(at));
    out += line;
  }
  if (offsets.size() > shown) {
    const size_t rest = offsets.size() - shown;
    out += "and " + std::to_string(rest) + " more differing offset" + (rest == 1 ? "" : "s") + "\n";
  }
  return out;
}

std::string FormatParamDifferences(const std::vector<ParamDifference>& differences,
                                   const char* chipName, const char* expectedName) {
  std::string out;
  for (const ParamDifference& d : differences) {
    out += DumpName(d.ref) + ": " + chipName + " " + FormatValue(d.chip) + ", " + expectedName +
           " " + FormatValue(d.expected) + "\n";
  }
  return out;
}
