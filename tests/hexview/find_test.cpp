// Search pattern preparation, forward search, replace and seeking.
#include <gtest/gtest.h>

#include <random>

#include "tests/hexview/hexdata_test_util.h"

namespace {

using Bytes = std::vector<Byte>;

Integer FindText(THexViewData& d, const std::string& text, bool ignoreCase, Integer end = 1000) {
  const std::string p = d.PrepareFindReplaceData(text, ignoreCase, true);
  return d.Find(reinterpret_cast<const Byte*>(p.data()), static_cast<Integer>(p.size()), 0, end,
                ignoreCase);
}

TEST(HexDataFind, CaseFoldingNeedsPreparation) {
  THexViewData d;
  Fill(d, {'x', 'a', 'B', 'y'});
  EXPECT_EQ(FindText(d, "AB", true), 1);
  EXPECT_EQ(FindText(d, "AB", false), -1);
  EXPECT_EQ(FindText(d, "aB", false), 1);
  EXPECT_EQ(FindText(d, "By", false, 2), -1);  // must end at or before end
  EXPECT_EQ(FindText(d, "xaBy!", false), -1);  // longer than the data
  EXPECT_EQ(FindText(d, "", false), -1);
}

TEST(HexDataFind, TranslationAndUnicodePatterns) {
  THexViewData d;
  Fill(d, {0x00, 0xC1, 0xC2, 0x00});
  d.SetTranslation(tkBCD);
  EXPECT_EQ(d.PrepareFindReplaceData("AB", false, true), "\xC1\xC2");
  EXPECT_EQ(FindText(d, "ab", true), 1);
  EXPECT_EQ(d.PrepareFindReplaceData("AB", false, false), "AB");  // hex search: bytes as given
  d.SetTranslation(tkAsIs);
  d.SetUnicodeChars(true);
  EXPECT_EQ(d.PrepareFindReplaceData("A\x80", false, true), std::string("A\0\xAC\x20", 4));
  d.SetUnicodeBigEndian(true);
  EXPECT_EQ(d.PrepareFindReplaceData("A", false, true), std::string("\0A", 2));
}

TEST(HexDataFind, WildcardMatchesAnyByte) {
  THexViewData d;
  Fill(d, {0x00, 0x01, 0x77, 0x03});
  d.PrepareFindReplaceData("", false, false);
  const Bytes pattern = {0x01, 0x3F, 0x03};
  EXPECT_EQ(d.FindWithWildcard(pattern.data(), 3, 0, 3, false, 0x3F), 1);
  EXPECT_EQ(d.Find(pattern.data(), 3, 0, 3, false), -1);
  d.OnWildcardFindOverride = [](THexViewData&, const Byte*, Integer, Integer, Integer, bool,
                                Byte wildcard, Integer& found) { found = wildcard; };
  EXPECT_EQ(d.FindWithWildcard(pattern.data(), 3, 0, 3, false, 0x3F), 0x3F);
}

TEST(HexDataFind, ProgressOnlyFromFiveHundredBytes) {
  THexViewData d;
  Fill(d, Bytes(499, 0));
  d.SetFindProgress(true);
  std::vector<int> reports;
  d.OnProgress = [&](THexViewData&, THVProgressKind kind, const std::string&, Byte percent,
                     bool& cancel) {
    EXPECT_EQ(kind, pkFind);
    reports.push_back(percent);
    cancel = true;  // not consulted by searches
  };
  const Byte one = 1;
  d.PrepareFindReplaceData("", false, false);
  EXPECT_EQ(d.Find(&one, 1, 0, 1000, false), -1);
  EXPECT_TRUE(reports.empty());
  // One report each time the scan passes another DataSize div 500 bytes,
  // with the percentage of that mark.
  Fill(d, Bytes(1000, 0));
  d.SetDataAt(999, 1);
  EXPECT_EQ(d.Find(&one, 1, 0, 1000, false), 999);
  ASSERT_EQ(reports.size(), 499u);  // marks 2, 4, ... 998
  EXPECT_EQ(reports.front(), 0);
  EXPECT_EQ(reports[249], 50);
  EXPECT_EQ(reports.back(), 100);
  reports.clear();
  Fill(d, Bytes(100000, 0));
  d.SetDataAt(60100, 1);
  EXPECT_EQ(d.Find(&one, 1, 30000, 1000000, false), 60100);  // from 30 % to 60 %
  ASSERT_EQ(reports.size(), 150u);
  EXPECT_EQ(reports.front(), 30);
  EXPECT_EQ(reports.back(), 60);
  reports.clear();
  const Byte pair[] = {'?', 1};
  EXPECT_EQ(d.FindWithWildcard(pair, 2, 0, 60050, false, '?'), -1);  // ends before the match
  EXPECT_EQ(reports.size(), 300u);
}

// Searches one after another reuse the scan of the last one; each answer
// must still be the one a plain scan gives, whatever changed in between:
// the pattern, case folding, the translation behind it, the wildcard, or
// the data itself.
TEST(HexDataFind, RepeatedSearchesAgreeWithAPlainScan) {
  std::mt19937 rng(4417);
  THexViewData d;
  Bytes data(3000);
  for (Byte& b : data) b = "aAbB?\x01"[rng() % 6];
  Fill(d, data);
  for (int round = 0; round < 400; ++round) {
    if (round % 50 == 0) d.SetTranslation(round % 100 ? tkBCD : tkAsIs);
    if (round % 7 == 0) {  // an edit under the cached scan
      const Integer at = static_cast<Integer>(rng() % data.size());
      data[at] = "aB?"[rng() % 3];
      d.SetDataAt(at, data[at]);
    }
    Bytes pattern(1 + rng() % 3);
    for (Byte& b : pattern) b = "abAB?"[rng() % 5];
    const bool ignoreCase = rng() % 2;
    const int wildcard = rng() % 3 ? -1 : '?';
    d.PrepareFindReplaceData("", ignoreCase, false);
    const Integer start = static_cast<Integer>(rng() % 2500);
    const Integer end = start + static_cast<Integer>(rng() % 600);
    const Integer m = static_cast<Integer>(pattern.size());
    const Integer found = wildcard < 0
                              ? d.Find(pattern.data(), m, start, end, ignoreCase)
                              : d.FindWithWildcard(pattern.data(), m, start, end, ignoreCase, '?');
    ASSERT_EQ(found, NaiveFind(data, pattern, start, end, d.FindTable(ignoreCase), wildcard))
        << "round " << round;
  }
}

TEST(HexDataReplace, GrowsOrKeepsTheSizeAndReselectsOnUndo) {
  THexViewData d;
  Fill(d, {1, 2, 3, 4});
  const Bytes three = {7, 8, 9};
  EXPECT_EQ(d.Replace(three.data(), 0, 2, 3, "", false), 3);
  EXPECT_EQ(Contents(d), (Bytes{7, 8, 9, 3, 4}));
  THVUndoEntry e;
  ASSERT_TRUE(d.UndoStorage().ReadNewest(e));
  EXPECT_EQ(e.Kind(), ufKindReplace);
  EXPECT_EQ(e.Selection, (THVSelection{0, 0, 1}));  // the old range
  EXPECT_EQ(d.GetUndoDescription(), "Replace");

  Fill(d, {1, 2, 3, 4});
  d.SetNoSizeChange(true);
  EXPECT_EQ(d.Replace(three.data(), 0, 2, 3, "", true), 2);
  EXPECT_EQ(Contents(d), (Bytes{7, 8, 3, 4}));
  EXPECT_EQ(d.Replace(three.data(), 3, 5, 5, "", true), 1);  // cut at the end of the data
  EXPECT_EQ(Contents(d), (Bytes{7, 8, 3, 7}));
}

TEST(HexDataSeek, OriginsAndClamping) {
  THexViewData d;
  EXPECT_EQ(d.Seek(3, 0), -1);
  Fill(d, Bytes(10, 5));
  EXPECT_EQ(d.Seek(3, 0), 3);
  EXPECT_EQ(d.Seek(2, 1), 5);
  EXPECT_EQ(d.Seek(-1, 2), 8);
  EXPECT_EQ(d.Seek(50, 1), 9);
  EXPECT_EQ(d.Seek(-50, 0), 0);
  EXPECT_EQ(d.Seek(4, 7), 0);  // another origin keeps the caret's byte
  EXPECT_EQ(d.GetCurrentValue(), 5);
  d.SetCaret(10, false, false);
  EXPECT_EQ(d.GetCurrentValue(), -1);
}

}  // namespace
