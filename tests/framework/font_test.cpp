#include <gtest/gtest.h>

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
  EXPECT_EQ(MapFontFamily("MS Sans Serif").front(), "Liberation Sans");
  EXPECT_EQ(MapFontFamily("microsoft sans serif").front(), "Liberation Sans");
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
  TFont sans;
  EXPECT_EQ(QFontInfo(sans.ToQFont()).family(), "Liberation Sans");
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
