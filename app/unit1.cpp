#include "app/unit1.h"

#include "app/device_filter.h"
#include "app/transfer_report.h"
#include "widgets/tnvfieldstatus.h"

TForm1::TForm1(BridgeLibrary& library, DeviceNotifier* notifier)
    : link_(library),
      notifier_(notifier),
      controller_(*this, link_, [this](const std::string& text) { Diagnose(text); }) {
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
  WireEvents();
  FormCreate(this);
}

TForm1::~TForm1() {
  // Only a window that goes away before the program ends (in tests) needs
  // this: no change may be delivered to it afterwards.
  if (notifier_ != nullptr) notifier_->Unregister(notificationHandle_);
  // The controls go before the image list they draw from.
  const QObjectList children = QObject::children();
  for (QObject* child : children) {
    if (child->isWidgetType()) delete child;
  }
}

std::string TForm1::ConnectionText() const {
  return NvFieldStatus2->Caption();
}

void TForm1::FormCreate(TObject* /*Sender*/) {
  notificationHandle_ = nullptr;
  controller_.FormCreate();
}

void TForm1::Diagnose(const std::string& text) {
  if (OnDiagnostic) OnDiagnostic(this, text);
}

void TForm1::BtnEditClick(TObject* /*Sender*/) {
  controller_.WriteConfiguration();
  const std::string line = WriteFailureLine(controller_.LastWrite());
  if (!line.empty()) Diagnose(line);
}

void TForm1::BtnFindClick(TObject* /*Sender*/) {
  if (!controller_.ReadConfiguration()) Diagnose(ReadFailureLine(controller_.LastRead()));
}

void TForm1::DBExit(TObject* Sender) {
  ParamId source;
  if (ParamOfControl(Sender, source)) controller_.DBExit(source);
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
