// TCustomHexView: grid layout, metrics, position mapping, ruler and offsets.
#include "hexview/hexview.h"

#include <algorithm>

#include "framework/scoped_value.h"
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
  const THVCellLayout layout = Layout();
  SetColCount(layout.ColumnCount());
  SetRowCount(layout.RowCount(DataSize(), GetInsertMode()));
  SetFixedCols(THVCellLayout::kFixedColumns);
  SetFixedRows(THVCellLayout::kFixedRows);
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
  SetRowHeights(THVCellLayout::kSpacerRow, 0);
  SetRowHeights(THVCellLayout::kRulerRow, showRuler_ ? rowHeight_ + 3 : 0);
  SetColumnWidths();
}

void TCustomHexView::SetColumnWidths() {
  const THVCellLayout layout = Layout();
  SetColWidths(THVCellLayout::kGutterColumn, GutterWidthPixels());
  SetColWidths(THVCellLayout::kSpacerColumn, 6);
  // The hex digits and the separator after them; a gap follows every group
  // of BytesPerColumn bytes and every block.
  for (int col = THVCellLayout::kFirstHexColumn; col <= layout.SeparatorColumn(); ++col) {
    int w = cw_;
    if (col == layout.LastHexColumn()) {
      w = 2 * cw_;
    } else if (col < layout.SeparatorColumn()) {
      if (THVCellLayout::EndsGroup(col, bytesPerColumn_)) w += cw_;
      if (bytesPerBlock_ > 1 && THVCellLayout::EndsGroup(col, bytesPerBlock_)) w += cw_;
    }
    SetColWidths(col, w);
  }
  const bool unicode = UnicodeChars();
  const Integer u = RulerUnit();
  for (int j = 0; j < layout.CharColumnCount(); ++j) {
    int w = cw_ + 1;
    if (u > 1 && j % u == u - 1 && !unicode) w = 3 * cw_ / 2 + 1;
    if (bytesPerBlock_ > 1 && separateBlocksInCharField_) {
      const bool blockEnd = unicode ? j % (bytesPerBlock_ / 2) == bytesPerBlock_ / 2 - 1
                                    : j % bytesPerBlock_ == bytesPerBlock_ - 1;
      if (blockEnd) w += cw_;
    }
    SetColWidths(layout.CharColumn(j), w);
  }
  SetColWidths(layout.LastCharColumn(), 2 * cw_ + 1);
}

int TCustomHexView::GutterWidthPixels() {
  if (gutterWidth_ != -1) return gutterWidth_;
  const Int64 lastRowOffset = Layout().RowStart(RowCount() - 1);
  offsetFormat_.CalcWidth(lastRowOffset);
  return (CodePointCount(GetOffsetString(lastRowOffset)) + 1) * cw_ + 21;
}

void TCustomHexView::UpdateGetOffsetText() {
  SetColWidths(THVCellLayout::kGutterColumn, GutterWidthPixels());
  Invalidate();
}

// ---- Offsets and ruler ----

THVOffsetUnits TCustomHexView::OffsetUnits() const {
  return THVOffsetUnits{bytesPerRow_, bytesPerColumn_, RulerUnit()};
}

std::string TCustomHexView::GetOffsetString(Int64 offset) {
  if (OnGetOffsetText && !inOffsetTextEvent_) {
    std::string text;
    TScopedValue inEvent(inOffsetTextEvent_, true);  // a nested request uses the format
    OnGetOffsetText(this, offset, text);
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
  lastPosInCharField_ = Layout().InCharField(col);
  return CellByteIndex(col, row);
}

Integer TCustomHexView::CellByteIndex(int col, int row) const {
  return Layout().IndexAt(col, row);
}

TGridCoord TCustomHexView::GetCursorAtPos(Integer index, bool inCharField) const {
  return GridCell(Layout().CellOf(index, inCharField));
}

int TCustomHexView::GetOtherFieldCol(int col, bool* wasInCharField) const {
  const THVCellLayout layout = Layout();
  if (wasInCharField) *wasInCharField = layout.InCharField(col);
  return layout.OtherFieldColumn(col);
}

Integer TCustomHexView::DisplayStart() const {
  if (DataSize() == 0) return -1;
  return static_cast<Integer>(Layout().RowStart(TopRow()));
}

Integer TCustomHexView::DisplayEnd() const {
  if (DataSize() == 0) return -1;
  const Int64 end =
      static_cast<Int64>(DisplayStart()) + static_cast<Int64>(VisibleRowCount()) * bytesPerRow_ - 1;
  return static_cast<Integer>(std::min<Int64>(DataSize() - 1, end));
}

// ---- Invalidation ----

void TCustomHexView::RedrawPos(Integer from, Integer to) {
  InvalidateArea(
      BoxRect(THVCellLayout::kFirstHexColumn, GetRow(from), LastCharColumn(), GetRow(to)));
}

void TCustomHexView::RepaintBytes(Integer pos, Integer count) {
  const THVCellLayout layout = Layout();
  for (Integer i = pos; i < pos + count; ++i) {
    for (const THVCell c :
         {layout.CellOf(i, false), layout.CellOf(i, false, true), layout.CellOf(i, true)})
      InvalidateHexCell(c.Col, c.Row);
  }
}

void TCustomHexView::RepaintGutter() {
  InvalidateArea(Rect(0, 0, ColWidths(THVCellLayout::kGutterColumn), ClientHeight()));
}
