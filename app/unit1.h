// TForm1: the main window. It owns the link and the controller, registers
// for the bridge's device changes, filters them, and carries the "Write "
// and "Read" commands and the connection pane.
//
// The parameters and the image are held by a plain stand-in for now; the
// ConfigView side of the window lives in tform1_view.cpp alone, so that the
// owner-drawn controls and the hex view can take their place there.
#pragma once

#include <memory>
#include <string>

#include "app/device_notifier.h"
#include "app/parameter_stand_in.h"
#include "app/plain_controls.h"
#include "framework/forms.h"
#include "link/usb_link.h"
#include "model/config_controller.h"
#include "model/config_view.h"

inline constexpr const char* kMainCaption = "ZN4417 Norvane V1.71";
inline constexpr const char* kVersionText = "V1.71";
inline constexpr int kMainClientWidth = 499;
inline constexpr int kMainClientHeight = 387;

class TForm1 : public TForm, public ConfigView {
 public:
  // `library` and `notifier` (null: no device changes are heard) must
  // outlive the window. Creating the window runs FormCreate.
  TForm1(BridgeLibrary& library, DeviceNotifier* notifier);
  ~TForm1() override;

  // Components.
  TPlainBar* NvStatusBar1 = nullptr;
  TPlainBar* NvToolbar1 = nullptr;
  TStatusPane* NvFieldStatus1 = nullptr;
  TStatusPane* NvFieldStatus2 = nullptr;  // the connection pane
  TPlainButton* BtnEdit = nullptr;        // "Write "
  TPlainButton* BtnFind = nullptr;        // "Read"
  TParameterStandIn* Params = nullptr;

  // Event handlers.
  void FormCreate(TObject* Sender);
  void BtnEditClick(TObject* Sender);
  void BtnFindClick(TObject* Sender);
  // The device-change message: arrival and removal of the bridge reach the
  // controller, everything else is ignored; the result stays 0.
  void WMDeviceChange(TMessage& message);

  ConfigController& Controller() { return controller_; }
  UsbLink& Link() { return link_; }
  bool Connected() const { return controller_.Connected(); }
  NotificationHandle NotificationHandle_() const { return notificationHandle_; }
  std::string ConnectionText() const { return NvFieldStatus2->Caption(); }

  // ConfigView (tform1_view.cpp).
  ImageStore& Image() override;
  void RegisterNotifications() override;
  void SetConnectionText(const std::string& text) override;
  void ShowSuccessMessage(const std::string& text) override;
  ParameterSet ReadParameters() override;
  void ShowParameters(const ParameterSet& params) override;
  void SetFunregItemEnabled(Integer item, bool enabled) override;

 protected:
  void WndProc(TMessage& message) override;

 private:
  void CreateComponents();
  void CreateToolbar();
  void CreateStatusBar();

  UsbLink link_;
  DeviceNotifier* notifier_;
  ConfigController controller_;
  NotificationHandle notificationHandle_ = nullptr;
};
