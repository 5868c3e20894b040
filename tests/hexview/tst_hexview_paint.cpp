// Hex view widget: rendered pixels against the painting rules.
#include <QDialog>
#include <QLineEdit>
#include <QtTest>

#include "framework/caret.h"
#include "hexview/ehexview.h"
#include "hexview/hvbookmarkimages.h"
#include "tests/hexview/hexview_widget_util.h"

namespace {

std::vector<Byte> Bytes(int n) {
  std::vector<Byte> v(n);
  for (int i = 0; i < n; ++i) v[i] = static_cast<Byte>(i * 7 + 0x30);
  return v;
}

TRect Cell(THexViewEx& v, int col, int row) {
  return v.CellRect(col, row);
}

// The one-character box at a cell's left edge, and the rest of the cell.
TRect Box(THexViewEx& v, const TRect& cell) {
  return Rect(cell.Left, cell.Top, cell.Left + v.CharWidth(), cell.Bottom);
}
TRect Gap(THexViewEx& v, const TRect& cell) {
  return Rect(cell.Left + v.CharWidth(), cell.Top, cell.Right, cell.Bottom);
}

int Area(const TRect& r) {
  return r.Width() * r.Height();
}

TColor Rgb(TColor c) {
  return ColorToRGB(c);
}

// Collects the regions of the paint events a widget receives.
class RegionRecorder : public QObject {
 public:
  QRegion region;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(e)->region();
    return false;
  }
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(int& count) : count_(count) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++count_;
    return false;
  }

 private:
  int& count_;
};

}  // namespace

class HexViewPaintTest : public QObject {
  Q_OBJECT

 private slots:
  void gutterAndCurrentOffset() {
    ViewHost h;
    h.Fill(Bytes(64));
    THexViewEx& v = *h.view;
    const QImage img = h.Render();
    const TRect plain = Cell(v, 0, 3);
    const TRect current = Cell(v, 0, 2);  // the caret's row
    QCOMPARE(PixelAt(img, plain.Left + 1, plain.Top + 1), Rgb(clBtnFace));
    const TRect inner = Rect(plain.Left, plain.Top, plain.Right - 1, plain.Bottom);  // no bevel
    QVERIFY(CountNear(img, plain, clBlack) > 0);
    QCOMPARE(CountNear(img, inner, clBtnHighlight), 0);
    QCOMPARE(PixelAt(img, current.Left + 1, current.Top + 1), Rgb(clBtnShadow));
    QVERIFY(CountNear(img, current, clBtnHighlight) > 0);
    QCOMPARE(CountNear(img, current, clBlack), 0);
    // Right-aligned, 4 pixels inside the cell.
    const TRect margin = Rect(plain.Right - 4, plain.Top, plain.Right - 1, plain.Bottom);
    QCOMPARE(CountColour(img, margin, clBtnFace), Area(margin));
    QVERIFY(
        CountNear(img,
                  Rect(plain.Right - 4 - v.CharWidth(), plain.Top, plain.Right - 4, plain.Bottom),
                  clBlack) > 0);
    // Bevel at the gutter's inner edge.
    const int gw = v.ColWidths(0);
    QCOMPARE(PixelAt(img, gw - 1, plain.Top + 3), Rgb(clBtnHighlight));
    QCOMPARE(PixelAt(img, gw, plain.Top + 3), Rgb(clBtnShadow));
    // Below the last row: button face under the gutter, the control's colour beside it.
    const int below = Cell(v, 0, 9).Bottom + 5;
    QVERIFY(below < img.height());
    QCOMPARE(PixelAt(img, 5, below), Rgb(clBtnFace));
    QCOMPARE(PixelAt(img, gw + 20, below), Rgb(clWindow));
  }

  void changedByteColours() {
    ViewHost h;
    h.Fill(Bytes(64));
    THexViewEx& v = *h.view;
    v.SetChanged(10, true);
    const QImage img = h.Render();
    const TColor yellow = 11075583;
    const TRect first = Cell(v, 6, 3), second = Cell(v, 7, 3), chr = Cell(v, 21, 3);
    QCOMPARE(first.Width(), v.CharWidth());
    QVERIFY(CountColour(img, first, yellow) > Area(first) / 2);
    QVERIFY(CountNear(img, first, clMaroon) > 0);
    QVERIFY(CountNear(img, Box(v, second), clMaroon) > 0);
    QCOMPARE(CountColour(img, Gap(v, second), clWindow), Area(Gap(v, second)));
    QVERIFY(CountColour(img, Box(v, chr), yellow) > 0);
    QVERIFY(CountNear(img, Box(v, chr), clMaroon) > 0);
    QCOMPARE(CountColour(img, Gap(v, chr), clWindow), Area(Gap(v, chr)));
    // Unchanged neighbours: group colours, no marks.
    const TRect next = Cell(v, 10, 3), prev = Cell(v, 4, 3);
    QCOMPARE(CountColour(img, next, yellow), 0);
    QVERIFY(CountNear(img, next, clBlue) > 0);  // byte 12: first group colour
    QVERIFY(CountNear(img, prev, clNavy) > 0);  // byte 9: second group colour
    QCOMPARE(CountNear(img, prev, clBlue), 0);
    QVERIFY(CountNear(img, Cell(v, 22, 3), clBlack) > 0);  // characters in the font colour
  }

  void selectionIsInvertedWithItsGaps() {
    ViewHost h;
    h.Fill(Bytes(64));
    h.Focus();
    THexViewEx& v = *h.view;
    QVERIFY(v.Focused());
    v.NewSelection(17, 21);  // row 4, bytes 1 to 5
    const QImage img = h.Render();
    const TRect gap17 = Gap(v, Cell(v, 5, 4)), gap21 = Gap(v, Cell(v, 13, 4));
    const TRect gap16 = Gap(v, Cell(v, 3, 4));
    QCOMPARE(CountColour(img, gap17, clBlack), Area(gap17));
    QCOMPARE(CountColour(img, gap21, clWindow), Area(gap21));
    QCOMPARE(CountColour(img, gap16, clWindow), Area(gap16));
    // Byte 19 (second group colour navy) shows navy inverted on black.
    const TRect box19 = Cell(v, 8, 4);
    QVERIFY(CountNear(img, box19, RGB(255, 255, 127)) > 0);
    QVERIFY(CountColour(img, box19, clBlack) > Area(box19) / 2);
    QCOMPARE(CountNear(img, box19, clNavy), 0);
    // Characters: the gap of every selected byte but the last.
    const TRect chr17 = Cell(v, 20, 4), chr21 = Cell(v, 24, 4);
    QCOMPARE(PixelAt(img, chr17.Right - 1, chr17.Top + 2), Rgb(clBlack));
    QCOMPARE(PixelAt(img, chr21.Right - 1, chr21.Top + 2), Rgb(clWindow));
    QCOMPARE(PixelAt(img, chr21.Left, chr21.Top + 2), Rgb(clBlack));
  }

  void unfocusedSelectionHiddenOrGrey() {
    ViewHost h;
    h.Fill(Bytes(64));
    THexViewEx& v = *h.view;
    v.NewSelection(17, 21);
    v.clearFocus();
    QApplication::processEvents();
    QVERIFY(!v.Focused());
    const TRect gap17 = Gap(v, Cell(v, 5, 4)), box19 = Cell(v, 8, 4);
    QImage img = h.Render();
    QCOMPARE(CountColour(img, gap17, clBlack), Area(gap17));  // shown while unfocused
    v.SetGraySelectionIfNotFocused(true);
    img = h.Render();
    QVERIFY(CountNear(img, box19, RGB(237, 237, 237)) > 0);  // inverted navy faded
    QCOMPARE(CountNear(img, box19, RGB(255, 255, 127)), 0);
    QCOMPARE(CountColour(img, gap17, clBlack), Area(gap17));  // the cell colour is not faded
    v.SetHideSelection(true);
    img = h.Render();
    QCOMPARE(CountColour(img, gap17, clWindow), Area(gap17));
    QCOMPARE(CountNear(img, box19, clBlack), 0);
  }

  void rulerDigitsAndCurrentColumn() {
    ViewHost h;
    h.Fill(Bytes(64));
    THexViewEx& v = *h.view;
    v.SetShowRuler(true);
    const QImage img = h.Render();
    for (int c = 3; c <= 17; ++c) QVERIFY(CountNear(img, Box(v, Cell(v, c, 0)), clBlack) > 0);
    for (int c = 19; c <= 26; ++c) QVERIFY(CountNear(img, Box(v, Cell(v, c, 0)), clBlack) > 0);
    QCOMPARE(CountNear(img, Cell(v, 18, 0), clBlack), 0);  // separator: blanks
    const TRect caretColumn = Box(v, Cell(v, 2, 0));       // caret on column 2
    QVERIFY(CountColour(img, caretColumn, clBtnShadow) > 0);
    QVERIFY(CountNear(img, caretColumn, clBtnHighlight) > 0);
    QCOMPARE(CountNear(img, caretColumn, clBlack), 0);
    QCOMPARE(PixelAt(img, 3, 3), Rgb(clBtnFace));  // corner
    const int edge = v.RowHeights(0) - 1;
    QCOMPARE(PixelAt(img, v.ColWidths(0) + 30, edge), Rgb(clBtnShadow));
    QCOMPARE(PixelAt(img, v.ColWidths(0) + 30, edge - 1), Rgb(clBtnHighlight));
    // Right of the last column, beside the ruler: button face.
    const int right = Cell(v, 26, 2).Right;
    QVERIFY(right + 5 < img.width());
    QCOMPARE(PixelAt(img, right + 5, 3), Rgb(clBtnFace));
    QCOMPARE(PixelAt(img, right + 5, Cell(v, 0, 4).Top + 3), Rgb(clWindow));
  }

  void emptyTailIsNotFilled() {
    ViewHost h;
    h.Fill(Bytes(60));
    THexViewEx& v = *h.view;
    const QImage img = h.Render();
    const TRect tail = v.BoxRect(10, 9, 17, 9);
    QCOMPARE(CountColour(img, tail, clWindow), Area(tail));
    const TRect chars = v.BoxRect(23, 9, 26, 9);
    QCOMPARE(CountColour(img, chars, clWindow), Area(chars));
    QVERIFY(CountNear(img, Cell(v, 9, 9), clNavy) > 0);  // byte 59 is drawn
  }

  void caretCounterpartFrames() {
    ViewHost h;
    h.Fill(Bytes(64));
    h.Focus();
    THexViewEx& v = *h.view;
    v.FocusCell(4, 3, true);  // byte 9, hex field
    const TRect chr = Cell(v, 20, 3);
    QImage img = h.Render();
    QCOMPARE(PixelAt(img, chr.Left, chr.Top), Rgb(clBlack));  // dotted: inverted pixels
    QCOMPARE(PixelAt(img, chr.Left + 1, chr.Top), Rgb(clWindow));
    QCOMPARE(PixelAt(img, chr.Left + 2, chr.Top), Rgb(clBlack));
    v.SetFocusFrame(false);
    img = h.Render();
    const int w = v.CharWidth();
    QCOMPARE(PixelAt(img, chr.Left + 1, chr.Top), Rgb(clNavy));
    QCOMPARE(PixelAt(img, chr.Left + w - 1, chr.Top + 3), Rgb(clNavy));
    QCOMPARE(PixelAt(img, chr.Left + 3, chr.Bottom - 2), Rgb(clNavy));
    QCOMPARE(PixelAt(img, chr.Left + 3, chr.Bottom - 1), Rgb(clWindow));  // one pixel short
    // Unfocused: no counterpart frame; with ShowPositionIfNotFocused the caret cell.
    v.SetShowPositionIfNotFocused(true);
    v.clearFocus();
    img = h.Render();
    QCOMPARE(PixelAt(img, chr.Left + 1, chr.Top), Rgb(clWindow));
    const TRect caret = Cell(v, 4, 3);
    QCOMPARE(PixelAt(img, caret.Left + 1, caret.Top), Rgb(clAqua));
  }

  void gridLinesAndFlatGutter() {
    ViewHost h;
    h.Fill(Bytes(64));
    THexViewEx& v = *h.view;
    v.SetDrawGutter3D(false);
    v.SetDrawGridLines(true);
    const QImage img = h.Render();
    const TRect cell = Cell(v, 8, 3);
    QCOMPARE(PixelAt(img, cell.Left + 2, cell.Bottom - 1), Rgb(clBtnFace));
    const TRect sep = Cell(v, 18, 3), last = Cell(v, 26, 3);
    QCOMPARE(PixelAt(img, sep.Left, sep.Top + 4), Rgb(clBtnFace));
    QCOMPARE(PixelAt(img, last.Right - 1, last.Top + 4), Rgb(clBtnFace));
    QCOMPARE(PixelAt(img, v.ColWidths(0) - 1, cell.Top + 4), Rgb(clBtnFace));
    QCOMPARE(PixelAt(img, v.ColWidths(0), cell.Top + 4), Rgb(clWindow));
  }

  void rightToLeftMirrorsTheGrid() {
    ViewHost h;
    h.Fill(Bytes(64));
    THexViewEx& v = *h.view;
    const int y = Cell(v, 0, 4).Top + 3;
    QImage img = h.Render();
    QCOMPARE(PixelAt(img, 3, y), Rgb(clBtnFace));
    v.SetBiDiMode(bdRightToLeft);
    v.Invalidate();
    img = h.Render();
    QCOMPARE(PixelAt(img, img.width() - 4, y), Rgb(clBtnFace));
    QCOMPARE(PixelAt(img, 3, y), Rgb(clWindow));
    // A typed byte repaints its cells where they are shown, mirrored.
    RegionRecorder recorder;
    v.installEventFilter(&recorder);
    v.IntChangeByte(v.GetDataAt(10), 0x11, 10, 6, 3, "");
    QApplication::processEvents();
    v.removeEventFilter(&recorder);
    const TRect cell = v.ScreenRect(Cell(v, 6, 3));
    const TPoint off = v.ClientOffset();
    QVERIFY(cell.Left > img.width() / 2);
    QVERIFY(recorder.region.contains(QPoint(cell.Left + off.X + 2, cell.Top + off.Y + 2)));
  }

  void drawCellEventCanTakeOver() {
    ViewHost h;
    h.Fill(Bytes(64));
    THexViewEx& v = *h.view;
    std::string offsetText, digitText;
    TRect offsetRect, digitRect;
    v.OnDrawCell = [&](TObject*, TCanvas&, int col, int row, std::string& text, TRect r,
                       bool& defaultDraw) {
      if (col == 0 && row == 3) offsetText = text, offsetRect = r;
      if (col == 6 && row == 3) digitText = text, digitRect = r, defaultDraw = false;
    };
    const QImage img = h.Render();
    QCOMPARE(offsetText, std::string("0x08"));
    QCOMPARE(offsetRect, Cell(v, 0, 3));
    QCOMPARE(digitText, std::string("7"));  // byte 10 is 0x76
    QCOMPARE(digitRect, Box(v, Cell(v, 6, 3)));
    QCOMPARE(CountNear(img, Cell(v, 6, 3), clBlue), 0);
    QVERIFY(CountNear(img, Cell(v, 7, 3), clBlue) > 0);
  }

  void onlyCellsInTheRepaintAreaAreDrawn() {
    ViewHost h;
    h.Fill(Bytes(64));
    THexViewEx& v = *h.view;
    h.Render();
    std::vector<std::pair<int, int>> drawn;
    v.OnDrawCell = [&](TObject*, TCanvas&, int col, int row, std::string&, TRect, bool&) {
      drawn.emplace_back(col, row);
    };
    const TPoint off = v.ClientOffset();
    const TRect cell = Cell(v, 6, 3);
    v.repaint(QRect(cell.Left + off.X + 1, cell.Top + off.Y + 1, 2, 2));
    QCOMPARE(drawn, (std::vector<std::pair<int, int>>{{6, 3}}));
  }

  // Left alone, a focused view repaints only for the caret's blink (every
  // 500 ms), also after typing and moving the caret.
  void idleViewPaintsOnlyForTheBlink() {
    ViewHost h;
    h.Fill(Bytes(64));
    THexViewEx& v = *h.view;
    h.Focus();
    QCOMPARE(CaretOwner(), static_cast<TWinControl*>(&v));
    int paints = 0;
    PaintCounter counter(paints);
    v.installEventFilter(&counter);
    for (const bool edited : {false, true}) {
      if (edited) {
        QTest::keyClicks(&v, "a5");
        QTest::keyClick(&v, Qt::Key_Right);
      }
      QTest::qWait(100);  // the repaints the edit asked for
      paints = 0;
      QTest::qWait(1000);
      QVERIFY2(paints >= 1 && paints <= 4, qPrintable(QString("%1 paints").arg(paints)));
    }
    QCOMPARE(v.GetDataAt(0), Byte{0xA5});
  }

  // While another window (a dialog) has the focus the view draws no
  // caret; it comes back when the view's window is active again.
  void anotherWindowTakesTheCaretAway() {
    ViewHost h;
    h.Fill(Bytes(64));
    THexViewEx& v = *h.view;
    h.Focus();
    v.Seek(0x25, 0);
    QCOMPARE(CaretOwner(), static_cast<TWinControl*>(&v));
    QDialog dialog;
    QLineEdit* edit = new QLineEdit(&dialog);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    edit->setFocus();
    QApplication::processEvents();
    QVERIFY(!v.Focused());
    QVERIFY(CaretOwner() != &v);
    dialog.hide();
    h.Focus();
    QCOMPARE(CaretOwner(), static_cast<TWinControl*>(&v));
    QCOMPARE(v.Data().CaretIndex(), 0x25);
  }

  void largeDataDrawsTheSameCells() {
    auto countCells = [](int size, int topRow) {
      ViewHost h(600, 140);
      THexViewEx& v = *h.view;
      v.SetDataSize(size);
      v.SetTopRow(topRow);
      int cells = 0;
      v.OnDrawCell = [&](TObject*, TCanvas&, int, int, std::string&, TRect, bool&) { ++cells; };
      h.Render();
      return cells;
    };
    const int small = countCells(64, 2);
    QVERIFY(small > 27);
    QCOMPARE(countCells(16 << 20, 2), small);
    QCOMPARE(countCells(16 << 20, 1 << 20), small);
  }

  void bookmarkImages() {
    ViewHost h;
    h.Fill(Bytes(64));
    THexViewEx& v = *h.view;
    v.SetBookmarkVals(3, 20, false);
    v.SetBookmarkVals(5, 33, true);
    const QImage img = h.Render();
    auto origin = [&](int row) {
      const TRect c = Cell(v, 0, row);
      return TPoint(c.Left + 3, c.Top + (c.Height() - 10) / 2);
    };
    const TPoint hex = origin(4), chr = origin(6);
    QCOMPARE(PixelAt(img, hex.X + 1, hex.Y + 1), Rgb(clYellow));
    QCOMPARE(PixelAt(img, hex.X + 8, hex.Y + 1), Rgb(clSilver));
    QCOMPARE(PixelAt(img, hex.X + 4, hex.Y), Rgb(clBlack));       // frame
    QCOMPARE(PixelAt(img, hex.X, hex.Y), Rgb(clBtnFace));         // transparent corner
    QCOMPARE(PixelAt(img, chr.X + 1, chr.Y + 1), Rgb(clSilver));  // character field: mirrored
    QCOMPARE(PixelAt(img, chr.X + 8, chr.Y + 1), Rgb(clYellow));
    QCOMPARE(CountColour(img, Cell(v, 0, 5), clYellow), 0);
    // The digit differs between images.
    const QImage three = img.copy(hex.X, hex.Y, 10, 10);
    v.SetBookmarkVals(3, 20, false);  // toggles it off
    v.SetBookmarkVals(8, 20, false);
    const QImage eight = h.Render().copy(hex.X, hex.Y, 10, 10);
    QVERIFY(three != eight);
  }

  void bookmarkBitmapProperty() {
    ViewHost h;
    h.Fill(Bytes(64));
    THexViewEx& v = *h.view;
    TBitmap wrong(100, 10);
    QVERIFY_THROWS_EXCEPTION(EHexView, v.SetBookmarkBitmap(&wrong));
    QVERIFY(!v.HasCustomBookmarkBitmap());
    TBitmap custom(200, 10);
    custom.Canvas().Brush().SetColor(clLime);
    custom.Canvas().FillRect(Rect(0, 0, 200, 10));
    custom.Canvas().SetPixels(0, 0, clFuchsia);
    v.SetBookmarkBitmap(&custom);
    QVERIFY(v.HasCustomBookmarkBitmap());
    v.SetBookmarkVals(0, 0, false);
    const TRect gutter = Cell(v, 0, 2);
    QImage img = h.Render();
    QCOMPARE(CountColour(img, gutter, clLime), 99);  // the corner is see-through
    v.SetBookmarkBitmap(nullptr);
    img = h.Render();
    QCOMPARE(CountColour(img, gutter, clLime), 0);
    QVERIFY(CountColour(img, gutter, clYellow) > 0);
    const std::vector<QImage> images = CutBookmarkImages(*BuiltInBookmarkBitmap());
    QCOMPARE(images.size(), size_t(20));
    QCOMPARE(qAlpha(images[0].pixel(0, 0)), 0);
    QCOMPARE(qAlpha(images[0].pixel(9, 9)), 0);
    QCOMPARE(qAlpha(images[0].pixel(5, 5)), 255);
  }
};

QTEST_MAIN(HexViewPaintTest)
#include "tst_hexview_paint.moc"
