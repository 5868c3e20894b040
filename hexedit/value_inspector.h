// The value inspector's rows: the bytes at one position read as the usual
// number types in both byte orders, the first byte in binary, and its
// character. Plain C++; the panel only shows the rows.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "hexview/hvtypes.h"

struct THexInspectorRow {
  std::string name;   // "Int16 LE", "Float64 BE", ...
  std::string value;  // "—" where fewer bytes remain than the type needs
};

inline constexpr const char* kHexInspectorMissing = "\u2014";  // an em dash

// Rows for the available bytes at the position (available may be 0);
// character is the first byte's character as the view shows it (UTF-8).
std::vector<THexInspectorRow> InspectBytes(const Byte* bytes, size_t available,
                                           const std::string& character);
