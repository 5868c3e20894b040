// Helpers shared by the hex data tests.
#pragma once

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
