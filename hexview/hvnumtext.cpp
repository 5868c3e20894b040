// Number text functions.
#include "hexview/hvnumtext.h"

#include <algorithm>
#include <cctype>

#include "hexview/ehexview.h"

namespace {

constexpr const char* kDigits = "0123456789ABCDEF";

void CheckRadix(Integer radix) {
  if (radix < 2 || radix > 16) throw EHexView(HVMsgInvalidRadix(radix));
}

std::string ToRadix(uint64_t value, Integer radix, Integer minLength) {
  CheckRadix(radix);
  std::string s;
  do {
    s.push_back(kDigits[value % static_cast<uint64_t>(radix)]);
    value /= static_cast<uint64_t>(radix);
  } while (value != 0);
  if (minLength > static_cast<Integer>(s.size())) s.append(minLength - s.size(), '0');
  std::reverse(s.begin(), s.end());
  return s;
}

uint64_t FromRadix(const std::string& text, Integer radix) {
  CheckRadix(radix);
  uint64_t value = 0;
  for (char c : text) {
    int d = -1;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    if (d < 0 || d >= radix)
      throw EHexView(HVMsgInvalidCharForRadix(std::string(1, c), static_cast<unsigned>(radix)));
    value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
  }
  return value;
}

bool StartsWithNoCase(const std::string& s, const std::string& prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
  return true;
}

bool EndsWithNoCase(const std::string& s, char upper) {
  return !s.empty() && std::toupper(static_cast<unsigned char>(s.back())) == upper;
}

// Splits a notation into its digits and radix.
uint64_t CheckedValue(const std::string& text) {
  if (StartsWithNoCase(text, "0X")) return FromRadix(text.substr(2), 16);
  if (StartsWithNoCase(text, "$")) return FromRadix(text.substr(1), 16);
  if (EndsWithNoCase(text, 'H')) return FromRadix(text.substr(0, text.size() - 1), 16);
  if (StartsWithNoCase(text, "O")) return FromRadix(text.substr(1), 8);
  if (EndsWithNoCase(text, 'O')) return FromRadix(text.substr(0, text.size() - 1), 8);
  if (StartsWithNoCase(text, "%")) return FromRadix(text.substr(1), 2);
  if (EndsWithNoCase(text, '%')) return FromRadix(text.substr(0, text.size() - 1), 2);
  return FromRadix(text, 10);
}

}  // namespace

std::string IntToRadix(Integer value, Integer radix) {
  return IntToRadixLen(value, radix, 0);
}

std::string IntToRadixLen(Integer value, Integer radix, Integer minLength) {
  return ToRadix(static_cast<uint32_t>(value), radix, minLength);
}

std::string IntToRadix64(Int64 value, Integer radix) {
  return IntToRadixLen64(value, radix, 0);
}

std::string IntToRadixLen64(Int64 value, Integer radix, Integer minLength) {
  return ToRadix(static_cast<uint64_t>(value), radix, minLength);
}

std::string IntToOctal(Integer value) {
  return IntToRadix(value, 8);
}

Integer RadixToInt(const std::string& text, Integer radix) {
  return static_cast<Integer>(static_cast<uint32_t>(FromRadix(text, radix)));
}

Int64 RadixToInt64(const std::string& text, Integer radix) {
  return static_cast<Int64>(FromRadix(text, radix));
}

Integer OctalToInt(const std::string& text) {
  return RadixToInt(text, 8);
}

Integer CheckRadixToInt(const std::string& text) {
  return static_cast<Integer>(static_cast<uint32_t>(CheckedValue(text)));
}

Int64 CheckRadixToInt64(const std::string& text) {
  return static_cast<Int64>(CheckedValue(text));
}
