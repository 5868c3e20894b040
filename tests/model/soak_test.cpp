// Read and Write cycles against the simulated chip with random faults. The
// suite runs 10 000 cycles (ZN_SOAK_CYCLES changes that); bench/soak_bench
// runs longer and prints the figures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/model/soak.h"

namespace {

uint64_t Cycles() {
  const char* text = std::getenv("ZN_SOAK_CYCLES");
  return text != nullptr ? std::strtoull(text, nullptr, 10) : 10000;
}

TEST(Soak, EveryCycleEndsAsItsFaultCallsForAndMemoryStaysFlat) {
  const SoakResult r = RunSoak(Cycles(), 500, 4417);
  RecordProperty("cycles", std::to_string(r.cycles));
  RecordProperty("rss_before_kb", std::to_string(r.rssBeforeKb));
  RecordProperty("rss_after_kb", std::to_string(r.rssAfterKb));
  EXPECT_EQ(r.wrong, 0u) << r.firstWrong;
  EXPECT_GT(r.faulted, r.cycles / 4);
#if !defined(__SANITIZE_ADDRESS__)
  // Under the address sanitizer freed memory sits in quarantine; leaks are
  // its own report there.
  EXPECT_LE(r.rssAfterKb - r.rssBeforeKb, 512) << "resident size grew";
#endif
}

// A different seed sees different fault orders.
TEST(Soak, AnotherSeed) {
  const SoakResult r = RunSoak(2000, 100, 16);
  EXPECT_EQ(r.wrong, 0u) << r.firstWrong;
}

}  // namespace
