// The offset format language.
#include "hexview/thvoffsetformat.h"

#include <algorithm>
#include <cctype>

#include "hexview/ehexview.h"
#include "hexview/hvnumtext.h"

namespace {

bool IsHexDigit(char c) {
  return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// Length of the run of hex digits at pos.
size_t HexRun(const std::string& s, size_t pos) {
  size_t end = pos;
  while (end < s.size() && IsHexDigit(s[end])) ++end;
  return end - pos;
}

// The value of a run of hex digits, saturated so that huge runs stay huge.
uint64_t HexRunValue(const std::string& s, size_t pos, size_t len) {
  uint64_t v = 0;
  for (size_t i = pos; i < pos + len; ++i) {
    int d = std::isdigit(static_cast<unsigned char>(s[i]))
                ? s[i] - '0'
                : std::toupper(static_cast<unsigned char>(s[i])) - 'A' + 10;
    v = v > (UINT64_MAX >> 4) ? UINT64_MAX : (v << 4) | static_cast<uint64_t>(d);
  }
  return v;
}

bool ValidUnit(uint64_t unit) {
  return unit == 1 || unit == 2 || unit == 4 || unit == 8;
}

bool StartsUnitKey(const std::string& s, char lower) {
  return s.size() >= 2 && std::tolower(static_cast<unsigned char>(s[0])) == lower && s[1] == '%';
}

}  // namespace

THVOffsetFormat::THVOffsetFormat() {
  SetFormat(kHVDefaultOffsetFormat, THVOffsetUnits{});
}

void THVOffsetFormat::SetFormat(const std::string& text, const THVOffsetUnits& units) {
  if (text.empty()) {
    format_.clear();
    return;
  }
  THVOffsetFormat parsed = *this;
  parsed.Parse(text, units);  // throws before anything of this object changes
  *this = parsed;
}

void THVOffsetFormat::Parse(const std::string& text, const THVOffsetUnits& units) {
  flags_ = 0;
  size_t p = 0;
  // 1. unit
  uint64_t unit = 0;
  if (StartsUnitKey(text, 'r')) {
    unit = static_cast<uint64_t>(units.BytesPerRow);
    flags_ |= OffsetFlagBit(offCalcRow);
    p = 2;
  } else if (StartsUnitKey(text, 'c')) {
    unit = static_cast<uint64_t>(units.BytesPerColumn);
    flags_ |= OffsetFlagBit(offCalcColumn);
    p = 2;
  } else {
    size_t run = HexRun(text, 0);
    if (run > 0 && run < text.size() && text[run] == '%') {
      unit = HexRunValue(text, 0, run);
      p = run + 1;
    } else {
      unit = static_cast<uint64_t>(units.RulerUnit);
      flags_ |= OffsetFlagBit(offBytesPerUnit);
      if (!text.empty() && text[0] == '%') p = 1;
    }
  }
  if (!ValidUnit(unit)) throw EHexView(HVMsgInvalidBytesPerUnit(static_cast<long long>(unit)));
  unit_ = static_cast<Integer>(unit);
  // 2. width
  if (text.compare(p, 2, "-!") == 0) {
    flags_ |= OffsetFlagBit(offCalcWidth);
    minWidth_ = 1;
    p += 2;
  } else {
    size_t run = HexRun(text, p);
    if (p + run < text.size() && text[p + run] == '!') {
      uint64_t w = run == 0 ? 1 : HexRunValue(text, p, run);
      minWidth_ = static_cast<Integer>(std::min<uint64_t>(w, 64));
      p += run + 1;
    } else {
      minWidth_ = 1;
    }
  }
  // 3. radix
  size_t run = HexRun(text, p);
  if (run == 0) throw EHexView(HVMsgMissingChar("number radix"));
  if (p + run >= text.size() || text[p + run] != ':') throw EHexView(HVMsgMissingChar(":"));
  uint64_t radix = HexRunValue(text, p, run);
  if (radix < 2 || radix > 16) throw EHexView(HVMsgInvalidOffsetRadix(radix));
  radix_ = static_cast<Integer>(radix);
  p += run + 1;
  // 4. prefix | suffix
  size_t bar = text.find('|', p);
  if (bar == std::string::npos) throw EHexView(HVMsgMissingChar("|"));
  prefix_ = text.substr(p, bar - p);
  suffix_ = text.substr(bar + 1);
  format_ = text;
}

void THVOffsetFormat::BytesPerRowChanged(Integer bytesPerRow) {
  if (HasFlag(offCalcRow) && bytesPerRow > 0) unit_ = bytesPerRow;
}

void THVOffsetFormat::BytesPerColumnChanged(Integer bytesPerColumn) {
  if (HasFlag(offCalcColumn) && bytesPerColumn > 0) unit_ = bytesPerColumn;
}

void THVOffsetFormat::RulerUnitChanged(Integer rulerUnit) {
  if (HasFlag(offBytesPerUnit) && rulerUnit > 0) unit_ = rulerUnit;
}

void THVOffsetFormat::CalcWidth(Int64 lastRowOffset) {
  if (!HasFlag(offCalcWidth)) return;
  Int64 largest = lastRowOffset < 0 ? 0 : lastRowOffset / unit_;
  minWidth_ = static_cast<Integer>(IntToRadix64(largest, radix_).size());
}

std::string THVOffsetFormat::OffsetText(Int64 offset, bool hexLowerCase) const {
  if (format_.empty()) return std::string();
  Int64 value = offset / unit_;
  std::string digits;
  if (!(minWidth_ == 0 && value == 0)) digits = IntToRadixLen64(value, radix_, minWidth_);
  if (hexLowerCase)
    std::transform(digits.begin(), digits.end(), digits.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
  return prefix_ + digits + suffix_;
}

std::string THVOffsetFormat::AnyOffsetText(Int64 offset, bool hexLowerCase) const {
  if (format_.empty()) return IntToRadix64(offset, 16);
  return OffsetText(offset, hexLowerCase);
}
