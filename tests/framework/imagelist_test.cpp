#include <gtest/gtest.h>

#include <QImage>

#include "framework/bitmap.h"
#include "framework/imagelist.h"
#include "framework/mainimages.h"
#include "test_support.h"

namespace {

QImage Solid(int w, int h, QColor c) {
  QImage img(w, h, QImage::Format_ARGB32);
  img.fill(c);
  return img;
}

}  // namespace

TEST(ImageList, StripsAreCutIntoCells) {
  TImageList list;
  QImage strip = Solid(48, 16, Qt::red);
  for (int y = 0; y < 16; ++y) strip.setPixelColor(20, y, Qt::blue);  // in the second cell
  EXPECT_EQ(list.Add(strip), 0);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Image(1).pixelColor(4, 0), QColor(Qt::blue));
  EXPECT_EQ(list.Image(2).pixelColor(4, 0), QColor(Qt::red));
  EXPECT_EQ(list.Add(Solid(16, 16, Qt::green)), 3);
  EXPECT_EQ(list.Add(QImage()), -1);
  EXPECT_THROW(list.Image(4), EListError);
  list.Delete(0);
  EXPECT_EQ(list.Count(), 3);
}

TEST(ImageList, EnabledDrawCopiesPixelsAndKeepsTransparency) {
  TImageList list;
  QImage img = Solid(16, 16, Qt::transparent);
  img.setPixelColor(3, 4, QColor(10, 20, 30));
  list.Add(img);
  TBitmap bmp(20, 20);
  list.Draw(bmp.Canvas(), 2, 2, 0, true);
  EXPECT_EQ(PixelAt(bmp.Image(), 5, 6), RGB(10, 20, 30));
  EXPECT_EQ(CountPixels(bmp.Image(), clWhite), 399);
  list.Draw(bmp.Canvas(), 0, 0, 5, true);  // no such image: nothing drawn
  EXPECT_EQ(CountPixels(bmp.Image(), clWhite), 399);
}

TEST(ImageList, DisabledDrawIsEmbossedShadowAndHighlight) {
  TImageList list;
  QImage img = Solid(16, 16, Qt::transparent);
  img.setPixelColor(5, 5, QColor(0, 0, 200));      // dark: ink
  img.setPixelColor(9, 9, QColor(250, 250, 250));  // light: dropped
  list.Add(img);
  TBitmap bmp(16, 16);
  bmp.Canvas().Brush().SetColor(clBtnFace);
  bmp.Canvas().FillRect(Rect(0, 0, 16, 16));
  list.Draw(bmp.Canvas(), 0, 0, 0, false);
  EXPECT_EQ(PixelAt(bmp.Image(), 5, 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelAt(bmp.Image(), 6, 6), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(PixelAt(bmp.Image(), 9, 9), ColorToRGB(clBtnFace));
  EXPECT_EQ(CountPixels(bmp.Image(), ColorToRGB(clBtnFace)), 256 - 2);
}

TEST(MainImages, EightSixteenPixelImagesInTheirColours) {
  TImageList list;
  AddMainWindowImages(list);
  ASSERT_EQ(list.Count(), MainWindowImageCount);
  auto count = [](const QImage& img, auto pred) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        QColor c = img.pixelColor(x, y);
        if (c.alpha() == 255 && pred(c)) ++n;
      }
    return n;
  };
  auto blue = [](QColor c) { return c.blue() > 120 && c.blue() > c.red() + 60; };
  auto red = [](QColor c) { return c.red() > 150 && c.red() > c.green() + 80; };
  auto coloured = [](QColor c) {
    return std::abs(c.red() - c.green()) + std::abs(c.green() - c.blue()) > 12;
  };
  for (int i = 0; i < list.Count(); ++i) {
    const QImage& img = list.Image(i);
    EXPECT_EQ(img.size(), QSize(16, 16));
    EXPECT_GT(count(img, [](QColor) { return true; }), 30) << i;            // real art
    EXPECT_GT(16 * 16 - count(img, [](QColor) { return true; }), 60) << i;  // see-through
    if (i % 2 == 1) {
      EXPECT_EQ(count(img, coloured), 0) << "grey variant " << i;
    }
  }
  EXPECT_GT(count(list.Image(4), blue), 8);   // pen barrel
  EXPECT_GT(count(list.Image(6), red), 6);    // torch head
  EXPECT_GT(count(list.Image(0), blue), 30);  // arrows
  EXPECT_GT(count(list.Image(2), blue), 30);
  // The down arrow is the up arrow turned over: ink mostly at the bottom.
  auto inkRows = [](const QImage& img, int from, int to) {
    int n = 0;
    for (int y = from; y < to; ++y)
      for (int x = 0; x < 16; ++x) n += img.pixelColor(x, y).alpha() == 255;
    return n;
  };
  EXPECT_GT(inkRows(list.Image(0), 0, 8), inkRows(list.Image(0), 8, 16));
  EXPECT_GT(inkRows(list.Image(2), 8, 16), inkRows(list.Image(2), 0, 8));
  EXPECT_TRUE(MainWindowImage(8).isNull());
}
