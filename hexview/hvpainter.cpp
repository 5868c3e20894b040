// THVPainter: ruler, offset column, data cells, margins and edges.
#include "hexview/hvpainter.h"

#include "framework/caret.h"
#include "framework/geometry.h"
#include "hexview/hexview.h"
#include "hexview/hvtranslation.h"

namespace {

std::string Utf8(char32_t cp) {
  if (cp < 32) return std::string();
  if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;  // a lone surrogate has no character
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

char HexDigit(int v, bool lower) {
  return (lower ? "0123456789abcdef" : "0123456789ABCDEF")[v & 15];
}

}  // namespace

THVPainter::THVPainter(TCustomHexView& view, TCanvas& canvas, const QRegion& region)
    : view_(view),
      data_(view.Data()),
      canvas_(canvas),
      region_(region),
      width_(view.ClientWidth()),
      height_(view.ClientHeight()),
      flip_(view.UseRightToLeftAlignment()),
      focused_(view.Focused()),
      cw_(view.CharWidth()),
      textHeight_(view.RowHeight() - 2),
      layout_(view.Layout()) {}

void THVPainter::Run() {
  canvas_.Brush().SetColor(view_.Color());
  for (const QRect& r : region_) canvas_.FillRect(FromQRect(r));  // erase
  CollectColumns();
  CollectRows();
  ruler_ = view_.RulerString();
  for (const Span& row : rows_) {
    if (row.Index == THVCellLayout::kRulerRow && view_.ShowRuler()) PaintRuler(row);
    if (THVCellLayout::IsDataRow(row.Index)) PaintDataRow(row);
  }
  PaintMargins();
  PaintEdges();
}

// ---- Visible cells ----

void THVPainter::CollectColumns() {
  int x = 0;
  for (int c = 0; THVCellLayout::IsFixedColumn(c) && c < view_.ColCount(); ++c) {
    cols_.push_back({c, x, x + view_.ColWidths(c)});
    x += view_.ColWidths(c);
  }
  for (int c = view_.LeftCol(); c < view_.ColCount() && x < width_; ++c) {
    cols_.push_back({c, x, x + view_.ColWidths(c)});
    x += view_.ColWidths(c);
  }
}

void THVPainter::CollectRows() {
  int y = 0;
  for (int r = 0; THVCellLayout::IsFixedRow(r) && r < view_.RowCount(); ++r) {
    rows_.push_back({r, y, y + view_.RowHeights(r)});
    y += view_.RowHeights(r);
  }
  for (int r = view_.TopRow(); r < view_.RowCount() && y < height_; ++r) {
    rows_.push_back({r, y, y + view_.RowHeights(r)});
    y += view_.RowHeights(r);
  }
}

// ---- Ruler ----

void THVPainter::PaintRuler(const Span& row) {
  const THVColors& colours = view_.Colors();
  for (const Span& col : cols_) {
    const TRect cell = Rect(col.Start, row.Start, col.End, row.End);
    if (!Hit(cell)) continue;
    if (THVCellLayout::IsFixedColumn(col.Index)) {
      Fill(cell, colours.OffsetBackGround());
      CellLines(col.Index, cell);
    } else {
      PaintRulerCell(col, row);
    }
  }
}

void THVPainter::PaintRulerCell(const Span& col, const Span& row) {
  const int c = col.Index;
  std::string text;
  if (c == layout_.SeparatorColumn()) {
    text = "  ";
  } else if (!layout_.InCharField(c)) {
    const size_t at = static_cast<size_t>(THVCellLayout::HexColumnIndex(c));
    text = at < ruler_.size() ? std::string(1, ruler_[at]) : " ";
  } else {
    const int j = layout_.CharColumnIndex(c);
    const int u = view_.RulerUnit();
    const bool lower = view_.HexLowerCase();
    if (view_.UnicodeChars())
      text = std::string(1, HexDigit(j / std::max(1, u / 2), lower));
    else
      text = j % u == u - 1 ? std::string(1, HexDigit(j / u, lower)) : " ";
  }
  const THVColors& k = view_.Colors();
  const bool current = c == view_.Col();
  const CellColours colours{k.OffsetBackGround(), current ? k.CurrentOffset() : k.Offset(),
                            current ? k.CurrentOffsetBackground() : k.OffsetBackGround()};
  const TRect cell = Rect(col.Start, row.Start, col.End, row.End);
  DrawTextCell(c, row.Index, cell, text, colours, false);
  CellLines(c, cell);
}

// ---- Data rows ----

void THVPainter::PaintDataRow(const Span& row) {
  for (const Span& col : cols_) {
    const TRect cell = Rect(col.Start, row.Start, col.End, row.End);
    if (!Hit(cell)) continue;
    if (col.Index == THVCellLayout::kGutterColumn)
      PaintOffsetCell(col, row);
    else if (col.Index == THVCellLayout::kSpacerColumn)
      CellLines(col.Index, cell);
    else
      PaintDataCell(col, row);
  }
}

void THVPainter::PaintOffsetCell(const Span& col, const Span& row) {
  const int r = row.Index;
  const THVColors& k = view_.Colors();
  const bool current = r == view_.Row();
  const TColor back = current ? k.CurrentOffsetBackground() : k.OffsetBackGround();
  const CellColours colours{back, current ? k.CurrentOffset() : k.Offset(), back};
  const TRect cell = Rect(col.Start, row.Start, col.End, row.End);
  DrawTextCell(col.Index, r, cell, view_.GetOffsetString(layout_.RowStart(r)), colours, true);
  PaintBookmarks(cell, r);
  CellLines(col.Index, cell);
}

void THVPainter::PaintBookmarks(const TRect& cell, int row) {
  const THVBookmarks& marks = data_.Bookmarks();
  for (int b = 0; b < kHVBookmarkCount; ++b) {
    const THVBookmark& m = marks[b];
    if (m.Position < 0 || layout_.RowOf(m.Position) != row) continue;
    const QImage& image = view_.bookmarkImages_[b + (m.InCharField ? 10 : 0)];
    const TRect at = Out(Bounds(cell.Left + 3, cell.Top + (cell.Height() - 10) / 2, 10, 10));
    canvas_.Draw(at.Left, at.Top, image);
  }
}

void THVPainter::PaintDataCell(const Span& col, const Span& row) {
  const int c = col.Index;
  const int r = row.Index;
  const TRect cell = Rect(col.Start, row.Start, col.End, row.End);
  if (c == view_.Col() && r == view_.Row() && focused_ && CaretOwner() == &view_) {
    // Moving the caret invalidates its old and new places, so it is moved
    // only when it stands elsewhere: else every paint would ask for the
    // next one and the view would repaint without pause.
    const TRect out = Out(cell);
    if (GetCaretPos() != TPoint(out.Left, out.Top)) SetCaretPos(out.Left, out.Top);
  }
  if (c == layout_.SeparatorColumn()) {
    Fill(cell, view_.Colors().Background());
  } else {
    const Integer index = layout_.IndexAt(c, r);
    if (index < data_.DataSize())
      DrawTextCell(c, r, cell, DataCellText(c, index), DataCellColours(c, index), false);
  }
  CellLines(c, cell);
  PaintCaretFrames(c, r, cell);
}

std::string THVPainter::DataCellText(int col, int index) const {
  const Byte* bytes = data_.GetFastPointer();
  const Byte b = bytes[index];
  if (!layout_.InCharField(col)) {
    const bool high = !THVCellLayout::IsSecondDigit(col) != data_.SwapNibbles();
    return std::string(1, HexDigit(high ? b >> 4 : b, view_.HexLowerCase()));
  }
  if (data_.UnicodeChars()) {
    char32_t value = b;
    if (index + 1 < data_.DataSize()) {
      const Byte next = bytes[index + 1];
      value = data_.UnicodeBigEndian() ? (b << 8) | next : b | (next << 8);
    }
    if (value < 32) value = Cp1252ToUnicode(data_.MaskChar());
    return Utf8(value);
  }
  return Utf8(Cp1252ToUnicode(data_.TranslateToAnsiChar(b)));
}

THVPainter::CellColours THVPainter::DataCellColours(int col, int index) const {
  const THVColors& k = view_.Colors();
  const bool inChar = layout_.InCharField(col);
  const bool wide = inChar && data_.UnicodeChars();
  CellColours colours{k.Background(), k.ChangedText(), k.ChangedBackground()};
  const bool changed = data_.HasChanged(index) || (wide && data_.HasChanged(index + 1));
  if (!changed) {
    colours.Box = k.Background();
    if (inChar)
      colours.Text = view_.Font().Color();
    else
      colours.Text = THVCellLayout::HexGroup(col, view_.BytesPerColumn()) % 2 == 0 ? k.OddColumn()
                                                                                   : k.EvenColumn();
  }
  if (data_.IsSelected(index) && (!view_.HideSelection() || focused_)) {
    const Integer high = data_.Selection().High;
    const bool lastByte = index == high || (wide && index + 1 == high);
    const bool lastColumn = col == layout_.LastCharColumn() || col == layout_.LastHexColumn();
    if (!lastColumn && !lastByte) colours.Cell = InvertColor(colours.Cell);
    colours.Box = InvertColor(colours.Box);
    colours.Text = InvertColor(colours.Text);
    if (!focused_ && view_.GraySelectionIfNotFocused()) {
      colours.Box = FadeToGray(colours.Box);
      colours.Text = FadeToGray(colours.Text);
    }
  }
  return colours;
}

void THVPainter::PaintCaretFrames(int col, int row, const TRect& cell) {
  if (row != view_.Row()) return;
  const TRect frame = Rect(cell.Left, cell.Top, cell.Left + cw_, cell.Bottom - 1);
  const THVColors& k = view_.Colors();
  if (focused_ && col == view_.GetOtherFieldCol(view_.Col()))
    DrawFrame(frame, view_.FocusFrame() ? clNone : k.CursorFrame());
  if (view_.ShowPositionIfNotFocused() && !focused_ && col == view_.Col())
    DrawFrame(frame, view_.FocusFrame() ? clNone : k.NonFocusCursorFrame());
}

// ---- Around the cells ----

void THVPainter::PaintMargins() {
  if (cols_.empty() || rows_.empty()) return;
  const THVColors& k = view_.Colors();
  const int top01 = view_.RowHeights(0) + view_.RowHeights(1);
  const Span& lastCol = cols_.back();
  if (lastCol.Index == view_.ColCount() - 1 && lastCol.End < width_) {
    Fill(Rect(lastCol.End, 0, width_, height_), view_.Color());
    Fill(Rect(lastCol.End, 0, width_, top01), k.OffsetBackGround());
  }
  const Span& lastRow = rows_.back();
  if (lastRow.Index == view_.RowCount() - 1 && lastRow.End < height_) {
    const int gutter = view_.ColWidths(0);
    Fill(Rect(gutter, lastRow.End, width_, height_), view_.Color());
    Fill(Rect(0, lastRow.End, gutter, height_), k.OffsetBackGround());
  }
}

void THVPainter::PaintEdges() {
  const int gutter = view_.ColWidths(0);
  const int top01 = view_.RowHeights(0) + view_.RowHeights(1);
  const bool bevel = view_.DrawGutter3D();
  const bool lines = view_.DrawGridLines();
  if (gutter > 0) {
    if (bevel) {
      VLine(gutter, top01, height_, clBtnShadow);
      VLine(gutter - 1, top01, height_, clBtnHighlight);
    } else if (lines) {
      VLine(gutter - 1, top01, height_, view_.Colors().Grid());
    }
  }
  if (!view_.ShowRuler()) return;
  if (bevel) {
    HLine(gutter - 1, width_, top01 - 1, clBtnShadow);
    HLine(gutter - 1, width_, top01 - 2, clBtnHighlight);
  } else if (lines) {
    HLine(gutter - 1, width_, top01 - 1, view_.Colors().Grid());
  }
}

// ---- Cell drawing ----

void THVPainter::DrawTextCell(int col, int row, const TRect& cell, std::string text,
                              const CellColours& colours, bool offsetCell) {
  canvas_.Brush().SetColor(colours.Cell);
  canvas_.Font().SetColor(colours.Text);
  const TRect box = offsetCell ? cell : Rect(cell.Left, cell.Top, cell.Left + cw_, cell.Bottom);
  bool defaultDraw = true;
  if (view_.OnDrawCell) view_.OnDrawCell(&view_, canvas_, col, row, text, Out(box), defaultDraw);
  if (defaultDraw) {
    Fill(cell, colours.Cell);
    const TRect out = Out(box);
    const int y = cell.Top + (cell.Height() - textHeight_) / 2;
    const int x = offsetCell ? out.Right - 4 - canvas_.TextWidth(text) : out.Left;
    canvas_.Brush().SetColor(colours.Box);
    canvas_.Font().SetColor(colours.Text);
    canvas_.TextRect(out, x, y, text);
  }
  if (view_.dropShown_ && view_.dropCell_ == TGridCoord{col, row})
    Fill(Rect(cell.Left + 1, cell.Top + 1, cell.Left + 3, cell.Bottom - 1), colours.Text);
}

void THVPainter::CellLines(int col, const TRect& cell) {
  if (!view_.DrawGridLines()) return;
  const TColor grid = view_.Colors().Grid();
  HLine(cell.Left, cell.Right, cell.Bottom - 1, grid);
  if (col == layout_.SeparatorColumn()) VLine(cell.Left, cell.Top, cell.Bottom, grid);
  if (col == layout_.LastCharColumn()) VLine(cell.Right - 1, cell.Top, cell.Bottom, grid);
}

// clNone: the dotted focus outline; otherwise a hollow rectangle in outline.
void THVPainter::DrawFrame(const TRect& frame, TColor outline) {
  const TRect out = Out(frame);
  if (outline == clNone) {
    canvas_.DrawFocusRect(out);
    return;
  }
  canvas_.Pen().SetColor(outline);
  canvas_.Pen().SetStyle(psSolid);
  canvas_.Brush().SetStyle(bsClear);
  canvas_.Rectangle(out);
  canvas_.Brush().SetStyle(bsSolid);
}

// ---- Primitives ----

TRect THVPainter::Out(const TRect& r) const {
  if (!flip_) return r;
  return Rect(width_ - r.Right, r.Top, width_ - r.Left, r.Bottom);
}

bool THVPainter::Hit(const TRect& r) const {
  return !r.IsEmpty() && region_.intersects(ToQRect(Out(r)));
}

void THVPainter::Fill(const TRect& r, TColor colour) {
  if (r.IsEmpty()) return;
  canvas_.Brush().SetColor(colour);
  canvas_.FillRect(Out(r));
}

void THVPainter::HLine(int x1, int x2, int y, TColor colour) {
  Fill(Rect(x1, y, x2, y + 1), colour);
}

void THVPainter::VLine(int x, int y1, int y2, TColor colour) {
  Fill(Rect(x, y1, x + 1, y2), colour);
}
