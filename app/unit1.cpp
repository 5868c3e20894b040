#include "app/unit1.h"

#include "app/device_filter.h"

TForm1::TForm1(BridgeLibrary& library, DeviceNotifier* notifier)
    : link_(library), notifier_(notifier), controller_(*this, link_) {
  SetName("Form1");
  SetBounds(241, 202, Width(), Height());
  SetBorderStyle(bsSingle);
  setWindowFlags(windowFlags() | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowMaximizeButtonHint);
  SetCaption(kMainCaption);
  SetColor(clBtnFace);
  TFont font;
  font.SetName("MS Sans Serif");
  font.SetHeight(-11);
  font.SetColor(clWindowText);
  font.SetCharset(DEFAULT_CHARSET);
  SetFont(font);
  SetClientWidth(kMainClientWidth);
  SetClientHeight(kMainClientHeight);
  CreateComponents();
  FormCreate(this);
}

TForm1::~TForm1() {
  // Only a window that goes away before the program ends (in tests) needs
  // this: no change may be delivered to it afterwards.
  if (notifier_ != nullptr) notifier_->Unregister(notificationHandle_);
}

void TForm1::CreateComponents() {
  CreateStatusBar();
  CreateToolbar();
  Params = new TParameterStandIn(this);
  Params->SetName("Params");
  Params->SetAlign(alClient);
  Params->SetTabOrder(2);
}

void TForm1::CreateStatusBar() {
  NvStatusBar1 = new TPlainBar(this);
  NvStatusBar1->SetName("NvStatusBar1");
  NvStatusBar1->SetBounds(0, 368, 499, 19);
  NvStatusBar1->SetAlign(alBottom);
  NvFieldStatus1 = new TStatusPane(NvStatusBar1);
  NvFieldStatus1->SetName("NvFieldStatus1");
  NvFieldStatus1->SetBounds(0, 0, 100, 19);
  NvFieldStatus1->SetAlign(alLeft);
  NvFieldStatus1->SetCaption(kVersionText);
  NvFieldStatus2 = new TStatusPane(NvStatusBar1);
  NvFieldStatus2->SetName("NvFieldStatus2");
  NvFieldStatus2->SetBounds(100, 0, 221, 19);
  NvFieldStatus2->SetAlign(alLeft);
}

void TForm1::CreateToolbar() {
  NvToolbar1 = new TPlainBar(this);
  NvToolbar1->SetName("NvToolbar1");
  NvToolbar1->SetBounds(0, 0, 499, 29);
  NvToolbar1->SetAlign(alTop);
  BtnEdit = new TPlainButton(NvToolbar1);
  BtnEdit->SetName("BtnEdit");
  BtnEdit->SetBounds(20, 2, 56, 25);
  BtnEdit->SetCaption("Write ");
  BtnEdit->OnClick = [this](TObject* sender) { BtnEditClick(sender); };
  BtnFind = new TPlainButton(NvToolbar1);
  BtnFind->SetName("BtnFind");
  BtnFind->SetBounds(76, 2, 54, 25);
  BtnFind->SetCaption("Read");
  BtnFind->OnClick = [this](TObject* sender) { BtnFindClick(sender); };
}

void TForm1::FormCreate(TObject* /*Sender*/) {
  notificationHandle_ = nullptr;
  controller_.FormCreate();
}

void TForm1::BtnEditClick(TObject* /*Sender*/) {
  controller_.WriteConfiguration();
}

void TForm1::BtnFindClick(TObject* /*Sender*/) {
  controller_.ReadConfiguration();
}

void TForm1::WndProc(TMessage& message) {
  if (message.Msg == WM_DEVICECHANGE) {
    WMDeviceChange(message);
    return;
  }
  TForm::WndProc(message);
}

void TForm1::WMDeviceChange(TMessage& message) {
  const auto* record = reinterpret_cast<const DeviceBroadcast*>(message.LParam);
  switch (FilterDeviceChange(static_cast<uint32_t>(message.WParam), record)) {
    case dcaArrived:
      controller_.OnDeviceArrived();
      break;
    case dcaRemoved:
      controller_.OnDeviceRemoved();
      break;
    case dcaIgnore:
      break;
  }
  message.Result = 0;
}
