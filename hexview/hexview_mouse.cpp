// TCustomHexView: press, drag selection with auto-scroll, release, cursor.
#include <QMouseEvent>
#include <algorithm>
#include <cstdlib>

#include "hexview/hexview.h"

namespace {

constexpr uintptr_t kAutoScrollTimer = 1;
constexpr uint32_t kAutoScrollMs = 60;
// A press on the selection stays a click while the mouse moves less than this.
constexpr int kClickTolerance = 2;

}  // namespace

TGridCoord TCustomHexView::CellAtPoint(int x, int y, bool leftButton) const {
  TGridCoord c = MouseCoord(x, y);
  // In insert mode a point well right of a row's last cell stands for the
  // first cell of that field in the next row: the position after the row.
  const THVCellLayout layout = Layout();
  if (leftButton && InsertMode() && THVCellLayout::IsDataRow(c.Y)) {
    const int lastHex = layout.LastHexColumn();
    if (c.X == lastHex || c.X == layout.LastCharColumn()) {
      const TRect r = CellRect(c.X, c.Y);
      if (!r.IsEmpty() && x - r.Left > cw_) {
        const TGridCoord below = MouseCoord(x, y + RowHeights(c.Y));
        const int row = below.Y >= 0 ? below.Y : c.Y + 1;
        if (row < RowCount())
          c = {c.X == lastHex ? THVCellLayout::kFirstHexColumn : layout.FirstCharColumn(), row};
      }
    }
  }
  return c;
}

bool TCustomHexView::IsDataCell(const TGridCoord& c) const {
  return Layout().IsFieldColumn(c.X) && THVCellLayout::IsDataRow(c.Y) && c.Y < RowCount();
}

void TCustomHexView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);  // the framework's mouse event first
  selecting_ = false;
  pendingClick_ = false;
  const bool left = button == mbLeft;
  if (left && !(shift & ssDouble)) doubleClicked_ = false;
  pressPoint_ = dragPoint_ = {x, y};
  const TGridCoord c = CellAtPoint(x, y, left);
  // A left press on the separator is a press beside the row's last hex
  // digit: the cell check puts the caret there.
  const bool onSeparator = left && c.X == SeparatorColumn() && THVCellLayout::IsDataRow(c.Y) &&
                           c.Y < RowCount() && DataSize() > 0;
  const bool onData = IsDataCell(c) || onSeparator;
  const Integer index = onData && !onSeparator ? CellByteIndex(c.X, c.Y) : -1;
  const bool onSelection = index >= 0 && index < DataSize() && IsSelected(index);
  if (CanFocus() && !Focused()) SetFocus();
  if (onData && !onSelection) {
    inputShift_ =
        (shift & (ssShift | ssCtrl | ssAlt)) | (left ? TShiftState(ssLeft) : TShiftState(0));
    MoveCaretTo(c.X, c.Y);
  }
  if (!left) return;
  if (onData && !onSelection) {
    ResetSelection(true);
    keyAnchor_ = -1;
    selecting_ = !(shift & ssDouble);
  } else if (onSelection) {
    pendingClick_ = true;
  }
}

bool TCustomHexView::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  inputShift_ = shift & (ssShift | ssCtrl | ssAlt);
  if (!(shift & ssShift)) selecting_ = false;
  const bool handled = TCustomGrid::DoMouseWheel(shift, wheelDelta, mousePos);
  PlaceSystemCaret();
  return handled;
}

void TCustomHexView::mouseDoubleClickEvent(QMouseEvent* e) {
  const TPoint p = ClientPos(e->position());
  pressPoint_ = dragPoint_ = p;
  TCustomGrid::mouseDoubleClickEvent(e);
}

void TCustomHexView::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (pendingClick_ && (std::abs(x - pressPoint_.X) > kClickTolerance ||
                        std::abs(y - pressPoint_.Y) > kClickTolerance))
    pendingClick_ = false;
  UpdateMouseCursor(shift, x, y);
  if (!(shift & ssLeft) || !selecting_) return;
  dragPoint_ = {x, y};
  TGridDrawInfo info;
  CalcDrawInfo(info);
  const bool outside = y < info.Vert.FixedBoundary || y >= info.Vert.GridBoundary ||
                       x < info.Horz.FixedBoundary || x >= info.Horz.GridBoundary;
  if (outside) {
    if (!autoScrolling_) {
      autoScrolling_ = true;
      SetTimer(this, kAutoScrollTimer, kAutoScrollMs);
    }
    return;
  }
  if (autoScrolling_) {
    autoScrolling_ = false;
    KillTimer(this, kAutoScrollTimer);
  }
  const TGridCoord c = CellAtPoint(x, y, true);
  if (!IsDataCell(c) && c.X != SeparatorColumn()) return;
  if (c.X == Col() && c.Y == Row()) return;
  inputShift_ = (shift & (ssShift | ssCtrl | ssAlt)) | ssLeft;
  MoveCaretTo(c.X, c.Y);
}

void TCustomHexView::AutoScroll() {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  int row = Row(), col = Col();
  const TPoint p = dragPoint_;
  if (p.Y < info.Vert.FixedBoundary)
    row = std::max(THVCellLayout::kFirstDataRow, TopRow() - 1);
  else if (p.Y >= info.Vert.GridBoundary)
    row = std::min(RowCount() - 1, info.Vert.LastFullVisibleCell + 1);
  if (p.X < info.Horz.FixedBoundary)
    col = std::max(THVCellLayout::kFirstHexColumn, LeftCol() - 1);
  else if (p.X >= info.Horz.GridBoundary)
    col = std::min(ColCount() - 1, info.Horz.LastFullVisibleCell + 1);
  if (col == SeparatorColumn()) col += p.X < info.Horz.FixedBoundary ? -1 : 1;
  if (col == Col() && row == Row()) return;
  inputShift_ = ssLeft;
  MoveCaretTo(col, row);
}

void TCustomHexView::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (autoScrolling_) {
    autoScrolling_ = false;
    KillTimer(this, kAutoScrollTimer);
  }
  if (button != mbLeft) return;
  selecting_ = false;
  inputShift_ = shift & (ssShift | ssCtrl | ssAlt);
  if (pendingClick_ && !doubleClicked_) {
    pendingClick_ = false;
    ResetSelection(true);
    const TGridCoord c = CellAtPoint(x, y, true);
    if (IsDataCell(c)) MoveCaretTo(c.X, c.Y);
  }
  pendingClick_ = false;
  doubleClicked_ = false;
  HideDropPosition();
}

void TCustomHexView::UpdateMouseCursor(TShiftState shift, int x, int y) {
  Qt::CursorShape shape = Qt::IBeamCursor;
  if (!(shift & (ssLeft | ssRight | ssMiddle | ssShift | ssCtrl | ssAlt))) {
    const TGridCoord c = MouseCoord(x, y);
    const bool fixed = THVCellLayout::IsFixedColumn(c.X) || THVCellLayout::IsFixedRow(c.Y);
    const bool onSelection = IsDataCell(c) && CellByteIndex(c.X, c.Y) < DataSize() &&
                             IsSelected(CellByteIndex(c.X, c.Y));
    if (fixed || onSelection) shape = Qt::ArrowCursor;
  }
  if (cursor().shape() != shape) QWidget::setCursor(shape);
}
