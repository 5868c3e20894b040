// THVChangeMarks: one bit per byte position, set when the user changed the
// byte; never longer than needed, positions past its end count as unchanged.
#pragma once

#include <cstdint>
#include <vector>

#include "hexview/hvtypes.h"

class THVChangeMarks {
 public:
  Integer Length() const { return length_; }
  bool Get(Integer index) const;
  // Setting a bit past the end grows the set; clearing one there does not.
  void Set(Integer index, bool changed);
  // Shortens the set to length p when it reaches past p.
  void CutAt(Integer p);
  void Clear();
  // Positions of the set bits (for tests and painting helpers).
  Integer CountSet() const;

 private:
  std::vector<uint64_t> words_;
  Integer length_ = 0;
};
