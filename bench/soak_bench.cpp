// Soak: Read/Write cycles against the simulated chip with random injected
// faults; prints the cycles, the time they took and the resident size
// before and after.   soak_bench [CYCLES] [SEED]
#include <cstdio>
#include <cstdlib>

#include "tests/model/soak.h"

int main(int argc, char** argv) {
  const uint64_t cycles = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
  const auto seed = static_cast<uint32_t>(argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 4417);
  const SoakResult r = RunSoak(cycles, 1000, seed);
  std::printf("soak: %llu cycles (%llu with a fault) in %.2f s, %.0f cycles/s\n",
              static_cast<unsigned long long>(r.cycles), static_cast<unsigned long long>(r.faulted),
              r.seconds, r.cycles / r.seconds);
  std::printf("soak: resident %ld KiB after warm-up, %ld KiB at the end (%+ld KiB)\n",
              r.rssBeforeKb, r.rssAfterKb, r.rssAfterKb - r.rssBeforeKb);
  std::printf("soak: %llu cycles ended otherwise than their fault calls for%s%s\n",
              static_cast<unsigned long long>(r.wrong), r.wrong ? ": first " : "",
              r.firstWrong.c_str());
  return r.wrong == 0 ? 0 : 1;
}
