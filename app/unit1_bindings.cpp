// The main window's side of ConfigView: the parameters are the values of the
// spin edits and the states of the check boxes and check lists; the image is
// the hex view's buffer; leaving a parameter control runs DBExit. The check
// boxes and the tab order of the parameter controls are set here too.
#include "app/unit1.h"
#include "framework/application.h"
#include "hexview/hexviewex.h"
#include "widgets/nvchklst.h"
#include "widgets/nvradchk.h"
#include "widgets/nvspnedt.h"
#include "widgets/tnvfieldstatus.h"
#include "widgets/tnvgroup.h"

namespace {

void SetTabOrders(std::initializer_list<TWinControl*> controls) {
  int order = 0;
  for (TWinControl* c : controls) {
    c->SetTabStop(true);
    c->SetTabOrder(order++);
  }
}

}  // namespace

TNvCheckBox* TForm1::CreateCheckBox(const char* name, const char* caption, int top) {
  auto* box = MakeComponent<TNvCheckBox>(NvGroup1, name);
  box->SetBounds(176, top, 145, 17);
  box->SetCaption(caption);
  box->SetColor(clSkyBlue);
  box->InitState(cbUnchecked);
  return box;
}

void TForm1::ApplyTabOrder() {
  // The order of the tables, not of the screen: the right-hand column goes
  // from its lower part up.
  SetTabOrders({DB, ST, BT, MDL, MDR, DZ, P2T, P3T, P2MD, P1T, P1MD, FUNREG1, HFD, edtPMINL,
                edtPMAXL, edtPMID, nvchckbxLPPMP, nvchckbxINVC});
  SetTabOrders({Rom, FUNREG, OSC, CH, CLK});
}

TNvSpinEdit* TForm1::SpinEditOf(ParamId id) const {
  switch (id) {
    case piDB:
      return DB;
    case piST:
      return ST;
    case piBT:
      return BT;
    case piMDL:
      return MDL;
    case piMDR:
      return MDR;
    case piDZ:
      return DZ;
    case piP1MD:
      return P1MD;
    case piP2MD:
      return P2MD;
    case piP1T:
      return P1T;
    case piP2T:
      return P2T;
    case piP3T:
      return P3T;
    case piOSC:
      return OSC;
    case piCH:
      return CH;
    case piCLK:
      return CLK;
    case piedtPMINL:
      return edtPMINL;
    case piedtPMAXL:
      return edtPMAXL;
    case piedtPMID:
      return edtPMID;
    default:
      return nullptr;
  }
}

bool TForm1::ParamOfControl(const TObject* control, ParamId& id) const {
  for (Integer i = 0; i < kNumericCount; ++i) {
    if (control == SpinEditOf(static_cast<ParamId>(i))) {
      id = static_cast<ParamId>(i);
      return true;
    }
  }
  const std::pair<const TObject*, ParamId> others[] = {{FUNREG, piFUNREG},
                                                       {FUNREG1, piFUNREG1},
                                                       {HFD, piHFD},
                                                       {nvchckbxLPPMP, pinvchckbxLPPMP},
                                                       {nvchckbxINVC, pinvchckbxINVC}};
  for (const auto& [other, otherId] : others) {
    if (control == other) {
      id = otherId;
      return true;
    }
  }
  return false;
}

void TForm1::WireEvents() {
  const TNotifyEvent exit = [this](TObject* sender) { DBExit(sender); };
  for (TWinControl* control : std::initializer_list<TWinControl*>{
           DB,     ST,   BT,      MDL, MDR,      DZ,       P2T,     P3T,           P2MD,
           P1T,    P1MD, FUNREG1, HFD, edtPMINL, edtPMAXL, edtPMID, nvchckbxLPPMP, nvchckbxINVC,
           FUNREG, OSC,  CH,      CLK}) {
    control->OnExit = exit;
  }
  FUNREG1->OnClick = exit;
  FUNREG1->OnMouseLeave = exit;
}

void TForm1::RegisterNotifications() {
  if (notifier_ == nullptr) return;
  notificationHandle_ =
      notifier_->Register(BridgeInterfaceFilter(), [this](const DeviceNotification& change) {
        SendMessage(this, WM_DEVICECHANGE, change.event, reinterpret_cast<LPARAM>(&change.record));
      });
}

void TForm1::SetConnectionText(const std::string& text) {
  NvFieldStatus2->SetCaption(text);
}

void TForm1::ShowSuccessMessage(const std::string& text) {
  Application->MessageBox(text, Application->Title(), MB_OK);
}

ParameterSet TForm1::ReadParameters() {
  ParameterSet params;
  // A typed value outside its range counts as the nearer bound, so that it
  // is never encoded beyond what the chip's fields mean.
  for (Integer i = 0; i < kNumericCount; ++i) {
    const auto id = static_cast<ParamId>(i);
    params.SetValue(id, SpinEditOf(id)->Value());
  }
  for (Integer i = 0; i < kFunregCount; ++i) {
    params.FUNREG[i].checked = FUNREG->ItemChecked(i);
    params.FUNREG[i].enabled = FUNREG->ItemEnabled(i);
  }
  for (Integer i = 0; i < kFunreg1Count; ++i) params.FUNREG1[i] = FUNREG1->ItemChecked(i);
  params.HFD = HFD->Checked();
  params.nvchckbxLPPMP = nvchckbxLPPMP->Checked();
  params.nvchckbxINVC = nvchckbxINVC->Checked();
  return params;
}

void TForm1::ShowParameters(const ParameterSet& params) {
  for (Integer i = 0; i < kNumericCount; ++i) {
    const auto id = static_cast<ParamId>(i);
    SpinEditOf(id)->SetValue(params.Value(id));
  }
  ShowFlags(params);
}

void TForm1::ShowFlags(const ParameterSet& params) {
  for (Integer i = 0; i < kFunregCount; ++i) FUNREG->SetItemChecked(i, params.FUNREG[i].checked);
  for (Integer i = 0; i < kFunreg1Count; ++i) FUNREG1->SetItemChecked(i, params.FUNREG1[i]);
  HFD->InitState(params.HFD ? cbChecked : cbUnchecked);
  nvchckbxLPPMP->InitState(params.nvchckbxLPPMP ? cbChecked : cbUnchecked);
  nvchckbxINVC->InitState(params.nvchckbxINVC ? cbChecked : cbUnchecked);
}

void TForm1::SetFunregItemEnabled(Integer item, bool enabled) {
  FUNREG->SetItemEnabled(item, enabled);
}
