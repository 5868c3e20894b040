// DrawText against direct QPainter output: the same text drawn where the flags
// say it belongs must give identical pixels.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "framework/bitmap.h"
#include "framework/drawtext.h"
#include "test_support.h"

namespace {

struct Fixture {
  TBitmap bmp{120, 40};
  TFont font;
  Fixture() {
    font.SetName("Tahoma");
    font.SetHeight(-11);
    bmp.Canvas().SetFont(font);
    bmp.Canvas().Brush().SetStyle(bsClear);
  }
  QFontMetrics Metrics() const { return QFontMetrics(font.ToQFont()); }
  // The reference: `text` drawn by QPainter with its cell's top-left at (x, y).
  QImage Reference(const QString& text, int x, int y, const QRect& clip = QRect()) const {
    QImage img(bmp.Width(), bmp.Height(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    if (clip.isValid()) p.setClipRect(clip);
    p.setFont(font.ToQFont());
    p.setPen(Qt::black);
    p.drawText(QPoint(x, y + Metrics().ascent()), text);
    return img;
  }
};

}  // namespace

TEST(DrawText, CentreAndVerticalCentreMatchQPainterPlacement) {
  Fixture f;
  TRect r = Rect(0, 0, 120, 40);
  int h = DrawText(f.bmp.Canvas(), "Read", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  QFontMetrics fm = f.Metrics();
  EXPECT_EQ(h, fm.height());
  QImage ref =
      f.Reference("Read", (120 - fm.horizontalAdvance("Read")) / 2, (40 - fm.height()) / 2);
  EXPECT_EQ(f.bmp.Image(), ref);
}

TEST(DrawText, RightAndBottomAlignToTheEdges) {
  Fixture f;
  TRect r = Rect(10, 5, 110, 35);
  DrawText(f.bmp.Canvas(), "Write ", r, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
  QFontMetrics fm = f.Metrics();
  EXPECT_EQ(f.bmp.Image(),
            f.Reference("Write ", 110 - fm.horizontalAdvance("Write "), 35 - fm.height()));
}

TEST(DrawText, VerticalCentreNeedsSingleLine) {
  Fixture f;
  TRect r = Rect(0, 0, 120, 40);
  DrawText(f.bmp.Canvas(), "Top", r, DT_VCENTER);
  EXPECT_EQ(f.bmp.Image(), f.Reference("Top", 0, 0));
}

TEST(DrawText, CalcRectMeasuresWithoutDrawing) {
  Fixture f;
  QFontMetrics fm = f.Metrics();
  TRect r = Rect(5, 7, 500, 500);
  int h = DrawText(f.bmp.Canvas(), "OverLoad L1 Enable", r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(r, Rect(5, 7, 5 + fm.horizontalAdvance("OverLoad L1 Enable"), 7 + fm.height()));
  EXPECT_EQ(h, fm.height());
  EXPECT_EQ(CountPixels(f.bmp.Image(), clWhite), 120 * 40);
}

TEST(DrawText, WordBreakWrapsAtTheWidthAndCalcRectCountsLines) {
  Fixture f;
  QFontMetrics fm = f.Metrics();
  const int width = fm.horizontalAdvance("alpha beta") + 1;  // two words fit, three do not
  TRect r = Rect(0, 0, width, 100);
  int h = DrawText(f.bmp.Canvas(), "alpha beta alpha", r, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(h, 2 * fm.height());
  EXPECT_EQ(r.Bottom, 2 * fm.height());
  EXPECT_EQ(r.Right, fm.horizontalAdvance("alpha beta"));  // the widest line
  TRect d = Rect(0, 0, width, 40);
  DrawText(f.bmp.Canvas(), "alpha beta gamma", d, DT_WORDBREAK);
  QImage ref = f.Reference("alpha beta", 0, 0);
  {
    QPainter p(&ref);
    p.setFont(f.font.ToQFont());
    p.setPen(Qt::black);
    p.setClipRect(QRect(0, 0, width, 40));
    p.drawText(QPoint(0, fm.height() + fm.ascent()), "gamma");
  }
  EXPECT_EQ(f.bmp.Image(), ref);
}

TEST(DrawText, ExplicitLineBreaksAreKeptUnlessSingleLine) {
  Fixture f;
  QFontMetrics fm = f.Metrics();
  TRect r = Rect(0, 0, 200, 200);
  EXPECT_EQ(DrawText(f.bmp.Canvas(), "a\r\nb\nc", r, DT_CALCRECT), 3 * fm.height());
  r = Rect(0, 0, 200, 200);
  EXPECT_EQ(DrawText(f.bmp.Canvas(), "a\nb", r, DT_CALCRECT | DT_SINGLELINE), fm.height());
  EXPECT_EQ(r.Width(), fm.horizontalAdvance("a b"));
}

TEST(DrawText, PrefixUnderlinesAndDoubleAmpersandShowsOne) {
  Fixture f;
  QFontMetrics fm = f.Metrics();
  TRect r = Rect(0, 0, 200, 40);
  DrawText(f.bmp.Canvas(), "A&&B", r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(r.Width(), fm.horizontalAdvance("A&B"));
  r = Rect(0, 0, 200, 40);
  DrawText(f.bmp.Canvas(), "&Read", r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(r.Width(), fm.horizontalAdvance("&Read"));

  TRect d = Rect(0, 0, 120, 40);
  DrawText(f.bmp.Canvas(), "&Read", d, DT_SINGLELINE);
  QImage plain = f.Reference("Read", 0, 0);
  // Same glyphs plus an underline under "R" only.
  int extra = 0, outside = 0;
  const int rw = fm.horizontalAdvance("R");
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x)
      if (PixelAt(f.bmp.Image(), x, y) != PixelAt(plain, x, y)) {
        ++extra;
        if (x >= rw || y <= fm.ascent()) ++outside;
      }
  EXPECT_GT(extra, 0);
  EXPECT_EQ(outside, 0);

  int mark = 0;
  EXPECT_EQ(StripPrefix("Save &As && Close", &mark), "Save As & Close");
  EXPECT_EQ(mark, 5);
}

TEST(DrawText, EndEllipsisFitsTheRectangle) {
  Fixture f;
  QFontMetrics fm = f.Metrics();
  const int width = fm.horizontalAdvance("Incremental");
  TRect r = Rect(0, 0, width, 40);
  DrawText(f.bmp.Canvas(), "Incremental search reset", r,
           DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(r.Width(), width);
  TRect d = Rect(0, 0, width, 40);
  DrawText(f.bmp.Canvas(), "Incremental search reset", d, DT_SINGLELINE | DT_END_ELLIPSIS);
  TRect ink = InkBounds(f.bmp.Image(), clWhite);
  EXPECT_LE(ink.Right, width);
  // The last thing drawn is the ellipsis: three dots on the baseline.
  QString shown;
  for (QString t = "Incremental search reset"; !t.isEmpty(); t.chop(1))
    if (fm.horizontalAdvance(t + "...") <= width) {
      shown = t + "...";
      break;
    }
  EXPECT_EQ(f.bmp.Image(), f.Reference(shown, 0, 0));
}

TEST(DrawText, ClipsToTheRectangleUnlessNoClip) {
  Fixture f;
  TRect r = Rect(0, 0, 10, 40);
  DrawText(f.bmp.Canvas(), "Wide text here", r, DT_SINGLELINE);
  EXPECT_LE(InkBounds(f.bmp.Image(), clWhite).Right, 10);
  Fixture g;
  TRect r2 = Rect(0, 0, 10, 40);
  DrawText(g.bmp.Canvas(), "Wide text here", r2, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(InkBounds(g.bmp.Image(), clWhite).Right, 10);
}

TEST(DrawText, OpaqueBrushFillsTheTextCell) {
  Fixture f;
  f.bmp.Canvas().Brush().SetColor(clYellow);
  QFontMetrics fm = f.Metrics();
  TRect r = Rect(0, 0, 120, 40);
  DrawText(f.bmp.Canvas(), "ab", r, DT_SINGLELINE);
  EXPECT_EQ(PixelAt(f.bmp.Image(), 0, fm.height() - 1), clYellow);
  EXPECT_EQ(PixelAt(f.bmp.Image(), 0, fm.height()), clWhite);
}

TEST(DrawText, TabsExpandToEightAverageCharacters) {
  Fixture f;
  QFontMetrics fm = f.Metrics();
  TRect r = Rect(0, 0, 500, 40);
  DrawText(f.bmp.Canvas(), "a\tb", r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  EXPECT_EQ(r.Width(), 8 * fm.averageCharWidth() + fm.horizontalAdvance("b"));
}
