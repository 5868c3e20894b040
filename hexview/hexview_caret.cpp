// TCustomHexView: the current cell as the caret, the system caret glyph and
// focus handling.
#include "hexview/hexview.h"

#include "framework/caret.h"

// ---- Current cell ----

void TCustomHexView::FollowDataCaret() {
  if (!ready_) return;
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
  if (!followingCaret_) {
    if (!TCustomGrid::SelectCell(col, row)) return false;
    if (!IsCaretCell(col, row)) {
      // Beyond the data: the caret goes to the last valid position instead.
      if (DataSize() > 0 && col != SeparatorColumn() && col >= 2 && row >= 2) {
        const bool inChar = col > SeparatorColumn();
        data_->MoveCaret(GetInsertMode() ? DataSize() : DataSize() - 1, inChar);
      }
      return false;
    }
  }
  InvalidateCaretCells(Col(), Row());
  InvalidateCaretCells(col, row);
  if (showRuler_) InvalidateRow(0);
  const Integer index = GetPosAtCursor(col, row);
  const bool inChar = LastPosInCharField();
  data_->SetCaret(index, inChar, !inChar && (col - 2) % 2 == 1);
  SelectionChanged();
  return true;
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
  if (CaretOwner() == this) {
    HideCaret(this);
    DestroyCaret();
  }
  Invalidate();
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
