// TNvGroupBar and TNvGroup drawn: the colour sets, the background painter,
// the Outlook, classic and category styles at chosen pixels.
#include <QTest>

#include "framework/bitmap.h"
#include "tests/widgets/groupbar_test_util.h"
#include "tests/widgets/qt_test_host.h"
#include "widgets/nvcommon_groupbar.h"

class TstNvGroupBarPaint : public QObject, public GroupBarFixture {
  Q_OBJECT

 private slots:
  void init() { Init(); }
  void cleanup() { Cleanup(); }

  void colourSets();
  void backgroundPainter();
  void outlookCaptionAndBodyPixels();
  void classicStyleIsFlat();
  void categoryViewPixels();
};

void TstNvGroupBarPaint::colourSets() {
  TColor s, t, text, hot, bs, bt;
  GetGradientOutlookGroupColors(gcsMSOffice, s, t, text, hot, bs, bt);
  QCOMPARE(s, clWindow);
  QCOMPARE(t, DarkerColor(clBtnFace, 10));
  QCOMPARE(bs, s);
  QCOMPARE(bt, t);
  QCOMPARE(ColorText(text), ColorText(DarkerColor(clHighlight, 30)));
  QCOMPARE(hot, clHighlight);
  GetGradientGroupBarColors(gcsMSOffice, s, t);
  QCOMPARE(s, BlendColors(clBlack, clBtnFace, 40));
  QCOMPARE(t, BlendColors(clBlack, clBtnFace, 80));
  GetGradientGroupItemColors(gcsSystem, text, hot);
  QCOMPARE(text, DarkerColor(clHighlight, 30));
  QCOMPARE(hot, clHighlight);
  TNvCategoryGroupColors c;
  GetGradientCategoryGroupColors(gcsSystem, false, c);
  QCOMPARE(c.captionColor, clBtnFace);
  QCOMPARE(c.captionStop, DarkerColor(clBtnFace, 10));
  QCOMPARE(c.buttonShadow, DarkerColor(clBtnFace, 20));
  QCOMPARE(c.borderColor, clWhite);
  GetGradientCategoryGroupColors(gcsSystem, true, c);
  QCOMPARE(c.textColor, clHighlightText);
  QCOMPARE(c.captionStop, DarkerColor(clHighlight, 20));
  QCOMPARE(c.hotTextColor, LighterColor(clHighlight, 30));

  CurrentXPColorScheme = xpcsSilver;
  GetGradientOutlookGroupColors(gcsMSOffice, s, t, text, hot, bs, bt);
  QCOMPARE(text, clBlack);
  QCOMPARE(hot, TColor(0x555556));
  GetGradientGroupItemColors(gcsMSOffice, text, hot);
  QCOMPARE(text, TColor(0x3D3D3F));
  QCOMPARE(hot, TColor(0x7C7C7E));
  GetGradientCategoryGroupColors(gcsMSOffice, false, c);
  QCOMPARE(c.textColor, clBlack);
  QCOMPARE(c.hotTextColor, TColor(0x555556));
}

void TstNvGroupBarPaint::backgroundPainter() {
  TBitmap bmp(4, 50);
  auto fill = [&]() {
    bmp.Canvas().Brush().SetColor(clLime);
    bmp.Canvas().FillRect(Rect(0, 0, 4, 50));
  };
  fill();
  DrawGroupBarBackground(bmp.Canvas(), Rect(0, 0, 4, 50), vsClassic, gcsMSOffice, gpTopToBottom,
                         clRed, clBlue);
  QCOMPARE(ColorText(bmp.Canvas().Pixels(2, 25)), ColorText(clLime));
  TColor start, stop;
  GetGradientGroupBarColors(gcsSystem, start, stop);
  DrawGroupBarBackground(bmp.Canvas(), Rect(0, 0, 4, 50), vsGradient, gcsSystem, gpTopToBottom,
                         clRed, clBlue);
  QCOMPARE(ColorText(bmp.Canvas().Pixels(0, 0)), ColorText(start));
  QCOMPARE(ColorText(bmp.Canvas().Pixels(3, 49)), ColorText(stop));
  DrawGroupBarBackground(bmp.Canvas(), Rect(0, 0, 4, 50), vsWinXP, gcsCustom, gpBottomToTop, clRed,
                         clBlue);
  QCOMPARE(ColorText(bmp.Canvas().Pixels(0, 0)), ColorText(clBlue));
  QCOMPARE(ColorText(bmp.Canvas().Pixels(0, 49)), ColorText(clRed));
  fill();
  FullColorSupported = false;
  DrawGroupBarBackground(bmp.Canvas(), Rect(0, 0, 4, 50), vsGradient, gcsCustom, gpTopToBottom,
                         clRed, clBlue);
  QCOMPARE(ColorText(bmp.Canvas().Pixels(1, 1)), ColorText(clLime));
}

void TstNvGroupBarPaint::outlookCaptionAndBodyPixels() {
  TNvGroup *basic, *advanced;
  TNvGroupBar* bar = ProgramBar(basic, advanced);
  QImage img = Render(bar);
  const TColor stop = DarkerColor(clBtnFace, 10);
  // Caption: fsPopup frame, gradient inside from clWindow.
  QCOMPARE_PIXEL(img, 0, 0, clBtnHighlight);
  QCOMPARE_PIXEL(img, 0, 18, clBtnHighlight);
  QCOMPARE_PIXEL(img, 0, 19, clBtnShadow);
  QCOMPARE_PIXEL(img, kW - 1, 0, clBtnShadow);
  QCOMPARE_PIXEL(img, 200, 19, clBtnShadow);
  QCOMPARE_PIXEL(img, 5, 1, clWindow);
  QCOMPARE_PIXEL(img, 5, 18, stop);
  // Body: the same gradient over the rest of the group.
  QCOMPARE_PIXEL(img, 5, 20, clWindow);
  QCOMPARE_PIXEL(img, 480, kH - 1, stop);
  // "Basic" is centred in the resting text colour.
  const TColor text = DarkerColor(clHighlight, 30);
  const TColor down = BlendColors(clBlack, text, 50);
  const TRect centre = Rect(kW / 2 - 20, 2, kW / 2 + 20, 18);
  QCOMPARE(NearestTextColour(img, centre, {text, clHighlight, down}), 0);
  QVERIFY(!HasInk(img, Rect(2, 2, kW / 2 - 30, 18)));
  QVERIFY(!HasInk(img, Rect(kW / 2 + 30, 2, kW - 2, 18)));

  // Hot: fsButtonUp frame and clHighlight text.
  QTest::mouseMove(basic, CaptionPoint(basic));
  img = Render(bar);
  QCOMPARE_PIXEL(img, 0, 0, clBtnHighlight);
  QCOMPARE_PIXEL(img, kW - 1, 10, cl3DDkShadow);
  QCOMPARE_PIXEL(img, 1, 1, cl3DLight);
  QCOMPARE_PIXEL(img, kW - 2, 10, clBtnShadow);
  QCOMPARE(NearestTextColour(img, centre, {text, clHighlight, down}), 1);

  // Pressed: fsStatus frame and the text darkened by half.
  QTest::mousePress(basic, Qt::LeftButton, {}, CaptionPoint(basic));
  img = Render(bar);
  QCOMPARE_PIXEL(img, 0, 0, clBtnShadow);
  QCOMPARE_PIXEL(img, kW - 1, 10, clBtnHighlight);
  QCOMPARE(NearestTextColour(img, centre, {text, clHighlight, down}), 2);
  QTest::mouseRelease(basic, Qt::LeftButton, {}, CaptionPoint(basic));
  QVERIFY(basic->Opened());
  QCOMPARE(Bounds(basic), Rect(0, 0, kW, kH));
}

void TstNvGroupBarPaint::classicStyleIsFlat() {
  TNvGroupBar* bar = NewBar();
  bar->SetVisualStyle(vsClassic);
  TNvGroup* a = NewGroup(bar, "A");
  NewGroup(bar, "B");
  QImage img = Render(bar);
  QCOMPARE_PIXEL(img, 5, 5, clBtnFace);  // CaptionColor, flat
  QCOMPARE_PIXEL(img, 5, 18, clBtnFace);
  QCOMPARE_PIXEL(img, 0, 0, clBtnHighlight);  // same frame
  QCOMPARE_PIXEL(img, 5, 100, clBtnShadow);   // body in the group's Color
  QCOMPARE_PIXEL(img, 300, kH - 20 - 1, clBtnShadow);
  // Second caption below the open group.
  QCOMPARE_PIXEL(img, 5, kH - 20 + 5, clBtnFace);
  a->SetCaptionColor(clYellow);
  img = Render(bar);
  QCOMPARE_PIXEL(img, 5, 5, clYellow);
  // Gradients on but a 256-colour screen: flat too.
  bar->SetVisualStyle(vsGradient);
  FullColorSupported = false;
  img = Render(bar);
  QCOMPARE_PIXEL(img, 5, 5, clYellow);
  QCOMPARE_PIXEL(img, 5, 100, clBtnShadow);
}

void TstNvGroupBarPaint::categoryViewPixels() {
  TNvGroupBar* bar = NewBar(gbsCategoryView, 240, 300);
  TNvGroup* a = NewGroup(bar, "A");
  TNvGroup* special = NewGroup(bar, "S");
  special->SetSpecial(true);
  const QImage img = Render(bar);
  const int x = a->Left(), y = a->Top();
  QCOMPARE(Bounds(a), Rect(8, 8, 232, 58));
  QCOMPARE_PIXEL(img, x + 5, y + 5, clWindow);  // left half of the caption solid
  QCOMPARE(PixelText(img, x + a->Width() - 1, y + 10),
           ColorText(DarkerColor(clBtnFace, 10)));  // gradient end at the right
  // Rounded corners show the bar's background of the same row.
  QCOMPARE(PixelText(img, x, y), PixelText(img, x - 1, y));
  QCOMPARE(PixelText(img, x + a->Width() - 1, y), PixelText(img, x - 1, y));
  QVERIFY(PixelText(img, x + 2, y + 2) != PixelText(img, x - 1, y + 2));
  // Body: white border on left, right and bottom around the group's colour.
  QCOMPARE_PIXEL(img, x, y + 30, clWhite);
  QCOMPARE_PIXEL(img, x + a->Width() - 1, y + 30, clWhite);
  QCOMPARE_PIXEL(img, x + 30, y + a->Height() - 1, clWhite);
  QCOMPARE_PIXEL(img, x + 30, y + 30, clBtnFace);
  // A special group's caption starts in the highlight colour.
  QCOMPARE_PIXEL(img, special->Left() + 5, special->Top() + 5, clHighlight);
  // The bar's background runs from the darker blend at the top.
  TColor start, stop;
  GetGradientGroupBarColors(gcsSystem, start, stop);
  QCOMPARE_PIXEL(img, 2, 0, start);
  QCOMPARE_PIXEL(img, 2, 299, stop);
}

QTEST_MAIN(TstNvGroupBarPaint)
#include "tst_nvgroupbar_paint.moc"
