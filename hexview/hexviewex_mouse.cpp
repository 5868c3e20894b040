// THexViewEx: double click, wheel zoom and the gutter and ruler menu.
#include <QContextMenuEvent>
#include <QMenu>

#include "hexview/hexviewex.h"

void THexViewEx::DblClick() {
  const TPoint p = LastPressPoint();
  const TGridCoord c = CellAtPoint(p.X, p.Y, true);
  if (IsDataCell(c)) {
    const Integer index = CellByteIndex(c.X, c.Y);
    if (index < DataSize()) {
      NewSelection(index, index);
      SetDoubleClicked();
    }
  }
  TCustomHexView::DblClick();
}

bool THexViewEx::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  const TShiftState mods = shift & (ssShift | ssCtrl | ssAlt);
  if (zoomOnWheel_ && wheelDelta != 0) {
    const bool down = wheelDelta < 0;
    if (mods == ssCtrl) {
      if (down && BytesPerRow() > 1) {
        SetBytesPerRow(BytesPerRow() - 1);
        return true;
      }
      if (!down && BytesPerRow() < 256) {
        SetBytesPerRow(BytesPerRow() + 1);
        return true;
      }
    } else if (mods == (ssCtrl | ssShift)) {
      const int size = Font().Size();
      if (down && size >= 3) {
        Font().SetSize(size - 1);
        return true;
      }
      if (!down) {
        Font().SetSize(size + 1);
        return true;
      }
    }
  }
  return TCustomHexView::DoMouseWheel(shift, wheelDelta, mousePos);
}

void THexViewEx::contextMenuEvent(QContextMenuEvent* e) {
  if (!offsetPopupMenu_) {
    TCustomHexView::contextMenuEvent(e);
    return;
  }
  const bool fromKeyboard = e->reason() == QContextMenuEvent::Keyboard;
  const TPoint p = ClientPos(e->pos());
  const TGridCoord c = MouseCoord(p.X, p.Y);
  const bool overGutterOrRuler = fromKeyboard || (c.X >= 0 && THVCellLayout::IsFixedColumn(c.X)) ||
                                 (c.Y >= 0 && THVCellLayout::IsFixedRow(c.Y));
  if (!overGutterOrRuler) {
    TCustomHexView::contextMenuEvent(e);
    return;
  }
  offsetPopupMenu_->popup(fromKeyboard ? mapToGlobal(QPoint(0, 0)) : e->globalPos());
  e->accept();
}
