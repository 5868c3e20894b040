// TCustomGrid: a scrollable grid of cells with fixed (non-scrolling) leading
// columns and rows, per-column widths and per-row heights, a current cell,
// scroll bars, and a virtual DrawCell.
//
// Geometry: cells are laid out left to right and top to bottom; each cell is
// followed by GridLineWidth pixels of grid line when the matching go*Line
// option is set (goFixedVertLine / goFixedHorzLine for fixed cells,
// goVertLine / goHorzLine for the others). The fixed columns and rows are
// always shown; the scrollable part starts at LeftCol and TopRow.
// Paint visits the visible cells row by row from the top and column by column
// from the left and calls DrawCell only for cells that intersect the area
// being repainted; grid lines are drawn after each cell in clBtnShadow-like
// grey (clBtnShadow for fixed, clSilver otherwise); the area right of and
// below the cells is filled with Color.
// Keys (left by KeyDown): arrows, Page Up/Down, Home/End (Ctrl: first/last
// row) move the current cell; a left press on a scrollable cell makes it
// current. Moving the current cell asks SelectCell first.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "framework/controls.h"
#include "framework/exceptions.h"

class QScrollBar;

enum TGridOptionFlag : uint32_t {
  goFixedVertLine = 0x0001,
  goFixedHorzLine = 0x0002,
  goVertLine = 0x0004,
  goHorzLine = 0x0008,
  goRangeSelect = 0x0010,
  goDrawFocusSelected = 0x0020,
  goRowSizing = 0x0040,
  goColSizing = 0x0080,
  goRowMoving = 0x0100,
  goColMoving = 0x0200,
  goEditing = 0x0400,
  goTabs = 0x0800,
  goRowSelect = 0x1000,
  goAlwaysShowEditor = 0x2000,
  goThumbTracking = 0x4000,
};
using TGridOptions = uint32_t;

enum TGridDrawStateFlag : uint32_t { gdSelected = 0x1, gdFocused = 0x2, gdFixed = 0x4 };
using TGridDrawState = uint32_t;

struct TGridCoord {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// An inclusive range of cells.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

// Where one axis of the visible grid lies on screen (client pixels).
struct TGridAxisDrawInfo {
  int EffectiveLineWidth = 0;   // line width after each scrollable cell
  int FixedBoundary = 0;        // end of the fixed cells
  int GridBoundary = 0;         // end of the last visible cell (<= GridExtent)
  int GridExtent = 0;           // client width or height
  int LastFullVisibleCell = 0;  // last scrollable cell shown in full
  int FullVisBoundary = 0;      // end of that cell
  int FixedCellCount = 0;
  int FirstGridCell = 0;              // LeftCol or TopRow
  int GridCellCount = 0;              // ColCount or RowCount
  std::function<int(int)> GetExtent;  // width of column / height of row
};

struct TGridDrawInfo {
  TGridAxisDrawInfo Horz;
  TGridAxisDrawInfo Vert;
};

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;

class TCustomGrid : public TCustomControl {
 public:
  explicit TCustomGrid(TWinControl* parent = nullptr);
  ~TCustomGrid() override;

  // Counts. Fixed counts must stay below the totals: EInvalidGridOperation
  // "Fixed column count must be less than column count" / "Fixed row count
  // must be less than row count".
  int ColCount() const { return static_cast<int>(colWidths_.size()); }
  void SetColCount(int v);
  int RowCount() const { return rowCount_; }
  void SetRowCount(int v);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int v);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int v);

  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int v);  // resets every column to it
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int v);  // resets every row to it
  int ColWidths(int col) const;
  void SetColWidths(int col, int width);
  int RowHeights(int row) const;
  void SetRowHeights(int row, int height);
  int GridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int v);
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions v);
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool v) { defaultDrawing_ = v; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle v);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);

  // Current cell and selection.
  int Col() const { return current_.X; }
  void SetCol(int v) { FocusCell(v, current_.Y, true); }
  int Row() const { return current_.Y; }
  void SetRow(int v) { FocusCell(current_.X, v, true); }
  // Moves the current cell (asking SelectCell) and scrolls it into view;
  // `moveAnchor` collapses the selection onto it.
  void FocusCell(int col, int row, bool moveAnchor);
  TGridRect Selection() const;
  void SetSelection(const TGridRect& v);

  // Scrolling.
  int TopRow() const { return topLeft_.Y; }
  void SetTopRow(int v);
  int LeftCol() const { return topLeft_.X; }
  void SetLeftCol(int v);
  int VisibleColCount() const;  // scrollable columns shown in full
  int VisibleRowCount() const;
  // Scrolls so that (col, row) is visible.
  void MoveToVisible(int col, int row);

  // Cell geometry in client coordinates (empty when not visible).
  TRect CellRect(int col, int row) const;
  TRect BoxRect(int left, int top, int right, int bottom) const;
  TGridCoord MouseCoord(int x, int y) const;  // (-1, -1) outside the cells
  void MouseToCell(int x, int y, int& col, int& row) const;
  void CalcDrawInfo(TGridDrawInfo& info) const;
  void InvalidateCell(int col, int row);
  void InvalidateRow(int row);
  void InvalidateCol(int col);
  void InvalidateGrid() { Invalidate(); }

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TNotifyEvent OnTopLeftChanged;

 protected:
  virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
  virtual bool SelectCell(int col, int row);
  // Makes (col, row) current without asking SelectCell, for a descendant
  // that keeps its current cell in step with a position of its own, and
  // scrolls it into view; `moveAnchor` as in FocusCell.
  void MoveCurrent(int col, int row, bool moveAnchor);
  virtual void TopLeftChanged();
  virtual void SizeChanged(int oldColCount, int oldRowCount) {
    (void)oldColCount, (void)oldRowCount;
  }
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();

  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  bool DefaultKeyDown(Word key, TShiftState shift) override;
  bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
  bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
  void PaintNonClient(TCanvas& canvas) override;
  void Resize() override;

 private:
  void CalcAxis(TGridAxisDrawInfo& axis, bool horz) const;
  int LineWidthAfter(int index, bool horz) const;
  // Unchecked size of a column or a row.
  int ColExtent(int col) const { return colWidths_[col]; }
  int RowExtent(int row) const;
  void ClampTopLeft();
  void UpdateScrollBars();
  void LayoutFrame();
  void PaintLines(const TRect& cell, int col, int row);
  int MaxTopRow() const;
  int MaxLeftCol() const;

  std::vector<int> colWidths_;
  // Rows are many (one per 16 bytes of a hex view), columns few: a row
  // keeps a height of its own only when it differs from the default.
  int rowCount_ = 5;
  std::map<int, int> rowHeights_;
  int fixedCols_ = 1;
  int fixedRows_ = 1;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  int gridLineWidth_ = 1;
  TGridOptions options_ =
      goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  bool defaultDrawing_ = true;
  TScrollStyle scrollBars_ = ssBoth;
  TBorderStyle borderStyle_ = bsSingle;
  TGridCoord current_{1, 1};
  TGridCoord anchor_{1, 1};
  TGridCoord topLeft_{1, 1};
  QScrollBar* hScroll_ = nullptr;
  QScrollBar* vScroll_ = nullptr;
  bool updatingScroll_ = false;
};
