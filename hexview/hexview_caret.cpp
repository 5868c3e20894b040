// TCustomHexView: the current cell as the caret, the system caret glyph and
// focus handling.
#include "hexview/hexview.h"

#include "framework/caret.h"

// ---- Current cell ----
//
// The caret has one owner, the data side: THexViewData's CaretIndex,
// CaretInCharField and CaretOnSecondDigit say where it is, with or without
// a view (the editing primitives, undo and the host move it there). The
// grid's current cell is derived from it and set in one place,
// ShowDataCaret. A move asked of the grid (keys, mouse, wheel, SetCol)
// only reaches SelectCell, which checks the cell, makes the move itself
// through PutCaret and answers false, so the grid never sets its current
// cell on its own; a move of the data side arrives through OnCaretMoved.

void TCustomHexView::FollowDataCaret() {
  if (!ready_) return;
  // A caret placed by the program starts any later Shift selection afresh.
  keyAnchor_ = -1;
  selecting_ = false;
  const TGridCoord c = GridCell(
      Layout().CellOf(data_->CaretIndex(), data_->CaretInCharField(), data_->CaretOnSecondDigit()));
  if (c.X >= ColCount() || c.Y >= RowCount()) return;  // the data side moves it next
  if (c.X == Col() && c.Y == Row()) return;
  PutCaret(c.X, c.Y, false);
}

bool TCustomHexView::IsCaretCell(int col, int row) {
  const THVCellLayout layout = Layout();
  if (!layout.IsFieldColumn(col) || !THVCellLayout::IsDataRow(row)) return false;
  const Integer size = DataSize();
  if (size == 0) return layout.IsEmptyDataCaretCell(col, row);
  const Integer index = GetPosAtCursor(col, row);
  if (index < size) return true;
  // After the data only in insert mode, on the first digit or the character.
  const bool firstDigit = LastPosInCharField() || !THVCellLayout::IsSecondDigit(col);
  return GetInsertMode() && index == size && firstDigit;
}

bool TCustomHexView::SelectCell(int col, int row) {
  if (DataSize() == 0) {
    if (Layout().IsEmptyDataCaretCell(col, row)) PutCaret(col, row, true);
    return false;
  }
  if (!TCustomGrid::SelectCell(col, row)) return false;
  const bool leftHeld = (inputShift_ & ssLeft) != 0;
  if (!(inputShift_ & ssShift) && !leftHeld) ResetSelection(true);
  if (col == SeparatorColumn()) {
    // Dragged onto the separator: the row's last hex digit instead.
    if (leftHeld) PutCaret(Layout().LastHexColumn(), row, true);
    return false;
  }
  if (!IsCaretCell(col, row)) {
    // Beyond the data: the last valid position in the same field instead.
    const TGridCoord c = CellOf(LastValidPos(), Layout().InCharField(col));
    if (c.X != col || c.Y != row) PutCaret(c.X, c.Y, true);
    PlaceSystemCaret();
    return false;
  }
  PutCaret(col, row, true);
  return false;
}

void TCustomHexView::PutCaret(int col, int row, bool byUser) {
  InvalidateCaretCells(Col(), Row());
  InvalidateCaretCells(col, row);
  if (showRuler_) InvalidateRow(THVCellLayout::kRulerRow);
  const Integer oldIndex = data_->CaretIndex();
  const Integer index = GetPosAtCursor(col, row);
  const bool inChar = LastPosInCharField();
  data_->SetCaret(index, inChar, !inChar && THVCellLayout::IsSecondDigit(col));
  if (byUser) {
    if (selecting_)
      ExtendSelection(oldIndex, index);
    else if (data_->HasSelection())
      ResetSelection(true);
  }
  SelectionChanged();
  ShowDataCaret();
}

void TCustomHexView::ShowDataCaret() {
  const TGridCoord c =
      CellOf(data_->CaretIndex(), data_->CaretInCharField(), data_->CaretOnSecondDigit());
  MoveCurrent(c.X, c.Y, true);
}

void TCustomHexView::ExtendSelection(Integer oldIndex, Integer p) {
  const Integer unit = std::max(1, BytesPerUnit());
  const Integer size = DataSize();
  if (size == 0) return;
  if (keyAnchor_ < 0) keyAnchor_ = oldIndex;
  if (!GetInsertMode()) {
    const bool anchorLow = keyAnchor_ <= p;
    Integer low = std::min(keyAnchor_, p), high = std::max(keyAnchor_, p);
    low -= low % unit;
    high = std::min(high - high % unit + unit - 1, size - 1);
    keyAnchor_ = anchorLow ? low : high;
    data_->NewSelection(keyAnchor_, anchorLow ? high : low);
    return;
  }
  // In insert mode the caret names the gap before a byte.
  if (keyAnchor_ / unit == p / unit) {
    data_->ResetSelection(true);
    keyAnchor_ = p;
  } else if (p < keyAnchor_) {
    data_->NewSelection(keyAnchor_ - unit, p);
  } else {
    data_->NewSelection(keyAnchor_, p - unit);
  }
}

void TCustomHexView::ResetSelection(bool redraw) {
  data_->ResetSelection(redraw);
  keyAnchor_ = -1;
  selecting_ = false;
}

Integer TCustomHexView::LastValidPos() const {
  const Integer size = DataSize();
  return GetInsertMode() ? size : std::max(0, size - 1);
}

TGridCoord TCustomHexView::CellOf(Integer index, bool inCharField, bool second) const {
  return GridCell(Layout().CellOf(index, inCharField, second));
}

void TCustomHexView::MoveCaretTo(int col, int row) {
  FocusCell(col, row, true);
  PlaceSystemCaret();
}

void TCustomHexView::SetInCharField(bool inCharField) {
  // Also on empty data, where the first character cell of row 2 is the
  // counterpart of the first hex-digit cell.
  if (inCharField == Layout().InCharField(Col())) return;
  MoveCaretTo(GetOtherFieldCol(Col()), Row());
}

void TCustomHexView::Select(int startCol, int startRow, int endCol, int endRow) {
  const Integer from =
      data_->HasSelection() ? data_->Selection().Anchor : CellByteIndex(startCol, startRow);
  data_->NewSelection(from, CellByteIndex(endCol, endRow));
}

void TCustomHexView::InvalidateCaretCells(int col, int row) {
  if (!THVCellLayout::IsDataRow(row) || row >= RowCount() || THVCellLayout::IsFixedColumn(col) ||
      col >= ColCount())
    return;
  InvalidateHexCell(col, row);
  const int other = GetOtherFieldCol(col);
  if (other < ColCount()) InvalidateHexCell(other, row);
  InvalidateHexCell(THVCellLayout::kGutterColumn, row);
}

void TCustomHexView::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  PlaceSystemCaret();
}

// ---- System caret ----

void TCustomHexView::CreateCaretGlyph() {
  DestroyCaret();
  const int w = cw_;
  const int h = std::max(1, DefaultRowHeight() - 2);
  TBitmap glyph(w, h);
  TCanvas& c = glyph.Canvas();
  c.Brush().SetColor(clBlack);
  c.FillRect(Rect(0, 0, w, h));
  THVCaretKind kind = caretKind_;
  if (kind == ckAuto) kind = InsertMode() ? ckLeft : ckFull;
  TRect white = Rect(0, 0, w, h);
  if (kind == ckLeft) white = Rect(0, 0, std::min(2, w), h);
  if (kind == ckBottom) white = Rect(0, std::max(0, h - 2), w, h);
  c.Brush().SetColor(clWhite);
  c.FillRect(white);
  CreateCaret(this, &glyph, 0, 0);
  ShowCaret(this);
}

void TCustomHexView::PlaceSystemCaret() {
  if (!Focused() || CaretOwner() != this) return;
  const TRect r = CellRect(Col(), Row());
  if (r.IsEmpty()) {
    SetCaretPos(-50, -50);
    return;
  }
  const TRect s = ScreenRect(r);
  SetCaretPos(s.Left, s.Top);
}

void TCustomHexView::SetCaretKind(THVCaretKind v) {
  if (v == caretKind_) return;
  caretKind_ = v;
  if (Focused()) {
    CreateCaretGlyph();
    SetCaretPos(-50, -50);
  }
  Invalidate();
}

// ---- Focus, font and size ----

void TCustomHexView::DoEnter() {
  TCustomGrid::DoEnter();
  CreateCaretGlyph();
  PlaceSystemCaret();
  Invalidate();
}

void TCustomHexView::DoExit() {
  TCustomGrid::DoExit();
  LoseCaret();
}

void TCustomHexView::LoseCaret() {
  selecting_ = false;
  if (CaretOwner() == this) {
    HideCaret(this);
    DestroyCaret();
  }
  Invalidate();
}

void TCustomHexView::focusInEvent(QFocusEvent* e) {
  TCustomGrid::focusInEvent(e);  // a first entry builds the caret in DoEnter
  if (CaretOwner() == this || !Focused()) return;
  CreateCaretGlyph();
  PlaceSystemCaret();
  Invalidate();
}

void TCustomHexView::focusOutEvent(QFocusEvent* e) {
  TCustomGrid::focusOutEvent(e);
  if (CaretOwner() == this && !Focused()) LoseCaret();
}

void TCustomHexView::FontChanged() {
  TCustomGrid::FontChanged();
  AdjustMetrics();
  if (Focused()) {
    CreateCaretGlyph();
    PlaceSystemCaret();
  }
}

void TCustomHexView::Resize() {
  TCustomGrid::Resize();
  PostMessage(this, HVM_CARET, HVM_CARET_PLACE, 0);
}
