// The fast forward search must give exactly the answers of trying every
// start in turn: compared here with that plain loop on seeded random data,
// patterns, wildcards, folding tables and ranges.
#include <gtest/gtest.h>

#include <random>

#include "hexview/hvpatternscan.h"
#include "tests/hexview/hexdata_test_util.h"

namespace {

using Bytes = std::vector<Byte>;
using Table = std::array<Byte, 256>;

// First start at or after start whose match ends at or before end (cut to
// the data), trying every start.
Int64 PlainFind(const Bytes& data, const Bytes& pattern, Int64 start, Int64 end, const Table& table,
                bool useWildcard, Byte wildcard) {
  const Int64 m = static_cast<Int64>(pattern.size());
  end = std::min<Int64>(end, static_cast<Int64>(data.size()) - 1);
  start = std::max<Int64>(start, 0);
  if (m < 1 || start + m > end + 1) return -1;
  for (Int64 at = start; at + m - 1 <= end; ++at) {
    Int64 k = 0;
    while (k < m && ((useWildcard && pattern[k] == wildcard) || table[data[at + k]] == pattern[k]))
      ++k;
    if (k == m) return at;
  }
  return -1;
}

Table Identity() {
  Table t;
  for (int i = 0; i < 256; ++i) t[i] = static_cast<Byte>(i);
  return t;
}

struct Case {
  Bytes data;
  Bytes pattern;
  Int64 start = 0;
  Int64 end = 0;
  Table table{};
  bool useWildcard = false;
  Byte wildcard = 0;
};

class RandomCases {
 public:
  explicit RandomCases(unsigned seed) : rng_(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  Case Next(const std::vector<Table>& tables) {
    Case c;
    // Small alphabets give many near misses and long runs of equal bytes,
    // which push the filter into its linear fallback.
    const int alphabet = std::array<int, 5>{2, 3, 4, 26, 256}[Below(5)];
    const Byte base = alphabet == 26 ? 'A' + 32 * Below(2) : static_cast<Byte>(Below(2) * 0x40);
    const int size = Below(8) == 0 ? 2000 + Below(30000) : Below(400);
    c.data.resize(size);
    for (Byte& b : c.data) b = static_cast<Byte>(base + Below(alphabet));
    if (alphabet == 26)  // mixed case text
      for (Byte& b : c.data)
        if (Below(2)) b ^= 0x20;
    if (Below(4) == 0) {  // long runs of one byte with a few others between
      const int spread = Below(2) ? 12 : 40;
      for (Byte& b : c.data)
        if (Below(spread) != 0) b = base;
    }
    const int m = Below(10) == 0 ? 60 + Below(20) : 1 + Below(12);
    if (size >= m && Below(3) != 0) {  // mostly a piece of the data (near the ends now and then)
      const int at = Below(3) == 0 ? (Below(2) ? 0 : size - m - Below(std::min(size - m + 1, 64)))
                                   : Below(size - m + 1);
      c.pattern.assign(c.data.begin() + at, c.data.begin() + at + m);
      if (Below(3) == 0) c.pattern[Below(m)] ^= static_cast<Byte>(1 + Below(3));
    } else {
      c.pattern.resize(m);
      for (Byte& b : c.pattern) b = static_cast<Byte>(base + Below(alphabet));
    }
    c.table = tables[Below(static_cast<int>(tables.size()))];
    for (Byte& b : c.pattern)  // mostly bytes the table can give
      if (Below(8) != 0) b = c.table[b];
    c.useWildcard = Below(2) == 0;
    c.wildcard = c.pattern[Below(m)];
    if (Below(4) == 0) c.wildcard = '?';
    c.start = Below(3) == 0 ? 0 : Below(size + 3) - 2;
    c.end = Below(3) == 0 ? size + Below(5) : Below(size + 3) - 1;
    return c;
  }

 private:
  std::mt19937 rng_;
};

std::vector<Table> FoldingTables() {
  std::vector<Table> tables{Identity()};
  THexViewData d;
  for (THVTranslationKind k : {tkAsIs, tkDos8, tkASCII, tkMac, tkBCD}) {
    d.SetTranslation(k);
    d.PrepareFindReplaceData("", true, true);
    const Table t = d.FindTable(true);
    tables.push_back(t);
  }
  Table many;  // folds four bytes onto one value
  for (int i = 0; i < 256; ++i) many[i] = static_cast<Byte>(i & 0xFC);
  tables.push_back(many);
  for (int i = 0; i < 256; ++i)
    many[i] = static_cast<Byte>(i & 0xF0);  // too many to compare at once
  tables.push_back(many);
  return tables;
}

TEST(PatternScan, SameAnswersAsTryingEveryStart) {
  const std::vector<Table> tables = FoldingTables();
  RandomCases cases(4417);
  int found = 0;
  for (int n = 0; n < 4000; ++n) {
    const Case c = cases.Next(tables);
    const Int64 expected =
        PlainFind(c.data, c.pattern, c.start, c.end, c.table, c.useWildcard, c.wildcard);
    THVPatternScan scan(c.pattern.data(), static_cast<Integer>(c.pattern.size()), c.table,
                        c.useWildcard, c.wildcard);
    const Int64 last = std::min<Int64>(c.end, static_cast<Int64>(c.data.size()) - 1);
    if (n % 2) scan.Adapt(c.data.data(), last, c.start);
    const Int64 got = scan.FindIn(c.data.data(), last, c.start, last + 1);
    ASSERT_EQ(got, expected) << "case " << n << " size " << c.data.size() << " pattern length "
                             << c.pattern.size() << " start " << c.start << " end " << c.end;
    found += expected >= 0;
  }
  EXPECT_GT(found, 1000);  // the cases exercise matches as well as misses
}

TEST(PatternScan, PiecesGiveTheAnswerOfTheWholeRange) {
  const std::vector<Table> tables = FoldingTables();
  RandomCases cases(17);
  for (int n = 0; n < 600; ++n) {
    const Case c = cases.Next(tables);
    if (c.data.empty()) continue;
    const Int64 last = static_cast<Int64>(c.data.size()) - 1;
    const Int64 expected =
        PlainFind(c.data, c.pattern, 0, last, c.table, c.useWildcard, c.wildcard);
    const THVPatternScan scan(c.pattern.data(), static_cast<Integer>(c.pattern.size()), c.table,
                              c.useWildcard, c.wildcard);
    const Int64 piece = 1 + cases.Below(97);
    Int64 got = -1;
    for (Int64 from = 0; from <= last && got < 0; from += piece)
      got = scan.FindIn(c.data.data(), last, from, from + piece);
    ASSERT_EQ(got, expected) << "case " << n << " piece " << piece;
  }
}

TEST(PatternScan, LongRunsAndPatternsAtBothEnds) {
  const Table id = Identity();
  // A 1 in every 16 zero bytes makes the anchors of "299 zeros, then 1"
  // pass every 16th start: the linear fallback must keep both the answer
  // and the time (tried start by start this takes seconds).
  Bytes data(1 << 22, 0);
  for (size_t i = 0; i < data.size() - 300; i += 16) data[i] = 1;
  Bytes pattern(300, 0);
  pattern.back() = 1;
  data[data.size() - 1] = 1;
  const Int64 last = static_cast<Int64>(data.size()) - 1;
  EXPECT_EQ(
      THVPatternScan(pattern.data(), 300, id, false, 0).FindIn(data.data(), last, 0, last + 1),
      last - 299);
  pattern[5] = '?';  // wildcards: the bit-parallel scan over several words
  pattern[100] = '?';
  EXPECT_EQ(
      THVPatternScan(pattern.data(), 300, id, true, '?').FindIn(data.data(), last, 0, last + 1),
      last - 299);
  EXPECT_EQ(
      THVPatternScan(pattern.data(), 300, id, true, '?').FindIn(data.data(), last - 1, 0, last + 1),
      -1);
  std::fill(data.begin(), data.end(), 0);
  // A pattern at the very start and one that fills the whole data.
  data[0] = 7;
  const Byte seven[] = {7, 0, 0};
  EXPECT_EQ(THVPatternScan(seven, 3, id, false, 0).FindIn(data.data(), last, 0, last + 1), 0);
  EXPECT_EQ(THVPatternScan(data.data(), static_cast<Integer>(data.size()), id, false, 0)
                .FindIn(data.data(), last, 0, last + 1),
            0);
  // Only wildcards: the first start that fits.
  const Byte wild[] = {'?', '?'};
  EXPECT_EQ(THVPatternScan(wild, 2, id, true, '?').FindIn(data.data(), last, 9, last + 1), 9);
  EXPECT_EQ(THVPatternScan(wild, 2, id, true, '?').FindIn(data.data(), last, last, last + 1), -1);
}

TEST(PatternScan, PatternBytesTheTableNeverGivesNeverMatch) {
  THexViewData d;
  Fill(d, {'A', 'B', 'a', 'b'});
  const std::string upper = d.PrepareFindReplaceData("AB", false, true);
  const auto* p = reinterpret_cast<const Byte*>(upper.data());
  EXPECT_EQ(d.Find(p, 2, 0, 3, true), -1);  // folded data holds no upper case
  EXPECT_EQ(d.Find(p, 2, 0, 3, false), 0);
  const std::string wild = d.PrepareFindReplaceData("A?", true, true);
  EXPECT_EQ(d.FindWithWildcard(reinterpret_cast<const Byte*>(wild.data()), 2, 1, 3, true, '?'), 2);
}

}  // namespace
