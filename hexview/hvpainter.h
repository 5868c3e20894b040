// THVPainter: one paint pass of a TCustomHexView onto a canvas (the view's
// back buffer). Only cells whose rectangles meet the repaint region are
// drawn, row by row from the top visible row and column by column from the
// left visible column, so the cost follows the visible area and not the
// size of the data.
#pragma once

#include <QRegion>
#include <string>
#include <vector>

#include "framework/canvas.h"
#include "hexview/thvcelllayout.h"

class TCustomHexView;
class THexViewData;

class THVPainter {
 public:
  THVPainter(TCustomHexView& view, TCanvas& canvas, const QRegion& region);
  void Run();

 private:
  struct Span {
    int Index;
    int Start;
    int End;
  };
  struct CellColours {
    TColor Cell;
    TColor Text;
    TColor Box;
  };

  void CollectColumns();
  void CollectRows();
  void PaintRuler(const Span& row);
  void PaintRulerCell(const Span& col, const Span& row);
  void PaintDataRow(const Span& row);
  void PaintOffsetCell(const Span& col, const Span& row);
  void PaintBookmarks(const TRect& cell, int row);
  void PaintDataCell(const Span& col, const Span& row);
  std::string DataCellText(int col, int index) const;
  CellColours DataCellColours(int col, int index) const;
  void PaintCaretFrames(int col, int row, const TRect& cell);
  void PaintMargins();
  void PaintEdges();

  void DrawTextCell(int col, int row, const TRect& cell, std::string text,
                    const CellColours& colours, bool offsetCell);
  void CellLines(int col, const TRect& cell);
  void DrawFrame(const TRect& frame, TColor outline);

  // Drawing in grid coordinates, mirrored for right-to-left layout.
  TRect Out(const TRect& r) const;
  bool Hit(const TRect& r) const;
  void Fill(const TRect& r, TColor colour);
  void HLine(int x1, int x2, int y, TColor colour);
  void VLine(int x, int y1, int y2, TColor colour);

  TCustomHexView& view_;
  const THexViewData& data_;
  TCanvas& canvas_;
  QRegion region_;
  std::vector<Span> cols_;
  std::vector<Span> rows_;
  int width_;
  int height_;
  bool flip_;
  bool focused_;
  int cw_;
  int textHeight_;
  std::string ruler_;
  THVCellLayout layout_;
};
