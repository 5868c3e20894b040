// TCustomHexView: grid layout, metrics, position mapping, ruler and offsets.
#include "hexview/hexview.h"

#include <algorithm>

#include "hexview/hvnumtext.h"

namespace {

// Characters (code points) of a UTF-8 text.
int CodePointCount(const std::string& s) {
  return static_cast<int>(
      std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

}  // namespace

// ---- Layout ----

void TCustomHexView::CalcSizes() {
  data_->CalcSizes();  // cuts the change marks, then LayoutGrid through the hook
}

void TCustomHexView::LayoutGrid() {
  if (!ready_) return;
  const Int64 size = DataSize();
  Int64 rows = 3;
  if (size > 0) {
    rows = (size + bytesPerRow_ - 1) / bytesPerRow_ + 2;
    if (GetInsertMode() && size % bytesPerRow_ == 0) ++rows;
  }
  const int cols = UnicodeChars() ? 2 * bytesPerRow_ + bytesPerRow_ / 2 + 3 : 3 * bytesPerRow_ + 3;
  SetColCount(cols);
  SetRowCount(static_cast<int>(rows));
  SetFixedCols(2);
  SetFixedRows(2);
  AdjustMetrics();
  FollowDataCaret();
}

void TCustomHexView::AdjustMetrics() {
  if (!ready_) return;
  TCanvas measure;
  measure.SetFont(Font());
  cw_ = std::max(1, measure.TextWidth("w"));
  rowHeight_ = measure.TextHeight("yY") + 2;
  if (DefaultRowHeight() != rowHeight_) SetDefaultRowHeight(rowHeight_);
  SetRowHeights(1, 0);
  SetRowHeights(0, showRuler_ ? rowHeight_ + 3 : 0);
  SetColumnWidths();
}

void TCustomHexView::SetColumnWidths() {
  const int h = HexColumnCount();
  const int g = 2 * bytesPerColumn_;
  SetColWidths(0, GutterWidthPixels());
  SetColWidths(1, 6);
  for (int i = 0; i <= h; ++i) {
    int w = cw_;
    if (i == h - 1) {
      w = 2 * cw_;
    } else if (i < h) {
      if ((i + 2) % g == 1) w += cw_;
      if (bytesPerBlock_ > 1 && (i + 2) % (2 * bytesPerBlock_) == 1) w += cw_;
    }
    SetColWidths(i + 2, w);
  }
  const bool unicode = UnicodeChars();
  const Integer u = RulerUnit();
  const int charCols = unicode ? bytesPerRow_ / 2 : bytesPerRow_;
  for (int j = 0; j < charCols; ++j) {
    int w = cw_ + 1;
    if (u > 1 && j % u == u - 1 && !unicode) w = 3 * cw_ / 2 + 1;
    if (bytesPerBlock_ > 1 && separateBlocksInCharField_) {
      const bool blockEnd = unicode ? j % (bytesPerBlock_ / 2) == bytesPerBlock_ / 2 - 1
                                    : j % bytesPerBlock_ == bytesPerBlock_ - 1;
      if (blockEnd) w += cw_;
    }
    SetColWidths(FirstCharColumn() + j, w);
  }
  SetColWidths(LastCharColumn(), 2 * cw_ + 1);
}

int TCustomHexView::GutterWidthPixels() {
  if (gutterWidth_ != -1) return gutterWidth_;
  const Int64 lastRowOffset = static_cast<Int64>(RowCount() - 3) * bytesPerRow_;
  offsetFormat_.CalcWidth(lastRowOffset);
  return (CodePointCount(GetOffsetString(lastRowOffset)) + 1) * cw_ + 21;
}

void TCustomHexView::UpdateGetOffsetText() {
  SetColWidths(0, GutterWidthPixels());
  Invalidate();
}

// ---- Offsets and ruler ----

THVOffsetUnits TCustomHexView::OffsetUnits() const {
  return THVOffsetUnits{bytesPerRow_, bytesPerColumn_, RulerUnit()};
}

std::string TCustomHexView::GetOffsetString(Int64 offset) {
  if (OnGetOffsetText && !inOffsetTextEvent_) {
    std::string text;
    inOffsetTextEvent_ = true;
    try {
      OnGetOffsetText(this, offset, text);
    } catch (...) {
      inOffsetTextEvent_ = false;
      throw;
    }
    inOffsetTextEvent_ = false;
    return text;
  }
  return offsetFormat_.OffsetText(offset, hexLowerCase_);
}

std::string TCustomHexView::GetAnyOffsetString(Int64 offset) {
  if (offsetFormat_.Format().empty() && !(OnGetOffsetText && !inOffsetTextEvent_))
    return IntToRadix64(offset, 16);
  return GetOffsetString(offset);
}

Integer TCustomHexView::RulerUnit() const {
  return rulerBytesPerUnit_ == -1 ? BytesPerUnit() : rulerBytesPerUnit_;
}

std::string TCustomHexView::RulerString() const {
  const Integer u = RulerUnit();
  // Enough units to label every hex-digit column, also when the ruler unit
  // is smaller than the caret unit.
  const Integer units = (bytesPerRow_ + u - 1) / u;
  std::string ruler;
  ruler.reserve(static_cast<size_t>(units) * 2 * u);
  for (Integer i = 0; i < units; ++i) ruler += IntToRadixLen(i, 16, 2 * u);
  if (hexLowerCase_)
    std::transform(ruler.begin(), ruler.end(), ruler.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
  return ruler;
}

// ---- Position mapping ----

Integer TCustomHexView::GetPosAtCursor(int col, int row) {
  lastPosInCharField_ = col > HexColumnCount() + 2;
  return CellByteIndex(col, row);
}

Integer TCustomHexView::CellByteIndex(int col, int row) const {
  const int h = HexColumnCount();
  Int64 k;
  if (col > h + 2) {
    k = col - (h + 3);
    if (UnicodeChars()) k *= 2;
  } else {
    k = (col - 2) / 2;
  }
  const Int64 index = k + static_cast<Int64>(row - 2) * bytesPerRow_;
  return index < 0 ? 0 : static_cast<Integer>(index);
}

TGridCoord TCustomHexView::GetCursorAtPos(Integer index, bool inCharField) const {
  if (index < 0) return TGridCoord{2, 2};
  const int inRow = index % bytesPerRow_;
  const int row = index / bytesPerRow_ + 2;
  if (!inCharField) return TGridCoord{inRow * 2 + 2, row};
  const int k = UnicodeChars() ? inRow / 2 : inRow;
  return TGridCoord{k + FirstCharColumn(), row};
}

int TCustomHexView::GetOtherFieldCol(int col, bool* wasInCharField) const {
  const int h = HexColumnCount();
  const bool inChar = col > h + 2;
  if (wasInCharField) *wasInCharField = inChar;
  const int per = UnicodeChars() ? 4 : 2;
  if (!inChar) return (col - 2) / per + h + 3;
  return per * (col - h - 3) + 2;
}

Integer TCustomHexView::DisplayStart() const {
  if (DataSize() == 0) return -1;
  return (TopRow() - 2) * bytesPerRow_;
}

Integer TCustomHexView::DisplayEnd() const {
  if (DataSize() == 0) return -1;
  const Int64 end =
      static_cast<Int64>(DisplayStart()) + static_cast<Int64>(VisibleRowCount()) * bytesPerRow_ - 1;
  return static_cast<Integer>(std::min<Int64>(DataSize() - 1, end));
}

// ---- Invalidation ----

void TCustomHexView::RedrawPos(Integer from, Integer to) {
  InvalidateArea(BoxRect(2, GetRow(from), LastCharColumn(), GetRow(to)));
}

void TCustomHexView::RepaintBytes(Integer pos, Integer count) {
  for (Integer i = pos; i < pos + count; ++i) {
    const TGridCoord hex = GetCursorAtPos(i, false);
    const TGridCoord chr = GetCursorAtPos(i, true);
    InvalidateHexCell(hex.X, hex.Y);
    InvalidateHexCell(hex.X + 1, hex.Y);
    InvalidateHexCell(chr.X, chr.Y);
  }
}

void TCustomHexView::RepaintGutter() {
  InvalidateArea(Rect(0, 0, ColWidths(0), ClientHeight()));
}
