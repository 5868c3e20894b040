// TNvCheckBox: toggling by mouse (release inside only), Space with Escape
// cancelling, read-only and disabled boxes, OnClick from program changes,
// the grayed cycle, the focus outline and the glyph pixels.
#include <QMouseEvent>
#include <QTest>

#include "framework/messages.h"
#include "tests/widgets/qt_test_host.h"
#include "widgets/nvradchk.h"

namespace {

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::LeftButton, buttons,
                Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

void Press(QWidget* w, QPoint p) {
  SendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton);
}
void Move(QWidget* w, QPoint p) {
  SendMouse(w, QEvent::MouseMove, p, Qt::LeftButton);
}
void Release(QWidget* w, QPoint p) {
  SendMouse(w, QEvent::MouseButtonRelease, p, Qt::NoButton);
}

}  // namespace

class TstNvRadChk : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    host_ = MakeActiveHost();
    box_ = new TNvCheckBox(host_.get());
    box_->SetBounds(10, 10, 145, 17);
    box_->SetColor(clSkyBlue);
    box_->SetCaption("High Freq Driver");
    box_->OnClick = [this](TObject* sender) {
      QCOMPARE(sender, static_cast<TObject*>(box_));
      ++clicks_;
    };
    clicks_ = 0;
  }
  void cleanup() { host_.reset(); }

  void defaults();
  void clickAnywhereTogglesOnRelease();
  void releaseOutsideDoesNotToggle();
  void dragOutAndBackShowsPressedAgain();
  void spaceToggles_escapeCancels();
  void readOnlyIgnoresMouseAndKeys();
  void disabledBoxDoesNotToggle();
  void programChangesAndClickEvent();
  void grayedCycle();
  void checkStateMessage();
  void acceleratorFocusesAndToggles();
  void exitFiresAndClearsPressed();
  void focusOutlineAroundCaptionOnly();
  void glyphPixels();
  void disabledLook();
  void transparentBoxShowsTheParent();

 private:
  std::unique_ptr<TCustomControl> host_;
  TNvCheckBox* box_ = nullptr;
  int clicks_ = 0;
};

void TstNvRadChk::defaults() {
  TNvCheckBox plain;
  QCOMPARE(plain.Width(), 115);
  QCOMPARE(plain.Height(), 17);
  QVERIFY(plain.TabStop());
  QCOMPARE(plain.State(), cbUnchecked);
  QCOMPARE(plain.AlignmentVertical(), avTop);
  QCOMPARE(plain.Alignment(), taRightJustify);
  QCOMPARE(plain.FrameColor(), clBtnShadow);
  QCOMPARE(plain.ReadOnlyColor(), clInfoBk);
  QCOMPARE(plain.HotTrackColor(), TColor(0x149BF0));
  QVERIFY(!plain.AllowGrayed());
  QCOMPARE(box_->GlyphRect(), Rect(0, 2, 13, 15));
  QCOMPARE(box_->CaptionRect(), Rect(18, 1, 144, 16));
}

void TstNvRadChk::clickAnywhereTogglesOnRelease() {
  for (QPoint p : {QPoint(6, 8), QPoint(100, 8), QPoint(144, 16)}) {
    const TCheckBoxState before = box_->State();
    Press(box_, p);
    QVERIFY(box_->DrawPressed());
    QCOMPARE(box_->State(), before);  // nothing on the press
    Release(box_, p);
    QVERIFY(!box_->DrawPressed());
    QVERIFY(box_->State() != before);
  }
  QCOMPARE(box_->State(), cbChecked);
  QCOMPARE(clicks_, 3);
  QVERIFY(box_->Focused());
}

void TstNvRadChk::releaseOutsideDoesNotToggle() {
  Press(box_, QPoint(20, 8));
  Move(box_, QPoint(200, 8));
  QVERIFY(!box_->DrawPressed());
  Release(box_, QPoint(200, 8));
  QCOMPARE(box_->State(), cbUnchecked);
  QCOMPARE(clicks_, 0);
  QVERIFY(!box_->PressTracking());
}

void TstNvRadChk::dragOutAndBackShowsPressedAgain() {
  Press(box_, QPoint(20, 8));
  Move(box_, QPoint(20, 40));
  QVERIFY(!box_->DrawPressed());
  Move(box_, QPoint(30, 8));
  QVERIFY(box_->DrawPressed());
  Release(box_, QPoint(30, 8));
  QCOMPARE(box_->State(), cbChecked);
  QCOMPARE(clicks_, 1);
}

void TstNvRadChk::spaceToggles_escapeCancels() {
  box_->SetFocus();
  QTRY_VERIFY(box_->Focused());
  QTest::keyPress(box_, Qt::Key_Space);
  QVERIFY(box_->DrawPressed());
  QVERIFY(box_->SpaceArmed());
  QCOMPARE(box_->State(), cbUnchecked);
  QTest::keyRelease(box_, Qt::Key_Space);
  QCOMPARE(box_->State(), cbChecked);
  QVERIFY(!box_->DrawPressed());
  QCOMPARE(clicks_, 1);
  // Space down, Escape, Space up: cancelled.
  QTest::keyPress(box_, Qt::Key_Space);
  QTest::keyClick(box_, Qt::Key_Escape);
  QVERIFY(!box_->DrawPressed());
  QTest::keyRelease(box_, Qt::Key_Space);
  QCOMPARE(box_->State(), cbChecked);
  QCOMPARE(clicks_, 1);
  // Held Space repeats presses (and on some platforms releases) without toggling.
  QTest::keyPress(box_, Qt::Key_Space);
  QKeyEvent repeatUp(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
  QApplication::sendEvent(box_, &repeatUp);
  QCOMPARE(box_->State(), cbChecked);
  QTest::keyRelease(box_, Qt::Key_Space);
  QCOMPARE(box_->State(), cbUnchecked);
}

void TstNvRadChk::readOnlyIgnoresMouseAndKeys() {
  box_->SetReadOnly(true);
  Press(box_, QPoint(20, 8));
  Release(box_, QPoint(20, 8));
  QCOMPARE(box_->State(), cbUnchecked);
  QTRY_VERIFY(box_->Focused());
  QTest::keyClick(box_, Qt::Key_Space);
  QCOMPARE(box_->State(), cbUnchecked);
  QVERIFY(!box_->SpaceArmed());
  // The program still sets it.
  box_->SetChecked(true);
  QCOMPARE(box_->State(), cbChecked);
  QCOMPARE(clicks_, 1);
}

void TstNvRadChk::disabledBoxDoesNotToggle() {
  box_->SetEnabled(false);
  Press(box_, QPoint(20, 8));
  Release(box_, QPoint(20, 8));
  QCOMPARE(box_->State(), cbUnchecked);
  QVERIFY(!box_->Focused());
  QCOMPARE(clicks_, 0);
}

void TstNvRadChk::programChangesAndClickEvent() {
  box_->SetChecked(true);
  QCOMPARE(clicks_, 1);
  box_->SetChecked(true);  // no change, no event
  QCOMPARE(clicks_, 1);
  box_->InitState(cbUnchecked);
  QCOMPARE(box_->State(), cbUnchecked);
  QCOMPARE(clicks_, 1);
  box_->SetClicksDisabled(true);
  box_->SetState(cbGrayed);
  QCOMPARE(box_->State(), cbGrayed);
  QCOMPARE(clicks_, 1);
  box_->SetClicksDisabled(false);
  // An unassigned event is skipped.
  box_->OnClick = nullptr;
  box_->SetChecked(false);
  QCOMPARE(box_->State(), cbUnchecked);
}

void TstNvRadChk::grayedCycle() {
  box_->ChangeState();
  QCOMPARE(box_->State(), cbChecked);
  box_->ChangeState();
  QCOMPARE(box_->State(), cbUnchecked);
  box_->SetAllowGrayed(true);
  box_->ChangeState();
  QCOMPARE(box_->State(), cbGrayed);
  box_->ChangeState();
  QCOMPARE(box_->State(), cbChecked);
  QCOMPARE(clicks_, 4);
}

void TstNvRadChk::checkStateMessage() {
  QCOMPARE(box_->Perform(BM_GETCHECK, 0, 0), LRESULT(0));
  box_->InitState(cbChecked);
  QCOMPARE(box_->Perform(BM_GETCHECK, 0, 0), LRESULT(1));
  box_->InitState(cbGrayed);
  QCOMPARE(box_->Perform(BM_GETCHECK, 0, 0), LRESULT(2));
}

void TstNvRadChk::acceleratorFocusesAndToggles() {
  box_->SetCaption("&High Freq Driver");
  QCOMPARE(box_->Perform(CM_DIALOGCHAR, 'x', 0), LRESULT(0));
  QCOMPARE(box_->State(), cbUnchecked);
  QCOMPARE(box_->Perform(CM_DIALOGCHAR, 'h', 0), LRESULT(1));
  QTRY_VERIFY(box_->Focused());
  QCOMPARE(box_->State(), cbChecked);
  // Alt+H reaches it through the window.
  QTest::keyClick(host_.get(), Qt::Key_H, Qt::AltModifier);
  QCOMPARE(box_->State(), cbUnchecked);
  // A read-only box takes the focus but keeps its state.
  box_->SetReadOnly(true);
  QCOMPARE(box_->Perform(CM_DIALOGCHAR, 'H', 0), LRESULT(1));
  QCOMPARE(box_->State(), cbUnchecked);
}

void TstNvRadChk::exitFiresAndClearsPressed() {
  auto* other = new TNvCheckBox(host_.get());
  other->SetBounds(10, 40, 145, 17);
  int exits = 0;
  bool pressedDuringExit = false;
  box_->OnExit = [&](TObject*) {
    ++exits;
    pressedDuringExit = box_->DrawPressed();
  };
  box_->SetFocus();
  QTRY_VERIFY(box_->Focused());
  QTest::keyPress(box_, Qt::Key_Space);
  QVERIFY(box_->DrawPressed());
  other->SetFocus();
  QTRY_VERIFY(other->Focused());
  QCOMPARE(exits, 1);
  QVERIFY(pressedDuringExit);  // OnExit first, then the pressed look goes
  QVERIFY(!box_->DrawPressed());
  QVERIFY(!box_->SpaceArmed());
  QCOMPARE(box_->State(), cbUnchecked);
}

void TstNvRadChk::focusOutlineAroundCaptionOnly() {
  QImage before = Render(box_);
  QCOMPARE_PIXEL(before, 17, 1, clSkyBlue);
  box_->SetFocus();
  QTRY_VERIFY(box_->Focused());
  QImage img = Render(box_);
  const int width = box_->Canvas().TextWidth("High Freq Driver") + 3;
  // Left side x = 17: odd rows black; top row: every second column from 18.
  QCOMPARE_PIXEL(img, 17, 1, clBlack);
  QCOMPARE_PIXEL(img, 17, 3, clBlack);
  QCOMPARE_PIXEL(img, 17, 2, clSkyBlue);
  QCOMPARE_PIXEL(img, 18, 0, clBlack);
  QCOMPARE_PIXEL(img, 19, 0, clSkyBlue);
  QCOMPARE_PIXEL(img, 18, 16, clBlack);
  // The right side ends at the caption's width + 3, not at the control's edge.
  QCOMPARE_PIXEL(img, 17 + width - 1, 1, clBlack);
  QCOMPARE_PIXEL(img, 144, 1, clSkyBlue);
  // No outline around the glyph.
  QCOMPARE_PIXEL(img, 0, 1, clSkyBlue);
  // An empty caption gets no outline.
  box_->SetCaption("");
  img = Render(box_);
  QCOMPARE_PIXEL(img, 17, 1, clSkyBlue);
}

void TstNvRadChk::glyphPixels() {
  // Glyph at (0, 2): lowered 2-pixel edge, white inside.
  QImage img = Render(box_);
  QCOMPARE_PIXEL(img, 0, 2, clBtnShadow);
  QCOMPARE_PIXEL(img, 1, 3, cl3DDkShadow);
  QCOMPARE_PIXEL(img, 12, 14, clBtnHighlight);
  QCOMPARE_PIXEL(img, 11, 13, cl3DLight);
  QCOMPARE_PIXEL(img, 5, 9, clWindow);
  QCOMPARE_PIXEL(img, 13, 8, clSkyBlue);  // background beside the glyph
  box_->InitState(cbChecked);
  img = Render(box_);
  // Tick: column 5 rows 7..9 of the glyph (y 9..11), column 9 rows 3..5.
  QCOMPARE_PIXEL(img, 5, 9, clBlack);
  QCOMPARE_PIXEL(img, 5, 11, clBlack);
  QCOMPARE_PIXEL(img, 9, 5, clBlack);
  QCOMPARE_PIXEL(img, 5, 8, clWindow);
  box_->InitState(cbGrayed);
  img = Render(box_);
  QCOMPARE_PIXEL(img, 5, 9, clBtnShadow);
  QCOMPARE_PIXEL(img, 5, 8, clBtnFace);
  // Pressed: face-coloured inside.
  box_->InitState(cbUnchecked);
  Press(box_, QPoint(20, 8));
  img = Render(box_);
  QCOMPARE_PIXEL(img, 5, 9, clBtnFace);
  Release(box_, QPoint(200, 8));
}

void TstNvRadChk::disabledLook() {
  box_->InitState(cbChecked);
  box_->SetEnabled(false);
  const QImage img = Render(box_);
  QCOMPARE_PIXEL(img, 5, 9, clBtnShadow);  // grey tick
  QCOMPARE_PIXEL(img, 4, 6, clBtnFace);    // face inside
  bool grey = false;
  for (int y = 0; y < 17; ++y) {
    for (int x = 18; x < 145; ++x) {
      QVERIFY2(PixelText(img, x, y) != ColorText(clBlack), "black caption pixel");
      grey = grey || PixelText(img, x, y) == ColorText(clGrayText);
    }
  }
  QVERIFY(grey);
}

void TstNvRadChk::transparentBoxShowsTheParent() {
  host_->SetColor(clYellow);
  box_->SetTransparent(true);
  QImage img = Render(box_);
  QCOMPARE_PIXEL(img, 144, 1, clYellow);
  QCOMPARE_PIXEL(img, 5, 9, clWindow);  // the glyph is still drawn
  box_->SetTransparent(false);
  img = Render(box_);
  QCOMPARE_PIXEL(img, 144, 1, clSkyBlue);
}

QTEST_MAIN(TstNvRadChk)
#include "tst_nvradchk.moc"
