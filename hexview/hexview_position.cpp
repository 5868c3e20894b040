// TCustomHexView: scroll position by byte and synchronising two views.
#include <algorithm>

#include "hexview/ehexview.h"
#include "hexview/hexview.h"

Integer TCustomHexView::GetTopLeftPosition(bool& inCharField) {
  inCharField = GetInCharField();
  return CellByteIndex(std::max(THVCellLayout::kFirstHexColumn, LeftCol()), TopRow());
}

void TCustomHexView::SetTopLeftPosition(Integer index, bool inCharField) {
  const TGridCoord c = GetCursorAtPos(std::max<Integer>(0, index), inCharField);
  SetTopRow(std::min(c.Y, RowCount() - 1));
  SetLeftCol(std::min(c.X, ColCount() - 1));
  PlaceSystemCaret();
}

void TCustomHexView::SyncView(TCustomHexView& other) {
  if (other.BytesPerRow() != BytesPerRow() || other.BytesPerColumn() != BytesPerColumn() ||
      other.BytesPerUnit() != BytesPerUnit() || other.DataSize() != DataSize())
    throw EHexView(kHVSyncViewMismatch);
  SetTopRow(other.TopRow());
  SetLeftCol(other.LeftCol());
  const THexViewData& o = other.Data();
  data_->MoveCaret(o.CaretIndex(), o.CaretInCharField(), o.CaretOnSecondDigit());
  if (o.HasSelection())
    data_->SetSelection(o.Selection().Anchor, o.Selection().Low, o.Selection().High);
  else
    data_->ResetSelection(false);
  Invalidate();
}
