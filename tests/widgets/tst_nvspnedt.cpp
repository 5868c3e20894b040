// TNvSpinEdit: value text, clamping, steps by buttons, keys and wheel,
// refused typing, the exit order, focus colours, auto-repeat and drawing.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/edit.h"
#include "framework/messages.h"
#include "tests/widgets/qt_test_host.h"
#include "widgets/nvspnedt.h"

namespace {

// Counts the invalid-key reactions (each one is a beep).
class CountingSpinEdit : public TNvSpinEdit {
 public:
  using TNvSpinEdit::TNvSpinEdit;
  int beeps = 0;

 protected:
  void InvalidKeyPressed() override { ++beeps; }
};

QWidget* EditorOf(TNvSpinEdit* e) {
  return e->focusProxy();
}

void Type(TNvSpinEdit* e, const char* text) {
  for (const char* p = text; *p; ++p) QTest::keyClick(EditorOf(e), *p);
}

QPoint Centre(TControl* c) {
  return QPoint(c->Width() / 2, c->Height() / 2);
}

void SendWheel(TControl* target, int delta, Qt::KeyboardModifiers mods) {
  const QPointF pos(5, 5);
  QWheelEvent ev(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                 Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &ev);
}

}  // namespace

class TstNvSpinEdit : public QObject {
  Q_OBJECT

 private slots:
  void init() { host_ = MakeActiveHost(); }
  void cleanup() { host_.reset(); }

  void valueIsFormattedAndClamped();
  void readingFollowsTheText();
  void minAndMaxMoveEachOther();
  void integersOnlyRoundsTiesToEven();
  void stepsFireEventsAndClamp();
  void stepsOnReadOnlyEditBeep();
  void arrowAndPageKeysStep();
  void typingIsRefusedWithoutKeyEdit();
  void clipboardEditsNeedKeyEdit();
  void signAndSeparatorRules();
  void mouseWheelSteps();
  void exitHandlerSeesTextBeforeClamping();
  void focusColours();
  void buttonClickStepsAndTakesFocus();
  void autoRepeatTimerRhythm();
  void autoRepeatRunsOnRealTimer();
  void leavingHeldButtonKeepsRepeating();
  void failedFocusCancelsPress();
  void exceptionInRepeatStopsTimer();
  void layoutOfButtonsAndMargins();
  void arrowPixels();

 private:
  CountingSpinEdit* NewEdit(long double min, long double max, long double value) {
    auto* e = new CountingSpinEdit(host_.get());
    e->SetBounds(10, 10, 73, 21);
    e->SetMax(max);
    e->SetMin(min);
    e->SetValue(value);
    return e;
  }

  std::unique_ptr<TCustomControl> host_;
};

void TstNvSpinEdit::valueIsFormattedAndClamped() {
  auto* e = NewEdit(-120, 120, 0);
  e->SetValue(-500);
  QCOMPARE(e->Text(), std::string("-120"));
  e->SetValue(121);
  QCOMPARE(e->Text(), std::string("120"));
  e->SetValue(7.6L);
  QCOMPARE(e->Text(), std::string("8"));

  e->SetIntegersOnly(false);
  e->SetDecimals(2);
  e->SetValue(2.5L);
  QCOMPARE(e->Text(), std::string("2.50"));
  e->SetValue(0.125L);  // halves round away from zero in the text
  QCOMPARE(e->Text(), std::string("0.13"));
  e->SetValue(-0.001L);
  QCOMPARE(e->Text(), std::string("0.00"));

  // Min = Max: no clamping unless CheckRange.
  auto* free = NewEdit(0, 0, 0);
  free->SetValue(3000);
  QCOMPARE(free->Text(), std::string("3000"));
  free->SetCheckRange(true);
  QCOMPARE(free->Text(), std::string("0"));
  QCOMPARE(free->CheckValue(-5), 0.0L);

  // The text is replaced only on a real change: no OnChange for the same text.
  int changes = 0;
  e->OnChange = [&](TObject*) { ++changes; };
  e->SetValue(1);
  e->SetValue(1);
  QCOMPARE(changes, 1);
}

void TstNvSpinEdit::readingFollowsTheText() {
  auto* e = NewEdit(500, 2500, 900);
  e->SetText("");
  QCOMPARE(e->Value(), 500.0L);
  QCOMPARE(e->Text(), std::string("500"));  // empty text is replaced by Min

  e->SetText("-");
  QCOMPARE(e->Value(), 500.0L);           // unreadable text reads as Min...
  QCOMPARE(e->Text(), std::string("-"));  // ...and is left for the exit to mend

  e->SetText("3000");
  QCOMPARE(e->Value(), 3000.0L);  // reading does not clamp
  QCOMPARE(e->IntValue(), 3000);

  e->SetText(" 12e2 ");
  QCOMPARE(e->Value(), 1200.0L);
  for (const char* junk : {"12a", "inf", "nan", "0x10", "1,5", "--3", "+-3"}) {
    e->SetText(junk);
    QCOMPARE(e->Value(), 500.0L);
  }

  e->SetAllowBlank(true);
  e->SetBlankValue(42);
  e->SetText("");
  QCOMPARE(e->Value(), 42.0L);
  QCOMPARE(e->Text(), std::string(""));
}

void TstNvSpinEdit::minAndMaxMoveEachOther() {
  // The stored form's order: Max, then Min, then Value.
  auto* e = new TNvSpinEdit(host_.get());
  QCOMPARE(e->Text(), std::string("0"));
  e->SetMax(2500);
  e->SetMin(500);
  QCOMPARE(e->Text(), std::string("500"));
  e->SetValue(900);
  QCOMPARE(e->Text(), std::string("900"));

  e->SetMin(3000);
  QCOMPARE(e->Max(), 3000.0L);
  QCOMPARE(e->Text(), std::string("3000"));
  e->SetMax(100);
  QCOMPARE(e->Min(), 100.0L);
  QCOMPARE(e->Text(), std::string("100"));
}

void TstNvSpinEdit::integersOnlyRoundsTiesToEven() {
  auto* e = NewEdit(-10, 10, 0);
  e->SetIntegersOnly(false);
  e->SetDecimals(1);
  e->SetValue(2.5L);
  QCOMPARE(e->Text(), std::string("2.5"));
  QCOMPARE(e->IntValue(), 2);
  e->SetValue(3.5L);
  QCOMPARE(e->IntValue(), 4);
  e->SetValue(-2.5L);
  e->SetIntegersOnly(true);
  QCOMPARE(e->Decimals(), Byte(0));
  QCOMPARE(e->Text(), std::string("-2"));
}

void TstNvSpinEdit::stepsFireEventsAndClamp() {
  auto* e = NewEdit(0, 255, 255);
  std::vector<TSpinButtonType> clicks;
  e->OnButtonClick = [&](TObject* sender, TSpinButtonType b) {
    QCOMPARE(sender, static_cast<TObject*>(e));
    clicks.push_back(b);
  };
  e->IncValue(1);  // at the top: stays, and still reports the click
  QCOMPARE(e->Text(), std::string("255"));
  QCOMPARE(clicks, std::vector<TSpinButtonType>{sbUp});

  long double asked = 0;
  bool allow = false;
  e->OnChanging = [&](TObject*, long double next, bool& allowChange) {
    asked = next;
    allowChange = allow;
  };
  e->DecValue(5);  // vetoed: no change, no click
  QCOMPARE(asked, 250.0L);
  QCOMPARE(e->Text(), std::string("255"));
  QCOMPARE(clicks.size(), size_t(1));
  allow = true;
  e->DecValue(5);
  QCOMPARE(e->Text(), std::string("250"));
  QCOMPARE(clicks.back(), sbDown);
  QCOMPARE(e->beeps, 0);
}

void TstNvSpinEdit::stepsOnReadOnlyEditBeep() {
  auto* e = NewEdit(0, 255, 10);
  e->SetReadOnly(true);
  int clicks = 0;
  e->OnButtonClick = [&](TObject*, TSpinButtonType) { ++clicks; };
  e->IncValue(1);
  QCOMPARE(e->Text(), std::string("10"));
  QCOMPARE(e->beeps, 1);
  QCOMPARE(clicks, 0);
}

void TstNvSpinEdit::arrowAndPageKeysStep() {
  auto* e = NewEdit(-120, 120, -115);
  e->SetFocus();
  QTRY_VERIFY(e->Focused());
  e->SetSelStart(2);
  QTest::keyClick(EditorOf(e), Qt::Key_PageDown);
  QCOMPARE(e->Text(), std::string("-120"));
  QTest::keyClick(EditorOf(e), Qt::Key_PageUp);
  QCOMPARE(e->Text(), std::string("-110"));
  QTest::keyClick(EditorOf(e), Qt::Key_Up);
  QCOMPARE(e->Text(), std::string("-109"));
  QTest::keyClick(EditorOf(e), Qt::Key_Down);
  QTest::keyClick(EditorOf(e), Qt::Key_Down);
  QCOMPARE(e->Text(), std::string("-111"));
  QCOMPARE(e->SelStart(), 2);  // same length: the caret stayed
  e->SetValue(-99);            // one character shorter: one left
  QCOMPARE(e->SelStart(), 1);
  QCOMPARE(e->beeps, 0);

  int keyDowns = 0;
  e->OnKeyDown = [&](TObject*, Word& key, TShiftState) {
    if (key == VK_UP) ++keyDowns;
  };
  QTest::keyClick(EditorOf(e), Qt::Key_Up);
  QCOMPARE(keyDowns, 1);  // the base's handling (OnKeyDown) comes first
  QCOMPARE(e->Text(), std::string("-98"));
}

void TstNvSpinEdit::typingIsRefusedWithoutKeyEdit() {
  auto* e = NewEdit(0, 255, 7);
  e->SetFocus();
  QTRY_VERIFY(e->Focused());
  e->SetSelStart(1);
  Type(e, "12");
  QTest::keyClick(EditorOf(e), Qt::Key_Backspace);
  QTest::keyClick(EditorOf(e), Qt::Key_Return);
  QCOMPARE(e->Text(), std::string("7"));
  QCOMPARE(e->beeps, 4);
  e->SetSelStart(0);
  QTest::keyClick(EditorOf(e), Qt::Key_Delete);
  QCOMPARE(e->Text(), std::string("7"));
  QCOMPARE(e->beeps, 5);

  e->SetAllowKeyEdit(true);
  e->SetSelStart(1);
  Type(e, "1x");
  QCOMPARE(e->Text(), std::string("71"));
  QCOMPARE(e->beeps, 6);  // the 'x'
  QTest::keyClick(EditorOf(e), Qt::Key_Backspace);
  QCOMPARE(e->Text(), std::string("7"));
  QTest::keyClick(EditorOf(e), Qt::Key_Return);  // Enter is not a number's character
  QCOMPARE(e->beeps, 7);
}

void TstNvSpinEdit::clipboardEditsNeedKeyEdit() {
  auto* e = NewEdit(0, 255, 12);
  e->SetFocus();
  QTRY_VERIFY(e->Focused());
  QGuiApplication::clipboard()->setText("99");
  e->SelectAll();
  e->PasteFromClipboard();
  QCOMPARE(e->Text(), std::string("12"));
  e->SelectAll();
  e->CutToClipboard();
  QCOMPARE(e->Text(), std::string("12"));
  e->ClearSelection();
  QCOMPARE(e->Text(), std::string("12"));
  QTest::keyClick(EditorOf(e), Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(e->Text(), std::string("12"));
  QTest::keyClick(EditorOf(e), Qt::Key_X, Qt::ControlModifier);
  QCOMPARE(e->Text(), std::string("12"));

  e->SetAllowKeyEdit(true);
  e->SelectAll();
  e->PasteFromClipboard();
  QCOMPARE(e->Text(), std::string("99"));
  e->SetReadOnly(true);  // read-only refuses even with key editing
  e->SelectAll();
  e->CutToClipboard();
  QCOMPARE(e->Text(), std::string("99"));
}

void TstNvSpinEdit::signAndSeparatorRules() {
  auto* e = NewEdit(-120, 120, 5);
  e->SetAllowKeyEdit(true);
  e->SetFocus();
  QTRY_VERIFY(e->Focused());
  e->SetSelStart(1);
  Type(e, "-");  // not at the start
  QCOMPARE(e->Text(), std::string("5"));
  e->SetSelStart(0);
  Type(e, "-");
  QCOMPARE(e->Text(), std::string("-5"));
  e->SetSelStart(0);
  Type(e, "+");  // only one sign
  QCOMPARE(e->Text(), std::string("-5"));
  QCOMPARE(e->beeps, 2);
  e->SelectAll();
  Type(e, "+");  // the whole text is replaced
  QCOMPARE(e->Text(), std::string("+"));

  e->SetText("5");
  e->SetSelStart(1);
  Type(e, ".");  // whole numbers only
  QCOMPARE(e->Text(), std::string("5"));
  e->SetIntegersOnly(false);
  e->SetSelStart(1);
  Type(e, ".2.");
  QCOMPARE(e->Text(), std::string("5.2"));
  e->SelectAll();
  Type(e, ".");  // the selection holds the separator
  QCOMPARE(e->Text(), std::string("."));
  QCOMPARE(e->beeps, 4);
}

void TstNvSpinEdit::mouseWheelSteps() {
  auto* e = NewEdit(0, 255, 250);
  SendWheel(e, 120, Qt::ControlModifier);
  QCOMPARE(e->Text(), std::string("255"));
  SendWheel(e, -120, Qt::NoModifier);
  QCOMPARE(e->Text(), std::string("254"));
  SendWheel(e, -120, Qt::ControlModifier);
  QCOMPARE(e->Text(), std::string("244"));
  SendWheel(e, 120, Qt::NoModifier);
  QCOMPARE(e->Text(), std::string("245"));
}

void TstNvSpinEdit::exitHandlerSeesTextBeforeClamping() {
  auto* pmin = NewEdit(500, 2500, 900);
  pmin->SetIncrement(20);
  pmin->SetAllowKeyEdit(true);
  pmin->SetColor(clInfoBk);
  auto* next = NewEdit(0, 255, 0);
  std::vector<std::string> log;
  pmin->OnExit = [&](TObject*) {
    log.push_back("exit text=" + pmin->Text() + " value=" + std::to_string(pmin->IntValue()));
  };
  pmin->OnChange = [&](TObject*) { log.push_back("change " + pmin->Text()); };
  pmin->SetFocus();
  QTRY_VERIFY(pmin->Focused());
  QCOMPARE(pmin->SelLength(), 3);  // focus entry selects the text
  Type(pmin, "3000");
  log.clear();
  QTest::keyClick(EditorOf(pmin), Qt::Key_Tab);
  QTRY_VERIFY(next->Focused());
  QCOMPARE(log, (std::vector<std::string>{"exit text=3000 value=3000", "change 2500"}));
  QCOMPARE(pmin->Text(), std::string("2500"));

  // A lone sign is replaced by the minimum on exit.
  pmin->SetFocus();
  QTRY_VERIFY(pmin->Focused());
  Type(pmin, "-");
  next->SetFocus();
  QTRY_VERIFY(next->Focused());
  QCOMPARE(pmin->Text(), std::string("500"));

  // With TabOnEnter, Enter moves on like Tab instead of being refused.
  pmin->SetTabOnEnter(true);
  pmin->SetFocus();
  QTRY_VERIFY(pmin->Focused());
  QTest::keyClick(EditorOf(pmin), Qt::Key_Return);
  QTRY_VERIFY(next->Focused());
  QCOMPARE(pmin->beeps, 0);
}

void TstNvSpinEdit::focusColours() {
  auto* info = NewEdit(500, 2500, 900);
  info->SetColor(clInfoBk);
  auto* plain = NewEdit(0, 255, 0);
  plain->SetFocusColor(clYellow);
  QCOMPARE(plain->Color(), clWindow);
  plain->SetFocus();
  QTRY_VERIFY(plain->Focused());
  QCOMPARE(plain->Color(), clYellow);
  QCOMPARE(plain->Buttons()->Color(), clYellow);
  QCOMPARE(plain->Buttons()->UpButton()->Color(), clBtnFace);  // buttons stay button-faced
  info->SetFocus();
  QTRY_VERIFY(info->Focused());
  QCOMPARE(info->Color(), clInfoBk);  // the focus colour followed the rest colour
  QCOMPARE(plain->Color(), clWindow);
  info->SetEnabled(false);
  QCOMPARE(info->Color(), clBtnFace);
  QVERIFY(!info->Buttons()->UpButton()->Enabled());
  info->SetEnabled(true);
  QCOMPARE(info->Color(), clInfoBk);
  QVERIFY(info->Buttons()->DownButton()->Enabled());
  plain->SetReadOnly(true);
  QCOMPARE(plain->Color(), clInfoBk);
}

void TstNvSpinEdit::buttonClickStepsAndTakesFocus() {
  auto* e = NewEdit(500, 2500, 900);
  e->SetIncrement(20);
  auto* other = NewEdit(0, 10, 0);
  other->SetFocus();
  QTRY_VERIFY(other->Focused());
  TNvControlButton* up = e->Buttons()->UpButton();
  QTest::mousePress(up, Qt::LeftButton, {}, Centre(up));
  QVERIFY(e->Focused());
  QVERIFY(up->Pressed());
  QCOMPARE(e->Text(), std::string("900"));  // the press alone does not step
  QTest::mouseRelease(up, Qt::LeftButton, {}, Centre(up));
  QCOMPARE(e->Text(), std::string("920"));
  QVERIFY(!up->Pressed());
  QCOMPARE(up->RepeatInterval(), 0u);
  TNvControlButton* down = e->Buttons()->DownButton();
  QTest::mouseClick(down, Qt::LeftButton, {}, Centre(down));
  QTest::mouseClick(down, Qt::LeftButton, {}, Centre(down));
  QCOMPARE(e->Text(), std::string("880"));
}

void TstNvSpinEdit::autoRepeatTimerRhythm() {
  auto* e = NewEdit(500, 2500, 900);
  e->SetIncrement(20);
  TNvControlButton* up = e->Buttons()->UpButton();
  QTest::mousePress(up, Qt::LeftButton, {}, Centre(up));
  QCOMPARE(up->RepeatInterval(), 400u);
  up->Perform(WM_TIMER, 1, 0);  // first tick: one step, then every 100 ms
  QCOMPARE(e->Text(), std::string("920"));
  QCOMPARE(up->RepeatInterval(), 100u);
  up->Perform(WM_TIMER, 1, 0);
  up->Perform(WM_TIMER, 1, 0);
  QCOMPARE(e->Text(), std::string("960"));
  QTest::mouseRelease(up, Qt::LeftButton, {}, Centre(up));  // plus one on release
  QCOMPARE(e->Text(), std::string("980"));
  QCOMPARE(up->RepeatInterval(), 0u);
  up->Perform(WM_TIMER, 1, 0);  // a late tick after release does nothing
  QCOMPARE(e->Text(), std::string("980"));
}

void TstNvSpinEdit::autoRepeatRunsOnRealTimer() {
  auto* e = NewEdit(0, 1000, 0);
  TNvControlButton* up = e->Buttons()->UpButton();
  QTest::mousePress(up, Qt::LeftButton, {}, Centre(up));
  QTRY_VERIFY_WITH_TIMEOUT(e->IntValue() >= 2, 10000);
  QTest::mouseRelease(up, Qt::LeftButton, {}, Centre(up));
  const int released = e->IntValue();
  QTest::qWait(250);
  QCOMPARE(e->IntValue(), released);  // the timer is gone
}

void TstNvSpinEdit::leavingHeldButtonKeepsRepeating() {
  auto* e = NewEdit(0, 100, 50);
  TNvControlButton* down = e->Buttons()->DownButton();
  QTest::mousePress(down, Qt::LeftButton, {}, Centre(down));
  QTest::mouseMove(down, QPoint(60, 40));
  QVERIFY(down->Pressed());
  down->Perform(WM_TIMER, 1, 0);
  QCOMPARE(e->Text(), std::string("49"));
  QTest::mouseRelease(down, Qt::LeftButton, {}, QPoint(60, 40));  // outside: no extra step
  QCOMPARE(e->Text(), std::string("49"));
  QVERIFY(!down->Pressed());
}

void TstNvSpinEdit::failedFocusCancelsPress() {
  auto* target = new TEdit(host_.get());
  target->SetVisible(false);  // cannot take the focus
  auto* button = new TNvControlButton(host_.get());
  button->SetBounds(200, 10, 17, 21);
  button->SetStyle(cbsUp);
  button->SetRepeatClicks(true);
  button->SetFocusControl(target);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  QTest::mousePress(button, Qt::LeftButton, {}, Centre(button));
  QVERIFY(!button->Pressed());
  QCOMPARE(button->RepeatInterval(), 0u);
  QTest::mouseRelease(button, Qt::LeftButton, {}, Centre(button));
  QCOMPARE(clicks, 0);

  target->SetVisible(true);
  QTest::mouseClick(button, Qt::LeftButton, {}, Centre(button));
  QCOMPARE(clicks, 1);
  QVERIFY(target->Focused());
}

void TstNvSpinEdit::exceptionInRepeatStopsTimer() {
  auto* e = NewEdit(0, 100, 50);
  e->OnButtonClick = [](TObject*, TSpinButtonType) { throw std::runtime_error("handler failed"); };
  TNvControlButton* up = e->Buttons()->UpButton();
  QTest::mousePress(up, Qt::LeftButton, {}, Centre(up));
  bool thrown = false;
  try {
    up->Perform(WM_TIMER, 1, 0);
  } catch (const std::runtime_error&) {
    thrown = true;
  }
  QVERIFY(thrown);
  QCOMPARE(up->RepeatInterval(), 0u);
  QCOMPARE(e->Text(), std::string("51"));
}

void TstNvSpinEdit::layoutOfButtonsAndMargins() {
  auto* e = NewEdit(0, 255, 0);
  QCOMPARE(e->ClientWidth(), 69);
  QCOMPARE(e->ClientHeight(), 17);
  TNvSpinButtons* b = e->Buttons();
  QCOMPARE(b->BoundsRect(), Bounds(52, 0, 17, 17));
  QCOMPARE(b->UpButton()->BoundsRect(), Bounds(0, 0, 17, 8));
  QCOMPARE(b->DownButton()->BoundsRect(), Bounds(0, 8, 17, 9));
  QCOMPARE(e->RightMargin(), 19);
  QCOMPARE(e->LeftMargin(), 0);
  QCOMPARE(e->Alignment(), taRightJustify);
  e->SetReadOnly(true);
  QVERIFY(!b->Visible());
  QCOMPARE(e->RightMargin(), 0);
  e->SetReadOnly(false);
  e->SetButtonWidth(21);
  QCOMPARE(b->BoundsRect(), Bounds(48, 0, 21, 17));
  QCOMPARE(e->RightMargin(), 23);
  e->SetHeight(4);  // never lower than the text
  QVERIFY(e->Height() > 10);

  auto* dflt = new TNvSpinEdit(host_.get());
  QCOMPARE(dflt->Width(), 47);
  QCOMPARE(dflt->Max(), 100.0L);
  QCOMPARE(dflt->Increment(), 1.0L);
  QCOMPARE(dflt->PageSize(), 10.0L);
  QVERIFY(!dflt->AllowKeyEdit());
}

void TstNvSpinEdit::arrowPixels() {
  auto* e = NewEdit(0, 255, 0);
  // The button column starts at x = 2 + 52, y = 2 in the control's image.
  const int bx = 54, by = 2;
  QImage img = Render(e);
  // Released up button: 2-pixel raised edge, arrow tip at (8, 1) widening to
  // seven pixels on row 4.
  QCOMPARE_PIXEL(img, bx + 0, by + 0, clBtnHighlight);
  QCOMPARE_PIXEL(img, bx + 16, by + 7, cl3DDkShadow);
  QCOMPARE_PIXEL(img, bx + 8, by + 1, clBlack);
  QCOMPARE_PIXEL(img, bx + 7, by + 1, cl3DLight);
  QCOMPARE_PIXEL(img, bx + 5, by + 4, clBlack);
  QCOMPARE_PIXEL(img, bx + 11, by + 4, clBlack);
  QCOMPARE_PIXEL(img, bx + 4, by + 4, clBtnFace);
  QCOMPARE_PIXEL(img, bx + 12, by + 4, clBtnFace);
  // Released down button (rows 8..16): seven pixels on its row 2, tip on row 5.
  QCOMPARE_PIXEL(img, bx + 5, by + 8 + 2, clBlack);
  QCOMPARE_PIXEL(img, bx + 11, by + 8 + 2, clBlack);
  QCOMPARE_PIXEL(img, bx + 8, by + 8 + 5, clBlack);
  QCOMPARE_PIXEL(img, bx + 7, by + 8 + 5, clBtnFace);
  QCOMPARE_PIXEL(img, bx + 8, by + 8 + 6, clBtnFace);

  // Pressed: a 1-pixel shadow box, the arrow one pixel right and down.
  TNvControlButton* up = e->Buttons()->UpButton();
  QTest::mousePress(up, Qt::LeftButton, {}, Centre(up));
  img = Render(e);
  QCOMPARE_PIXEL(img, bx + 0, by + 0, clBtnShadow);
  QCOMPARE_PIXEL(img, bx + 1, by + 1, clBtnFace);
  QCOMPARE_PIXEL(img, bx + 9, by + 2, clBlack);
  QCOMPARE_PIXEL(img, bx + 8, by + 2, clBtnFace);
  QCOMPARE_PIXEL(img, bx + 6, by + 5, clBlack);
  QCOMPARE_PIXEL(img, bx + 12, by + 5, clBlack);
  QTest::mouseRelease(up, Qt::LeftButton, {}, Centre(up));

  // Disabled: shadow-coloured arrows.
  e->SetEnabled(false);
  img = Render(e);
  QCOMPARE_PIXEL(img, bx + 8, by + 1, clBtnShadow);
  QCOMPARE_PIXEL(img, bx + 8, by + 8 + 5, clBtnShadow);
}

QTEST_MAIN(TstNvSpinEdit)
#include "tst_nvspnedt.moc"
