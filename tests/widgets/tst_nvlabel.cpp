#include <QElapsedTimer>
// TNvLabel: automatic size with borders, painting on its colour, disabled
// grey text, accelerators, fly-by, and the process-wide blink list shared
// with other controls.
#include <QTest>
#include <memory>

#include "framework/drawtext.h"
#include "framework/messages.h"
#include "tests/widgets/qt_test_host.h"
#include "widgets/nvblinktimer.h"
#include "widgets/nvlabel.h"

namespace {

TFont BoldBlue() {
  TFont f;
  f.SetName("MS Sans Serif");
  f.SetHeight(-11);
  f.SetStyle(fsBold);
  f.SetColor(clHotLight);
  return f;
}

// A main-window parameter label.
TNvLabel* ParameterLabel(TWinControl* parent, const std::string& caption) {
  auto* l = new TNvLabel(parent);
  l->SetColor(clBtnHighlight);
  l->SetFont(BoldBlue());
  l->SetBorderShadow(clBtnHighlight);
  l->SetFlatColor(clBtnFace);
  l->SetShadowColor(clBtnHighlight);
  l->SetCaption(caption);
  return l;
}

// Counts pixels of one colour and finds their bounding box.
struct Ink {
  int count = 0, left = 1 << 20, top = 1 << 20;
};
Ink InkOf(const QImage& img, TColor color) {
  Ink ink;
  const std::string want = ColorText(color);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (PixelText(img, x, y) == want) {
        ++ink.count;
        ink.left = std::min(ink.left, x);
        ink.top = std::min(ink.top, y);
      }
  return ink;
}

// A stand-in for a status pane: answers the blink question and counts.
class BlinkProbe : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  bool blinks = false;
  int asked = 0, blinked = 0;
  WPARAM lastPhase = 99;
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_GETBLINKING) {
      ++asked;
      m.Result = blinks ? 1 : 0;
      return;
    }
    if (m.Msg == CM_BLINK) {
      ++blinked;
      lastPhase = m.WParam;
      return;
    }
    TGraphicControl::WndProc(m);
  }
};

}  // namespace

class TstNvLabel : public QObject {
  Q_OBJECT

 private slots:
  void init() { host_ = MakeActiveHost(); }
  void cleanup() { host_.reset(); }

  void defaults();
  void autoSizeAndPlainPainting();
  void flatBorderMovesTextAndGrowsTheLabel();
  void disabledCaptionIsGrey();
  void acceleratorIsNotDrawn();
  void transparentLabelLeavesTheParent();
  void flyByColour();
  void blinkListLivesWithItsControls();
  void blinkTickReachesOnlyBlinkingControls();
  void blinkingOffRestoresColour();
  void intervalsAreShared();
  void timerRunsOnTheEventLoop();

 private:
  std::unique_ptr<TCustomControl> host_;
};

void TstNvLabel::defaults() {
  TNvLabel l(host_.get());
  QCOMPARE(l.Color(), host_->Color());
  QVERIFY(l.ParentColor());
  QCOMPARE(l.BorderOuter(), fsNone);
  QCOMPARE(l.BorderSides(), AllSides);
  QCOMPARE(l.BevelWidth(), 1);
  QCOMPARE(l.FlatColorAdjustment(), 30);
  QCOMPARE(l.ShadowDepth(), 2);
  QCOMPARE(l.BlinkColor(), clHighlight);
  QCOMPARE(l.BlinkIntervalOn(), Word(500));
  QVERIFY(l.AutoSize());
  QVERIFY(!l.Transparent());
  QVERIFY(l.ControlStyle() & csOpaque);
  QCOMPARE(DrawTextAlignments[taRightJustify], 2u);
  QCOMPARE(CondenseCaptionFlags[ccWithinPath], 0x4000u);
}

void TstNvLabel::autoSizeAndPlainPainting() {
  TNvLabel* l = ParameterLabel(host_.get(), "DEADBAND");
  // The label takes exactly the measured size of its caption.
  TRect calc = Rect(0, 0, 100000, 0);
  l->Canvas().SetFont(l->Font());
  DrawText(l->Canvas(), "DEADBAND", calc, DT_CALCRECT | DT_EXPANDTABS);
  QCOMPARE(l->Width(), calc.Width());
  QCOMPARE(l->Height(), calc.Height());
  QVERIFY(l->Height() >= 12 && l->Height() <= 14);
  const QImage img = Render(l);
  QCOMPARE(img.width(), l->Width());
  // A white box with text in clHotLight and nothing else drawn on it.
  QCOMPARE_PIXEL(img, 0, 0, clWhite);
  QCOMPARE_PIXEL(img, l->Width() - 1, l->Height() - 1, clWhite);
  const Ink ink = InkOf(img, clHotLight);
  QVERIFY(ink.count > 20);
  QVERIFY(ink.left <= 2);
}

void TstNvLabel::flatBorderMovesTextAndGrowsTheLabel() {
  TNvLabel* plain = ParameterLabel(host_.get(), "BOOST");
  TNvLabel* framed = ParameterLabel(host_.get(), "BOOST");
  framed->SetBorderOuter(fsFlat);
  QCOMPARE(framed->Width(), plain->Width() + 2);
  QCOMPARE(framed->Height(), plain->Height() + 2);
  const Ink a = InkOf(Render(plain), clHotLight);
  const QImage img = Render(framed);
  const Ink b = InkOf(img, clHotLight);
  QCOMPARE(b.count, a.count);
  QCOMPARE(b.left, a.left + 1);
  QCOMPARE(b.top, a.top + 1);
  // The ring is AdjustColor(FlatColor clBtnFace, 30): clBtnFace is HSL
  // (27, 29, 194), L 224: l = .933333, s = .120833, h = .677824 (sextant 0);
  // v = l + s - ls = .941389, m = 2l - v = .925278, mid1 = m + (v - m) x h =
  // .936199; x255 = 240.05, 238.73, 235.95 -> (240, 239, 236).
  QCOMPARE(PixelText(img, 0, 0), std::string("240,239,236"));
  // Shadow text style adds ShadowDepth to both sizes.
  plain->SetTextStyle(tsShadow);
  QCOMPARE(plain->Width(), framed->Width() - 2 + 2);
  QCOMPARE(plain->Height(), framed->Height() - 2 + 2);
}

void TstNvLabel::disabledCaptionIsGrey() {
  TNvLabel* l = ParameterLabel(host_.get(), "STRETCHER");
  l->SetEnabled(false);
  const QImage img = Render(l);
  QCOMPARE(InkOf(img, clHotLight).count, 0);
  QVERIFY(InkOf(img, clGrayText).count > 20);
  QCOMPARE_PIXEL(img, 0, 0, clWhite);
}

void TstNvLabel::acceleratorIsNotDrawn() {
  TNvLabel* withPrefix = ParameterLabel(host_.get(), "&PMIN");
  TNvLabel* without = ParameterLabel(host_.get(), "PMIN");
  QCOMPARE(withPrefix->Width(), without->Width());
  // The underline adds ink under the P.
  QVERIFY(InkOf(Render(withPrefix), clHotLight).count > InkOf(Render(without), clHotLight).count);
  withPrefix->SetShowAccelChar(false);
  QVERIFY(withPrefix->Width() > without->Width());
}

void TstNvLabel::transparentLabelLeavesTheParent() {
  host_->SetColor(clYellow);
  TNvLabel* l = ParameterLabel(host_.get(), "us");
  l->SetTransparent(true);
  const QImage img = host_->grab(QRect(l->Left(), l->Top(), l->Width(), l->Height()))
                         .toImage()
                         .convertToFormat(QImage::Format_RGB32);
  QCOMPARE_PIXEL(img, 0, 0, clYellow);
  QVERIFY(InkOf(img, clHotLight).count > 0);
}

void TstNvLabel::flyByColour() {
  TNvLabel* l = ParameterLabel(host_.get(), "OSC");
  int enters = 0, leaves = 0;
  l->OnMouseEnter = [&](TObject*) { ++enters; };
  l->OnMouseLeave = [&](TObject*) { ++leaves; };
  l->Perform(CM_MOUSEENTER, 0, 0);
  QCOMPARE(l->CurrentTextColor(), clHotLight);  // fly-by off
  QCOMPARE(enters, 1);
  l->Perform(CM_MOUSELEAVE, 0, 0);
  l->SetFlyByEnabled(true);
  l->SetFlyByColor(clRed);
  l->Perform(CM_MOUSEENTER, 0, 0);
  QCOMPARE(l->CurrentTextColor(), clRed);
  QVERIFY(InkOf(Render(l), clRed).count > 0);
  l->Perform(CM_MOUSELEAVE, 0, 0);
  QCOMPARE(l->CurrentTextColor(), clHotLight);
  QCOMPARE(enters, 2);
  QCOMPARE(leaves, 2);
}

void TstNvLabel::blinkListLivesWithItsControls() {
  QVERIFY(!TNvBlinkList::Active());
  auto a = std::make_unique<TNvLabel>(host_.get());
  QVERIFY(TNvBlinkList::Active());
  QVERIFY(TNvBlinkList::IsRegistered(a.get()));
  auto b = std::make_unique<TNvLabel>(host_.get());
  QCOMPARE(TNvBlinkList::Count(), 2);
  a.reset();
  QVERIFY(TNvBlinkList::Active());
  QCOMPARE(TNvBlinkList::Count(), 1);
  b.reset();
  QVERIFY(!TNvBlinkList::Active());
  QCOMPARE(TNvBlinkList::Count(), 0);
}

void TstNvLabel::blinkTickReachesOnlyBlinkingControls() {
  TNvLabel* still = ParameterLabel(host_.get(), "CLK");
  TNvLabel* blinking = ParameterLabel(host_.get(), "CHANNEL");
  blinking->SetBlinking(true);
  blinking->SetBlinkColor(clRed);
  BlinkProbe probe(host_.get());
  TNvBlinkList::Register(&probe);
  TNvBlinkList::Register(&probe);  // once only
  QCOMPARE(TNvBlinkList::Count(), 3);
  QCOMPARE(TNvBlinkList::Phase(), bsOff);
  TNvBlinkList::Tick();
  QCOMPARE(TNvBlinkList::Phase(), bsOn);
  QCOMPARE(blinking->CurrentTextColor(), clRed);
  QVERIFY(InkOf(Render(blinking), clRed).count > 0);
  QCOMPARE(still->CurrentTextColor(), clHotLight);
  QCOMPARE(probe.asked, 1);
  QCOMPARE(probe.blinked, 0);  // answered 0: no phase message
  probe.blinks = true;
  TNvBlinkList::Tick();
  QCOMPARE(TNvBlinkList::Phase(), bsOff);
  QCOMPARE(blinking->CurrentTextColor(), clHotLight);
  QCOMPARE(probe.blinked, 1);
  QCOMPARE(probe.lastPhase, WPARAM(bsOff));
  TNvBlinkList::Unregister(&probe);
}

void TstNvLabel::blinkingOffRestoresColour() {
  TNvLabel* l = ParameterLabel(host_.get(), "P1WTIME");
  l->SetBlinking(true);
  TNvBlinkList::Tick();
  if (TNvBlinkList::Phase() != bsOn) TNvBlinkList::Tick();
  QCOMPARE(l->CurrentTextColor(), clHighlight);
  l->SetBlinking(false);
  QCOMPARE(l->CurrentTextColor(), clHotLight);
  QVERIFY(InkOf(Render(l), clHotLight).count > 0);
}

void TstNvLabel::intervalsAreShared() {
  TNvLabel* a = ParameterLabel(host_.get(), "A");
  TNvLabel* b = ParameterLabel(host_.get(), "B");
  a->SetBlinkIntervalOn(300);
  b->SetBlinkIntervalOff(700);
  QCOMPARE(b->BlinkIntervalOn(), Word(300));
  QCOMPARE(a->BlinkIntervalOff(), Word(700));
  a->SetBlinkIntervalOn(500);
  a->SetBlinkIntervalOff(500);
}

void TstNvLabel::timerRunsOnTheEventLoop() {
  TNvLabel* l = ParameterLabel(host_.get(), "P2WTIME");
  l->SetBlinking(true);
  TNvBlinkList::SetIntervalOn(10);
  TNvBlinkList::SetIntervalOff(10);
  // Watch every event rather than sample every 50 ms: a 10 ms timer ticks
  // an even number of times between two samples often enough for sampling
  // to see the same phase again and again.
  auto waitForPhase = [](auto wanted) {
    QElapsedTimer clock;
    clock.start();
    while (!wanted() && clock.elapsed() < 5000)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return wanted();
  };
  const TBlinkState start = TNvBlinkList::Phase();
  QVERIFY(waitForPhase([start] { return TNvBlinkList::Phase() != start; }));
  QVERIFY(waitForPhase([start] { return TNvBlinkList::Phase() == start; }));
  TNvBlinkList::SetIntervalOn(500);
  TNvBlinkList::SetIntervalOff(500);
}

QTEST_MAIN(TstNvLabel)
#include "tst_nvlabel.moc"
