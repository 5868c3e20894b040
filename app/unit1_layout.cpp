// The main window's widget tree: every component in declaration order with
// its position, size, caption, colours and range, as the window is read from
// its stored form. Each component is marked as loading while its properties
// are set; the end of loading then lets the toolbar line up its buttons and
// the buttons take their size from it.
//
// The check boxes are made in unit1_bindings.cpp: their button base and the
// bordered panel of the bars cannot be declared in one unit.
#include "app/unit1.h"
#include "framework/mainimages.h"
#include "hexview/hexviewex.h"
#include "widgets/nvchklst.h"
#include "widgets/nvlabel.h"
#include "widgets/nvspnedt.h"
#include "widgets/tnvfieldstatus.h"
#include "widgets/tnvgroup.h"
#include "widgets/tnvgroupbar.h"
#include "widgets/tnvspacer.h"
#include "widgets/tnvstatusbar.h"
#include "widgets/tnvtoolbar.h"
#include "widgets/tnvtoolbutton.h"

namespace {

template <class T, class P>
T* Make(P* parent, const char* name) {
  return MakeComponent<T>(parent, name);
}

// Bold blue captions on white boxes, sized to their text once loading ends
// (13 high in the dialog font).
TNvLabel* MakeLabel(TWinControl* parent, const char* name, const char* caption, int left, int top,
                    int width) {
  auto* label = Make<TNvLabel>(parent, name);
  TFont font;
  font.SetName("MS Sans Serif");
  font.SetHeight(-11);
  font.SetStyle(fsBold);
  font.SetColor(clHotLight);
  label->SetFont(font);
  label->SetColor(clBtnHighlight);
  label->SetBorderShadow(clBtnHighlight);
  label->SetFlatColor(clBtnFace);
  label->SetShadowColor(clBtnHighlight);
  label->SetBounds(left, top, width, 13);
  label->SetCaption(caption);
  return label;
}

// A 73 x 21 spin edit stepping by 1 from 0 up to `max`, without typing.
TNvSpinEdit* MakeSpin(TWinControl* parent, const char* name, int left, int top, long double max) {
  auto* edit = Make<TNvSpinEdit>(parent, name);
  edit->SetBounds(left, top, 73, 21);
  edit->SetMax(max);
  edit->SetMin(0);
  edit->SetIncrement(1);
  edit->SetPageSize(10);
  edit->SetAllowKeyEdit(false);
  edit->SetValue(0);
  return edit;
}

// The pulse limits: 500..2500 us in steps of 20, typed whole numbers allowed.
TNvSpinEdit* MakePulseSpin(TWinControl* parent, const char* name, int top, long double value) {
  TNvSpinEdit* edit = MakeSpin(parent, name, 88, top, 2500);
  edit->SetMin(500);
  edit->SetIncrement(20);
  edit->SetIntegersOnly(true);
  edit->SetAllowKeyEdit(true);
  edit->SetColor(clInfoBk);
  edit->SetValue(value);
  return edit;
}

void AddItems(TNvCheckList* list, std::initializer_list<const char*> captions) {
  for (const char* caption : captions) list->AddEx(caption, false, true);
}

TNvToolButton* MakeToolButton(TNvToolbar* bar, const char* name, const char* caption, int left,
                              int width, int image) {
  auto* button = Make<TNvToolButton>(bar, name);
  button->SetBounds(left, 2, width, 25);
  button->SetCaption(caption);
  button->SetShowCaption(true);
  button->SetUseToolbarShowCaption(false);
  button->SetImageIndex(image);
  button->SetDisabledIndex(image + 1);
  return button;
}

}  // namespace

void TForm1::CreateComponents() {
  CreateBars();
  CreateGroups();
  CreateBasicSpinEdits();
  CreateAdvancedControls();
  CreateBasicLabels();
  CreateToolbarControls();
  CreateLateControls();
  ApplyTabOrder();
  EndLoading();
  NvToolbar1->PositionControls();
}

void TForm1::CreateBars() {
  NvStatusBar1 = Make<TNvStatusBar>(this, "NvStatusBar1");
  NvStatusBar1->SetBounds(0, 368, 499, 19);
  NvStatusBar1->SetAlign(alBottom);
  NvStatusBar1->SetBorderInner(fsNone);
  NvStatusBar1->SetBorderOuter(fsNone);
  NvStatusBar1->SetBorderSides(AllSides);
  NvStatusBar1->SetBorderWidth(0);
  NvStatusBar1->SetVisualStyle(vsGradient);
  NvStatusBar1->SetTabOrder(0);

  NvToolbar1 = Make<TNvToolbar>(this, "NvToolbar1");
  NvToolbar1->SetBounds(0, 0, 499, 29);
  NvToolbar1->SetAlign(alTop);
  NvToolbar1->SetBorderInner(fsNone);
  NvToolbar1->SetBorderOuter(fsGroove);
  NvToolbar1->SetBorderSides(SideBit(sdTop));
  NvToolbar1->SetBorderWidth(0);
  NvToolbar1->SetVisualStyle(vsGradient);
  NvToolbar1->SetTabOrder(1);
  NvToolbar1->ReadToolbarControls({"NvSpacer1", "NvSpacer2", "BtnEdit", "BtnFind"});

  NvFieldStatus1 = Make<TNvFieldStatus>(NvStatusBar1, "NvFieldStatus1");
  NvFieldStatus1->SetBounds(0, 0, 100, 19);
  NvFieldStatus1->SetAlign(alLeft);
  NvFieldStatus1->SetCaption(kVersionText);
}

void TForm1::CreateGroups() {
  NvGroupBar1 = Make<TNvGroupBar>(this, "NvGroupBar1");
  NvGroupBar1->SetBounds(0, 29, 499, 339);
  NvGroupBar1->SetAlign(alClient);
  NvGroupBar1->SetStyle(gbsOutlook);
  NvGroupBar1->SetGradientColorStyle(gcsMSOffice);
  NvGroupBar1->SetGradientColorStart(clBtnFace);
  NvGroupBar1->SetGradientColorStop(clBtnShadow);
  NvGroupBar1->SetGroupBorderSize(0);
  NvGroupBar1->SetColor(clBtnShadow);
  NvGroupBar1->SetTabOrder(2);

  NvGroup1 = Make<TNvGroup>(NvGroupBar1, "NvGroup1");
  NvGroup1->SetCaption("Basic");
  NvGroup1->SetOpenedHeight(339);
  NvGroup1->SetDividerVisible(false);
  NvGroup1->SetSpecial(true);
  NvGroup1->SetColorDefault(false);
  NvGroup1->SetOpened(true);

  NvGroup3 = Make<TNvGroup>(NvGroupBar1, "NvGroup3");
  NvGroup3->SetCaption("Advanced");
  NvGroup3->SetOpenedHeight(319);
  NvGroup3->SetDividerVisible(false);
  NvGroup3->SetColorDefault(false);
  NvGroup3->SetOpened(false);
  NvGroup3->SetVisible(false);
}

void TForm1::CreateBasicSpinEdits() {
  DB = MakeSpin(NvGroup1, "DB", 89, 32, 255);
  ST = MakeSpin(NvGroup1, "ST", 88, 56, 7);
  BT = MakeSpin(NvGroup1, "BT", 88, 80, 255);
  MDL = MakeSpin(NvGroup1, "MDL", 88, 104, 255);
  MDR = MakeSpin(NvGroup1, "MDR", 88, 128, 255);
  P1MD = MakeSpin(NvGroup1, "P1MD", 408, 32, 255);
  P2MD = MakeSpin(NvGroup1, "P2MD", 408, 56, 255);
  P1T = MakeSpin(NvGroup1, "P1T", 408, 80, 255);
  P2T = MakeSpin(NvGroup1, "P2T", 408, 104, 255);
  P3T = MakeSpin(NvGroup1, "P3T", 408, 128, 255);
  DZ = MakeSpin(NvGroup1, "DZ", 88, 152, 63);
}

void TForm1::CreateAdvancedControls() {
  Rom = Make<THexViewEx>(NvGroup3, "Rom");
  Rom->SetBounds(158, 20, 341, 299);
  Rom->SetAlign(alRight);
  Rom->SetBytesPerRow(8);
  Rom->SetBytesPerColumn(1);
  Rom->SetTranslation(tkAsIs);
  Rom->SetOffsetFormat("-!10:0x|");
  TFont font;
  font.SetName("Courier New");
  font.SetHeight(-15);
  Rom->SetFont(font);
  Rom->SetCursor(crIBeam);
  Rom->SetFocusFrame(true);
  Rom->SetDrawGridLines(false);
  THVColors& colors = Rom->Colors();
  colors.SetBackground(clWindow);
  colors.SetChangedBackground(11075583);
  colors.SetChangedText(clMaroon);
  colors.SetCursorFrame(clNavy);
  colors.SetNonFocusCursorFrame(clAqua);
  colors.SetOffset(clBlack);
  colors.SetOffsetBackGround(clBtnFace);
  colors.SetCurrentOffset(clBtnHighlight);
  colors.SetCurrentOffsetBackground(clBtnShadow);
  colors.SetOddColumn(clBlue);
  colors.SetEvenColumn(clNavy);
  colors.SetGrid(clBtnFace);
  Rom->SetBackupExtension(".bak");
  romStore_.SetView(Rom);

  FUNREG = Make<TNvCheckList>(NvGroup3, "FUNREG");
  FUNREG->SetBounds(0, 20, 137, 181);
  FUNREG->SetItemHeight(17);
  AddItems(FUNREG, {"NF", "DC MOTOR", "PPM Lose", "PWM High Frq Driver", "100% PWM", "Over Load L1",
                    "Over Load L2", "Over Load L3", "ASIC Control", "SEL IRQ"});
  OSC = MakeSpin(NvGroup3, "OSC", 80, 208, 127);
  CH = MakeSpin(NvGroup3, "CH", 80, 232, 15);
}

void TForm1::CreateBasicLabels() {
  NvLabel1 = MakeLabel(NvGroup1, "NvLabel1", "DEADBAND", 16, 40, 69);
  NvLabel2 = MakeLabel(NvGroup1, "NvLabel2", "STRETCHER", 8, 64, 76);
  NvLabel3 = MakeLabel(NvGroup1, "NvLabel3", "BOOST", 16, 88, 43);
  NvLabel4 = MakeLabel(NvGroup1, "NvLabel4", "MAXDUTYL", 16, 112, 68);
  NvLabel5 = MakeLabel(NvGroup1, "NvLabel5", "MAXDUTYR", 16, 136, 70);
  NvLabel6 = MakeLabel(NvGroup1, "NvLabel6", "DEADZONE", 16, 160, 69);
  NvLabel11 = MakeLabel(NvGroup1, "NvLabel11", "P1MDUTY", 328, 40, 60);
  NvLabel12 = MakeLabel(NvGroup1, "NvLabel12", "P2MDUTY", 328, 64, 60);
  NvLabel13 = MakeLabel(NvGroup1, "NvLabel13", "P1WTIME", 328, 88, 58);
  NvLabel14 = MakeLabel(NvGroup1, "NvLabel14", "P2WTIME", 328, 112, 58);
  NvLabel15 = MakeLabel(NvGroup1, "NvLabel15", "P3WTIME", 328, 136, 58);
}

void TForm1::CreateToolbarControls() {
  // Images 0..3 are the arrows, 4/5 the pen and 6/7 the torch (each
  // coloured, then grey); the built-in set keeps the pen and torch first.
  ImageList1 = std::make_unique<TImageList>(16, 16);
  AddMainWindowImages(*ImageList1);
  NvToolbar1->SetImages(ImageList1.get());

  NvSpacer1 = Make<TNvSpacer>(NvToolbar1, "NvSpacer1");
  NvSpacer1->SetBounds(4, 2, NvSpacer1->Width(), NvSpacer1->Height());
  NvSpacer2 = Make<TNvSpacer>(NvToolbar1, "NvSpacer2");
  NvSpacer2->SetBounds(12, 2, NvSpacer2->Width(), NvSpacer2->Height());

  BtnEdit = MakeToolButton(NvToolbar1, "BtnEdit", "Write ", 20, 56, 4);
  BtnEdit->SetHint("Edit");
  BtnEdit->SetLayout(blGlyphLeft);
  BtnEdit->SetUseToolbarButtonLayout(false);
  BtnFind = MakeToolButton(NvToolbar1, "BtnFind", "Read", 76, 54, 6);
  BtnFind->SetHint("Find");
  BtnEdit->OnClick = [this](TObject* sender) { BtnEditClick(sender); };
  BtnFind->OnClick = [this](TObject* sender) { BtnFindClick(sender); };

  NvFieldStatus2 = Make<TNvFieldStatus>(NvStatusBar1, "NvFieldStatus2");
  NvFieldStatus2->SetBounds(100, 0, 221, 19);
  NvFieldStatus2->SetAlign(alLeft);
}

void TForm1::CreateLateControls() {
  NvLabel16 = MakeLabel(NvGroup3, "NvLabel16", "OSC", 8, 216, 26);
  NvLabel17 = MakeLabel(NvGroup3, "NvLabel17", "CHANNEL", 8, 240, 59);
  NvLabel18 = MakeLabel(NvGroup3, "NvLabel18", "CLK", 8, 264, 24);
  CLK = MakeSpin(NvGroup3, "CLK", 80, 256, 7);

  FUNREG1 = Make<TNvCheckList>(NvGroup1, "FUNREG1");
  FUNREG1->SetBounds(176, 32, 145, 65);
  FUNREG1->SetColumns(1);
  FUNREG1->SetItemHeight(17);
  FUNREG1->SetBorderStyle(bsNone);
  FUNREG1->SetColor(clGradientActiveCaption);
  FUNREG1->SetHighlightColor(2203937);
  FUNREG1->SetItemFrameColor(clHighlight);
  AddItems(FUNREG1, {"OverLoad L1 Enable", "OverLoad L2 Enable", "OverLoad L3 Enable"});

  HFD = CreateCheckBox("HFD", "High Freq Driver", 96);
  CreateLatePulseControls();
  nvchckbxLPPMP = CreateCheckBox("nvchckbxLPPMP", "Lose PPM Protect", 112);
  nvchckbxINVC = CreateCheckBox("nvchckbxINVC", "Inver Control", 128);
  lbl4 = MakeLabel(NvGroup1, "lbl4", "us", 160, 184, 14);
  lbl5 = MakeLabel(NvGroup1, "lbl5", "us", 160, 208, 14);
}

void TForm1::CreateLatePulseControls() {
  lbl1 = MakeLabel(NvGroup1, "lbl1", "PMIN", 16, 184, 32);
  edtPMINL = MakePulseSpin(NvGroup1, "edtPMINL", 176, 900);
  lbl7 = MakeLabel(NvGroup1, "lbl7", "PMAX", 16, 208, 35);
  edtPMAXL = MakePulseSpin(NvGroup1, "edtPMAXL", 200, 2100);
  edtPMID = MakeSpin(NvGroup1, "edtPMID", 88, 224, 120);
  edtPMID->SetMin(-120);
  lbl3 = MakeLabel(NvGroup1, "lbl3", "PMID", 16, 232, 32);
}
