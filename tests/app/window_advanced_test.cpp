// The technician's Advanced view (zn4417config --advanced): the hidden
// group shown on request, the image in `Rom` kept at 64 bytes whatever is
// done to it, and a byte edited there reaching the parameters and the chip.
#include <QApplication>
#include <QTest>

#include "hexview/ehexview.h"
#include "hexview/hexviewex.h"
#include "tests/app/window_test_util.h"
#include "widgets/nvchklst.h"
#include "widgets/nvradchk.h"
#include "widgets/nvspnedt.h"
#include "widgets/tnvgroup.h"

namespace {

void OpenAdvanced(TForm1& form) {
  form.ShowAdvanced();
  QApplication::processEvents();
  // A click on the group's caption bar opens it.
  QTest::mouseClick(form.NvGroup3, Qt::LeftButton, Qt::NoModifier, QPoint(30, 8));
  QApplication::processEvents();
}

// The byte at `pos` changed the way typing changes it (undo entry, change mark).
void EditByte(TForm1& form, Integer pos, Byte value) {
  const TGridCoord cell = form.Rom->GetCursorAtPos(pos, false);
  form.Rom->IntChangeByte(form.Rom->GetDataAt(pos), value, pos, cell.X, cell.Y, "Change byte");
}

// Runs `edit` and reports whether it changed the view's data size; the
// refusals the view raises for a fixed size are expected.
bool SizeStays(TForm1& form, const std::function<void()>& edit) {
  try {
    edit();
  } catch (const EHexView&) {
  }
  QApplication::processEvents();
  return form.Rom->DataSize() == kRomSize;
}

// Whether `control` lies in the part of `group` the bar shows: a closed
// group is only its caption bar; its controls are clipped away or, aligned
// ones, squeezed to nothing.
bool InView(TControl* control, TNvGroup* group) {
  return group->Showing() && control->Showing() && control->Height() > 0 &&
         control->Top() + control->Height() <= group->Height();
}

}  // namespace

class WindowAdvancedTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { Application->SetTitle(kApplicationTitle); }

  void hiddenAsDesignedShownOnRequestAndOpenedByItsCaption() {
    SimWindow plain;
    TForm1& designed = plain.Create();
    QVERIFY(!designed.NvGroup3->Visible());
    QVERIFY(!designed.NvGroup3->Showing());
    QVERIFY(!designed.Rom->OnExit);
    QVERIFY(designed.Rom->GetCanUndo());  // the sizing, "Append Buffer"

    SimWindow w;
    TForm1& form = w.Create();
    form.ShowAdvanced();
    QApplication::processEvents();
    QVERIFY(form.NvGroup3->Visible());
    QVERIFY(form.NvGroup3->Showing());
    QVERIFY(!form.Rom->GetCanUndo());  // nothing undoes the image's 64 bytes
    QVERIFY(!form.NvGroup3->Opened());
    QVERIFY(form.NvGroup1->Opened());
    QVERIFY(InView(form.DB, form.NvGroup1));
    QVERIFY(!InView(form.Rom, form.NvGroup3));

    QTest::mouseClick(form.NvGroup3, Qt::LeftButton, Qt::NoModifier, QPoint(30, 8));
    QApplication::processEvents();
    QVERIFY(form.NvGroup3->Opened());
    QVERIFY(!form.NvGroup1->Opened());
    for (TWinControl* control :
         std::initializer_list<TWinControl*>{form.Rom, form.FUNREG, form.OSC, form.CH, form.CLK}) {
      QVERIFY2(InView(control, form.NvGroup3), control->Name().c_str());
    }
    QVERIFY(!InView(form.DB, form.NvGroup1));
    QCOMPARE(form.Rom->DataSize(), kRomSize);
  }

  void romStaysSixtyFourBytesWhateverIsDone() {
    SimWindow w;
    TForm1& form = w.Create();
    OpenAdvanced(form);
    QVERIFY(FocusOn(form, form.Rom));
    THexViewEx& rom = *form.Rom;
    // Nothing before the 64 bytes can be undone.
    QVERIFY(SizeStays(form, [&] {
      for (int i = 0; i < 3; ++i) QTest::keyClick(&rom, Qt::Key_Z, Qt::ControlModifier);
    }));

    rom.SetInsertMode(true);
    QVERIFY(!rom.GetInsertMode());
    const Byte four[] = {1, 2, 3, 4};
    QVERIFY(SizeStays(form, [&] { rom.InsertBuffer(four, 4, 10, "Insert", false); }));
    QVERIFY(SizeStays(form, [&] { rom.AppendBuffer(four, 4, "Append", false); }));
    QVERIFY(SizeStays(form, [&] { rom.SetDataSize(65); }));
    QVERIFY(SizeStays(form, [&] {
      rom.SetSelection(5, 5, 6);
      rom.DeleteSelection("Delete");
    }));
    // A replacement longer than the selection replaces only the selection.
    QVERIFY(SizeStays(form, [&] {
      rom.SetSelection(60, 60, 60);
      rom.ReplaceSelection(four, 4, "Paste", false);
    }));
    QCOMPARE(int(rom.GetDataAt(60)), 1);
    QCOMPARE(int(rom.GetDataAt(61)), 0);

    // The keys that insert, delete and type, in both fields.
    rom.ResetSelection(false);
    for (Qt::Key key : {Qt::Key_Insert, Qt::Key_Delete, Qt::Key_Backspace}) {
      QVERIFY(SizeStays(form, [&] { QTest::keyClick(&rom, key); }));
    }
    QVERIFY(SizeStays(form, [&] {
      QTest::keyClick(&rom, Qt::Key_End, Qt::ControlModifier);
      QTest::keyClicks(&rom, "ABCDEF0123");
      QTest::keyClick(&rom, Qt::Key_Tab, Qt::ControlModifier);
      QTest::keyClicks(&rom, "xyz");
      QTest::keyClick(&rom, Qt::Key_Z, Qt::ControlModifier);
      QTest::keyClick(&rom, Qt::Key_Z, Qt::ControlModifier);
    }));
  }

  void editedBytesReachTheParametersWhenRomIsLeft() {
    SimWindow w;
    TForm1& form = w.Create();
    OpenAdvanced(form);
    QVERIFY(FocusOn(form, form.Rom));
    EditByte(form, 15, 0x0A);          // DB, stored inverted
    EditByte(form, 13, 0x55);          // OSC
    EditByte(form, 16, 0xFF);          // ST, beyond its 0..7
    EditByte(form, 10, 0x28);          // HFD and the first overload item
    EditByte(form, 40, 0x5A);          // no parameter here
    QCOMPARE(form.DB->Value(), 7.0L);  // nothing taken over yet

    QVERIFY(FocusOn(form, form.OSC));
    QCOMPARE(form.DB->Value(), 245.0L);
    QCOMPARE(form.OSC->Value(), 85.0L);
    QCOMPARE(form.ST->Value(), 7.0L);
    QVERIFY(form.HFD->Checked());
    QVERIFY(form.FUNREG->ItemChecked(3) && form.FUNREG->ItemChecked(5));
    QVERIFY(form.FUNREG1->ItemChecked(0));
    // The image now holds what the controls show: the out-of-range value
    // comes back clamped, the rest as typed.
    QCOMPARE(int(form.Image().GetDataAt(16)), 7);
    QCOMPARE(int(form.Image().GetDataAt(15)), 0x0A);
    QCOMPARE(int(form.Image().GetDataAt(10)), 0x28);
    QCOMPARE(int(form.Image().GetDataAt(40)), 0x5A);
    QCOMPARE(form.Rom->DataSize(), kRomSize);
  }

  void typedDigitsChangeOneByteAndReachTheParameters() {
    SimWindow w;
    TForm1& form = w.Create();
    OpenAdvanced(form);
    QVERIFY(FocusOn(form, form.Rom));
    THexViewEx& rom = *form.Rom;
    // To byte 15 (DB, stored inverted): row 1, eighth byte, one digit per Right.
    QTest::keyClick(&rom, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&rom, Qt::Key_Down);
    for (int i = 0; i < 14; ++i) QTest::keyClick(&rom, Qt::Key_Right);
    QCOMPARE(rom.Data().CaretIndex(), 15);
    QTest::keyClicks(&rom, "0a");
    QApplication::processEvents();
    QCOMPARE(int(rom.GetDataAt(15)), 0x0A);
    QCOMPARE(rom.DataSize(), kRomSize);
    QCOMPARE(form.DB->Value(), 7.0L);

    QVERIFY(FocusOn(form, form.CH));
    QCOMPARE(form.DB->Value(), 245.0L);
    QCOMPARE(int(form.Image().GetDataAt(15)), 0x0A);
  }

  void writeSendsTheEditedImageAlsoWhileRomHasTheFocus() {
    MessageBoxRecorder recorder;
    TcpWindow w;
    QVERIFY(w.Create());
    TForm1& form = *w.form;
    OpenAdvanced(form);
    QVERIFY(FocusOn(form, form.Rom));
    EditByte(form, 17, 0x33);  // BT
    EditByte(form, 50, 0xC3);  // no parameter here
    // The tool button takes no focus: Rom is never left before the write.
    ClickTool(form.BtnEdit);
    QVERIFY(form.Rom->Focused());
    QCOMPARE(recorder.boxes.size(), size_t(1));
    const std::vector<uint8_t> sent = w.ChipBlock();
    QCOMPARE(int(sent[17]), 0x33);
    QCOMPARE(int(sent[50]), 0xC3);
    QCOMPARE(form.BT->Value(), 51.0L);
    QVERIFY(WindowImage(form) == sent);
  }

  void writeWithoutTheAdvancedViewKeepsTheDesignedEncoding() {
    // Without --advanced the buttons keep their designed handlers: the image
    // bytes of the parameters are rewritten from the controls.
    MessageBoxRecorder recorder;
    TcpWindow w;
    QVERIFY(w.Create());
    TForm1& form = *w.form;
    form.Image().SetDataAt(17, 0x33);
    ClickTool(form.BtnEdit);
    QCOMPARE(int(w.ChipBlock()[17]), 8);  // BT as the controls show it
    QCOMPARE(form.BT->Value(), 8.0L);
  }
};

QTEST_MAIN(WindowAdvancedTest)
#include "window_advanced_test.moc"
