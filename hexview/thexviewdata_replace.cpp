// THexViewData: Replace All, in one pass and one undo step.
//
// The hits are found left to right in the data as it is, each search going
// on after the end of the last hit, so no hit overlaps another and nothing
// just put in is searched again. The new contents are built once, into a
// block of their own, with every replacement in place; only then is the
// undo entry recorded (one ufKindReplace from the first hit to the end of
// the last one, saving the old bytes there) and the block swapped in for
// the buffer. A cancel before that point leaves everything as it was. When
// the data grows, a first scan only counts the hits so that the block is
// allocated once at its final size.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "hexview/ehexview.h"
#include "hexview/hvpatternscan.h"
#include "hexview/thexviewdata.h"
#include "hexview/thvwaitcursor.h"

namespace {

// Bookmarks as Replace one hit at a time would leave them: each hit moves
// the ones at or after its end by delta, so an old position x goes to
// x + delta times the number of hits that end at or before x.
class BookmarkShift {
 public:
  BookmarkShift(const THVBookmarks& marks, Integer delta) : marks_(marks), delta_(delta) {
    for (Integer i = 0; i < kHVBookmarkCount; ++i)
      if (marks_[i].Position >= 0) order_.push_back(i);
    std::sort(order_.begin(), order_.end(),
              [&](Integer a, Integer b) { return marks_[a].Position < marks_[b].Position; });
  }
  // A hit ending at hitEnd (old position) was replaced; hits is the number
  // of hits before it.
  void HitEnds(Integer hitEnd, Int64 hits) {
    for (; next_ < order_.size() && marks_[order_[next_]].Position < hitEnd; ++next_)
      Move(order_[next_], hits);
  }
  THVBookmarks Result(Int64 hits) {
    for (; next_ < order_.size(); ++next_) Move(order_[next_], hits);
    return marks_;
  }

 private:
  void Move(Integer i, Int64 hits) {
    marks_[i].Position = static_cast<Integer>(marks_[i].Position + delta_ * hits);
  }
  THVBookmarks marks_;
  Integer delta_;
  std::vector<Integer> order_;
  size_t next_ = 0;
};

}  // namespace

Integer THexViewData::ReplaceAll(const Byte* pattern, Integer patternLength,
                                 const Byte* replacement, Integer replacementLength, Integer start,
                                 Integer end, bool ignoreCase, int wildcard,
                                 const std::string& description) {
  const Integer size = DataSize();
  end = std::min(end, size - 1);
  start = std::max(start, 0);
  if (!pattern || patternLength < 1 || replacementLength < 0 ||
      (!replacement && replacementLength > 0) ||
      static_cast<Int64>(start) + patternLength > static_cast<Int64>(end) + 1)
    return 0;
  // Per hit, as Replace: under a fixed size both counts are the smaller.
  Integer oldCount = patternLength, newCount = replacementLength;
  if (IsFileSizeFixed()) oldCount = newCount = std::min(oldCount, newCount);
  if (oldCount == 0) return 0;  // a fixed size and nothing to put in: no byte would change
  const Integer delta = newCount - oldCount;
  const auto scan = [&](int fromPercent, int toPercent, const std::function<void(Integer)>& hit) {
    ForEachHit(pattern, patternLength, start, end, ignoreCase, wildcard, fromPercent, toPercent,
               hit);
  };

  THVWaitCursor wait(*this);
  Int64 newSize = size;
  if (delta > 0) {
    Int64 hits = 0;
    scan(0, 50, [&](Integer) { ++hits; });
    if (hits == 0) return 0;
    newSize += hits * delta;
    if (newSize > std::numeric_limits<Integer>::max()) throw EHexView(kHVOutOfBounds);
  }
  THVMemoryStream::TBlock block(static_cast<size_t>(newSize));
  const Byte* old = GetFastPointer();
  Byte* out = block.data();
  Integer first = -1, cursor = 0;
  Int64 hits = 0;
  std::optional<BookmarkShift> shift;
  const bool anyBookmark = std::any_of(bookmarks_.begin(), bookmarks_.end(),
                                       [](const THVBookmark& b) { return b.Position >= 0; });
  if (delta != 0 && anyBookmark) shift.emplace(bookmarks_, delta);
  scan(delta > 0 ? 50 : 0, 100, [&](Integer hit) {
    if (first < 0) first = hit;
    out = std::copy(old + cursor, old + hit, out);
    out = std::copy(replacement, replacement + newCount, out);
    cursor = hit + oldCount;
    if (shift) shift->HitEnds(hit + patternLength, hits);
    ++hits;
  });
  if (hits == 0) return 0;
  out = std::copy(old + cursor, old + size, out);
  block.resize(static_cast<size_t>(out - block.data()));  // shrinking data: less than allocated
  std::optional<THVBookmarks> bookmarks;
  if (shift) bookmarks = shift->Result(hits);
  const Integer oldSpan = cursor - first;
  PutReplaced(block, first, oldSpan, static_cast<Integer>(oldSpan + hits * delta),
              bookmarks ? &*bookmarks : nullptr, description);
  return static_cast<Integer>(std::min<Int64>(hits, std::numeric_limits<Integer>::max()));
}

void THexViewData::PutReplaced(THVMemoryStream::TBlock& block, Integer first, Integer oldSpan,
                               Integer newSpan, const THVBookmarks* bookmarks,
                               const std::string& description) {
  std::optional<THVChangeMarks> marksBefore;
  if (marks_.Length() > first) marksBefore = marks_;
  CreateUndo(ufKindReplace, first, newSpan, oldSpan, description);
  if (marksBefore && undo_->UpdateCount() == 0) undo_->SetNewestMarks(*marksBefore);
  if (bookmarks) SetAllBookmarks(*bookmarks);
  stream_.SwapBlock(block);
  if (newSpan != oldSpan) CalcSizes();
  marks_.CutAt(first);
  selection_ = THVSelection{};
  PlaceCaretAfterDelete(-1);  // only when the caret fell beyond the data
  Repaint();
  Changed();
}

void THexViewData::ForEachHit(const Byte* pattern, Integer patternLength, Integer start,
                              Integer end, bool ignoreCase, int wildcard, int fromPercent,
                              int toPercent, const std::function<void(Integer)>& hit) {
  const bool useWildcard = wildcard >= 0 && wildcard <= 255;
  const THVFindEvent& override = useWildcard ? OnWildcardFindOverride : OnFindOverride;
  THVPatternScan scan(pattern, patternLength, ignoreCase ? caseTable_ : identityTable_, useWildcard,
                      static_cast<Byte>(useWildcard ? wildcard : 0));
  const Byte* data = GetFastPointer();
  if (!override) scan.Adapt(data, end, start);
  const Int64 until = static_cast<Int64>(end) - patternLength + 2;  // one past the last start
  const bool progress = findProgress_ && OnProgress && DataSize() >= 500;
  const Int64 step = progress ? DataSize() / 500 : std::numeric_limits<Integer>::max();
  for (Int64 from = start; from < until;) {
    // Piece by piece between the progress marks, so a cancel comes soon.
    const Int64 mark = (from / step + 1) * step;
    const Int64 to = std::min(mark, until);
    Int64 found = -1;
    if (override) {
      Integer at = -1;
      override(*this, pattern, patternLength, static_cast<Integer>(from),
               static_cast<Integer>(std::min<Int64>(end, to + patternLength - 2)), ignoreCase,
               static_cast<Byte>(useWildcard ? wildcard : 0), at);
      found = at >= from && at < to ? at : -1;
    } else {
      found = scan.FindIn(data, end, from, to);
    }
    if (found >= 0) {
      hit(static_cast<Integer>(found));
      from = found + patternLength;
      continue;
    }
    if (progress && to == mark) {
      bool cancel = false;
      const double share = static_cast<double>(mark) / DataSize();
      OnProgress(*this, pkFind, fileName_,
                 static_cast<Byte>(std::lround(fromPercent + share * (toPercent - fromPercent))),
                 cancel);
      if (cancel) throw EHexView(kHVOperationCancelled);
    }
    from = to;
  }
}
