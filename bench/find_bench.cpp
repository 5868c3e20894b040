// Forward search over a 1 GiB hex view buffer against glibc memmem over the
// same bytes, measured in the same run. The pattern lies near the end, so
// each search reads nearly the whole buffer. Prints, per data kind and
// pattern length, the times and the ratio memmem time / search time (1.0:
// as fast as memmem; higher is faster). Goals: case-sensitive >= 0.8,
// ignore-case and with a wildcard byte >= 0.5.
// Then the cost of many short searches: finding every hit of a pattern
// planted every 4 KiB in 128 MiB, one Find call per hit (as F3 does),
// against the same loop with memmem. Goal: Find loop time / memmem loop
// time <= 3.
// Every figure comes from rounds that run the search and its memmem
// yardstick back to back, after a warm-up round, and is the median over
// the rounds of that round's own ratio (bench/paired_rounds.h).
#include <string.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/paired_rounds.h"
#include "hexview/thexviewdata.h"

namespace {

constexpr Integer kSize = 1 << 30;
constexpr int kRounds = 5;

// The search against memmem over the same bytes, in paired rounds.
template <typename Y, typename S>
TPairedTimes Paired(Y&& yardstick, S&& search) {
  return MeasurePaired(
      kRounds, [&] { return TimeSeconds(yardstick); }, [&] { return TimeSeconds(search); });
}

uint64_t Next(uint64_t& s) {
  s ^= s << 13;
  s ^= s >> 7;
  s ^= s << 17;
  return s;
}

void FillRandom(Byte* p, Integer n) {
  uint64_t s = 0x9E3779B97F4A7C15ull;
  for (Integer i = 0; i + 8 <= n; i += 8) {
    const uint64_t v = Next(s);
    std::memcpy(p + i, &v, 8);
  }
}

// Lower- and upper-case words between spaces and line ends.
void FillText(Byte* p, Integer n) {
  uint64_t s = 0x2545F4914F6CDD1Dull;
  for (Integer i = 0; i < n; ++i) {
    const uint64_t v = Next(s);
    const int r = static_cast<int>(v % 64);
    p[i] = r < 9 ? ' ' : r == 9 ? '\n' : static_cast<Byte>((v >> 8) % 26 + (r < 14 ? 'A' : 'a'));
  }
}

// n bytes of a mixed-case sentence, repeated as needed.
std::string Sentence(size_t n) {
  const std::string s = "The Quick brown Fox jumps over the lazy Dog, 0123456789. ";
  std::string out;
  while (out.size() < n) out += s;
  return out.substr(0, n);
}

struct Ratios {
  double exact = 1e9, folded = 1e9, wildcard = 1e9;
};

// Plants text near the end and searches for it three ways.
void Measure(THexViewData& d, const char* kind, const std::string& planted, Ratios& worst,
             bool& sameAnswers) {
  Byte* data = d.GetFastPointer();
  const Integer at = kSize - 4096 - static_cast<Integer>(planted.size());
  std::memcpy(data + at, planted.data(), planted.size());
  const auto* needle = reinterpret_cast<const Byte*>(planted.data());
  const Integer m = static_cast<Integer>(planted.size());

  const void* hit = nullptr;
  const auto mm = [&] { hit = memmem(data, kSize, needle, m); };
  mm();
  const Integer expected = hit ? static_cast<Integer>(static_cast<const Byte*>(hit) - data) : -1;

  Integer found = -1;
  d.PrepareFindReplaceData(planted, false, false);
  const TPairedTimes exact = Paired(mm, [&] { found = d.Find(needle, m, 0, kSize - 1, false); });
  sameAnswers = sameAnswers && found == expected;

  std::string lower = planted;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  const std::string folded = d.PrepareFindReplaceData(lower, true, true);
  const auto* fp = reinterpret_cast<const Byte*>(folded.data());
  const TPairedTimes fold = Paired(mm, [&] { found = d.Find(fp, m, 0, kSize - 1, true); });
  sameAnswers = sameAnswers && found <= expected && found >= 0;

  std::string wild = planted;
  wild[m / 3] = '\x01';
  d.PrepareFindReplaceData(wild, false, false);
  const auto* wp = reinterpret_cast<const Byte*>(wild.data());
  const TPairedTimes wc =
      Paired(mm, [&] { found = d.FindWithWildcard(wp, m, 0, kSize - 1, false, 0x01); });
  sameAnswers = sameAnswers && found <= expected && found >= 0;

  std::printf(
      "%-7s m=%-3d memmem %7.1f ms | case-sensitive %7.1f ms  ratio %5.2f | "
      "ignore-case %7.1f ms  ratio %5.2f | wildcard %7.1f ms  ratio %5.2f\n",
      kind, m, exact.yardstick * 1e3, exact.subject * 1e3, 1 / exact.ratio, fold.subject * 1e3,
      1 / fold.ratio, wc.subject * 1e3, 1 / wc.ratio);
  worst.exact = std::min(worst.exact, 1 / exact.ratio);
  worst.folded = std::min(worst.folded, 1 / fold.ratio);
  worst.wildcard = std::min(worst.wildcard, 1 / wc.ratio);
  std::memset(data + at, 0x5A, planted.size());  // away again for the next pattern
}

// Finds every hit in the first 128 MiB of d, each search from the byte
// after the last hit, with Find and with memmem; returns Find loop time /
// memmem loop time.
double HitLoopRatio(THexViewData& d) {
  constexpr Integer kLoopSize = 128 << 20;
  constexpr Integer kSpacing = 4096;
  const std::string p = "Zq7#";
  const auto* needle = reinterpret_cast<const Byte*>(p.data());
  const Integer m = static_cast<Integer>(p.size());
  Byte* data = d.GetFastPointer();
  FillRandom(data, kLoopSize);
  for (Integer at = kSpacing - m; at + m <= kLoopSize; at += kSpacing)
    std::memcpy(data + at, p.data(), p.size());
  d.PrepareFindReplaceData(p, false, false);
  int hits = 0, memmemHits = 0;
  const TPairedTimes t = Paired(
      [&] {
        memmemHits = 0;
        for (const Byte* at = data;; ++memmemHits) {
          const void* found = memmem(at, static_cast<size_t>(data + kLoopSize - at), needle, m);
          if (!found) break;
          at = static_cast<const Byte*>(found) + 1;
        }
      },
      [&] {
        hits = 0;
        for (Integer at = 0;; ++hits) {
          const Integer found = d.Find(needle, m, at, kLoopSize - 1, false);
          if (found < 0) break;
          at = found + 1;
        }
      });
  std::printf(
      "hit loop: %d hits in 128 MiB (one per 4 KiB): Find loop %7.1f ms (%5.2f us per call), "
      "memmem loop %7.1f ms  ratio Find/memmem %5.2f  (goal <= 3)  %s%s\n",
      hits, t.subject * 1e3, t.subject * 1e6 / std::max(1, hits), t.yardstick * 1e3, t.ratio,
      t.ratio <= 3 ? "met" : "MISSED", hits == memmemHits ? "" : "  HIT COUNTS DIFFER");
  return hits == memmemHits ? t.ratio : -1;
}

}  // namespace

int main() {
  THexViewData d;
  d.SetDataSize(kSize);
  Ratios worst;
  bool same = true;
  const std::vector<std::string> patterns = {"Zq7#Xv",           "Needle.8",
                                             "Needle in a Hays", "A longer Needle in a Haystack 32",
                                             Sentence(64),       Sentence(256)};
  FillRandom(d.GetFastPointer(), kSize);
  for (const std::string& p : patterns) Measure(d, "random", p, worst, same);
  FillText(d.GetFastPointer(), kSize);
  for (const std::string& p : patterns) Measure(d, "text", p, worst, same);

  // The same case-sensitive search with progress reports on (500 pieces).
  d.SetFindProgress(true);
  int reports = 0;
  d.OnProgress = [&](THexViewData&, THVProgressKind, const std::string&, Byte, bool&) {
    ++reports;
  };
  const std::string& p = patterns[2];
  const Integer m = static_cast<Integer>(p.size());
  std::memcpy(d.GetFastPointer() + kSize - 4096 - m, p.data(), p.size());
  d.PrepareFindReplaceData(p, false, false);
  const auto* needle = reinterpret_cast<const Byte*>(p.data());
  const void* hit = nullptr;
  int searches = 0;
  const TPairedTimes withProgress =
      Paired([&] { hit = memmem(d.GetFastPointer(), kSize, needle, m); },
             [&] {
               d.Find(needle, m, 0, kSize - 1, false);
               ++searches;
             });
  std::printf(
      "text    m=%-3d case-sensitive with progress %7.1f ms  ratio %5.2f  (%d reports "
      "per search)\n",
      m, withProgress.subject * 1e3, 1 / withProgress.ratio, reports / searches);

  std::printf("\nworst ratios (memmem time / search time) over all patterns and data:\n");
  std::printf("  case-sensitive %5.2f  (goal >= 0.8)  %s\n", worst.exact,
              worst.exact >= 0.8 ? "met" : "MISSED");
  std::printf("  ignore-case    %5.2f  (goal >= 0.5)  %s\n", worst.folded,
              worst.folded >= 0.5 ? "met" : "MISSED");
  std::printf("  wildcard       %5.2f  (goal >= 0.5)  %s\n", worst.wildcard,
              worst.wildcard >= 0.5 ? "met" : "MISSED");
  same = same && hit != nullptr;
  d.SetFindProgress(false);
  std::printf("\n");
  same = HitLoopRatio(d) >= 0 && same;
  std::printf("answers %s\n", same ? "agree with memmem" : "DIFFER from memmem");
  return same ? 0 : 1;
}
