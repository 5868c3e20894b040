#include <gtest/gtest.h>

#include "framework/strings.h"

TEST(StringList, IndexErrorsCarryTheClassicMessage) {
  TStringList l{"a", "b"};
  try {
    l.Get(2);
    FAIL() << "no error";
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (2)");
  }
  EXPECT_THROW(l.Delete(-1), EStringListError);
  EXPECT_THROW(l.Insert(3, "x"), EStringListError);
  l.Insert(2, "c");  // at the end is allowed
  EXPECT_EQ(l.Count(), 3);
}

TEST(StringList, ObjectsTravelWithTheirStrings) {
  TStringList l;
  int a = 1, b = 2, c = 3;
  l.AddObject("one", &a);
  l.AddObject("two", &b);
  l.AddObject("three", &c);
  l.Move(0, 2);
  EXPECT_EQ(l.ToVector(), (std::vector<std::string>{"two", "three", "one"}));
  EXPECT_EQ(l.Objects(2), &a);
  l.Exchange(0, 1);
  EXPECT_EQ(l.Objects(0), &c);
  EXPECT_EQ(l.IndexOfObject(&b), 1);
  EXPECT_EQ(l.IndexOf("ONE"), 2);  // case-insensitive
  l.Put(0, "THREE");
  EXPECT_EQ(l.Objects(0), &c);  // replacing the text keeps the object
}

TEST(StringList, ChangeNotificationsNameWhatChanged) {
  TStringList l{"a", "b", "c"};
  std::vector<TStringsChange::Kind> kinds;
  std::vector<int> indexes;
  int changes = 0;
  l.OnChangeEx = [&](const TStringsChange& c) {
    kinds.push_back(c.kind);
    indexes.push_back(c.index);
  };
  l.OnChange = [&](TObject*) { ++changes; };
  l.Insert(1, "x");
  l.Delete(0);
  l.Move(0, 2);
  l.Clear();
  EXPECT_EQ(kinds,
            (std::vector<TStringsChange::Kind>{TStringsChange::Inserted, TStringsChange::Deleted,
                                               TStringsChange::Moved, TStringsChange::Cleared}));
  EXPECT_EQ(indexes[0], 1);
  EXPECT_EQ(changes, 4);
  l.BeginUpdate();
  l.Add("1");
  l.Add("2");
  l.EndUpdate();
  EXPECT_EQ(changes, 5);  // one OnChange for the bracket
}

TEST(StringList, TextAndCommaTextRoundTrip) {
  TStringList l;
  l.SetText("first\r\nsecond line\nthird");
  EXPECT_EQ(l.ToVector(), (std::vector<std::string>{"first", "second line", "third"}));
  EXPECT_EQ(l.Text(), "first\nsecond line\nthird\n");
  EXPECT_EQ(l.CommaText(), "first,\"second line\",third");
  TStringList m;
  m.SetCommaText("a, \"b \"\"c\"\"\",,d");
  EXPECT_EQ(m.ToVector(), (std::vector<std::string>{"a", "b \"c\"", "", "d"}));
  TStringList n;
  n.SetCommaText(m.CommaText());
  EXPECT_EQ(n.ToVector(), m.ToVector());
}

TEST(StringList, SortedListsInsertInOrderAndRefuseMoves) {
  TStringList l;
  l.SetSorted(true);
  l.Add("pear");
  l.Add("Apple");
  l.Add("fig");
  EXPECT_EQ(l.ToVector(), (std::vector<std::string>{"Apple", "fig", "pear"}));
  EXPECT_EQ(l.Add("FIG"), 1);  // duplicates ignored by default
  EXPECT_EQ(l.Count(), 3);
  EXPECT_THROW(l.Insert(0, "z"), EStringListError);
  int index = -1;
  EXPECT_FALSE(l.Find("grape", index));
  EXPECT_EQ(index, 2);
}
