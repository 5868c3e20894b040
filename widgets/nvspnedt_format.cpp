// Number text of the spin edit: classic fixed formatting and a strict parser.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "widgets/nvspnedt.h"

namespace {

constexpr int kPrecision = 18;  // significant digits shown at most
constexpr int kMaxDecimals = 18;

// Adds one unit at the last digit of a string of decimal digits; true when
// the carry runs out of the front (the caller prepends '1').
bool IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return false;
    }
    *it = '0';
  }
  return true;
}

std::string NonFinite(long double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

}  // namespace

std::string FormatSpinValue(long double value, int decimals) {
  if (!std::isfinite(value)) return NonFinite(value);
  decimals = std::clamp(decimals, 0, kMaxDecimals);
  const bool negative = std::signbit(value);
  const long double magnitude = std::fabs(value);
  char buf[128];
  if (magnitude >= 1e18L) {
    // Too many integer digits for fixed notation: general form.
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, kPrecision);
    return std::string(buf, res.ptr);
  }
  // The shortest text that reads back as the value, rounded once in decimal
  // (halves away from zero) to what the precision and Decimals allow.
  auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed);
  std::string text(buf, res.ptr);
  const size_t dot = text.find('.');
  std::string intPart = dot == std::string::npos ? text : text.substr(0, dot);
  std::string fracPart = dot == std::string::npos ? std::string() : text.substr(dot + 1);
  int keep = decimals;
  if (intPart != "0") {
    keep = std::min(keep, kPrecision - static_cast<int>(intPart.size()));
  } else {
    const size_t firstNonZero = fracPart.find_first_not_of('0');
    if (firstNonZero != std::string::npos)
      keep = std::min(keep, kPrecision + static_cast<int>(firstNonZero));
  }
  keep = std::max(keep, 0);
  if (static_cast<int>(fracPart.size()) > keep) {
    const bool roundUp = fracPart[keep] >= '5';
    fracPart.resize(keep);
    if (roundUp) {
      std::string all = intPart + fracPart;
      if (IncrementDigits(all)) all.insert(all.begin(), '1');
      intPart = all.substr(0, all.size() - fracPart.size());
      fracPart = all.substr(intPart.size());
    }
  }
  fracPart.resize(decimals, '0');
  std::string out = intPart;
  if (decimals > 0) out += "." + fracPart;
  const bool isZero = out.find_first_not_of("0.") == std::string::npos;
  if (negative && !isZero) out.insert(out.begin(), '-');
  return out;
}

bool ParseSpinValue(const std::string& text, long double& value) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return false;
  size_t last = text.find_last_not_of(' ');
  std::string s = text.substr(first, last - first + 1);
  // Only the characters of a plain real number ("inf", "nan" and hex forms
  // are not numbers to the user).
  if (s.find_first_not_of("+-0123456789.eE") != std::string::npos) return false;
  bool negative = false;
  size_t start = 0;
  if (s[0] == '+' || s[0] == '-') {
    negative = s[0] == '-';
    start = 1;
  }
  if (start >= s.size() || s[start] == '+' || s[start] == '-') return false;
  long double v = 0;
  const char* begin = s.data() + start;
  const char* end = s.data() + s.size();
  auto res = std::from_chars(begin, end, v, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != end) return false;
  value = negative ? -v : v;
  return true;
}
