#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPixmap>

#include "framework/caret.h"
#include "framework/controls.h"
#include "test_support.h"

namespace {

class White : public TCustomControl {
 public:
  explicit White(TWinControl* parent = nullptr) : TCustomControl(parent) {
    SetParentColor(false);
    SetColor(clWhite);
  }
};

QImage Snapshot(QWidget& w) {
  return w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

TEST(Caret, InvertsItsCellWhileShownAndNothingWhenHidden) {
  White w;
  w.SetBounds(0, 0, 20, 20);
  w.show();
  ASSERT_TRUE(CreateCaret(&w, nullptr, 2, 5));
  EXPECT_EQ(CaretOwner(), &w);
  EXPECT_FALSE(CaretVisible());  // a new caret is hidden
  SetCaretPos(3, 4);
  EXPECT_EQ(Snapshot(w).pixel(3, 4), qRgb(255, 255, 255));
  ShowCaret(&w);
  EXPECT_TRUE(CaretVisible());
  QImage img = Snapshot(w);
  EXPECT_EQ(img.pixel(3, 4), qRgb(0, 0, 0));  // inverted and still opaque
  EXPECT_EQ(img.pixel(4, 8), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(5, 4), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(3, 9), qRgb(255, 255, 255));
  HideCaret(&w);
  EXPECT_EQ(Snapshot(w).pixel(3, 4), qRgb(255, 255, 255));
  ShowCaret(&w);
  ShowCaret(&w);  // showing twice does not need two hides
  HideCaret(&w);
  EXPECT_FALSE(CaretVisible());
  EXPECT_TRUE(DestroyCaret());
  EXPECT_EQ(CaretOwner(), nullptr);
  EXPECT_FALSE(ShowCaret(&w));
}

TEST(Caret, ShapedCaretInvertsOnlyItsWhitePixels) {
  White w;
  w.SetBounds(0, 0, 20, 20);
  w.show();
  TBitmap shape(4, 3);
  shape.Canvas().Brush().SetColor(clBlack);
  shape.Canvas().FillRect(Rect(0, 0, 4, 3));
  shape.Canvas().SetPixels(0, 0, clWhite);
  shape.Canvas().SetPixels(0, 1, clWhite);
  CreateCaret(&w, &shape, 0, 0);
  SetCaretPos(0, 0);
  ShowCaret(&w);
  QImage img = Snapshot(w);
  EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(0, 1), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(1, 0), qRgb(255, 255, 255));
  DestroyCaret();
}

TEST(Caret, DestroyingTheOwnerTakesTheCaretAway) {
  auto* w = new White();
  CreateCaret(w, nullptr, 1, 1);
  delete w;
  EXPECT_EQ(CaretOwner(), nullptr);
  EXPECT_FALSE(CaretVisible());
}
