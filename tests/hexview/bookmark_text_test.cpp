// Bookmarks written to and read from text.
#include <gtest/gtest.h>

#include "hexview/ehexview.h"
#include "hexview/thexviewexdata.h"

namespace {

TEST(HexDataBookmarkText, OneBookmarkRoundTrips) {
  THexViewExData d;
  EXPECT_EQ(d.GetBookmarksAsString(), "");
  d.SetBookmarkVals(3, 0x40, false);
  const std::string text = d.GetBookmarksAsString();
  EXPECT_EQ(text, "000003C703000000000000004000");
  THexViewExData other;
  int notes = 0;
  other.OnBookmarkChanged = [&](THexViewData&) { ++notes; };
  other.SetBookmarkVals(7, 1, true);
  notes = 0;
  other.SetBookMarksAsString(text);
  EXPECT_EQ(notes, 1);
  EXPECT_EQ(other.Bookmarks(), d.Bookmarks());
}

TEST(HexDataBookmarkText, SeveralBookmarksAndTheCharacterField) {
  THexViewExData d;
  d.SetBookmarkVals(0, 5, true);
  d.SetBookmarkVals(9, 0x123456, false);
  THexViewExData other;
  other.SetBookMarksAsString(d.GetBookmarksAsString());
  EXPECT_EQ(other.GetBookmark(0), (THVBookmark{5, true}));
  EXPECT_EQ(other.GetBookmark(9), (THVBookmark{0x123456, false}));
  other.SetBookMarksAsString("");
  for (const THVBookmark& b : other.Bookmarks()) EXPECT_EQ(b.Position, -1);
}

TEST(HexDataBookmarkText, BadTextsAreRefusedAfterClearing) {
  for (const char* bad : {"000003C803000000000000004000",       // checksum off by one
                          "000003C70300000000000000400",        // short group
                          "0000XXC703000000000000004000",       // bad checksum digits
                          "000003D50A000000000000004000",       // index 10, checksum right
                          "000004270300000000000000400000"}) {  // a short second group
    THexViewExData d;
    d.SetBookmarkVals(1, 2, false);
    int notes = 0;
    d.OnBookmarkChanged = [&](THexViewData&) { ++notes; };
    try {
      d.SetBookMarksAsString(bad);
      ADD_FAILURE() << bad;
    } catch (const EHexView& e) {
      EXPECT_STREQ(e.what(), "Invalid Bookmark Format");
    }
    EXPECT_EQ(d.GetBookmark(1).Position, -1) << bad;
    EXPECT_EQ(notes, 1);
  }
}

}  // namespace
