// THVPatternScan: the forward byte search behind Find and FindWithWildcard.
//
// A data byte b matches pattern byte p when table[b] == p (the identity or
// the case-folding table), and any byte matches a wildcard position. The
// answer is always the first matching start, exactly as trying every start
// in turn would give, but the scan does not try every start: it compares
// two pattern positions whose bytes are rare in the data against 16 starts at a time (SSE2) and
// verifies only the starts that pass both. Where the data makes that filter
// useless (long runs of the pattern's own bytes) it falls back for a while
// to a linear scan: a failure-function search over the mapped bytes, or a
// bit-parallel shift-and when the pattern holds wildcards (over its
// first 4096 positions, the rest verified).
#pragma once

#include <array>
#include <vector>

#include "hexview/hvtypes.h"

class THVPatternScan {
 public:
  THVPatternScan(const Byte* pattern, Integer length, const std::array<Byte, 256>& table,
                 bool useWildcard, Byte wildcard);

  // The first start s in [from, until) whose match lies inside data[0 ..
  // last], i.e. s + length - 1 <= last; -1 when there is none. The caller
  // may split a range into consecutive pieces: the answer of the first
  // piece with a match is the answer for the whole range.
  Int64 FindIn(const Byte* data, Int64 last, Int64 from, Int64 until) const;

  // Chooses the two compared positions again by how often their bytes
  // occur in a sample of up to sampleBytes of data[from .. last] (without
  // it: by how common such bytes are in typical files). Worth it before a
  // long search.
  static constexpr Int64 kMaxSample = 64 * 1024;
  void Adapt(const Byte* data, Int64 last, Int64 from,
             Int64 sampleBytes = kMaxSample);  // from < 0 counts as 0

  // No start can ever match (a pattern byte outside the table's values).
  bool Impossible() const { return impossible_; }

 private:
  struct Anchor {
    Integer offset = 0;
    int count = 0;  // 1..4 data bytes that match this position
    std::array<Byte, 4> bytes{};
  };
  bool Matches(const Byte* at) const;
  Int64 Filtered(const Byte* data, Int64 from, Int64 until, Int64& work) const;
  Int64 Linear(const Byte* data, Int64 last, Int64 from, Int64 until) const;
  Int64 FailureSearch(const Byte* data, Int64 last, Int64 from, Int64 until) const;
  Int64 ShiftAnd(const Byte* data, Int64 last, Int64 from, Int64 until) const;
  // weight[b]: how often byte b is expected in the data.
  void ChooseAnchors(const std::array<Int64, 256>& weight);

  std::vector<Byte> pattern_;
  std::vector<bool> wild_;
  std::array<Byte, 256> table_;
  bool identity_ = true;
  bool anyWild_ = false;
  bool allWild_ = false;
  bool impossible_ = false;
  int anchorCount_ = 0;  // 0: no usable anchor, the linear scan runs throughout
  std::array<Anchor, 2> anchors_{};
  std::vector<Integer> failure_;  // without wildcards
  // With wildcards: for each byte value, the bits of the first maskLength_
  // pattern positions it matches, in words_ 64-bit words.
  std::vector<uint64_t> masks_;
  Integer maskLength_ = 0;
  Integer words_ = 0;
};
