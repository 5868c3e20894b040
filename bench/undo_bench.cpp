// 100 000 single-byte overwrites (the write behind typing a digit) with the
// undo storage recording under MaxUndo = 1 MiB, against the same writes with
// recording off (an open undo group). Once the storage is full every new
// entry first drops the oldest one, so this measures what trimming costs.
// Prints both times and their ratio; the goal is a ratio of at most 1.5.
// Times are the thread's CPU time, so that other work on the machine does
// not count.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "hexview/thexviewdata.h"

namespace {

constexpr Integer kBufferSize = 64 * 1024;
constexpr int kWrites = 100000;
constexpr int kRounds = 5;

double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double RunOnce(bool recordUndo) {
  THexViewData d;
  d.SetDataSize(kBufferSize);
  d.SetModified(false);
  d.SetMaxUndo(1048576);
  if (!recordUndo) d.UndoBeginUpdate();
  uint32_t seed = 12345;
  const double t0 = CpuSeconds();
  for (int i = 0; i < kWrites; ++i) {
    seed = seed * 1103515245u + 12345u;
    const Integer pos = static_cast<Integer>((seed >> 8) % kBufferSize);
    const Byte old = d.GetDataAt(pos);
    d.IntChangeByte(old, static_cast<Byte>(old + 1), pos, std::string());
  }
  const double t1 = CpuSeconds();
  if (recordUndo && d.UndoStorage().Size() < 1048576 - 64)
    std::printf("warning: the storage never filled (%lld bytes)\n",
                static_cast<long long>(d.UndoStorage().Size()));
  return t1 - t0;
}

double Best(bool recordUndo) {
  double best = 1e9;
  for (int r = 0; r < kRounds; ++r) best = std::min(best, RunOnce(recordUndo));
  return best;
}

}  // namespace

int main() {
  const double off = Best(false);
  const double on = Best(true);
  std::printf("%d single-byte overwrites, buffer %d bytes\n", kWrites, kBufferSize);
  std::printf("  undo off                 %9.2f ms\n", off * 1e3);
  std::printf("  undo on, MaxUndo 1 MiB   %9.2f ms\n", on * 1e3);
  std::printf("  ratio %.2f  %s\n", on / off, on / off <= 1.5 ? "(goal <= 1.5 met)" : "(over 1.5)");
  return 0;
}
