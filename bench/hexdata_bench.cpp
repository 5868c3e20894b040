// Reads and writes every byte of a 256 MiB hex view buffer through the
// unchecked GetDataAt / SetDataAt and compares with memcpy of the same
// bytes. Prints the figures; the goal is to stay within 2x of memcpy.
//
// The last row runs the same byte loop over a pointer the caller keeps
// (GetFastPointer()): it shows what any byte-by-byte loop costs in this
// build, so the accessor's own share is the difference to that row.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "hexview/thexviewdata.h"

namespace {

constexpr Integer kSize = 256 * 1024 * 1024;
constexpr int kRounds = 5;

template <typename F>
double BestSeconds(F&& f) {
  double best = 1e9;
  for (int r = 0; r < kRounds; ++r) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    const auto t1 = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double>(t1 - t0).count());
  }
  return best;
}

void Report(const char* what, double seconds, double memcpySeconds) {
  const double mib = kSize / (1024.0 * 1024.0);
  std::printf("%-44s %8.1f ms %9.1f MiB/s  ratio %5.2f  %s\n", what, seconds * 1e3, mib / seconds,
              seconds / memcpySeconds, seconds <= 2 * memcpySeconds ? "within 2x" : "over 2x");
}

}  // namespace

int main() {
  THexViewData data;
  data.SetDataSize(kSize);
  for (Integer i = 0; i < kSize; i += 4096) data.SetDataAt(i, static_cast<Byte>(i >> 12));
  std::vector<Byte> dest(kSize, 1);
  bool ok = true;

  const double copy = BestSeconds([&] { std::memcpy(dest.data(), data.GetFastPointer(), kSize); });

  std::fill(dest.begin(), dest.end(), 0);
  const double readCopy = BestSeconds([&] {
    Byte* out = dest.data();
    for (Integer i = 0; i < kSize; ++i) out[i] = data.GetDataAt(i);
  });
  ok = ok && std::memcmp(dest.data(), data.GetFastPointer(), kSize) == 0;

  uint64_t sum = 0;
  const double readSum = BestSeconds([&] {
    uint64_t s = 0;
    for (Integer i = 0; i < kSize; ++i) s += data.GetDataAt(i);
    sum = s;
  });

  for (Integer i = 0; i < kSize; i += 4096) dest[i] ^= 0x5A;
  const double write = BestSeconds([&] {
    const Byte* in = dest.data();
    for (Integer i = 0; i < kSize; ++i) data.SetDataAt(i, in[i]);
  });
  ok = ok && std::memcmp(dest.data(), data.GetFastPointer(), kSize) == 0;

  const double rawRead = BestSeconds([&] {
    const Byte* p = data.GetFastPointer();
    Byte* out = dest.data();
    for (Integer i = 0; i < kSize; ++i) out[i] = p[i];
  });

  std::printf("hex view buffer: %d MiB, best of %d rounds (checksum %llu)\n", kSize / (1024 * 1024),
              kRounds, static_cast<unsigned long long>(sum));
  Report("memcpy", copy, copy);
  Report("GetDataAt into a byte array", readCopy, copy);
  Report("GetDataAt summed (no stores)", readSum, copy);
  Report("SetDataAt from a byte array", write, copy);
  Report("pointer kept by the caller, byte loop", rawRead, copy);
  if (!ok) std::printf("MISMATCH: bytes read or written differ\n");
  return ok ? 0 : 1;
}
