#include <gtest/gtest.h>

#include <cstdlib>

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include "framework/bitmap.h"
#include "framework/font.h"

TEST(Font, HeightAndSizeConvertAt96Dpi) {
  TFont f;
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
  EXPECT_EQ(f.Name(), "MS Sans Serif");
  EXPECT_EQ(f.Color(), clWindowText);
  f.SetSize(11);
  EXPECT_EQ(f.Height(), -15);
  f.SetSize(9);
  EXPECT_EQ(f.Height(), -12);
  f.SetHeight(-13);
  EXPECT_EQ(f.Size(), 10);
}

TEST(Font, ChangesAreReportedOnlyWhenSomethingChanges) {
  TFont f;
  int changes = 0;
  f.OnChange = [&](TFont*) { ++changes; };
  f.SetColor(clWindowText);
  f.SetHeight(-11);
  EXPECT_EQ(changes, 0);
  f.SetStyle(fsBold | fsItalic);
  f.SetName("Courier New");
  EXPECT_EQ(changes, 2);
  TFont other;
  f.Assign(other);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(f, other);
  f.Assign(other);
  EXPECT_EQ(changes, 3);
}

TEST(Font, ClassicFamiliesMapToInstalledOnes) {
  EXPECT_EQ(MapFontFamily("Courier New").front(), "Liberation Mono");
  EXPECT_EQ(MapFontFamily("MS Sans Serif").front(), "DejaVu Sans");
  EXPECT_EQ(MapFontFamily("microsoft sans serif").front(), "DejaVu Sans");
  EXPECT_EQ(MapFontFamily("MS Shell Dlg").front(), "DejaVu Sans");
  EXPECT_EQ(MapFontFamily("Tahoma").front(), "Liberation Sans");
  EXPECT_EQ(MapFontFamily("Arial").front(), "Liberation Sans");
  EXPECT_EQ(MapFontFamily("Times New Roman").front(), "Liberation Serif");
  EXPECT_EQ(MapFontFamily("宋体").front(), "WenQuanYi Zen Hei");
  std::vector<std::string> fallbacks = MapFontFamily("Courier New");
  EXPECT_EQ(fallbacks.back(), "WenQuanYi Zen Hei");

  TFont mono;
  mono.SetName("Courier New");
  EXPECT_EQ(QFontInfo(mono.ToQFont()).family(), "Liberation Mono");
  EXPECT_EQ(QFontInfo(mono.ToQFont()).pixelSize(), 11);
  TFont dialog;  // the default font
  EXPECT_EQ(QFontInfo(dialog.ToQFont()).family(), "DejaVu Sans");
  TFont sans;
  sans.SetName("Arial");
  EXPECT_EQ(QFontInfo(sans.ToQFont()).family(), "Liberation Sans");
}

// The stand-in for the 8-point dialog font ("MS Sans Serif", height -11) is
// the packaged sans-serif face whose text sizes come closest to those the
// main window was designed with: the bold label boxes (width of the caption,
// 13 high) and the regular tool-button captions (button width - 16 - 12).
// Measured at 96 dpi with full hinting, the total width error over the 19
// labels and 2 captions, and the label height, were:
//   DejaVu Sans 11 px  24, 13 high    FreeSans 12 px     20, 12 high
//   Liberation Sans 12 px  37, 14     Liberation Sans 11 px 107, 12
//   Noto Sans 12 px    36, 17         Arimo as Liberation Sans
// so DejaVu Sans at 11 px: all heights right and every width within 6.
// A different font or different metrics here fail this test.
TEST(Font, DialogFontMeasuresAsTheDesignedLabelAndButtonTexts) {
  struct Row {
    const char* text;
    bool bold;
    int designed;  // width the window was designed with
    int measured;  // DejaVu Sans 11 px
  };
  static const Row kRows[] = {
      {"DEADBAND", true, 69, 70}, {"STRETCHER", true, 76, 73}, {"BOOST", true, 43, 42},
      {"MAXDUTYL", true, 68, 69}, {"MAXDUTYR", true, 70, 70},  {"DEADZONE", true, 69, 69},
      {"PMIN", true, 32, 32},     {"PMAX", true, 35, 36},      {"PMID", true, 32, 32},
      {"us", true, 14, 15},       {"P1MDUTY", true, 60, 61},   {"P2MDUTY", true, 60, 61},
      {"P1WTIME", true, 58, 59},  {"P2WTIME", true, 58, 59},   {"P3WTIME", true, 58, 59},
      {"OSC", true, 26, 25},      {"CHANNEL", true, 59, 59},   {"CLK", true, 24, 24},
      {"Write ", false, 28, 34},  {"Read", false, 26, 29},
  };
  TFont regular;
  regular.SetName("MS Sans Serif");
  regular.SetHeight(-11);
  TFont bold = regular;
  bold.SetStyle(fsBold);
  ASSERT_EQ(QFontInfo(bold.ToQFont()).family(), "DejaVu Sans");
  ASSERT_TRUE(QFontInfo(bold.ToQFont()).bold());
  TBitmap bmp(10, 10);
  TCanvas& c = bmp.Canvas();
  c.SetFont(bold);
  EXPECT_EQ(c.TextHeight("DEADBAND"), 13);
  for (const Row& row : kRows) {
    c.SetFont(row.bold ? bold : regular);
    EXPECT_EQ(c.TextWidth(row.text), row.measured) << row.text;
    EXPECT_LE(std::abs(row.measured - row.designed), 6) << row.text;
  }
}

TEST(Font, MonospacedMetricsAreWholePixelsAndStable) {
  TFont mono;
  mono.SetName("Courier New");
  mono.SetSize(11);
  TBitmap bmp(10, 10);
  bmp.Canvas().SetFont(mono);
  const int w = bmp.Canvas().TextWidth("w");
  EXPECT_GT(w, 0);
  EXPECT_EQ(bmp.Canvas().TextWidth("0123456789"), 10 * w);
  EXPECT_EQ(bmp.Canvas().TextWidth("w"), QFontMetrics(mono.ToQFont()).horizontalAdvance("w"));
  EXPECT_EQ(bmp.Canvas().TextHeight("yY"), QFontMetrics(mono.ToQFont()).height());
}

TEST(Font, ChineseTextIsDrawnWithTheCjkFallback) {
  TFont f;
  EXPECT_TRUE(f.ToQFont().families().contains("WenQuanYi Zen Hei"));
  // The glyph drawn through the fallback is the CJK family's own glyph.
  auto crop = [](const QImage& img) {
    int l = img.width(), t = img.height(), r = -1, b = -1;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (img.pixel(x, y) != qRgb(255, 255, 255)) {
          l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
        }
    return r < 0 ? QImage() : img.copy(l, t, r - l + 1, b - t + 1);
  };
  TBitmap bmp(40, 30);
  bmp.Canvas().SetFont(f);
  bmp.Canvas().Brush().SetStyle(bsClear);
  bmp.Canvas().TextOut(2, 2, "成");
  QImage ref(40, 30, QImage::Format_RGB32);
  ref.fill(Qt::white);
  {
    QPainter p(&ref);
    QFont cjk = f.ToQFont();
    cjk.setFamilies({"WenQuanYi Zen Hei"});
    p.setFont(cjk);
    p.setPen(Qt::black);
    p.drawText(QPoint(5, 20), QString::fromUtf8("成"));
  }
  QImage a = crop(bmp.Image()), b = crop(ref);
  ASSERT_FALSE(a.isNull());
  EXPECT_GT(a.width() * a.height(), 30);
  EXPECT_EQ(a, b);
}
