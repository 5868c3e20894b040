// Replace All over 16 MiB and 128 MiB of random bytes with a 3-byte
// pattern planted every 4 KiB, replaced by 4 bytes (so the size changes at
// every hit), against the least work a replace-all needs, measured in the
// same run: a memmem scan for every hit plus one copy of the data. Prints
// per size the times and the ratio to that yardstick (goal <= 3), and the
// ratio of the two sizes' times (goal <= 10, i.e. linear: the sizes differ
// by 8). The undo step Replace All records is part of its time.
#include <string.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "hexview/thexviewdata.h"

namespace {

constexpr int kRounds = 3;
constexpr Integer kSpacing = 4096;
constexpr Byte kPattern[] = {'Z', 'q', '7'};
constexpr Byte kReplacement[] = {'W', 'x', 'y', 'z'};

double Seconds(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

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

struct Figures {
  double replaceAll = 1e9, yardstick = 1e9;
  Integer count = 0;
  int memmemHits = 0;
};

Figures Measure(Integer size) {
  const std::vector<Byte> source = Planted(size);
  Figures f;
  THexViewData d;
  for (int r = 0; r < kRounds; ++r) {
    d.SetDataSize(0);
    d.SetDataSize(size);
    std::memcpy(d.GetFastPointer(), source.data(), source.size());
    d.SetModified(false);  // as after a load: no undo history
    d.PrepareFindReplaceData("", false, false);
    const auto t0 = std::chrono::steady_clock::now();
    f.count = d.ReplaceAll(kPattern, 3, kReplacement, 4, 0, size - 1, false, -1, "Replace All");
    f.replaceAll = std::min(f.replaceAll, Seconds(t0));
  }
  std::vector<Byte> copy(source.size());
  for (int r = 0; r < kRounds; ++r) {
    const auto t0 = std::chrono::steady_clock::now();
    int hits = 0;
    const Byte* end = source.data() + source.size();
    for (const Byte* at = source.data();; ++hits) {
      const void* found = memmem(at, static_cast<size_t>(end - at), kPattern, 3);
      if (!found) break;
      at = static_cast<const Byte*>(found) + 3;
    }
    std::memcpy(copy.data(), source.data(), source.size());
    f.yardstick = std::min(f.yardstick, Seconds(t0));
    f.memmemHits = hits;
  }
  return f;
}

}  // namespace

int main() {
  const Figures small = Measure(16 << 20);
  const Figures large = Measure(128 << 20);
  bool ok = true;
  for (const auto& [name, f] : {std::pair{"16 MiB ", small}, std::pair{"128 MiB", large}}) {
    const double ratio = f.replaceAll / f.yardstick;
    std::printf(
        "%s: %d replacements  Replace All %8.1f ms | memmem scan + one copy %7.1f ms  "
        "ratio %5.2f  (goal <= 3)  %s%s\n",
        name, f.count, f.replaceAll * 1e3, f.yardstick * 1e3, ratio, ratio <= 3 ? "met" : "MISSED",
        f.count == f.memmemHits ? "" : "  COUNTS DIFFER");
    ok = ok && f.count == f.memmemHits;
  }
  const double growth = large.replaceAll / small.replaceAll;
  std::printf("128 MiB : 16 MiB time ratio %5.2f  (goal <= 10, linear is 8)  %s\n", growth,
              growth <= 10 ? "met" : "MISSED");
  return ok ? 0 : 1;
}
