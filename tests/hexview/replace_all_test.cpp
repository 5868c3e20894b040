// Replace All: one pass against a plain reference (every hit replaced with
// Replace, one after another), one undo step and its redo, cancel.
#include <gtest/gtest.h>

#include <random>

#include "hexview/ehexview.h"
#include "tests/hexview/hexdata_test_util.h"

namespace {

using Bytes = std::vector<Byte>;

// Everything an undo of Replace All must bring back.
struct State {
  Bytes data;
  std::vector<bool> marks;
  THVBookmarks bookmarks;
  THVSelection selection;
  Integer caret = 0;
  bool inCharField = false;
  bool modified = false;
  bool operator==(const State&) const = default;
};

State StateOf(const THexViewData& d) {
  State s{Contents(d),     {}, d.Bookmarks(), d.Selection(), d.CaretIndex(), d.CaretInCharField(),
          d.ModifiedFlag()};
  for (Integer i = 0; i < d.ChangeMarks().Length(); ++i) s.marks.push_back(d.HasChanged(i));
  while (!s.marks.empty() && !s.marks.back()) s.marks.pop_back();
  return s;
}

struct Case {
  Bytes data, pattern, replacement;
  Integer start = 0, end = 0;
  bool ignoreCase = false, fixedSize = false;
  int wildcard = -1;
};

// Bytes from a small alphabet with both cases, so that hits are common.
Bytes Random(std::mt19937& rng, size_t n) {
  Bytes v(n);
  for (Byte& b : v) b = "aAbB?c"[rng() % 6];
  return v;
}

// A data object with the case's data and some marks, bookmarks, a caret
// and a selection to be kept or moved.
void Prepare(THexViewData& d, const Case& c, std::mt19937& rng) {
  Fill(d, c.data);
  d.SetNoSizeChange(c.fixedSize);
  const Integer n = d.DataSize();
  for (int i = 0; i < 20 && n > 0; ++i) d.SetChanged(static_cast<Integer>(rng() % n), true);
  for (Integer b = 0; b < 4; ++b)
    d.SetBookmarkVals(b, static_cast<Integer>(rng() % (n + 1)), b % 2);
  if (n > 0) {
    d.SetCaret(static_cast<Integer>(rng() % n), rng() % 2, false);
    const Integer low = static_cast<Integer>(rng() % n);
    d.SetSelection(low, low, std::min(n - 1, low + static_cast<Integer>(rng() % 9)));
  }
  d.PrepareFindReplaceData("", c.ignoreCase, false);
}

// The reference: the hits a plain scan finds in the old data, each search
// after the end of the last hit, replaced one by one with Replace.
Integer ReplaceOneByOne(THexViewData& d, const Case& c) {
  const Bytes old = Contents(d);
  const Integer m = static_cast<Integer>(c.pattern.size());
  const Integer r = static_cast<Integer>(c.replacement.size());
  const Integer written = c.fixedSize ? std::min(m, r) : r;
  if (c.fixedSize && written == 0) return 0;
  Integer count = 0, shift = 0;
  for (Integer at = c.start;; ++count) {
    const Integer hit = NaiveFind(old, c.pattern, at, c.end, d.FindTable(c.ignoreCase), c.wildcard);
    if (hit < 0) break;
    d.Replace(c.replacement.data(), hit + shift, c.fixedSize ? written : m, r, "", false);
    shift += written - (c.fixedSize ? written : m);
    at = hit + m;
  }
  return count;
}

Case RandomCase(std::mt19937& rng) {
  Case c;
  c.data = Random(rng, rng() % 400);
  c.pattern = Random(rng, 1 + rng() % 3);
  c.replacement = Random(rng, rng() % 5);
  c.start = static_cast<Integer>(rng() % 50) - 10;
  c.end = static_cast<Integer>(c.data.size()) - static_cast<Integer>(rng() % 60) + 20;
  c.ignoreCase = rng() % 2;
  c.fixedSize = rng() % 4 == 0;
  c.wildcard = rng() % 3 == 0 ? '?' : -1;
  return c;
}

Integer RunReplaceAll(THexViewData& d, const Case& c) {
  return d.ReplaceAll(c.pattern.data(), static_cast<Integer>(c.pattern.size()),
                      c.replacement.data(), static_cast<Integer>(c.replacement.size()), c.start,
                      c.end, c.ignoreCase, c.wildcard, "Replace All");
}

TEST(HexDataReplaceAll, AgreesWithReplacingEachHitInTurn) {
  std::mt19937 rng(21);
  for (int round = 0; round < 600; ++round) {
    const Case c = RandomCase(rng);
    THexViewData d, reference;
    std::mt19937 same = rng;
    Prepare(d, c, rng);
    Prepare(reference, c, same);
    const Integer count = RunReplaceAll(d, c);
    ASSERT_EQ(count, ReplaceOneByOne(reference, c)) << "round " << round;
    ASSERT_EQ(Contents(d), Contents(reference)) << "round " << round;
    ASSERT_EQ(d.Bookmarks(), reference.Bookmarks()) << "round " << round;
    ASSERT_EQ(StateOf(d).marks, StateOf(reference).marks) << "round " << round;
    if (c.fixedSize) {
      ASSERT_EQ(d.DataSize(), static_cast<Integer>(c.data.size()));
    }
  }
}

TEST(HexDataReplaceAll, OneUndoStepBringsEverythingBackAndRedoReappliesIt) {
  std::mt19937 rng(4417);
  int replacedRounds = 0;
  for (int round = 0; round < 300; ++round) {
    const Case c = RandomCase(rng);
    THexViewData d;
    Prepare(d, c, rng);
    if (rng() % 2) d.SetModified(true);
    const Integer entriesBefore = d.UndoStorage().Count();
    const State before = StateOf(d);
    if (RunReplaceAll(d, c) == 0) {
      ASSERT_EQ(StateOf(d), before) << "round " << round;
      ASSERT_EQ(d.UndoStorage().Count(), entriesBefore);
      continue;
    }
    ++replacedRounds;
    const State after = StateOf(d);
    ASSERT_EQ(d.UndoStorage().Count(), entriesBefore + 1) << "round " << round;
    EXPECT_EQ(d.GetUndoDescription(), "Replace All");
    d.Undo();
    ASSERT_EQ(StateOf(d), before) << "round " << round;
    ASSERT_TRUE(d.Redo());
    ASSERT_EQ(StateOf(d), after) << "round " << round;
    d.Undo();
    ASSERT_EQ(StateOf(d), before) << "round " << round;
  }
  EXPECT_GT(replacedRounds, 100);
}

TEST(HexDataReplaceAll, KnownCases) {
  THexViewData d;
  Fill(d, {'x', 'a', 'B', 'a', 'b', 'A', 'B', 'y'});
  d.PrepareFindReplaceData("", true, false);
  const Bytes ab = {'a', 'b'}, four = {1, 2, 3, 4};
  EXPECT_EQ(d.ReplaceAll(ab.data(), 2, four.data(), 4, 0, 100, true, -1, ""), 3);
  EXPECT_EQ(Contents(d), (Bytes{'x', 1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4, 'y'}));
  EXPECT_EQ(d.GetUndoDescription(), "Replace");  // the entry's kind without a description
  d.Undo();
  // Case-sensitive, start and end: only "ab" at 3 lies inside [2, 5].
  EXPECT_EQ(d.ReplaceAll(ab.data(), 2, four.data(), 1, 2, 5, false, -1, ""), 1);
  EXPECT_EQ(Contents(d), (Bytes{'x', 'a', 'B', 1, 'A', 'B', 'y'}));
  // Overlapping candidates: "aaa" holds one "aa", the search goes on after it.
  Fill(d, {'a', 'a', 'a', 'a', 'a'});
  const Bytes aa = {'a', 'a'};
  EXPECT_EQ(d.ReplaceAll(aa.data(), 2, nullptr, 0, 0, 100, false, -1, ""), 2);
  EXPECT_EQ(Contents(d), (Bytes{'a'}));
  // Nothing found, empty pattern, pattern longer than the range.
  EXPECT_EQ(d.ReplaceAll(ab.data(), 2, four.data(), 4, 0, 100, false, -1, ""), 0);
  EXPECT_EQ(d.ReplaceAll(ab.data(), 0, four.data(), 4, 0, 100, false, -1, ""), 0);
  EXPECT_EQ(d.ReplaceAll(aa.data(), 2, four.data(), 4, 0, 0, false, -1, ""), 0);
}

TEST(HexDataReplaceAll, CancelledProgressChangesNothing) {
  THexViewData d;
  Bytes data(10000, 'x');
  for (size_t i = 0; i < data.size(); i += 100) data[i] = 'a';
  Fill(d, data);
  d.SetFindProgress(true);
  std::vector<int> percents;
  d.OnProgress = [&](THexViewData&, THVProgressKind kind, const std::string&, Byte percent,
                     bool& cancel) {
    EXPECT_EQ(kind, pkFind);
    percents.push_back(percent);
    cancel = percent >= 50;
  };
  d.PrepareFindReplaceData("", false, false);
  const Byte a = 'a', b = 'b';
  const State before = StateOf(d);
  try {
    d.ReplaceAll(&a, 1, &b, 1, 0, 99999, false, -1, "");
    FAIL() << "no cancel";
  } catch (const EHexView& e) {
    EXPECT_STREQ(e.what(), "Operation Cancelled");
  }
  EXPECT_EQ(StateOf(d), before);
  EXPECT_EQ(d.UndoStorage().Count(), 0);
  EXPECT_EQ(percents.front(), 0);
  EXPECT_EQ(percents.back(), 50);
  d.OnProgress = [&](THexViewData&, THVProgressKind, const std::string&, Byte, bool&) {};
  EXPECT_EQ(d.ReplaceAll(&a, 1, &b, 1, 0, 99999, false, -1, ""), 100);
}

}  // namespace
