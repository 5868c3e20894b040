// Plain decimal numbers as the command lines and addresses take them: one
// to `maxDigits` ASCII digits, nothing else (no sign, no white space).
#pragma once

#include <cstdint>
#include <string>

// False for any other text; `maxDigits` at most 19, so that the value fits.
inline bool ParseDecimal(const std::string& text, size_t maxDigits, uint64_t& value) {
  if (text.empty() || text.size() > maxDigits) return false;
  uint64_t v = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') return false;
    v = v * 10 + static_cast<uint64_t>(ch - '0');
  }
  value = v;
  return true;
}
