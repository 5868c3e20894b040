// The changed-marks bit set.
#include "hexview/thvchangemarks.h"

#include <bit>
#include <cstddef>

namespace {

constexpr Integer kBits = 64;

}  // namespace

bool THVChangeMarks::Get(Integer index) const {
  if (index < 0 || index >= length_) return false;
  return (words_[index / kBits] >> (index % kBits)) & 1u;
}

void THVChangeMarks::Set(Integer index, bool changed) {
  if (index < 0) return;
  if (index >= length_) {
    if (!changed) return;
    length_ = index + 1;
    words_.resize(static_cast<size_t>((length_ + kBits - 1) / kBits), 0);
  }
  uint64_t bit = uint64_t{1} << (index % kBits);
  if (changed)
    words_[index / kBits] |= bit;
  else
    words_[index / kBits] &= ~bit;
}

void THVChangeMarks::CutAt(Integer p) {
  if (p < 0) p = 0;
  if (length_ <= p) return;
  length_ = p;
  words_.resize(static_cast<size_t>((length_ + kBits - 1) / kBits));
  if (length_ % kBits != 0) words_.back() &= (uint64_t{1} << (length_ % kBits)) - 1;
}

void THVChangeMarks::Clear() {
  words_.clear();
  length_ = 0;
}

Integer THVChangeMarks::CountSet() const {
  Integer n = 0;
  for (uint64_t w : words_) n += std::popcount(w);
  return n;
}
