// Hex text conversions.
#include "hexview/hvhextext.h"

namespace {

constexpr const char* kHexDigits = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string ConvertBinToHex(const Byte* data, Integer count, bool swapNibbles) {
  std::string s;
  if (!data || count <= 0) return s;
  s.resize(static_cast<size_t>(count) * 2);
  for (Integer i = 0; i < count; ++i) {
    char hi = kHexDigits[data[i] >> 4];
    char lo = kHexDigits[data[i] & 15];
    s[2 * i] = swapNibbles ? lo : hi;
    s[2 * i + 1] = swapNibbles ? hi : lo;
  }
  return s;
}

std::vector<Byte> ConvertHexToBin(const std::string& text, bool swapNibbles) {
  std::vector<Byte> out;
  out.reserve(text.size() / 2);
  int first = -1;
  for (char c : text) {
    int v = HexValue(c);
    if (v < 0) continue;
    if (first < 0) {
      first = v;
      continue;
    }
    out.push_back(static_cast<Byte>(swapNibbles ? (v << 4) | first : (first << 4) | v));
    first = -1;
  }
  return out;
}
