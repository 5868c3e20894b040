// The main window's widget tree: geometry, captions, ranges, colours, the
// tool buttons, the image list, the hidden group and the tab order.
#include <QApplication>
#include <QTest>

#include "framework/mainimages.h"
#include "hexview/ehexview.h"
#include "hexview/hexviewex.h"
#include "tests/app/window_panels.h"
#include "tests/app/window_test_util.h"
#include "widgets/nvchklst.h"
#include "widgets/nvlabel.h"
#include "widgets/nvspnedt.h"

namespace {

struct LabelRow {
  const char* name;
  const char* caption;
  int left, top, width;  // the width as designed
};

const LabelRow kBasicLabels[] = {
    {"NvLabel1", "DEADBAND", 16, 40, 69},   {"NvLabel2", "STRETCHER", 8, 64, 76},
    {"NvLabel3", "BOOST", 16, 88, 43},      {"NvLabel4", "MAXDUTYL", 16, 112, 68},
    {"NvLabel5", "MAXDUTYR", 16, 136, 70},  {"NvLabel6", "DEADZONE", 16, 160, 69},
    {"lbl1", "PMIN", 16, 184, 32},          {"lbl7", "PMAX", 16, 208, 35},
    {"lbl3", "PMID", 16, 232, 32},          {"lbl4", "us", 160, 184, 14},
    {"lbl5", "us", 160, 208, 14},           {"NvLabel11", "P1MDUTY", 328, 40, 60},
    {"NvLabel12", "P2MDUTY", 328, 64, 60},  {"NvLabel13", "P1WTIME", 328, 88, 58},
    {"NvLabel14", "P2WTIME", 328, 112, 58}, {"NvLabel15", "P3WTIME", 328, 136, 58}};

const LabelRow kAdvancedLabels[] = {{"NvLabel16", "OSC", 8, 216, 26},
                                    {"NvLabel17", "CHANNEL", 8, 240, 59},
                                    {"NvLabel18", "CLK", 8, 264, 24}};

struct SpinRow {
  ParamId id;
  int left, top;
  long double min, max, step;
  bool typing;
};

const SpinRow kSpins[] = {{piDB, 89, 32, 0, 255, 1, false},
                          {piST, 88, 56, 0, 7, 1, false},
                          {piBT, 88, 80, 0, 255, 1, false},
                          {piMDL, 88, 104, 0, 255, 1, false},
                          {piMDR, 88, 128, 0, 255, 1, false},
                          {piDZ, 88, 152, 0, 63, 1, false},
                          {piP2T, 408, 104, 0, 255, 1, false},
                          {piP3T, 408, 128, 0, 255, 1, false},
                          {piP2MD, 408, 56, 0, 255, 1, false},
                          {piP1T, 408, 80, 0, 255, 1, false},
                          {piP1MD, 408, 32, 0, 255, 1, false},
                          {piedtPMINL, 88, 176, 500, 2500, 20, true},
                          {piedtPMAXL, 88, 200, 500, 2500, 20, true},
                          {piedtPMID, 88, 224, -120, 120, 1, false},
                          {piOSC, 80, 208, 0, 127, 1, false},
                          {piCH, 80, 232, 0, 15, 1, false},
                          {piCLK, 80, 256, 0, 7, 1, false}};

TNvLabel* FindLabel(TWinControl* parent, const char* name) {
  return dynamic_cast<TNvLabel*>(FindControlByName(parent, name));
}

bool SameImage(const QImage& a, const QImage& b) {
  return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { Application->SetTitle(kApplicationTitle); }

  void barsGroupsAndPanesFillTheWindow() {
    SimWindow w;
    TForm1& form = w.Create();
    QCOMPARE(form.NvToolbar1->BoundsRect(), Rect(0, 0, 499, 29));
    QCOMPARE(form.NvStatusBar1->BoundsRect(), Rect(0, 368, 499, 387));
    QCOMPARE(form.NvGroupBar1->BoundsRect(), Rect(0, 29, 499, 368));
    QCOMPARE(form.NvFieldStatus1->BoundsRect(), Rect(0, 0, 100, 19));
    QCOMPARE(form.NvFieldStatus2->BoundsRect(), Rect(100, 0, 321, 19));
    QCOMPARE_STR(form.NvFieldStatus1->Caption(), "V1.71");
    // The Basic group fills the bar; the Advanced one shows no header.
    QCOMPARE_STR(form.NvGroup1->Caption(), "Basic");
    QVERIFY(form.NvGroup1->Opened());
    QVERIFY(form.NvGroup1->Showing());
    QCOMPARE(form.NvGroup1->BoundsRect(), Rect(0, 0, 499, 339));
    QCOMPARE_STR(form.NvGroup3->Caption(), "Advanced");
    QVERIFY(!form.NvGroup3->Visible());
    QVERIFY(!form.NvGroup3->Showing());
    QVERIFY(!form.Rom->Showing());
    QCOMPARE(form.NvGroupBar1->Style(), gbsOutlook);
    QCOMPARE(form.NvGroupBar1->Color(), clBtnShadow);
  }

  void toolButtonsTakeTheirSizeFromTheToolbar() {
    SimWindow w;
    TForm1& form = w.Create();
    QCOMPARE(form.NvToolbar1->ToolbarControls().Count(), 4);
    QCOMPARE(form.NvToolbar1->ToolbarControls().Controls(0), form.NvSpacer1);
    QCOMPARE(form.NvToolbar1->ToolbarControls().Controls(3), form.BtnFind);
    QCOMPARE(form.NvSpacer1->Left(), 4);
    QCOMPARE(form.NvSpacer2->Left(), form.NvSpacer1->Left() + form.NvSpacer1->Width());
    QCOMPARE(form.BtnEdit->Left(), form.NvSpacer2->Left() + form.NvSpacer2->Width());
    QCOMPARE(form.BtnFind->Left(), form.BtnEdit->Left() + form.BtnEdit->Width());
    for (TNvToolButton* button : {form.BtnEdit, form.BtnFind}) {
      QCOMPARE(button->Height(), 25);
      QCOMPARE(button->Top(), 2);
      QVERIFY(button->ShowCaption());
      QVERIFY(!button->UseToolbarShowCaption());
      // Wide enough for the 16-pixel image and the caption beside it.
      QVERIFY(button->Width() >= 16 + 20);
    }
    QVERIFY(!form.BtnEdit->UseToolbarButtonLayout());
    QCOMPARE_STR(form.BtnEdit->Caption(), "Write ");
    QCOMPARE_STR(form.BtnFind->Caption(), "Read");
    QCOMPARE(form.BtnEdit->ImageIndex(), 4);
    QCOMPARE(form.BtnEdit->DisabledIndex(), 5);
    QCOMPARE(form.BtnFind->ImageIndex(), 6);
    QCOMPARE(form.BtnFind->DisabledIndex(), 7);
  }

  void imageListHoldsThePenAndTorchAtFourToSeven() {
    SimWindow w;
    TForm1& form = w.Create();
    TImageList& list = *form.ImageList1;
    QCOMPARE(list.Count(), 8);
    QCOMPARE(list.Width(), 16);
    QCOMPARE(form.NvToolbar1->Images(), &list);
    for (int i = 0; i < 8; ++i) QVERIFY(SameImage(list.Image(i), MainWindowImage(i)));
    // Pen (4) and torch (6) are drawn in colour, their disabled forms (5, 7) in grey.
    auto hasBlue = [](const QImage& img) {
      for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
          QColor c = img.pixelColor(x, y);
          if (c.alpha() == 255 && c.blue() > c.red() + 60) return true;
        }
      return false;
    };
    QVERIFY(hasBlue(list.Image(4)));
    QVERIFY(!hasBlue(list.Image(5)));
  }

  void labelsStandWhereTheyBelong() {
    SimWindow w;
    TForm1& form = w.Create();
    auto check = [](TWinControl* group, const LabelRow& row) {
      TNvLabel* label = FindLabel(group, row.name);
      QVERIFY2(label != nullptr, row.name);
      QCOMPARE(label->Parent(), group);
      QCOMPARE_STR(label->Caption(), row.caption);
      QCOMPARE(label->Left(), row.left);
      QCOMPARE(label->Top(), row.top);
      QCOMPARE(label->Height(), 13);
      // Fitted to the text, which the stand-in font sets a little differently.
      QVERIFY2(label->Width() * 4 >= row.width * 3 && label->Width() * 4 <= row.width * 5,
               row.name);
      QCOMPARE(label->Color(), clBtnHighlight);
      QCOMPARE(label->Font().Color(), clHotLight);
      QCOMPARE(label->Font().Style(), TFontStyles(fsBold));
      QCOMPARE(label->BorderShadow(), clBtnHighlight);
      QCOMPARE(label->FlatColor(), clBtnFace);
      QCOMPARE(label->ShadowColor(), clBtnHighlight);
    };
    for (const LabelRow& row : kBasicLabels) check(form.NvGroup1, row);
    for (const LabelRow& row : kAdvancedLabels) check(form.NvGroup3, row);
  }

  void spinEditsHaveTheirPlacesRangesAndSteps() {
    SimWindow w;
    TForm1& form = w.Create();
    for (const SpinRow& row : kSpins) {
      TNvSpinEdit* edit = form.SpinEditOf(row.id);
      QVERIFY(edit != nullptr);
      const std::string name = DescriptorOf(row.id).name;
      QCOMPARE_STR(edit->Name(), name);
      QCOMPARE(edit->BoundsRect(), Bounds(row.left, row.top, 73, 21));
      QCOMPARE(edit->Min(), row.min);
      QCOMPARE(edit->Max(), row.max);
      QCOMPARE(edit->Increment(), row.step);
      QCOMPARE(edit->PageSize(), 10.0L);
      QCOMPARE(edit->AllowKeyEdit(), row.typing);
      QCOMPARE(edit->Color(), row.typing ? clInfoBk : clWindow);
      const bool advanced = row.id == piOSC || row.id == piCH || row.id == piCLK;
      QCOMPARE(edit->Parent(), advanced ? form.NvGroup3 : form.NvGroup1);
    }
  }

  void checkLists() {
    SimWindow w;
    TForm1& form = w.Create();
    TNvCheckList& overload = *form.FUNREG1;
    QCOMPARE(overload.BoundsRect(), Bounds(176, 32, 145, 65));
    QCOMPARE(overload.Items().Count(), 3);
    QCOMPARE_STR(overload.Items().Strings(1), "OverLoad L2 Enable");
    QCOMPARE(overload.ItemHeight(), 17);
    QCOMPARE(overload.BorderStyle(), bsNone);
    QCOMPARE(overload.Color(), clGradientActiveCaption);
    QCOMPARE(overload.HighlightColor(), TColor(0x21A121));
    QCOMPARE(overload.ItemFrameColor(), clHighlight);
    for (int i = 0; i < 3; ++i) QVERIFY(overload.ItemEnabled(i));

    TNvCheckList& functions = *form.FUNREG;
    QCOMPARE(functions.Parent(), form.NvGroup3);
    QCOMPARE(functions.BoundsRect(), Bounds(0, 20, 137, 181));
    QCOMPARE(functions.Items().Count(), 10);
    QCOMPARE_STR(functions.Items().Strings(3), "PWM High Frq Driver");
    QCOMPARE_STR(functions.Items().Strings(9), "SEL IRQ");
  }

  void hexViewShowsTheImageEightBytesARow() {
    SimWindow w;
    TForm1& form = w.Create();
    THexViewEx& rom = *form.Rom;
    QCOMPARE(rom.Parent(), form.NvGroup3);
    QCOMPARE(rom.Align(), alRight);
    QCOMPARE(rom.Width(), 341);
    QCOMPARE(rom.BytesPerRow(), 8);
    QCOMPARE(rom.BytesPerColumn(), 1);
    QCOMPARE(rom.Translation(), tkAsIs);
    QCOMPARE_STR(rom.OffsetFormat(), "-!10:0x|");
    QCOMPARE_STR(rom.Font().Name(), "Courier New");
    QCOMPARE(rom.Font().Height(), -15);
    QCOMPARE(rom.Cursor(), crIBeam);
    QCOMPARE(rom.Colors().ChangedBackground(), TColor(0xA8FFFF));
    QCOMPARE(rom.Colors().NonFocusCursorFrame(), clAqua);
    QCOMPARE_STR(rom.BackupExtension(), ".bak");
  }

  void imageIsTheHexViewsBufferOfExactly64Bytes() {
    SimWindow w;
    TForm1& form = w.Create();
    THexViewEx& rom = *form.Rom;
    QCOMPARE(rom.DataSize(), 64);
    // The one sizing is the view's only undo step; the raw writes of the
    // defaults left no marks.
    QCOMPARE_STR(rom.GetUndoDescription(), "Append Buffer");
    QVERIFY(rom.GetModified());
    for (int i = 0; i < 64; ++i) QVERIFY(!rom.HasChanged(i));
    QCOMPARE(int(rom.GetDataAt(15)), 248);
    // The view's own size-changing commands are refused.
    QVERIFY(rom.NoSizeChange());
    QVERIFY(!rom.GetInsertMode());
    QVERIFY_THROWS_EXCEPTION(EHexView, rom.SetDataSize(10));
    rom.SetSelection(3, 3, 5);
    QVERIFY_THROWS_EXCEPTION(EHexView, rom.DeleteSelection(""));
    QCOMPARE(rom.DataSize(), 64);
  }

  void anImageCutShortIsGivenBackItsSixtyFourBytes() {
    SimWindow w;
    TForm1& form = w.Create();
    THexViewEx& rom = *form.Rom;
    rom.SetNoSizeChange(false);
    rom.SetDataSize(16);
    // The model reaches beyond the cut: the image is whole again, the kept
    // bytes unchanged and the rest zero.
    QCOMPARE(int(form.Image().GetDataAt(15)), 248);
    QCOMPARE(rom.DataSize(), 64);
    QCOMPARE(int(form.Image().GetDataAt(28)), 0);
    QVERIFY(rom.NoSizeChange());
    form.Controller().DBExit(piDB);
    QCOMPARE(int(rom.GetDataAt(28)), 0x94);
    QCOMPARE(rom.DataSize(), 64);
  }
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
