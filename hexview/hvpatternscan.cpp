// THVPatternScan: anchored vector filter with a linear fallback.
#include "hexview/hvpatternscan.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// After the filter let through more than one start in 32 (plus a little
// slack) it hands this many starts to the linear scan before trying again.
constexpr Int64 kLinearWindow = 64 * 1024;
constexpr Int64 kCandidateSlack = 256;
constexpr Integer kMaxMaskLength = 4096;

constexpr Int64 kSamplePiece = 4096;

// How often a byte turns up in typical files: zero bytes, 0xFF fill,
// spaces and the common lower-case letters are poor anchors.
std::array<Int64, 256> TypicalWeights() {
  std::array<Int64, 256> w;
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    const bool lower = c >= 'a' && c <= 'z';
    w[b] = 1;
    if (c >= 'A' && c <= 'Z') w[b] = 2;
    if (lower || (c >= '0' && c <= '9') || c == '\r' || c == '\n') w[b] = 3;
    if (lower && std::strchr("etaoinsrhl", c)) w[b] = 5;
    if (b == 0xFF || c == ' ') w[b] = 8;
    if (b == 0) w[b] = 12;
  }
  return w;
}

}  // namespace

THVPatternScan::THVPatternScan(const Byte* pattern, Integer length,
                               const std::array<Byte, 256>& table, bool useWildcard, Byte wildcard)
    : pattern_(pattern, pattern + std::max(length, 0)), table_(table) {
  const Integer m = static_cast<Integer>(pattern_.size());
  wild_.resize(m);
  for (Integer k = 0; k < m; ++k) wild_[k] = useWildcard && pattern_[k] == wildcard;
  anyWild_ = std::find(wild_.begin(), wild_.end(), true) != wild_.end();
  allWild_ = std::find(wild_.begin(), wild_.end(), false) == wild_.end();
  for (int i = 0; i < 256; ++i) identity_ = identity_ && table_[i] == i;
  std::array<bool, 256> isValue{};
  for (Byte v : table_) isValue[v] = true;
  for (Integer k = 0; k < m; ++k) impossible_ = impossible_ || (!wild_[k] && !isValue[pattern_[k]]);
  if (m == 0) impossible_ = true;
  if (impossible_ || allWild_) return;
  ChooseAnchors(TypicalWeights());
  if (!anyWild_) {
    // Failure function over the pattern bytes: data byte b stands for
    // table[b], so this is plain string matching on the mapped data.
    failure_.assign(m, 0);
    for (Integer k = 1, j = 0; k < m; ++k) {
      while (j > 0 && pattern_[k] != pattern_[j]) j = failure_[j - 1];
      if (pattern_[k] == pattern_[j]) ++j;
      failure_[k] = j;
    }
  } else {
    maskLength_ = std::min<Integer>(m, kMaxMaskLength);
    words_ = (maskLength_ + 63) / 64;
    masks_.assign(static_cast<size_t>(words_) * 256, 0);
    for (Integer k = 0; k < maskLength_; ++k)
      for (int b = 0; b < 256; ++b)
        if (wild_[k] || table_[b] == pattern_[k])
          masks_[static_cast<size_t>(b) * words_ + k / 64] |= uint64_t{1} << (k % 64);
  }
}

void THVPatternScan::Adapt(const Byte* data, Int64 last, Int64 from, Int64 sampleBytes) {
  from = std::max<Int64>(from, 0);  // as FindIn: a start before the data is its start
  if (impossible_ || allWild_ || !data || from > last || sampleBytes < 1) return;
  // A byte histogram of pieces of up to 4 KiB spread over the range; every
  // byte starts at 1 so that unseen bytes still differ by set size.
  std::array<Int64, 256> weight;
  weight.fill(1);
  const Int64 length = last - from + 1;
  const Int64 piece = std::min({kSamplePiece, sampleBytes, length});
  const Int64 pieces =
      std::max<Int64>(1, std::min(std::min(sampleBytes, kMaxSample) / piece, length / piece));
  for (Int64 i = 0; i < pieces; ++i) {
    const Int64 begin = from + (length - piece) * i / std::max<Int64>(1, pieces - 1);
    const Int64 end = std::min(last + 1, begin + piece);
    for (Int64 j = begin; j < end; ++j) ++weight[data[j]];
  }
  ChooseAnchors(weight);
}

void THVPatternScan::ChooseAnchors(const std::array<Int64, 256>& weight) {
  // Per pattern value: the data bytes that give it (up to 4 are usable) and
  // how often they occur together; lower scores make better anchors.
  std::array<Anchor, 256> sets{};
  std::array<Int64, 256> score{};
  for (int b = 0; b < 256; ++b) {
    Anchor& a = sets[table_[b]];
    if (a.count < 4) a.bytes[a.count] = static_cast<Byte>(b);
    ++a.count;
    score[table_[b]] += weight[b];
  }
  anchorCount_ = 0;
  auto usable = [&](Integer k) { return !wild_[k] && sets[pattern_[k]].count <= 4; };
  const Integer m = static_cast<Integer>(pattern_.size());
  Integer first = -1;
  for (Integer k = 0; k < m; ++k)
    if (usable(k) && (first < 0 || score[pattern_[k]] < score[pattern_[first]])) first = k;
  if (first < 0) return;
  // Second anchor: the next best score, and among equals the farthest from
  // the first (neighbouring bytes tend to go together).
  Integer second = -1;
  for (Integer k = 0; k < m; ++k) {
    if (k == first || !usable(k)) continue;
    if (second < 0 || score[pattern_[k]] < score[pattern_[second]] ||
        (score[pattern_[k]] == score[pattern_[second]] &&
         std::abs(k - first) > std::abs(second - first)))
      second = k;
  }
  anchors_[0] = sets[pattern_[first]];
  anchors_[0].offset = first;
  anchorCount_ = 1;
  if (second < 0) return;
  anchors_[1] = sets[pattern_[second]];
  anchors_[1].offset = second;
  anchorCount_ = 2;
}

bool THVPatternScan::Matches(const Byte* at) const {
  const size_t m = pattern_.size();
  if (identity_ && !anyWild_) return std::memcmp(at, pattern_.data(), m) == 0;
  for (size_t k = 0; k < m; ++k)
    if (!wild_[k] && table_[at[k]] != pattern_[k]) return false;
  return true;
}

Int64 THVPatternScan::FindIn(const Byte* data, Int64 last, Int64 from, Int64 until) const {
  const Int64 m = static_cast<Int64>(pattern_.size());
  from = std::max<Int64>(from, 0);
  until = std::min(until, last - m + 2);
  if (impossible_ || !data || from >= until) return -1;
  if (allWild_) return from;
  Int64 s = from;
  while (s < until) {
    if (anchorCount_ > 0) {
      Int64 stopped = until;
      const Int64 r = Filtered(data, s, until, stopped);
      if (r >= 0) return r;
      if (stopped >= until) return -1;
      s = stopped;
    }
    const Int64 e = anchorCount_ > 0 ? std::min(until, s + kLinearWindow) : until;
    const Int64 r = Linear(data, last, s, e);
    if (r >= 0) return r;
    s = e;
  }
  return -1;
}

#if defined(__SSE2__)

namespace {

template <int N>
struct AnchorSet {
  __m128i v[N];
  const Byte* base;
  explicit AnchorSet(const Byte* data, const std::array<Byte, 4>& bytes, int count, Integer offset)
      : base(data + offset) {
    for (int i = 0; i < N; ++i)
      v[i] = _mm_set1_epi8(static_cast<char>(bytes[std::min(i, count - 1)]));
  }
  __m128i Hits(Int64 s) const {
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + s));
    __m128i r = _mm_cmpeq_epi8(d, v[0]);
    for (int i = 1; i < N; ++i) r = _mm_or_si128(r, _mm_cmpeq_epi8(d, v[i]));
    return r;
  }
};

// Candidate starts of the 32 starts from s as a bit mask.
template <int N>
inline uint32_t Candidates(const AnchorSet<N>& a, const AnchorSet<N>& b, Int64 s) {
  const uint32_t lo = static_cast<uint32_t>(_mm_movemask_epi8(_mm_and_si128(a.Hits(s), b.Hits(s))));
  const uint32_t hi =
      static_cast<uint32_t>(_mm_movemask_epi8(_mm_and_si128(a.Hits(s + 16), b.Hits(s + 16))));
  return lo | (hi << 16);
}

template <int N, typename Verify>
Int64 FilterLoop(const Byte* data, const std::array<Byte, 4>& b0, int c0, Integer o0,
                 const std::array<Byte, 4>& b1, int c1, Integer o1, Int64 from, Int64 until,
                 Int64& stopped, const Verify& verify) {
  const AnchorSet<N> a(data, b0, c0, o0), b(data, b1, c1, o1);
  Int64 candidates = 0;
  Int64 s = from;
  for (; s + 32 <= until; s += 32) {
    uint32_t mask = Candidates(a, b, s);
    if (!mask) continue;
    while (mask) {
      const Int64 at = s + __builtin_ctz(mask);
      if (verify(data + at)) return at;
      mask &= mask - 1;
      ++candidates;
    }
    if (candidates > kCandidateSlack + (s - from) / 32) {
      stopped = s + 32;
      return -1;
    }
  }
  for (; s < until; ++s)
    if (verify(data + s)) return s;
  stopped = until;
  return -1;
}

}  // namespace

Int64 THVPatternScan::Filtered(const Byte* data, Int64 from, Int64 until, Int64& stopped) const {
  const Anchor& a = anchors_[0];
  const Anchor& b = anchors_[anchorCount_ > 1 ? 1 : 0];
  auto verify = [this](const Byte* at) { return Matches(at); };
  const int n = std::max(a.count, b.count);
  if (n == 1)
    return FilterLoop<1>(data, a.bytes, a.count, a.offset, b.bytes, b.count, b.offset, from, until,
                         stopped, verify);
  if (n == 2)
    return FilterLoop<2>(data, a.bytes, a.count, a.offset, b.bytes, b.count, b.offset, from, until,
                         stopped, verify);
  return FilterLoop<4>(data, a.bytes, a.count, a.offset, b.bytes, b.count, b.offset, from, until,
                       stopped, verify);
}

#else

Int64 THVPatternScan::Filtered(const Byte* data, Int64 from, Int64 until, Int64& stopped) const {
  // Without vector compares: a membership table for the first anchor.
  std::array<bool, 256> hit{};
  const Anchor& a = anchors_[0];
  for (int i = 0; i < a.count; ++i) hit[a.bytes[i]] = true;
  const Byte* base = data + a.offset;
  Int64 candidates = 0;
  for (Int64 s = from; s < until; ++s) {
    if (!hit[base[s]]) continue;
    if (Matches(data + s)) return s;
    if (++candidates > kCandidateSlack + (s - from) / 32) {
      stopped = s + 1;
      return -1;
    }
  }
  stopped = until;
  return -1;
}

#endif

Int64 THVPatternScan::Linear(const Byte* data, Int64 last, Int64 from, Int64 until) const {
  return anyWild_ ? ShiftAnd(data, last, from, until) : FailureSearch(data, last, from, until);
}

Int64 THVPatternScan::FailureSearch(const Byte* data, Int64 last, Int64 from, Int64 until) const {
  const Integer m = static_cast<Integer>(pattern_.size());
  Integer j = 0;  // bytes of the pattern matched so far, ending before i
  for (Int64 i = from; i <= last && i - j < until; ++i) {
    const Byte c = table_[data[i]];
    while (j > 0 && pattern_[j] != c) j = failure_[j - 1];
    if (pattern_[j] == c) ++j;
    if (j == m) return i - m + 1;
  }
  return -1;
}

Int64 THVPatternScan::ShiftAnd(const Byte* data, Int64 last, Int64 from, Int64 until) const {
  // A match is seen when its first maskLength_ bytes have been read, so the
  // matches come out in the order of their starts.
  const Int64 stop = std::min(last, until + maskLength_ - 2);
  const bool verify = maskLength_ < static_cast<Integer>(pattern_.size());
  const Integer top = maskLength_ - 1;
  if (words_ == 1) {
    const uint64_t done = uint64_t{1} << top;
    uint64_t state = 0;
    for (Int64 i = from; i <= stop; ++i) {
      state = ((state << 1) | 1) & masks_[data[i]];
      if ((state & done) && (!verify || Matches(data + i - top))) return i - top;
    }
    return -1;
  }
  std::vector<uint64_t> state(words_, 0);
  const uint64_t done = uint64_t{1} << (top % 64);
  for (Int64 i = from; i <= stop; ++i) {
    const uint64_t* mask = &masks_[static_cast<size_t>(data[i]) * words_];
    uint64_t carry = 1;
    for (Integer w = 0; w < words_; ++w) {
      const uint64_t next = state[w] >> 63;
      state[w] = ((state[w] << 1) | carry) & mask[w];
      carry = next;
    }
    if ((state[top / 64] & done) && (!verify || Matches(data + i - top))) return i - top;
  }
  return -1;
}
