// Bookmark text: any text is taken or refused with "Invalid Bookmark
// Format"; either way the ten bookmarks end in a sound state that writes
// back to a text reading back to the same bookmarks, and the change is
// announced once.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "hexview/ehexview.h"
#include "hexview/thexviewexdata.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const Integer preset = in.ConsumeIntegralInRange<Integer>(0, kHVBookmarkCount - 1);
  const std::string text = in.ConsumeRemainingBytesAsString();

  THexViewExData d;
  d.SetBookmarkVals(preset, 7, false);
  int notes = 0;
  d.OnBookmarkChanged = [&](THexViewData&) { ++notes; };
  try {
    d.SetBookMarksAsString(text);
  } catch (const EHexView& e) {
    Require(std::strcmp(e.what(), kHVInvalidBookmarkFormat) == 0);
    Require(notes == 1);
    // Groups read before the fault may stand; everything else was cleared.
    const std::string sound = d.GetBookmarksAsString();
    THexViewExData other;
    other.SetBookMarksAsString(sound);
    Require(other.Bookmarks() == d.Bookmarks());
    return 0;
  }
  Require(notes == 1);
  const std::string written = d.GetBookmarksAsString();
  THexViewExData other;
  other.SetBookMarksAsString(written);
  Require(other.Bookmarks() == d.Bookmarks());
  Require(other.GetBookmarksAsString() == written);
  return 0;
}
