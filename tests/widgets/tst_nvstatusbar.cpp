// TNvStatusBar, TNvCustomStatusPane and TNvFieldStatus: the gradient and the
// pane dividers, pane alignment and scaling, captions and clipping, automatic
// pane width, the size grip, the simple caption and blinking.
#include <QTest>
#include <memory>

#include "framework/forms.h"
#include "tests/widgets/qt_test_host.h"
#include "widgets/nvblinktimer.h"
#include "widgets/nvcommon.h"
#include "widgets/tnvfieldstatus.h"
#include "widgets/tnvstatusbar.h"

namespace {

int TextWidthIn(const TFont& font, const std::string& text) {
  TCanvas canvas;
  canvas.SetFont(font);
  return canvas.TextWidth(text);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// True when some pixel of the column range [x0, x1) in rows [y0, y1) is
// darker than mid grey (text ink).
bool HasInk(const QImage& img, int x0, int x1, int y0, int y1) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (qGray(img.pixel(x, y)) < 100) return true;
  return false;
}

}  // namespace

class TstNvStatusBar : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    form_ = std::make_unique<TForm>();
    form_->SetBounds(0, 0, 499, 387);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    bar_ = new TNvStatusBar(form_.get());
    bar_->SetVisualStyle(vsGradient);
    version_ = Pane("V1.71", 100);
    connection_ = Pane("", 221);
  }
  void cleanup() { form_.reset(); }

  void barSitsAtTheBottomWithPanesSideBySide() {
    QCOMPARE(bar_->BoundsRect(), Bounds(0, 368, 499, 19));
    QCOMPARE(version_->BoundsRect(), Bounds(0, 0, 100, 19));
    QCOMPARE(connection_->BoundsRect(), Bounds(100, 0, 221, 19));
    form_->SetBounds(0, 0, 600, 300);
    QCOMPARE(bar_->BoundsRect(), Bounds(0, 281, 600, 19));
    QCOMPARE(version_->BoundsRect(), Bounds(0, 0, 100, 19));
    QCOMPARE(connection_->BoundsRect(), Bounds(100, 0, 221, 19));
  }

  void autoScalePanesSharesAWidthChange() {
    bar_->SetAutoScalePanes(true);
    form_->SetBounds(0, 0, 599, 387);
    QApplication::processEvents();
    // 100 + 100 x 100/499 = 120.04 and 221 + 100 x 221/499 = 265.29.
    QCOMPARE(version_->Width(), 120);
    QCOMPARE(connection_->Width(), 265);
    QCOMPARE(connection_->Left(), 120);
  }

  void gradientRunsFromDarkerFaceToWindow() {
    const QImage img = Render(bar_);
    QCOMPARE(img.size(), QSize(499, 19));
    QCOMPARE_PIXEL(img, 400, 0, DarkerColor(clBtnFace, 20));
    QCOMPARE_PIXEL(img, 400, 18, clWindow);
  }

  void customGradientRunsFromStopToStart() {
    bar_->SetGradientColorStyle(gcsCustom);
    bar_->SetGradientColorStart(clRed);
    bar_->SetGradientColorStop(clBlue);
    const QImage img = Render(bar_);
    QCOMPARE_PIXEL(img, 400, 0, clBlue);
    QCOMPARE_PIXEL(img, 400, 18, clRed);
  }

  void onlyLaterPanesDrawADivider() {
    const QImage img = Render(bar_);
    const TColor divider = DarkerColor(clBtnFace, 40);
    for (int y = 2; y <= 16; ++y) QCOMPARE_PIXEL(img, 101, y, divider);
    QVERIFY(PixelText(img, 101, 1) != ColorText(divider));
    QVERIFY(PixelText(img, 101, 17) != ColorText(divider));
    // The pane at the left edge has none.
    for (int y = 0; y < 19; ++y) {
      QCOMPARE(PixelText(img, 0, y), PixelText(img, 400, y));
      QCOMPARE(PixelText(img, 1, y), PixelText(img, 400, y));
    }
  }

  void captionStartsInsideTheFrame() {
    const QImage img = Render(bar_);
    QVERIFY(!HasInk(img, 0, 5, 0, 19));
    QVERIFY(HasInk(img, 5, 40, 2, 17));
  }

  void longCaptionsAreClippedAtTheCaptionRectangle() {
    version_->SetCaption(std::string(60, 'W'));
    const QImage img = Render(bar_);
    QVERIFY(HasInk(img, 90, 98, 2, 17));
    // The caption rectangle ends 2 pixels inside the pane.
    QVERIFY(!HasInk(img, 98, 100, 0, 19));
  }

  void sameCaptionDoesNotRepaint() {
    PaintCounter counter;
    connection_->installEventFilter(&counter);
    connection_->SetCaption("USB Status: Connect!");
    QTest::qWait(20);
    const int afterFirst = counter.paints;
    QVERIFY(afterFirst > 0);
    connection_->SetCaption("USB Status: Connect!");
    QTest::qWait(20);
    QCOMPARE(counter.paints, afterFirst);
    connection_->SetCaption("USB Status: NO Connect!");
    QTest::qWait(20);
    QVERIFY(counter.paints > afterFirst);
    connection_->removeEventFilter(&counter);
  }

  void autoSizeFitsTheCaption() {
    auto* pane = new TNvFieldStatus(bar_);
    pane->SetAutoSize(true);
    QCOMPARE(pane->Width(), 44);
    pane->SetCaption("V1.71");
    QCOMPARE(pane->Width(), TextWidthIn(pane->Font(), "V1.71") + 14);
    pane->SetFieldLabel("Ver:");
    QCOMPARE(pane->Width(),
             TextWidthIn(pane->Font(), "V1.71") + 14 + TextWidthIn(pane->Font(), "Ver:"));
    // The label moves the caption right.
    QCOMPARE(pane->GetCaptionRect().Left, 2 + TextWidthIn(pane->Font(), "Ver:") + 4);
  }

  void noSizeGripOnAFixedForm() {
    QVERIFY(!bar_->SizeGripValid());
    QVERIFY(!bar_->OverSizeGrip(Point(495, 15)));
    const QImage img = Render(bar_);
    QCOMPARE(PixelText(img, 494, 15), PixelText(img, 400, 15));
  }

  void sizeGripOnASizeableForm() {
    form_->SetBorderStyle(bsSizeable);
    bar_->Invalidate();
    const QImage img = Render(bar_);
    QVERIFY(bar_->SizeGripValid());
    QVERIFY(bar_->OverSizeGrip(Point(495, 15)));
    QVERIFY(!bar_->OverSizeGrip(Point(480, 15)));
    TColor start, stop, divider;
    GetGradientStatusBarColors(gcsSystem, start, stop, divider);
    // Rectangle (0, 0, 499, 18): the lowest light square at (494, 14) shows
    // its bottom-right pixel, the dark one above-left covers (493..494, 13..14).
    QCOMPARE_PIXEL(img, 495, 15, stop);
    QCOMPARE_PIXEL(img, 493, 13, divider);
    QCOMPARE_PIXEL(img, 494, 14, divider);
    QCOMPARE_PIXEL(img, 486, 13, divider);
    bar_->SetShowSizeGrip(false);
    QVERIFY(!bar_->OverSizeGrip(Point(495, 15)));
  }

  void simpleStatusReplacesThePanes() {
    auto* hidden = Pane("hidden", 30);
    hidden->Hide();
    bar_->SetSimpleCaption("Working");
    bar_->SetSimpleStatus(true);
    QVERIFY(!version_->Visible());
    QVERIFY(!connection_->Visible());
    QImage img = Render(bar_);
    QVERIFY(HasInk(img, 3, 60, 2, 17));
    QVERIFY(!HasInk(img, 101, 102, 2, 17));  // no divider
    // vsGradient: no outline.
    QCOMPARE(PixelText(img, 1, 9), PixelText(img, 400, 9));
    bar_->SetVisualStyle(vsClassic);
    img = Render(bar_);
    const TColor flat = AdjustColor(clBtnShadow, 30);
    // Rectangle (1, 1, 498, 18): open corners.
    QCOMPARE_PIXEL(img, 1, 9, flat);
    QCOMPARE_PIXEL(img, 200, 1, flat);
    QCOMPARE_PIXEL(img, 497, 9, flat);
    QCOMPARE_PIXEL(img, 200, 17, flat);
    QVERIFY(PixelText(img, 1, 1) != ColorText(flat));
    bar_->SetSimpleStatus(false);
    QVERIFY(version_->Visible());
    QVERIFY(connection_->Visible());
    QVERIFY(!hidden->Visible());
  }

  void bordersSetByHandTurnAutoStyleOff() {
    QVERIFY(bar_->AutoStyle());
    bar_->SetBorderOuter(fsRaised);
    QVERIFY(!bar_->AutoStyle());
    bar_->AdjustStyle();
    QCOMPARE(bar_->BorderOuter(), fsNone);
    QCOMPARE(bar_->Height(), 19);
  }

  void paneOutsideABarDrawsItsFlatFrame() {
    auto* pane = new TNvFieldStatus(form_.get());
    pane->SetBounds(10, 10, 50, 20);
    const QImage img = Render(pane);
    const TColor flat = AdjustColor(clBtnShadow, 30);
    // Frame inset by BorderWidth 1: (1, 1, 49, 19), corners open.
    QCOMPARE_PIXEL(img, 1, 10, flat);
    QCOMPARE_PIXEL(img, 20, 1, flat);
    QCOMPARE_PIXEL(img, 48, 10, flat);
    QCOMPARE_PIXEL(img, 20, 18, flat);
    QVERIFY(PixelText(img, 1, 1) != ColorText(flat));
  }

  void blinkingSwitchesTheTextColour() {
    QVERIFY(TNvBlinkList::IsRegistered(version_));
    version_->SetBlinking(true);
    const TColor font = version_->Font().Color();
    TNvBlinkList::Tick();
    const TColor first = version_->TextColor();
    TNvBlinkList::Tick();
    const TColor second = version_->TextColor();
    QVERIFY(first != second);
    QVERIFY(first == clHighlight || second == clHighlight);
    QVERIFY(first == font || second == font);
    if (version_->TextColor() != clHighlight) TNvBlinkList::Tick();
    version_->SetBlinking(false);
    QCOMPARE(version_->TextColor(), font);
    // A pane that does not blink keeps its colour.
    TNvBlinkList::Tick();
    QCOMPARE(connection_->TextColor(), connection_->Font().Color());
  }

  void panesLeaveTheBlinkListWhenDestroyed() {
    const int before = TNvBlinkList::Count();
    auto* pane = Pane("x", 20);
    QCOMPARE(TNvBlinkList::Count(), before + 1);
    delete pane;
    QCOMPARE(TNvBlinkList::Count(), before);
    QVERIFY(!TNvBlinkList::IsRegistered(pane));
  }

 private:
  TNvFieldStatus* Pane(const std::string& caption, int width) {
    auto* p = new TNvFieldStatus(bar_);
    p->SetWidth(width);
    p->SetAlign(alLeft);
    p->SetCaption(caption);
    return p;
  }

  std::unique_ptr<TForm> form_;
  TNvStatusBar* bar_ = nullptr;
  TNvFieldStatus* version_ = nullptr;
  TNvFieldStatus* connection_ = nullptr;
};

QTEST_MAIN(TstNvStatusBar)
#include "tst_nvstatusbar.moc"
