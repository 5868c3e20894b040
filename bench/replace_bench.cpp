// Replace All over 16 MiB and 128 MiB of random bytes with a 3-byte
// pattern planted every 4 KiB, replaced by 4 bytes (so the size changes at
// every hit), against the least work a replace-all needs, measured in the
// same run: a memmem scan for every hit plus one copy of the data. Prints
// per size the times and the ratio to that yardstick (goal <= 3), and the
// ratio of the two sizes' times (goal <= 10, i.e. linear: the sizes differ
// by 8). The undo step Replace All records is part of its time.
// Each round runs, back to back, the yardstick and Replace All at 16 MiB
// and then at 128 MiB, after a warm-up round that is not counted; every
// figure is the median over the rounds of that round's own ratio, so a
// change of load on a shared machine strikes both sides of a ratio alike.
#include <string.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <tuple>
#include <vector>

#include "bench/paired_rounds.h"
#include "hexview/thexviewdata.h"

namespace {

constexpr int kRounds = 7;
constexpr Integer kSpacing = 4096;
constexpr Byte kPattern[] = {'Z', 'q', '7'};
constexpr Byte kReplacement[] = {'W', 'x', 'y', 'z'};

uint64_t Next(uint64_t& s) {
  s ^= s << 13;
  s ^= s >> 7;
  s ^= s << 17;
  return s;
}

std::vector<Byte> Planted(Integer size) {
  std::vector<Byte> v(static_cast<size_t>(size));
  uint64_t s = 0x9E3779B97F4A7C15ull;
  for (Integer i = 0; i + 8 <= size; i += 8) {
    const uint64_t r = Next(s);
    std::memcpy(v.data() + i, &r, 8);
  }
  for (Integer at = kSpacing - 3; at + 3 <= size; at += kSpacing)
    std::memcpy(v.data() + at, kPattern, 3);
  return v;
}

// One size: its data, Replace All on a fresh copy of it, and the yardstick.
class TSizeRun {
 public:
  explicit TSizeRun(Integer size) : source_(Planted(size)), copy_(source_.size()) {}

  double ReplaceAllRound() {
    const Integer size = static_cast<Integer>(source_.size());
    d_.SetDataSize(0);
    d_.SetDataSize(size);
    std::memcpy(d_.GetFastPointer(), source_.data(), source_.size());
    d_.SetModified(false);  // as after a load: no undo history
    d_.PrepareFindReplaceData("", false, false);
    return TimeSeconds([&] {
      count_ = d_.ReplaceAll(kPattern, 3, kReplacement, 4, 0, size - 1, false, -1, "Replace All");
    });
  }

  double YardstickRound() {
    return TimeSeconds([&] {
      int hits = 0;
      const Byte* end = source_.data() + source_.size();
      for (const Byte* at = source_.data();; ++hits) {
        const void* found = memmem(at, static_cast<size_t>(end - at), kPattern, 3);
        if (!found) break;
        at = static_cast<const Byte*>(found) + 3;
      }
      std::memcpy(copy_.data(), source_.data(), source_.size());
      memmemHits_ = hits;
    });
  }

  Integer Count() const { return count_; }
  bool CountsAgree() const { return count_ == memmemHits_; }

 private:
  std::vector<Byte> source_, copy_;
  THexViewData d_;
  Integer count_ = 0;
  int memmemHits_ = -1;
};

struct TSizeFigures {
  std::vector<double> replaceAll, yardstick, ratio;
};

void Round(TSizeRun& run, TSizeFigures* f) {
  const double y = run.YardstickRound();
  const double r = run.ReplaceAllRound();
  if (!f) return;
  f->yardstick.push_back(y);
  f->replaceAll.push_back(r);
  f->ratio.push_back(r / y);
}

}  // namespace

int main() {
  TSizeRun small(16 << 20), large(128 << 20);
  TSizeFigures s, l;
  std::vector<double> growth;
  Round(small, nullptr);  // warm-up
  Round(large, nullptr);
  for (int r = 0; r < kRounds; ++r) {
    Round(small, &s);
    Round(large, &l);
    growth.push_back(l.replaceAll.back() / s.replaceAll.back());
  }
  bool ok = true;
  for (const auto& [name, run, f] :
       {std::tuple{"16 MiB ", &small, &s}, std::tuple{"128 MiB", &large, &l}}) {
    const double ratio = Median(f->ratio);
    std::printf(
        "%s: %d replacements  Replace All %8.1f ms | memmem scan + one copy %7.1f ms  "
        "ratio %5.2f  (goal <= 3)  %s%s\n",
        name, run->Count(), Median(f->replaceAll) * 1e3, Median(f->yardstick) * 1e3, ratio,
        ratio <= 3 ? "met" : "MISSED", run->CountsAgree() ? "" : "  COUNTS DIFFER");
    ok = ok && run->CountsAgree();
  }
  const double g = Median(growth);
  std::printf("128 MiB : 16 MiB time ratio %5.2f  (goal <= 10, linear is 8)  %s  [%d rounds]\n", g,
              g <= 10 ? "met" : "MISSED", kRounds);
  return ok ? 0 : 1;
}
