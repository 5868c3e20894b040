// Soak of Read and Write against the simulated chip with random faults:
// each cycle picks a fault (or none), runs a Read or a Write through the
// controller and checks that the outcome is the one the fault calls for.
#pragma once

#include <cstdint>
#include <string>

struct SoakResult {
  uint64_t cycles = 0;
  uint64_t faulted = 0;    // cycles run with a fault
  uint64_t wrong = 0;      // cycles whose outcome was not the expected one
  std::string firstWrong;  // what went wrong first
  long rssBeforeKb = 0;    // after the warm-up cycles
  long rssAfterKb = 0;
  double seconds = 0;
};

// Runs `warmUp` cycles, takes the resident size, then `cycles` more.
SoakResult RunSoak(uint64_t cycles, uint64_t warmUp, uint32_t seed);

// Resident set size of this process in KiB.
long ResidentKb();
