// The main window's widget tree: every component in declaration order with
// its position, size and colours, as the window is read from its stored
// form; what belongs to a parameter (the control's name, the caption beside
// it, its range, step and list items) comes from the parameter table. Each
// component is marked as loading while its properties are set; the end of
// loading then lets the toolbar line up its buttons and the buttons take
// their size from it.
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

const char* CaptionOf(ParamId id) {
  return DescriptorOf(id).caption;
}

const char* UnitOf(ParamId id) {
  return DescriptorOf(id).unit;
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

TNvSpinEdit* TForm1::MakeSpinEdit(TWinControl* parent, ParamId id, int left, int top) {
  const ParamDescriptor& d = DescriptorOf(id);
  auto* edit = Make<TNvSpinEdit>(parent, d.name);
  edit->SetBounds(left, top, 73, 21);
  edit->SetMax(d.max);
  edit->SetMin(d.min);
  edit->SetIncrement(d.step);
  edit->SetPageSize(10);
  edit->SetAllowKeyEdit(d.typed);
  if (d.typed) edit->SetIntegersOnly(true);
  edit->SetValue(d.initial);
  paramControls_.at(id) = edit;
  return edit;
}

TNvCheckList* TForm1::MakeCheckList(TWinControl* parent, ParamId id) {
  const ParamDescriptor& d = DescriptorOf(id);
  auto* list = Make<TNvCheckList>(parent, d.name);
  for (const ListItem& item : d.items) list->AddEx(item.caption, false, true);
  paramControls_.at(id) = list;
  return list;
}

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
  DB = MakeSpinEdit(NvGroup1, piDB, 89, 32);
  ST = MakeSpinEdit(NvGroup1, piST, 88, 56);
  BT = MakeSpinEdit(NvGroup1, piBT, 88, 80);
  MDL = MakeSpinEdit(NvGroup1, piMDL, 88, 104);
  MDR = MakeSpinEdit(NvGroup1, piMDR, 88, 128);
  P1MD = MakeSpinEdit(NvGroup1, piP1MD, 408, 32);
  P2MD = MakeSpinEdit(NvGroup1, piP2MD, 408, 56);
  P1T = MakeSpinEdit(NvGroup1, piP1T, 408, 80);
  P2T = MakeSpinEdit(NvGroup1, piP2T, 408, 104);
  P3T = MakeSpinEdit(NvGroup1, piP3T, 408, 128);
  DZ = MakeSpinEdit(NvGroup1, piDZ, 88, 152);
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

  FUNREG = MakeCheckList(NvGroup3, piFUNREG);
  FUNREG->SetBounds(0, 20, 137, 181);
  FUNREG->SetItemHeight(17);
  OSC = MakeSpinEdit(NvGroup3, piOSC, 80, 208);
  CH = MakeSpinEdit(NvGroup3, piCH, 80, 232);
}

void TForm1::CreateBasicLabels() {
  NvLabel1 = MakeLabel(NvGroup1, "NvLabel1", CaptionOf(piDB), 16, 40, 69);
  NvLabel2 = MakeLabel(NvGroup1, "NvLabel2", CaptionOf(piST), 8, 64, 76);
  NvLabel3 = MakeLabel(NvGroup1, "NvLabel3", CaptionOf(piBT), 16, 88, 43);
  NvLabel4 = MakeLabel(NvGroup1, "NvLabel4", CaptionOf(piMDL), 16, 112, 68);
  NvLabel5 = MakeLabel(NvGroup1, "NvLabel5", CaptionOf(piMDR), 16, 136, 70);
  NvLabel6 = MakeLabel(NvGroup1, "NvLabel6", CaptionOf(piDZ), 16, 160, 69);
  NvLabel11 = MakeLabel(NvGroup1, "NvLabel11", CaptionOf(piP1MD), 328, 40, 60);
  NvLabel12 = MakeLabel(NvGroup1, "NvLabel12", CaptionOf(piP2MD), 328, 64, 60);
  NvLabel13 = MakeLabel(NvGroup1, "NvLabel13", CaptionOf(piP1T), 328, 88, 58);
  NvLabel14 = MakeLabel(NvGroup1, "NvLabel14", CaptionOf(piP2T), 328, 112, 58);
  NvLabel15 = MakeLabel(NvGroup1, "NvLabel15", CaptionOf(piP3T), 328, 136, 58);
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
  NvLabel16 = MakeLabel(NvGroup3, "NvLabel16", CaptionOf(piOSC), 8, 216, 26);
  NvLabel17 = MakeLabel(NvGroup3, "NvLabel17", CaptionOf(piCH), 8, 240, 59);
  NvLabel18 = MakeLabel(NvGroup3, "NvLabel18", CaptionOf(piCLK), 8, 264, 24);
  CLK = MakeSpinEdit(NvGroup3, piCLK, 80, 256);

  FUNREG1 = MakeCheckList(NvGroup1, piFUNREG1);
  FUNREG1->SetBounds(176, 32, 145, 65);
  FUNREG1->SetColumns(1);
  FUNREG1->SetItemHeight(17);
  FUNREG1->SetBorderStyle(bsNone);
  FUNREG1->SetColor(clGradientActiveCaption);
  FUNREG1->SetHighlightColor(2203937);
  FUNREG1->SetItemFrameColor(clHighlight);

  HFD = CreateCheckBox(piHFD, 96);
  CreateLatePulseControls();
  nvchckbxLPPMP = CreateCheckBox(pinvchckbxLPPMP, 112);
  nvchckbxINVC = CreateCheckBox(pinvchckbxINVC, 128);
  lbl4 = MakeLabel(NvGroup1, "lbl4", UnitOf(piedtPMINL), 160, 184, 14);
  lbl5 = MakeLabel(NvGroup1, "lbl5", UnitOf(piedtPMAXL), 160, 208, 14);
}

void TForm1::CreateLatePulseControls() {
  lbl1 = MakeLabel(NvGroup1, "lbl1", CaptionOf(piedtPMINL), 16, 184, 32);
  edtPMINL = MakeSpinEdit(NvGroup1, piedtPMINL, 88, 176);
  edtPMINL->SetColor(clInfoBk);
  lbl7 = MakeLabel(NvGroup1, "lbl7", CaptionOf(piedtPMAXL), 16, 208, 35);
  edtPMAXL = MakeSpinEdit(NvGroup1, piedtPMAXL, 88, 200);
  edtPMAXL->SetColor(clInfoBk);
  edtPMID = MakeSpinEdit(NvGroup1, piedtPMID, 88, 224);
  lbl3 = MakeLabel(NvGroup1, "lbl3", CaptionOf(piedtPMID), 16, 232, 32);
}
