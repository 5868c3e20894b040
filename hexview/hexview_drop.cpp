// THexViewEx: drag and drop of bytes, the drop position marker, the drop
// target and the drag source.
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <algorithm>
#include <cstdlib>

#include "hexview/hexviewex.h"
#include "hexview/hvdataobject.h"
#include "hexview/hvdragdrop.h"

namespace {

THVDropSource::TDragLoop dragLoop;

}  // namespace

// ---- Drop target ----

THVDropTarget::THVDropTarget(THexViewEx& view) : view_(view) {}

THVDropTarget::~THVDropTarget() {
  SetActive(false);
}

void THVDropTarget::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  view_.setAcceptDrops(active);
  if (active)
    view_.installEventFilter(this);
  else
    view_.removeEventFilter(this);
}

bool THVDropTarget::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &view_) return false;
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
      auto* e = static_cast<QDropEvent*>(event);
      Qt::DropAction effect = view_.ModifyOLEDropEffect(e->modifiers());
      const QMimeData* data = e->mimeData();
      if (!data || !view_.SupportsOLEData(*data, effect, oleDrop)) {
        view_.HideDragCell();
        e->setDropAction(Qt::IgnoreAction);
        e->ignore();
        return true;
      }
      effect = view_.ModifyOLEDropEffect(e->modifiers());
      const QPoint p = e->position().toPoint();
      view_.ShowDragCell(p.x(), p.y());
      bool ok = true;
      if (event->type() == QEvent::Drop) {
        ok = view_.InsertOLEData(*data, effect, oleDrop);
        view_.HideDragCell();
      }
      // Tell the other side an effect it allows (the insertion above used ours).
      Qt::DropAction reported = effect;
      if (!(e->possibleActions() & reported))
        reported = (e->possibleActions() & Qt::CopyAction) ? Qt::CopyAction : e->proposedAction();
      e->setDropAction(ok ? reported : Qt::IgnoreAction);
      ok ? e->accept() : e->ignore();
      return true;
    }
    case QEvent::DragLeave:
      view_.HideDragCell();
      return true;
    default:
      return false;
  }
}

// ---- Drag source ----

Qt::DropAction THVDropSource::Run(QDrag* drag, Qt::DropActions allowed) {
  if (dragLoop) {
    const Qt::DropAction result = dragLoop(*drag, allowed);
    delete drag;
    return result;
  }
  // The platform keeps the drag (and its data) until the drop target has
  // read the data, which may be after the loop returns; it deletes it.
  return drag->exec(allowed, Qt::CopyAction);
}

void THVDropSource::SetDragLoopInterceptor(TDragLoop loop) {
  dragLoop = std::move(loop);
}

// ---- The view's side ----

void THexViewEx::SetOleDragDrop(bool value) {
  if (value == oleDragDrop_) return;
  oleDragDrop_ = value;
  if (!dropTarget_) dropTarget_ = std::make_unique<THVDropTarget>(*this);
  dropTarget_->SetActive(value);
}

bool THexViewEx::IsOwnDragData(const QMimeData* data) const {
  return data && data == dragData_;
}

Qt::DropAction THexViewEx::ModifyOLEDropEffect(Qt::KeyboardModifiers keys) const {
  if (dragData_) return (keys & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
  const Qt::DropAction effect = (keys & Qt::ShiftModifier) ? Qt::MoveAction : Qt::CopyAction;
  return effect == Qt::MoveAction && operationFormat_ == hcfFileList ? Qt::LinkAction : effect;
}

void THexViewEx::ShowDragCell(int x, int y) {
  int col = 0, row = 0;
  MouseToCell(x, y, col, row);
  col = std::clamp(col, THVCellLayout::kFirstHexColumn, ColCount() - 1);
  row = std::clamp(row, THVCellLayout::kFirstDataRow, RowCount() - 1);
  const bool inCharField = Layout().InCharField(col);
  Integer p = std::clamp(CellByteIndex(col, row), 0, DataSize());
  if (IsSelected(p)) p = Data().Selection().Low;
  const Integer unit = std::max(1, BytesPerUnit());
  p -= p % unit;
  // Near an edge the view scrolls by one row or column.
  const int lastRow = TopRow() + std::max(1, VisibleRowCount()) - 1;
  const int lastCol = LeftCol() + std::max(1, VisibleColCount()) - 1;
  if ((row <= TopRow() || row <= THVCellLayout::kFirstDataRow) && TopRow() > FixedRows())
    SetTopRow(TopRow() - 1);
  else if (row >= lastRow && lastRow < RowCount() - 1)
    SetTopRow(TopRow() + 1);
  if (col <= LeftCol() && LeftCol() > FixedCols())
    SetLeftCol(LeftCol() - 1);
  else if (col >= lastCol && lastCol < ColCount() - 1)
    SetLeftCol(LeftCol() + 1);
  const TGridCoord cell = GetCursorAtPos(p, inCharField);
  ShowDropPosition(cell.X, cell.Y);
  dragCellShown_ = true;
  dragPosition_ = p;
}

void THexViewEx::HideDragCell() {
  HideDropPosition();
  dragCellShown_ = false;
  dragPosition_ = -1;
}

Integer THexViewEx::DropPosition() const {
  if (!dragCellShown_ || dragPosition_ < 0) return -1;
  const Integer unit = std::max(1, BytesPerUnit());
  return dragPosition_ - dragPosition_ % unit;
}

void THexViewEx::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomHexView::MouseDown(button, shift, x, y);
  dragPending_ = false;
  if (!oleDragDrop_ || button != mbLeft || (shift & ssDouble)) return;
  const TGridCoord c = CellAtPoint(x, y, true);
  if (!IsDataCell(c)) return;
  const Integer index = CellByteIndex(c.X, c.Y);
  dragPending_ = index < DataSize() && IsSelected(index);
}

void THexViewEx::MouseMove(TShiftState shift, int x, int y) {
  if (dragPending_ && (shift & ssLeft)) {
    const TPoint press = LastPressPoint();
    const int threshold = QApplication::startDragDistance();
    if (std::abs(x - press.X) >= threshold || std::abs(y - press.Y) >= threshold) {
      dragPending_ = false;
      ClearPendingClick();  // the release must not clear the selection
      StartOleDrag();
      return;
    }
  } else {
    dragPending_ = false;
  }
  TCustomHexView::MouseMove(shift, x, y);
}

void THexViewEx::StartOleDrag() {
  if (!oleDragDrop_ || !CanCopy() || dragData_) return;
  const THexViewData& d = Data();
  const Integer low = std::max(0, d.Selection().Low);
  const Integer high = std::min(d.Selection().High, DataSize() - 1);
  auto* object =
      new THVDataObject(std::vector<Byte>(GetFastPointer() + low, GetFastPointer() + high + 1),
                        SwapNibbles(), ClipboardAsHexText(), FileName());
  auto* drag = new QDrag(this);
  drag->setMimeData(object);  // the drag owns it
  dragData_ = object;
  droppedOnSelf_ = false;
  const Qt::DropActions allowed =
      ReadOnlyView() ? Qt::DropActions(Qt::CopyAction) : Qt::CopyAction | Qt::MoveAction;
  const Qt::DropAction result = THVDropSource::Run(drag, allowed);
  dragData_ = nullptr;
  if (droppedOnSelf_) {
    CombineUndo(2, kHVDataMoved);  // deletion and insertion: one step
  } else if (result == Qt::MoveAction && !ReadOnlyView() && !IsFileSizeFixed() &&
             Data().HasSelection()) {
    DeleteSelection(kHVDataMoved);  // the bytes went to another program
  }
  droppedOnSelf_ = false;
  HideDragCell();
}
