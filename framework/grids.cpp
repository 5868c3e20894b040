#include "framework/grids.h"

#include <QScrollBar>
#include <algorithm>

#include "framework/edges.h"
#include "framework/exceptions.h"
#include "framework/property.h"
#include "framework/scoped_value.h"

namespace {

constexpr int kEdge = 2;
constexpr int kScrollBarSize = 16;

void CheckIndex(int index, int count) {
  if (index < 0 || index >= count) throw EInvalidGridOperation("Grid index out of range");
}

}  // namespace

TCustomGrid::TCustomGrid(TWinControl* parent) : TCustomControl(parent) {
  SetParentColor(false);
  SetColor(clWindow);
  SetTabStop(true);
  SetFocusOnClick(true);
  SetControlStyle(ControlStyle() & ~csClickEvents);
  colWidths_.assign(5, defaultColWidth_);
  hScroll_ = new QScrollBar(Qt::Horizontal, this);
  vScroll_ = new QScrollBar(Qt::Vertical, this);
  hScroll_->hide();
  vScroll_->hide();
  hScroll_->setTracking(false);
  vScroll_->setTracking(false);
  QObject::connect(hScroll_, &QScrollBar::valueChanged, [this](int v) {
    if (!updatingScroll_) SetLeftCol(v + fixedCols_);
  });
  QObject::connect(vScroll_, &QScrollBar::valueChanged, [this](int v) {
    if (!updatingScroll_) SetTopRow(v + fixedRows_);
  });
  SetBounds(0, 0, 320, 120);
  LayoutFrame();
}

TCustomGrid::~TCustomGrid() = default;

// ---- counts and sizes -----------------------------------------------------------

void TCustomGrid::SetColCount(int v) {
  v = std::max(1, v);
  if (v == ColCount()) return;
  const int old = ColCount();
  colWidths_.resize(v, defaultColWidth_);
  if (fixedCols_ >= v) fixedCols_ = v - 1;
  current_.X = std::clamp(current_.X, fixedCols_, v - 1);
  anchor_.X = std::clamp(anchor_.X, fixedCols_, v - 1);
  ClampTopLeft();
  SizeChanged(old, RowCount());
  UpdateScrollBars();
  Invalidate();
}

void TCustomGrid::SetRowCount(int v) {
  v = std::max(1, v);
  if (v == RowCount()) return;
  const int old = RowCount();
  rowHeights_.erase(rowHeights_.lower_bound(v), rowHeights_.end());
  rowCount_ = v;
  if (fixedRows_ >= v) fixedRows_ = v - 1;
  current_.Y = std::clamp(current_.Y, fixedRows_, v - 1);
  anchor_.Y = std::clamp(anchor_.Y, fixedRows_, v - 1);
  ClampTopLeft();
  SizeChanged(ColCount(), old);
  UpdateScrollBars();
  Invalidate();
}

void TCustomGrid::SetFixedCols(int v) {
  if (v < 0) throw EInvalidGridOperation("Grid index out of range");
  if (v >= ColCount())
    throw EInvalidGridOperation("Fixed column count must be less than column count");
  if (!Store(fixedCols_, v)) return;
  current_.X = std::max(current_.X, v);
  anchor_.X = std::max(anchor_.X, v);
  topLeft_.X = v;
  ClampTopLeft();
  UpdateScrollBars();
  Invalidate();
}

void TCustomGrid::SetFixedRows(int v) {
  if (v < 0) throw EInvalidGridOperation("Grid index out of range");
  if (v >= RowCount()) throw EInvalidGridOperation("Fixed row count must be less than row count");
  if (!Store(fixedRows_, v)) return;
  current_.Y = std::max(current_.Y, v);
  anchor_.Y = std::max(anchor_.Y, v);
  topLeft_.Y = v;
  ClampTopLeft();
  UpdateScrollBars();
  Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int v) {
  if (v < 0) return;
  defaultColWidth_ = v;
  std::fill(colWidths_.begin(), colWidths_.end(), v);
  ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int v) {
  if (v < 0) return;
  defaultRowHeight_ = v;
  rowHeights_.clear();
  RowHeightsChanged();
}

int TCustomGrid::ColWidths(int col) const {
  CheckIndex(col, ColCount());
  return colWidths_[col];
}

void TCustomGrid::SetColWidths(int col, int width) {
  CheckIndex(col, ColCount());
  width = std::max(0, width);
  if (Store(colWidths_[col], width)) ColWidthsChanged();
}

int TCustomGrid::RowHeights(int row) const {
  CheckIndex(row, RowCount());
  return RowExtent(row);
}

int TCustomGrid::RowExtent(int row) const {
  const auto it = rowHeights_.find(row);
  return it == rowHeights_.end() ? defaultRowHeight_ : it->second;
}

void TCustomGrid::SetRowHeights(int row, int height) {
  CheckIndex(row, RowCount());
  height = std::max(0, height);
  if (RowExtent(row) == height) return;
  if (height == defaultRowHeight_)
    rowHeights_.erase(row);
  else
    rowHeights_[row] = height;
  RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int v) {
  v = std::max(0, v);
  if (!Store(gridLineWidth_, v)) return;
  UpdateScrollBars();
  Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions v) {
  if (!Store(options_, v)) return;
  hScroll_->setTracking(v & goThumbTracking);
  vScroll_->setTracking(v & goThumbTracking);
  UpdateScrollBars();
  Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle v) {
  if (Store(scrollBars_, v)) UpdateScrollBars();
}

void TCustomGrid::SetBorderStyle(TBorderStyle v) {
  if (Store(borderStyle_, v)) LayoutFrame();
}

void TCustomGrid::ColWidthsChanged() {
  ClampTopLeft();
  UpdateScrollBars();
  Invalidate();
}

void TCustomGrid::RowHeightsChanged() {
  ClampTopLeft();
  UpdateScrollBars();
  Invalidate();
}

// ---- geometry -------------------------------------------------------------------

int TCustomGrid::LineWidthAfter(int index, bool horz) const {
  const int fixed = horz ? fixedCols_ : fixedRows_;
  const TGridOptions flag =
      index < fixed ? (horz ? goFixedVertLine : goFixedHorzLine) : (horz ? goVertLine : goHorzLine);
  return (options_ & flag) ? gridLineWidth_ : 0;
}

void TCustomGrid::CalcAxis(TGridAxisDrawInfo& axis, bool horz) const {
  auto size = [this, horz](int i) { return horz ? ColExtent(i) : RowExtent(i); };
  axis.FixedCellCount = horz ? fixedCols_ : fixedRows_;
  axis.FirstGridCell = horz ? topLeft_.X : topLeft_.Y;
  axis.GridCellCount = horz ? ColCount() : RowCount();
  axis.GridExtent = horz ? ClientWidth() : ClientHeight();
  axis.EffectiveLineWidth = (options_ & (horz ? goVertLine : goHorzLine)) ? gridLineWidth_ : 0;
  axis.GetExtent = [this, horz](int i) { return horz ? ColWidths(i) : RowHeights(i); };
  int pos = 0;
  for (int i = 0; i < axis.FixedCellCount; ++i) pos += size(i) + LineWidthAfter(i, horz);
  axis.FixedBoundary = pos;
  axis.LastFullVisibleCell = axis.FirstGridCell - 1;
  axis.FullVisBoundary = pos;
  for (int i = axis.FirstGridCell; i < axis.GridCellCount && pos < axis.GridExtent; ++i) {
    pos += size(i) + LineWidthAfter(i, horz);
    if (pos <= axis.GridExtent) {
      axis.LastFullVisibleCell = i;
      axis.FullVisBoundary = pos;
    }
  }
  axis.GridBoundary = std::min(pos, axis.GridExtent);
}

void TCustomGrid::CalcDrawInfo(TGridDrawInfo& info) const {
  CalcAxis(info.Horz, true);
  CalcAxis(info.Vert, false);
}

int TCustomGrid::VisibleColCount() const {
  TGridAxisDrawInfo a;
  CalcAxis(a, true);
  return std::max(0, a.LastFullVisibleCell - topLeft_.X + 1);
}

int TCustomGrid::VisibleRowCount() const {
  TGridAxisDrawInfo a;
  CalcAxis(a, false);
  return std::max(0, a.LastFullVisibleCell - topLeft_.Y + 1);
}

namespace {

// Start of cell `index` on screen, or false when it is scrolled out of view.
bool CellStart(const TGridAxisDrawInfo& axis, int index, const std::function<int(int)>& line,
               int& pos) {
  if (index < 0 || index >= axis.GridCellCount) return false;
  pos = 0;
  if (index < axis.FixedCellCount) {
    for (int i = 0; i < index; ++i) pos += axis.GetExtent(i) + line(i);
    return true;
  }
  if (index < axis.FirstGridCell) return false;
  pos = axis.FixedBoundary;
  for (int i = axis.FirstGridCell; i < index; ++i) {
    pos += axis.GetExtent(i) + line(i);
    if (pos >= axis.GridExtent) return false;
  }
  return pos < axis.GridExtent;
}

}  // namespace

TRect TCustomGrid::CellRect(int col, int row) const {
  return BoxRect(col, row, col, row);
}

TRect TCustomGrid::BoxRect(int left, int top, int right, int bottom) const {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  auto hline = [this](int i) { return LineWidthAfter(i, true); };
  auto vline = [this](int i) { return LineWidthAfter(i, false); };
  int x1 = -1, x2 = -1, y1 = -1, y2 = -1, pos;
  for (int c = left; c <= right; ++c)
    if (CellStart(info.Horz, c, hline, pos)) {
      if (x1 < 0) x1 = pos;
      x2 = pos + colWidths_[c];
    }
  for (int r = top; r <= bottom; ++r)
    if (CellStart(info.Vert, r, vline, pos)) {
      if (y1 < 0) y1 = pos;
      y2 = pos + RowExtent(r);
    }
  if (x1 < 0 || y1 < 0) return TRect();
  return Rect(x1, y1, x2, y2);
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) const {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  auto find = [this](const TGridAxisDrawInfo& axis, int p, bool horz) {
    if (p < 0 || p >= axis.GridBoundary) return -1;
    int pos = 0;
    for (int i = 0; i < axis.FixedCellCount; ++i) {
      pos += axis.GetExtent(i) + LineWidthAfter(i, horz);
      if (p < pos) return i;
    }
    for (int i = axis.FirstGridCell; i < axis.GridCellCount; ++i) {
      pos += axis.GetExtent(i) + LineWidthAfter(i, horz);
      if (p < pos) return i;
    }
    return -1;
  };
  TGridCoord c{find(info.Horz, x, true), find(info.Vert, y, false)};
  if (c.X < 0 || c.Y < 0) return {-1, -1};
  return c;
}

void TCustomGrid::MouseToCell(int x, int y, int& col, int& row) const {
  TGridCoord c = MouseCoord(x, y);
  col = c.X;
  row = c.Y;
}

// ---- scrolling --------------------------------------------------------------------

int TCustomGrid::MaxTopRow() const {
  TGridAxisDrawInfo a;
  CalcAxis(a, false);
  int pos = a.FixedBoundary, top = RowCount() - 1;
  for (int r = RowCount() - 1; r >= fixedRows_; --r) {
    pos += RowExtent(r) + LineWidthAfter(r, false);
    if (pos > a.GridExtent) break;
    top = r;
  }
  return std::max(fixedRows_, top);
}

int TCustomGrid::MaxLeftCol() const {
  TGridAxisDrawInfo a;
  CalcAxis(a, true);
  int pos = a.FixedBoundary, left = ColCount() - 1;
  for (int c = ColCount() - 1; c >= fixedCols_; --c) {
    pos += colWidths_[c] + LineWidthAfter(c, true);
    if (pos > a.GridExtent) break;
    left = c;
  }
  return std::max(fixedCols_, left);
}

void TCustomGrid::ClampTopLeft() {
  topLeft_.X = std::clamp(topLeft_.X, fixedCols_, MaxLeftCol());
  topLeft_.Y = std::clamp(topLeft_.Y, fixedRows_, MaxTopRow());
}

void TCustomGrid::SetTopRow(int v) {
  v = std::clamp(v, fixedRows_, MaxTopRow());
  if (v == topLeft_.Y) return;
  topLeft_.Y = v;
  UpdateScrollBars();
  Invalidate();
  TopLeftChanged();
}

void TCustomGrid::SetLeftCol(int v) {
  v = std::clamp(v, fixedCols_, MaxLeftCol());
  if (v == topLeft_.X) return;
  topLeft_.X = v;
  UpdateScrollBars();
  Invalidate();
  TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() {
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomGrid::MoveToVisible(int col, int row) {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  if (row >= fixedRows_) {
    if (row < topLeft_.Y) {
      SetTopRow(row);
    } else if (row > info.Vert.LastFullVisibleCell) {
      int avail = info.Vert.GridExtent - info.Vert.FixedBoundary, top = row;
      for (int r = row; r >= fixedRows_; --r) {
        avail -= RowExtent(r) + LineWidthAfter(r, false);
        if (avail < 0) break;
        top = r;
      }
      SetTopRow(top);
    }
  }
  if (col >= fixedCols_) {
    if (col < topLeft_.X) {
      SetLeftCol(col);
    } else if (col > info.Horz.LastFullVisibleCell) {
      int avail = info.Horz.GridExtent - info.Horz.FixedBoundary, left = col;
      for (int c = col; c >= fixedCols_; --c) {
        avail -= colWidths_[c] + LineWidthAfter(c, true);
        if (avail < 0) break;
        left = c;
      }
      SetLeftCol(left);
    }
  }
}

void TCustomGrid::LayoutFrame() {
  const int e = borderStyle_ == bsSingle ? kEdge : 0;
  const int right = e + (vScroll_->isHidden() ? 0 : kScrollBarSize);
  const int bottom = e + (hScroll_->isHidden() ? 0 : kScrollBarSize);
  SetNonClientInsets(e, e, right, bottom);
  vScroll_->setGeometry(Width() - e - kScrollBarSize, e, kScrollBarSize,
                        Height() - 2 * e - (hScroll_->isHidden() ? 0 : kScrollBarSize));
  hScroll_->setGeometry(e, Height() - e - kScrollBarSize,
                        Width() - 2 * e - (vScroll_->isHidden() ? 0 : kScrollBarSize),
                        kScrollBarSize);
}

void TCustomGrid::UpdateScrollBars() {
  // Showing one bar narrows the client area, which may call for the other.
  for (int pass = 0; pass < 2; ++pass) {
    const bool wantV =
        (scrollBars_ == ssVertical || scrollBars_ == ssBoth) && MaxTopRow() > fixedRows_;
    const bool wantH =
        (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && MaxLeftCol() > fixedCols_;
    if (wantV == !vScroll_->isHidden() && wantH == !hScroll_->isHidden()) break;
    vScroll_->setVisible(wantV);
    hScroll_->setVisible(wantH);
    LayoutFrame();
  }
  TScopedValue updating(updatingScroll_, true);
  vScroll_->setRange(0, MaxTopRow() - fixedRows_);
  vScroll_->setPageStep(std::max(1, VisibleRowCount()));
  vScroll_->setValue(topLeft_.Y - fixedRows_);
  hScroll_->setRange(0, MaxLeftCol() - fixedCols_);
  hScroll_->setPageStep(std::max(1, VisibleColCount()));
  hScroll_->setValue(topLeft_.X - fixedCols_);
}

// ---- current cell -------------------------------------------------------------------

TGridRect TCustomGrid::Selection() const {
  return {std::min(current_.X, anchor_.X), std::min(current_.Y, anchor_.Y),
          std::max(current_.X, anchor_.X), std::max(current_.Y, anchor_.Y)};
}

void TCustomGrid::SetSelection(const TGridRect& v) {
  anchor_ = {std::clamp(v.Left, fixedCols_, ColCount() - 1),
             std::clamp(v.Top, fixedRows_, RowCount() - 1)};
  current_ = {std::clamp(v.Right, fixedCols_, ColCount() - 1),
              std::clamp(v.Bottom, fixedRows_, RowCount() - 1)};
  Invalidate();
}

bool TCustomGrid::SelectCell(int col, int row) {
  bool can = true;
  if (OnSelectCell) OnSelectCell(this, col, row, can);
  return can;
}

void TCustomGrid::FocusCell(int col, int row, bool moveAnchor) {
  col = std::clamp(col, fixedCols_, ColCount() - 1);
  row = std::clamp(row, fixedRows_, RowCount() - 1);
  if (!SelectCell(col, row)) return;
  MoveCurrent(col, row, moveAnchor);
}

void TCustomGrid::MoveCurrent(int col, int row, bool moveAnchor) {
  current_ = {col, row};
  if (moveAnchor || !(options_ & goRangeSelect)) anchor_ = current_;
  MoveToVisible(col, row);
  Invalidate();
}

void TCustomGrid::InvalidateCell(int col, int row) {
  TRect r = CellRect(col, row);
  if (r.IsEmpty()) return;
  r.Right += gridLineWidth_;
  r.Bottom += gridLineWidth_;
  InvalidateRect(r);
}

void TCustomGrid::InvalidateRow(int row) {
  TRect r = BoxRect(0, row, ColCount() - 1, row);
  if (r.IsEmpty()) return;
  InvalidateRect(Rect(0, r.Top, ClientWidth(), r.Bottom + gridLineWidth_));
}

void TCustomGrid::InvalidateCol(int col) {
  TRect r = BoxRect(col, 0, col, RowCount() - 1);
  if (r.IsEmpty()) return;
  InvalidateRect(Rect(r.Left, 0, r.Right + gridLineWidth_, ClientHeight()));
}

// ---- painting ---------------------------------------------------------------------

void TCustomGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

void TCustomGrid::PaintLines(const TRect& cell, int col, int row) {
  TCanvas& c = Canvas();
  const int vw = LineWidthAfter(col, true), hw = LineWidthAfter(row, false);
  const bool fixed = col < fixedCols_ || row < fixedRows_;
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(fixed ? clBtnShadow : clSilver);
  if (vw > 0) c.FillRect(Rect(cell.Right, cell.Top, cell.Right + vw, cell.Bottom + hw));
  if (hw > 0) c.FillRect(Rect(cell.Left, cell.Bottom, cell.Right + vw, cell.Bottom + hw));
}

void TCustomGrid::Paint() {
  TCanvas& c = Canvas();
  const TRect clip = c.ClipRect();
  TGridDrawInfo info;
  CalcDrawInfo(info);
  const TGridRect sel = Selection();
  auto rows = [&](auto&& fn) {
    for (int r = 0; r < fixedRows_; ++r) fn(r);
    for (int r = topLeft_.Y; r <= info.Vert.LastFullVisibleCell + 1 && r < RowCount(); ++r) fn(r);
  };
  rows([&](int row) {
    for (int pass = 0; pass < 2; ++pass) {
      const int from = pass == 0 ? 0 : topLeft_.X;
      const int to =
          pass == 0 ? fixedCols_ - 1 : std::min(ColCount() - 1, info.Horz.LastFullVisibleCell + 1);
      for (int col = from; col <= to; ++col) {
        TRect r = CellRect(col, row), hit;
        if (r.IsEmpty()) continue;
        TRect withLines = Rect(r.Left, r.Top, r.Right + gridLineWidth_, r.Bottom + gridLineWidth_);
        if (!IntersectRect(hit, withLines, clip)) continue;
        TGridDrawState state = 0;
        const bool fixed = col < fixedCols_ || row < fixedRows_;
        if (fixed) state |= gdFixed;
        if (!fixed && col >= sel.Left && col <= sel.Right && row >= sel.Top && row <= sel.Bottom)
          state |= gdSelected;
        if (col == current_.X && row == current_.Y && Focused()) state |= gdFocused;
        c.SetFont(Font());
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(fixed ? clBtnFace : Color());
        if (defaultDrawing_) {
          if ((state & gdSelected) && (!(state & gdFocused) || (options_ & goDrawFocusSelected))) {
            c.Brush().SetColor(clHighlight);
            c.Font().SetColor(clHighlightText);
          }
          c.FillRect(r);
        }
        DrawCell(col, row, r, state);
        if (defaultDrawing_ && (state & gdFocused) && !(options_ & goRowSelect)) c.DrawFocusRect(r);
        PaintLines(r, col, row);
      }
    }
  });
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(Color());
  c.FillRect(Rect(info.Horz.GridBoundary, 0, ClientWidth(), ClientHeight()));
  c.FillRect(Rect(0, info.Vert.GridBoundary, info.Horz.GridBoundary, ClientHeight()));
}

void TCustomGrid::PaintNonClient(TCanvas& canvas) {
  if (borderStyle_ == bsSingle) DrawClientEdge(canvas, Rect(0, 0, Width(), Height()));
  if (!vScroll_->isHidden() && !hScroll_->isHidden()) {
    // The square where the two bars meet.
    const int e = borderStyle_ == bsSingle ? kEdge : 0;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(Bounds(Width() - e - kScrollBarSize, Height() - e - kScrollBarSize,
                           kScrollBarSize, kScrollBarSize));
  }
}

// ---- input ------------------------------------------------------------------------

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    TGridCoord cell = MouseCoord(x, y);
    if (cell.X >= fixedCols_ && cell.Y >= fixedRows_) FocusCell(cell.X, cell.Y, !(shift & ssShift));
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

bool TCustomGrid::DefaultKeyDown(Word key, TShiftState shift) {
  const bool ctrl = shift & ssCtrl;
  int col = current_.X, row = current_.Y;
  const int page = std::max(1, VisibleRowCount());
  switch (key) {
    case VK_UP:
      --row;
      break;
    case VK_DOWN:
      ++row;
      break;
    case VK_LEFT:
      --col;
      break;
    case VK_RIGHT:
      ++col;
      break;
    case VK_PRIOR:
      row -= page;
      break;
    case VK_NEXT:
      row += page;
      break;
    case VK_HOME:
      if (ctrl) row = fixedRows_;
      col = fixedCols_;
      break;
    case VK_END:
      if (ctrl) row = RowCount() - 1;
      col = ColCount() - 1;
      break;
    default:
      return false;
  }
  FocusCell(col, row, !(shift & ssShift));
  return true;
}

bool TCustomGrid::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
  if (TCustomControl::DoMouseWheelDown(shift, mousePos)) return true;
  if (current_.Y < RowCount() - 1) FocusCell(current_.X, current_.Y + 1, true);
  return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
  if (TCustomControl::DoMouseWheelUp(shift, mousePos)) return true;
  if (current_.Y > fixedRows_) FocusCell(current_.X, current_.Y - 1, true);
  return true;
}

void TCustomGrid::Resize() {
  LayoutFrame();
  ClampTopLeft();
  UpdateScrollBars();
  TCustomControl::Resize();
}
