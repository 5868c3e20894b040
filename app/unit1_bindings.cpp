// The main window's side of ConfigView: the parameters are the values of the
// spin edits and the states of the check boxes and check lists, found by
// parameter id; the image is the hex view's buffer; leaving a parameter
// control runs DBExit. The check boxes and the tab order of the parameter
// controls are set here too.
#include <algorithm>

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

TNvCheckBox* TForm1::CreateCheckBox(ParamId id, int top) {
  const ParamDescriptor& d = DescriptorOf(id);
  auto* box = MakeComponent<TNvCheckBox>(NvGroup1, d.name);
  box->SetBounds(176, top, 145, 17);
  box->SetCaption(d.caption);
  box->SetColor(clSkyBlue);
  box->InitState(cbUnchecked);
  paramControls_.at(id) = box;
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
  if (DescriptorOf(id).kind != pkNumeric) return nullptr;
  return static_cast<TNvSpinEdit*>(paramControls_.at(id));
}

TNvCheckList* TForm1::CheckListOf(ParamId id) const {
  return static_cast<TNvCheckList*>(paramControls_.at(id));
}

bool TForm1::ControlChecked(const ParamRef& ref) const {
  if (ref.item >= 0) return CheckListOf(ref.id)->ItemChecked(ref.item);
  return static_cast<TNvCheckBox*>(paramControls_.at(ref.id))->Checked();
}

void TForm1::ShowChecked(const ParamRef& ref, bool checked) {
  if (ref.item >= 0) return CheckListOf(ref.id)->SetItemChecked(ref.item, checked);
  static_cast<TNvCheckBox*>(paramControls_.at(ref.id))
      ->InitState(checked ? cbChecked : cbUnchecked);
}

bool TForm1::ParamOfControl(const TObject* control, ParamId& id) const {
  const auto found = std::find(paramControls_.begin(), paramControls_.end(), control);
  if (found == paramControls_.end()) return false;
  id = static_cast<ParamId>(found - paramControls_.begin());
  return true;
}

void TForm1::WireEvents() {
  const TNotifyEvent exit = [this](TObject* sender) { DBExit(sender); };
  for (TWinControl* control : paramControls_) control->OnExit = exit;
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
  for (const ParamRef& ref : CheckableRefs()) params.SetChecked(ref, ControlChecked(ref));
  for (Integer i = 0; i < kFunregCount; ++i) params.FUNREG[i].enabled = FUNREG->ItemEnabled(i);
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
  for (const ParamRef& ref : CheckableRefs()) ShowChecked(ref, params.Checked(ref));
}

void TForm1::SetFunregItemEnabled(Integer item, bool enabled) {
  FUNREG->SetItemEnabled(item, enabled);
}
