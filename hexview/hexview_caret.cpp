// TCustomHexView: the current cell as the caret, the system caret glyph and
// focus handling.
#include "hexview/hexview.h"

#include "framework/caret.h"

// ---- Current cell ----

void TCustomHexView::FollowDataCaret() {
  if (!ready_) return;
  // A caret placed by the program starts any later Shift selection afresh.
  keyAnchor_ = -1;
  selecting_ = false;
  TGridCoord c = GetCursorAtPos(data_->CaretIndex(), data_->CaretInCharField());
  if (!data_->CaretInCharField() && data_->CaretOnSecondDigit()) ++c.X;
  if (c.X >= ColCount() || c.Y >= RowCount()) return;  // the data side moves it next
  if (c.X == Col() && c.Y == Row()) return;
  followingCaret_ = true;
  try {
    FocusCell(c.X, c.Y, true);
  } catch (...) {
    followingCaret_ = false;
    throw;
  }
  followingCaret_ = false;
}

bool TCustomHexView::IsCaretCell(int col, int row) {
  if (col < 2 || row < 2 || col == SeparatorColumn() || col >= ColCount()) return false;
  const Integer size = DataSize();
  if (size == 0) return col == 2 || (row == 2 && col == FirstCharColumn());
  const Integer index = GetPosAtCursor(col, row);
  if (index < size) return true;
  // After the data only in insert mode, on the first digit or the character.
  const bool firstDigit = LastPosInCharField() || (col - 2) % 2 == 0;
  return GetInsertMode() && index == size && firstDigit;
}

bool TCustomHexView::SelectCell(int col, int row) {
  // Moves made by the data side (and nested moves made by this check) are
  // taken as they come.
  if (followingCaret_ || inSelectCheck_) return AcceptCell(col, row);
  const Integer size = DataSize();
  if (size == 0) {
    if (col == 2 || (row == 2 && col == FirstCharColumn())) return AcceptCell(col, row);
    return false;
  }
  if (!TCustomGrid::SelectCell(col, row)) return false;
  const bool leftHeld = (inputShift_ & ssLeft) != 0;
  inSelectCheck_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{inSelectCheck_};
  if (!(inputShift_ & ssShift) && !leftHeld) ResetSelection(true);
  if (col == SeparatorColumn()) {
    if (leftHeld) FocusCell(col - 1, row, true);
    return false;
  }
  if (!IsCaretCell(col, row)) {
    // Beyond the data: the last valid position in the same field instead.
    const TGridCoord c = CellOf(LastValidPos(), col > SeparatorColumn());
    if (c.X != col || c.Y != row) FocusCell(c.X, c.Y, true);
    PlaceSystemCaret();
    return false;
  }
  return AcceptCell(col, row);
}

bool TCustomHexView::AcceptCell(int col, int row) {
  InvalidateCaretCells(Col(), Row());
  InvalidateCaretCells(col, row);
  if (showRuler_) InvalidateRow(0);
  const Integer oldIndex = data_->CaretIndex();
  const Integer index = GetPosAtCursor(col, row);
  const bool inChar = LastPosInCharField();
  data_->SetCaret(index, inChar, !inChar && (col - 2) % 2 == 1);
  if (!followingCaret_) {
    if (selecting_)
      ExtendSelection(oldIndex, index);
    else if (data_->HasSelection())
      ResetSelection(true);
  }
  SelectionChanged();
  return true;
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
  TGridCoord c = GetCursorAtPos(index, inCharField);
  if (!inCharField && second) ++c.X;
  return c;
}

void TCustomHexView::MoveCaretTo(int col, int row) {
  FocusCell(col, row, true);
  PlaceSystemCaret();
}

void TCustomHexView::SetInCharField(bool inCharField) {
  // Also on empty data, where the first character cell of row 2 is the
  // counterpart of the first hex-digit cell.
  if (inCharField == (Col() > SeparatorColumn())) return;
  MoveCaretTo(GetOtherFieldCol(Col()), Row());
}

void TCustomHexView::Select(int startCol, int startRow, int endCol, int endRow) {
  const Integer from =
      data_->HasSelection() ? data_->Selection().Anchor : CellByteIndex(startCol, startRow);
  data_->NewSelection(from, CellByteIndex(endCol, endRow));
}

void TCustomHexView::InvalidateCaretCells(int col, int row) {
  if (row < 2 || row >= RowCount() || col < 2 || col >= ColCount()) return;
  InvalidateHexCell(col, row);
  const int other = GetOtherFieldCol(col);
  if (other < ColCount()) InvalidateHexCell(other, row);
  InvalidateHexCell(0, row);
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
