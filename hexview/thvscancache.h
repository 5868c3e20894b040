// THVScanCache: the pattern scan of the last search, kept for the next one.
//
// Setting up a scan (its tables, and above all the data sample that picks
// its anchors) costs far more than searching a few kilobytes, and a user
// going from hit to hit searches the same pattern again and again. The
// cache hands out the same scan while pattern, table and wildcard stay,
// and samples the data only when a search is long enough to repay it.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "hexview/hvpatternscan.h"

class THVScanCache {
 public:
  // The scan for this pattern; made anew only when something differs from
  // the last call.
  THVPatternScan& Get(const Byte* pattern, Integer length, const std::array<Byte, 256>& table,
                      bool useWildcard, Byte wildcard);
  // Before searching data[from .. last] of data of dataSize bytes with the
  // scan Get gave: samples the data again when this search is long enough
  // for a larger sample than the scan had, or when the data moved or
  // changed size since.
  void Prepare(const Byte* data, Int64 dataSize, Int64 last, Int64 from);
  void Clear() { scan_.reset(); }

 private:
  std::unique_ptr<THVPatternScan> scan_;
  std::vector<Byte> pattern_;
  std::array<Byte, 256> table_{};
  bool useWildcard_ = false;
  Byte wildcard_ = 0;
  const Byte* data_ = nullptr;
  Int64 dataSize_ = -1;
  Int64 sampled_ = 0;  // bytes of the sample the anchors came from
};
