// Helpers shared by the hex data tests.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "hexview/thexviewdata.h"

inline uint32_t LeInt(const std::vector<Byte>& v, size_t at) {
  return v[at] | (v[at + 1] << 8) | (v[at + 2] << 16) | (static_cast<uint32_t>(v[at + 3]) << 24);
}

// A data object holding the given bytes, with the undo history and the
// modified flag cleared as after a load.
inline void Fill(THexViewData& d, const std::vector<Byte>& bytes) {
  d.SetDataSize(static_cast<Integer>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) d.SetDataAt(static_cast<Integer>(i), bytes[i]);
  d.SetModified(false);
}

inline std::vector<Byte> Contents(const THexViewData& d) {
  return std::vector<Byte>(d.GetFastPointer(), d.GetFastPointer() + d.DataSize());
}

// The first start in [start, end - length + 1] where every pattern byte
// equals table[data byte] or is the wildcard (wildcard -1: none); -1 when
// there is none. The plain reference the searches are checked against.
inline Integer NaiveFind(const std::vector<Byte>& data, const std::vector<Byte>& pattern,
                         Integer start, Integer end, const std::array<Byte, 256>& table,
                         int wildcard) {
  const Integer m = static_cast<Integer>(pattern.size());
  end = std::min<Integer>(end, static_cast<Integer>(data.size()) - 1);
  for (Integer s = std::max(start, 0); m > 0 && s + m - 1 <= end; ++s) {
    Integer k = 0;
    while (k < m && (pattern[k] == wildcard || table[data[s + k]] == pattern[k])) ++k;
    if (k == m) return s;
  }
  return -1;
}
