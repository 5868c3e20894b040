// THVScanCache: reuse of the last search's scan.
#include "hexview/thvscancache.h"

#include <algorithm>

namespace {

// The sample is at most this share of the bytes a search may read, so it
// never costs more than a small part of the search itself.
constexpr Int64 kSampleShare = 64;

}  // namespace

THVPatternScan& THVScanCache::Get(const Byte* pattern, Integer length,
                                  const std::array<Byte, 256>& table, bool useWildcard,
                                  Byte wildcard) {
  const bool same =
      scan_ && useWildcard == useWildcard_ && (!useWildcard || wildcard == wildcard_) &&
      table == table_ &&
      std::equal(pattern, pattern + std::max(length, 0), pattern_.begin(), pattern_.end());
  if (!same) {
    scan_ = std::make_unique<THVPatternScan>(pattern, length, table, useWildcard, wildcard);
    pattern_.assign(pattern, pattern + std::max(length, 0));
    table_ = table;
    useWildcard_ = useWildcard;
    wildcard_ = wildcard;
    sampled_ = 0;
  }
  return *scan_;
}

void THVScanCache::Prepare(const Byte* data, Int64 dataSize, Int64 last, Int64 from) {
  if (!scan_) return;
  if (data != data_ || dataSize != dataSize_) sampled_ = 0;
  data_ = data;
  dataSize_ = dataSize;
  const Int64 budget =
      std::min(THVPatternScan::kMaxSample, (last - std::max<Int64>(from, 0) + 1) / kSampleShare);
  if (budget <= sampled_) return;
  scan_->Adapt(data, last, from, budget);
  sampled_ = budget;
}
