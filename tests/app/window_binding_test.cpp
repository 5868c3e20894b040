// The window's controls bound to the image: start-up state, what leaving a
// control writes, the spin edits' typing rules and the linked flags.
#include <QApplication>
#include <QTest>

#include "hexview/hexviewex.h"
#include "tests/app/window_test_util.h"
#include "widgets/nvchklst.h"
#include "widgets/nvradchk.h"
#include "widgets/nvspnedt.h"

namespace {

// Clicks the centre of item `index` of a check list's glyph column.
void ClickItemGlyph(TNvCheckList& list, int index) {
  const TRect r = list.GlyphRect(index);
  QTest::mouseClick(&list, Qt::LeftButton, Qt::NoModifier,
                    QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  QApplication::processEvents();
}

// The pointer leaving a control.
void SendLeave(TControl* control) {
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(control, &leave);
  QApplication::processEvents();
}

std::string Text(TNvSpinEdit* edit) {
  return edit->Text();
}

}  // namespace

class WindowBindingTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { Application->SetTitle(kApplicationTitle); }

  void startUpShowsTheDefaultImageInTheControls() {
    SimWindow w;
    TForm1& form = w.Create();
    QCOMPARE_STR(FieldCaption(form.NvFieldStatus1), "V1.71");
    QCOMPARE_STR(form.ConnectionText(), "USB Status: Connect!");
    const std::pair<ParamId, const char*> shown[] = {
        {piDB, "7"},          {piST, "0"},     {piBT, "8"},    {piMDL, "244"}, {piMDR, "244"},
        {piDZ, "31"},         {piP1MD, "128"}, {piP2MD, "64"}, {piP1T, "50"},  {piP2T, "100"},
        {piP3T, "100"},       {piOSC, "1"},    {piCH, "2"},    {piCLK, "7"},   {piedtPMINL, "900"},
        {piedtPMAXL, "2100"}, {piedtPMID, "0"}};
    for (const auto& [id, text] : shown) QCOMPARE_STR(Text(form.SpinEditOf(id)), text);
    for (int i = 0; i < 10; ++i) {
      const bool disabled = i == 0 || i == 1 || i == 4 || i == 8 || i == 9;
      QCOMPARE(form.FUNREG->ItemEnabled(i), !disabled);
      QVERIFY(!form.FUNREG->ItemChecked(i));
    }
    for (int i = 0; i < 3; ++i) QVERIFY(form.FUNREG1->ItemEnabled(i));
    QVERIFY(!form.HFD->Checked() && !form.nvchckbxLPPMP->Checked());
    QVERIFY(!form.nvchckbxINVC->Checked());
  }

  void checkBoxesStandBesideTheOverloadList() {
    SimWindow w;
    TForm1& form = w.Create();
    struct BoxRow {
      TNvCheckBox* box;
      const char* caption;
      int top;
    };
    for (const BoxRow& row : {BoxRow{form.HFD, "High Freq Driver", 96},
                              BoxRow{form.nvchckbxLPPMP, "Lose PPM Protect", 112},
                              BoxRow{form.nvchckbxINVC, "Inver Control", 128}}) {
      QCOMPARE_STR(row.box->Caption(), row.caption);
      QCOMPARE(row.box->BoundsRect(), Bounds(176, row.top, 145, 17));
      QCOMPARE(row.box->Color(), clSkyBlue);
      QVERIFY(!row.box->ParentColor());
    }
  }

  void tabbingFromDBFollowsTheTables() {
    SimWindow w;
    TForm1& form = w.Create();
    QVERIFY(FocusOn(form, form.DB));
    const std::vector<TWinControl*> expected = {
        form.ST,       form.BT,       form.MDL,     form.MDR,           form.DZ,          form.P2T,
        form.P3T,      form.P2MD,     form.P1T,     form.P1MD,          form.FUNREG1,     form.HFD,
        form.edtPMINL, form.edtPMAXL, form.edtPMID, form.nvchckbxLPPMP, form.nvchckbxINVC};
    for (TWinControl* next : expected) {
      PressKey(Qt::Key_Tab);
      QVERIFY2(FocusedControl() == next, next->Name().c_str());
    }
  }

  void steppingDBReachesTheImageOnlyWhenDBIsLeft() {
    SimWindow w;
    TForm1& form = w.Create();
    QVERIFY(FocusOn(form, form.DB));
    QTest::mouseClick(form.DB->Buttons()->UpButton(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QApplication::processEvents();
    QCOMPARE_STR(Text(form.DB), "8");
    QCOMPARE(int(form.Rom->GetDataAt(15)), 248);  // still 255 - 7
    QVERIFY(form.DB->Focused());
    PressKey(Qt::Key_Tab);
    QCOMPARE(FocusedControl(), form.ST);
    QCOMPARE(int(form.Rom->GetDataAt(15)), 247);
  }

  void typingIntoDBIsRefusedButKeysStepWithinRange() {
    SimWindow w;
    TForm1& form = w.Create();
    QVERIFY(FocusOn(form, form.DB));
    TypeText("5");
    QCOMPARE_STR(Text(form.DB), "7");
    QTest::keyClick(form.DB, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE_STR(Text(form.DB), "7");
    PressKey(Qt::Key_Up);
    QCOMPARE_STR(Text(form.DB), "8");
    PressKey(Qt::Key_PageUp);
    QCOMPARE_STR(Text(form.DB), "18");
    form.DB->SetValue(250);
    PressKey(Qt::Key_PageUp);
    QCOMPARE_STR(Text(form.DB), "255");
    PressKey(Qt::Key_Up);
    QCOMPARE_STR(Text(form.DB), "255");
  }

  void typedPulseBeyondItsRangeIsStoredClampedAndThenShownClamped() {
    SimWindow w;
    TForm1& form = w.Create();
    QVERIFY(FocusOn(form, form.edtPMINL));
    ReplaceText("3000");
    QCOMPARE_STR(Text(form.edtPMINL), "3000");
    PressKey(Qt::Key_Tab);
    QCOMPARE(FocusedControl(), form.edtPMAXL);
    // 2500 us is n = 12500 = 0x30D4, never the 15000 that 3000 would make.
    QCOMPARE(int(form.Rom->GetDataAt(28)), 0xD4);
    QCOMPARE(int(form.Rom->GetDataAt(29)), 0x30);
    QCOMPARE_STR(Text(form.edtPMINL), "2500");
    // Below the range the same: 100 counts as 500 (n = 2500 = 0x09C4).
    ReplaceText("100");
    PressKey(Qt::Key_Tab);
    QCOMPARE(int(form.Rom->GetDataAt(30)) + 256 * form.Rom->GetDataAt(31), 2500);
    QCOMPARE_STR(Text(form.edtPMAXL), "500");
  }

  void textBeingTypedIsNotReplacedWhenAnotherControlIsLeft() {
    SimWindow w;
    TForm1& form = w.Create();
    QVERIFY(FocusOn(form, form.edtPMINL));
    ReplaceText("30");  // on the way to 3000
    // The pointer crossing the overload list runs DBExit for it.
    SendLeave(form.FUNREG1);
    QCOMPARE_STR(Text(form.edtPMINL), "30");
    TypeText("00");
    PressKey(Qt::Key_Tab);
    QCOMPARE_STR(Text(form.edtPMINL), "2500");
  }

  void overloadListFeedsFunregWhenThePointerLeaves() {
    SimWindow w;
    TForm1& form = w.Create();
    QVERIFY(FocusOn(form, form.DB));
    ClickItemGlyph(*form.FUNREG1, 1);
    QVERIFY(form.FUNREG1->ItemChecked(1));
    QCOMPARE(FocusedControl(), form.FUNREG1);
    // The click ran before the toggle: the image has not seen it yet.
    QCOMPARE(int(form.Rom->GetDataAt(10)) & 0x40, 0);
    SendLeave(form.FUNREG1);
    QVERIFY(form.FUNREG->ItemChecked(6));
    QCOMPARE(int(form.Rom->GetDataAt(10)), 0x40);
    // Unchecking it and leaving the list by the keyboard clears both.
    ClickItemGlyph(*form.FUNREG1, 1);
    PressKey(Qt::Key_Tab);
    QVERIFY(!form.FUNREG->ItemChecked(6));
    QCOMPARE(int(form.Rom->GetDataAt(10)), 0);
  }

  void singleFlagsWinOverTheirFunregItems() {
    SimWindow w;
    TForm1& form = w.Create();
    QVERIFY(FocusOn(form, form.HFD));
    PressKey(Qt::Key_Space);
    QVERIFY(form.HFD->Checked());
    PressKey(Qt::Key_Tab);  // to edtPMINL: HFD is left
    QVERIFY(form.FUNREG->ItemChecked(3));
    QCOMPARE(int(form.Rom->GetDataAt(10)), 0x08);
    // Inver Control lives in byte 11 alone.
    QVERIFY(FocusOn(form, form.nvchckbxINVC));
    PressKey(Qt::Key_Space);
    QVERIFY(FocusOn(form, form.DB));
    QCOMPARE(int(form.Rom->GetDataAt(11)), 0x40);
    // Changing the hidden list's item 3 is undone by the next exit elsewhere
    // unless the list itself is left.
    form.FUNREG->SetItemChecked(3, false);
    form.Controller().DBExit(piDB);
    QVERIFY(form.FUNREG->ItemChecked(3));
    form.FUNREG->SetItemChecked(3, false);
    form.Controller().DBExit(piFUNREG);
    QVERIFY(!form.HFD->Checked());
    QCOMPARE(int(form.Rom->GetDataAt(10)), 0);
  }

  void bytesOutsideTheParametersSurviveEveryExit() {
    SimWindow w;
    TForm1& form = w.Create();
    std::vector<uint8_t> block = PatternBlock(0x11);
    PokeSfr(w.library.Chip(), block);
    ClickTool(form.BtnFind);
    QVERIFY(WindowImage(form) == block);
    QVERIFY(FocusOn(form, form.DB));
    for (int i = 0; i < 18; ++i) PressKey(Qt::Key_Tab);
    const std::vector<uint8_t> image = WindowImage(form);
    for (int i = 0; i < 64; ++i) {
      if (i < 10 || i == 20 || i == 27 || i > 32) QCOMPARE(int(image[i]), int(block[i]));
    }
  }
};

QTEST_MAIN(WindowBindingTest)
#include "window_binding_test.moc"
