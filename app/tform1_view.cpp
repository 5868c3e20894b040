// The main window's side of ConfigView: what the controller reads and shows.
#include "app/unit1.h"
#include "framework/application.h"

ImageStore& TForm1::Image() {
  return Params->Image();
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
  return Params->Parameters();
}

void TForm1::ShowParameters(const ParameterSet& params) {
  // Enabled states belong to the controls, not to the values shown.
  ParameterSet shown = params;
  for (Integer i = 0; i < kFunregCount; ++i) {
    shown.FUNREG[i].enabled = Params->Parameters().FUNREG[i].enabled;
  }
  Params->SetParameters(shown);
}

void TForm1::SetFunregItemEnabled(Integer item, bool enabled) {
  Params->SetFunregItemEnabled(item, enabled);
}
