// Timing a piece of work against its yardstick on a machine shared with
// other work: each round runs the two back to back, so that a change of
// load strikes both alike, in turn yardstick first and subject first, after
// one warm-up round of each that is not counted (first touch of memory,
// caches, the allocator's first blocks). The figures are medians over the
// rounds, so one disturbed round does not decide them.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

struct TPairedTimes {
  double yardstick = 0;  // median seconds
  double subject = 0;    // median seconds
  double ratio = 0;      // median of subject / yardstick per round
};

template <typename F>
double TimeSeconds(F&& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// yardstick() and subject() each do one round of their work and return
// the seconds it took (so that setting up a round stays out of the time).
template <typename Y, typename S>
TPairedTimes MeasurePaired(int rounds, Y&& yardstick, S&& subject) {
  yardstick();
  subject();
  std::vector<double> ys, ss, rs;
  for (int r = 0; r < rounds; ++r) {
    double y = 0, s = 0;
    if (r % 2 == 0) {
      y = yardstick();
      s = subject();
    } else {
      s = subject();
      y = yardstick();
    }
    ys.push_back(y);
    ss.push_back(s);
    rs.push_back(s / y);
  }
  return {Median(ys), Median(ss), Median(rs)};
}
