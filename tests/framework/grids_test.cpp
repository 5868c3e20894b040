#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "framework/forms.h"
#include "framework/grids.h"

namespace {

class Grid : public TCustomGrid {
 public:
  explicit Grid(TWinControl* parent) : TCustomGrid(parent) {
    SetBorderStyle(bsNone);
    SetScrollBars(ssNone);
  }
  std::vector<std::pair<int, int>> drawn;
  std::vector<std::pair<int, int>> refused;
  int topLeftChanges = 0;
  void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override {
    drawn.emplace_back(col, row);
    TCustomGrid::DrawCell(col, row, rect, state);
  }
  bool SelectCell(int col, int row) override {
    if (col == 3) {
      refused.emplace_back(col, row);
      return false;
    }
    return TCustomGrid::SelectCell(col, row);
  }
  void TopLeftChanged() override { ++topLeftChanges; }
};

struct GridWindow {
  TForm form;
  Grid grid{&form};
  GridWindow() {
    form.SetBounds(0, 0, 400, 300);
    grid.SetBounds(0, 0, 200, 100);
    grid.SetColCount(10);
    grid.SetRowCount(20);
    grid.SetFixedCols(2);
    grid.SetFixedRows(2);
    grid.SetDefaultColWidth(20);
    grid.SetDefaultRowHeight(10);
    grid.SetColWidths(1, 6);
    grid.SetRowHeights(1, 0);
    grid.SetOptions(0);  // no grid lines
    form.ShowForm();
    QApplication::setActiveWindow(&form);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
  }
};

}  // namespace

TEST(Grid, CellRectsFollowWidthsHeightsAndScrolling) {
  GridWindow w;
  Grid& g = w.grid;
  EXPECT_EQ(g.CellRect(0, 0), Rect(0, 0, 20, 10));
  EXPECT_EQ(g.CellRect(1, 2), Rect(20, 10, 26, 20));  // row 1 has height 0
  EXPECT_EQ(g.CellRect(2, 2), Rect(26, 10, 46, 20));
  EXPECT_EQ(g.BoxRect(2, 2, 4, 3), Rect(26, 10, 86, 30));
  g.SetTopRow(5);
  EXPECT_EQ(g.CellRect(2, 5), Rect(26, 10, 46, 20));
  EXPECT_TRUE(g.CellRect(2, 4).IsEmpty());           // scrolled away
  EXPECT_EQ(g.CellRect(2, 0), Rect(26, 0, 46, 10));  // fixed rows stay
  EXPECT_EQ(g.topLeftChanges, 1);
  EXPECT_EQ(g.VisibleRowCount(), 9);  // (100 - 10) / 10
  EXPECT_EQ(g.VisibleColCount(), 8);  // (200 - 26) / 20 = 8.7
}

TEST(Grid, MouseCoordAndGridLines) {
  GridWindow w;
  Grid& g = w.grid;
  EXPECT_EQ(g.MouseCoord(0, 0), (TGridCoord{0, 0}));
  EXPECT_EQ(g.MouseCoord(25, 15), (TGridCoord{1, 2}));
  EXPECT_EQ(g.MouseCoord(26, 15), (TGridCoord{2, 2}));
  EXPECT_EQ(g.MouseCoord(185, 99), (TGridCoord{9, 10}));
  EXPECT_EQ(g.MouseCoord(186, 5), (TGridCoord{-1, -1}));  // columns end at 186
  EXPECT_EQ(g.MouseCoord(-1, 5), (TGridCoord{-1, -1}));
  g.SetColCount(4);
  EXPECT_EQ(g.MouseCoord(150, 5), (TGridCoord{-1, -1}));  // right of the last column
  g.SetOptions(goVertLine | goHorzLine | goFixedVertLine | goFixedHorzLine);
  EXPECT_EQ(g.CellRect(2, 2), Rect(28, 12, 48, 22));    // one pixel of line after each cell
  EXPECT_EQ(g.MouseCoord(48, 12), (TGridCoord{2, 2}));  // the line belongs to the cell
}

TEST(Grid, PaintsOnlyCellsInTheRepaintArea) {
  GridWindow w;
  Grid& g = w.grid;
  g.drawn.clear();
  g.repaint(30, 12, 10, 5);  // inside cell (2, 2)
  EXPECT_EQ(g.drawn, (std::vector<std::pair<int, int>>{{2, 2}}));
  g.drawn.clear();
  g.repaint(0, 0, 200, 100);
  // Row 0 and the nine data rows that fit (row 1 has no height and is not
  // drawn), times the ten columns (they end at x = 186).
  EXPECT_EQ(g.drawn.size(), 10u * 10u);
}

TEST(Grid, CurrentCellMovesThroughSelectCellAndScrollsIntoView) {
  GridWindow w;
  Grid& g = w.grid;
  EXPECT_EQ(g.Col(), 2);
  EXPECT_EQ(g.Row(), 2);
  g.SetFocus();
  QApplication::processEvents();
  QTest::keyClick(&g, Qt::Key_Right);
  EXPECT_EQ(g.Col(), 2);  // column 3 refused
  EXPECT_EQ(g.refused.size(), 1u);
  QTest::keyClick(&g, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(g.Row(), 19);
  EXPECT_EQ(g.Col(), 9);
  EXPECT_EQ(g.TopRow(), 11);  // rows 11..19 fill the 90 pixels below the fixed row
  EXPECT_EQ(g.LeftCol(), 2);
  QTest::mouseClick(&g, Qt::LeftButton, {}, QPoint(30, 15));
  EXPECT_EQ(g.Row(), 11);
  EXPECT_EQ(g.Col(), 2);
}

TEST(Grid, FixedCountsMustStayBelowTheTotals) {
  TForm form;
  Grid g(&form);
  g.SetColCount(3);
  g.SetRowCount(3);
  g.SetFixedRows(2);
  try {
    g.SetFixedCols(3);
    FAIL();
  } catch (const EInvalidGridOperation& e) {
    EXPECT_EQ(e.Message(), "Fixed column count must be less than column count");
  }
  EXPECT_THROW(g.SetFixedRows(3), EInvalidGridOperation);
  EXPECT_EQ(g.FixedRows(), 2);
  EXPECT_EQ(g.Row(), 2);
  g.SetRowCount(2);  // shrinking below the fixed rows lowers them
  EXPECT_EQ(g.FixedRows(), 1);
  EXPECT_THROW(g.ColWidths(5), EInvalidGridOperation);
}

TEST(Grid, RowHeightsSurviveCountAndDefaultChanges) {
  TForm form;
  Grid g(&form);
  g.SetDefaultRowHeight(10);
  g.SetRowCount(50);
  g.SetRowHeights(3, 25);
  g.SetRowHeights(40, 0);
  g.SetRowHeights(4, 25);
  g.SetRowHeights(4, 10);  // back to the default
  EXPECT_EQ(g.RowHeights(3), 25);
  EXPECT_EQ(g.RowHeights(4), 10);
  EXPECT_EQ(g.RowHeights(40), 0);
  EXPECT_EQ(g.RowHeights(49), 10);
  g.SetRowCount(30);  // rows cut off lose their heights ...
  g.SetRowCount(50);  // ... and come back with the default
  EXPECT_EQ(g.RowHeights(40), 10);
  EXPECT_EQ(g.RowHeights(3), 25);
  EXPECT_THROW(g.RowHeights(50), EInvalidGridOperation);
  g.SetDefaultRowHeight(12);  // resets every row
  EXPECT_EQ(g.RowHeights(3), 12);
  EXPECT_EQ(g.RowHeights(49), 12);
  g.SetRowCount(100);
  EXPECT_EQ(g.RowHeights(99), 12);
}

TEST(Grid, HundredsOfMillionsOfRowsScrollToTheEnd) {
  TForm form;
  Grid g(&form);
  g.SetBounds(0, 0, 200, 100);
  g.SetOptions(0);
  g.SetDefaultRowHeight(10);
  g.SetRowCount(400'000'000);
  g.SetFixedRows(2);
  g.SetRowHeights(1, 0);
  g.SetTopRow(400'000'000);
  // 100 pixels: fixed row 0 (10) and nine rows of 10 below it.
  EXPECT_EQ(g.TopRow(), 400'000'000 - 9);
  EXPECT_EQ(g.CellRect(2, 399'999'999), Rect(128, 90, 192, 100));
}
