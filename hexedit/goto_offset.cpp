// The Go to Offset parser.
#include "hexedit/goto_offset.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

std::string Trimmed(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
  return s.substr(a, b - a);
}

std::string Hex(Int64 v) {
  char text[32];
  std::snprintf(text, sizeof text, "%s0x%llX", v < 0 ? "-" : "",
                static_cast<unsigned long long>(v < 0 ? -v : v));
  return text;
}

THexGotoResult Refused(std::string error) {
  return {false, 0, std::move(error)};
}

// Any number beyond this lies outside every buffer; reading stops growing there.
constexpr Int64 kBeyondAnyData = Int64{1} << 40;

// The value of "0x1F", "$1F", "1Fh" or "31"; false when it is none of them.
bool ReadNumber(std::string s, Int64& value) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  int radix = 10;
  if (s.rfind("0x", 0) == 0) {
    radix = 16;
    s.erase(0, 2);
  } else if (!s.empty() && s[0] == '$') {
    radix = 16;
    s.erase(0, 1);
  } else if (!s.empty() && s.back() == 'h') {
    radix = 16;
    s.pop_back();
  }
  if (s.empty()) return false;
  value = 0;
  for (const char c : s) {
    const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                      : c >= 'a' && c <= 'f'                      ? c - 'a' + 10
                                                                  : 99;
    if (digit >= radix) return false;
    value = std::min(kBeyondAnyData, value * radix + digit);
  }
  return true;
}

}  // namespace

THexGotoResult ParseGotoOffset(const std::string& text, Integer caret, Integer dataSize) {
  std::string number = Trimmed(text);
  if (number.empty()) return Refused("Enter an offset, e.g. 0x100, 100h, 256, +0x40 or -16");
  const bool relative = number[0] == '+' || number[0] == '-';
  const bool negative = number[0] == '-';
  if (relative) number = Trimmed(number.substr(1));
  Int64 value = 0;
  if (!ReadNumber(number, value)) return Refused("\"" + Trimmed(text) + "\" is not an offset");
  const Int64 target = relative ? static_cast<Int64>(caret) + (negative ? -value : value) : value;
  if (dataSize <= 0) return Refused("There is no data to go to");
  if (target < 0 || target >= dataSize)
    return Refused("Offset " + Hex(target) + " lies outside the data (0x0 to " + Hex(dataSize - 1) +
                   ")");
  return {true, static_cast<Integer>(target), std::string()};
}
