// TForm1: the main window. It owns the link and the controller, registers
// for the bridge's device changes, filters them, and shows the parameters in
// the owner-drawn controls of the "Basic" group; the hidden "Advanced" group
// holds the hex view `Rom`, whose data buffer is the configuration image.
//
// unit1.cpp        construction, start-up, commands, device-change message
// unit1_layout.cpp the widget tree with its geometry; the parameter controls
//                  take their names, captions, ranges and items from the
//                  parameter table (model/parameter_set.h)
// unit1_bindings.cpp the check boxes, the tab order and the ConfigView side:
//                  what the controller reads and shows, and the exit
//                  handling of the parameter controls
// unit1_advanced.cpp the "Advanced" group on request (--advanced)
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/device_notifier.h"
#include "app/rom_image_store.h"
#include "framework/forms.h"
#include "framework/imagelist.h"
#include "link/usb_link.h"
#include "model/config_controller.h"
#include "model/config_view.h"

// The widgets are declared here only: each unit of the window includes the
// headers of the widgets it works with.
class TNvCheckBox;
class TNvCheckList;
class TNvFieldStatus;
class TNvGroup;
class TNvGroupBar;
class TNvLabel;
class TNvSpacer;
class TNvSpinEdit;
class TNvStatusBar;
class TNvToolbar;
class TNvToolButton;

inline constexpr const char* kMainCaption = "ZN4417 Norvane V1.71";
inline constexpr const char* kVersionText = "V1.71";
inline constexpr int kMainClientWidth = 499;
inline constexpr int kMainClientHeight = 387;

// Creates a component on `parent`, named, and marked as being loaded until
// the window's loading ends.
template <class T, class P>
T* MakeComponent(P* parent, const char* name) {
  T* control = new T(parent);
  control->SetName(name);
  control->BeginLoading();
  return control;
}

class TForm1 : public TForm, public ConfigView {
 public:
  // `library` and `notifier` (null: no device changes are heard) must
  // outlive the window. Creating the window runs FormCreate.
  TForm1(BridgeLibrary& library, DeviceNotifier* notifier);
  ~TForm1() override;

  // Components, in declaration order.
  TNvStatusBar* NvStatusBar1 = nullptr;
  TNvToolbar* NvToolbar1 = nullptr;
  TNvFieldStatus* NvFieldStatus1 = nullptr;
  TNvGroupBar* NvGroupBar1 = nullptr;
  TNvGroup* NvGroup1 = nullptr;  // "Basic"
  TNvGroup* NvGroup3 = nullptr;  // "Advanced", never shown
  TNvSpinEdit* DB = nullptr;
  TNvSpinEdit* ST = nullptr;
  TNvSpinEdit* BT = nullptr;
  TNvSpinEdit* MDL = nullptr;
  TNvSpinEdit* MDR = nullptr;
  TNvSpinEdit* P1MD = nullptr;
  TNvSpinEdit* P2MD = nullptr;
  TNvSpinEdit* P1T = nullptr;
  TNvSpinEdit* P2T = nullptr;
  TNvSpinEdit* P3T = nullptr;
  TNvSpinEdit* DZ = nullptr;
  THexViewEx* Rom = nullptr;
  TNvCheckList* FUNREG = nullptr;
  TNvSpinEdit* OSC = nullptr;
  TNvSpinEdit* CH = nullptr;
  TNvLabel* NvLabel1 = nullptr;
  TNvLabel* NvLabel2 = nullptr;
  TNvLabel* NvLabel3 = nullptr;
  TNvLabel* NvLabel4 = nullptr;
  TNvLabel* NvLabel5 = nullptr;
  TNvLabel* NvLabel6 = nullptr;
  TNvLabel* NvLabel11 = nullptr;
  TNvLabel* NvLabel12 = nullptr;
  TNvLabel* NvLabel13 = nullptr;
  TNvLabel* NvLabel14 = nullptr;
  TNvLabel* NvLabel15 = nullptr;
  std::unique_ptr<TImageList> ImageList1;
  TNvSpacer* NvSpacer1 = nullptr;
  TNvSpacer* NvSpacer2 = nullptr;
  TNvToolButton* BtnEdit = nullptr;          // "Write "
  TNvToolButton* BtnFind = nullptr;          // "Read"
  TNvFieldStatus* NvFieldStatus2 = nullptr;  // the connection pane
  TNvLabel* NvLabel16 = nullptr;
  TNvLabel* NvLabel17 = nullptr;
  TNvLabel* NvLabel18 = nullptr;
  TNvSpinEdit* CLK = nullptr;
  TNvCheckList* FUNREG1 = nullptr;
  TNvCheckBox* HFD = nullptr;
  TNvLabel* lbl1 = nullptr;
  TNvSpinEdit* edtPMINL = nullptr;
  TNvLabel* lbl7 = nullptr;
  TNvSpinEdit* edtPMAXL = nullptr;
  TNvSpinEdit* edtPMID = nullptr;
  TNvLabel* lbl3 = nullptr;
  TNvCheckBox* nvchckbxLPPMP = nullptr;
  TNvCheckBox* nvchckbxINVC = nullptr;
  TNvLabel* lbl4 = nullptr;
  TNvLabel* lbl5 = nullptr;

  // Event handlers.
  void FormCreate(TObject* Sender);
  void BtnEditClick(TObject* Sender);
  void BtnFindClick(TObject* Sender);
  // Leaving a parameter control (and, for FUNREG1, a click or the pointer
  // leaving it): LinkFlags with that control as the source.
  void DBExit(TObject* Sender);
  // The device-change message: arrival and removal of the bridge reach the
  // controller, everything else is ignored; the result stays 0.
  void WMDeviceChange(TMessage& message);

  // unit1_advanced.cpp: shows the "Advanced" group's caption in the group
  // bar, where the user can open it; the image edited in the hex view `Rom`
  // reaches the parameters when `Rom` is left (RomExit).
  void ShowAdvanced();
  void RomExit(TObject* Sender);

  // Every text of the protocol, and one line on each Read or Write that did
  // not succeed (sender first); unassigned, the window keeps them to itself.
  std::function<void(TObject* Sender, const std::string& text)> OnDiagnostic;

  ConfigController& Controller() { return controller_; }
  UsbLink& Link() { return link_; }
  bool Connected() const { return controller_.Connected(); }
  NotificationHandle NotificationHandle_() const { return notificationHandle_; }
  std::string ConnectionText() const;

  // The spin edit that holds numeric parameter `id`; null for the others.
  TNvSpinEdit* SpinEditOf(ParamId id) const;
  // The parameter a control holds; false for any other control.
  bool ParamOfControl(const TObject* control, ParamId& id) const;

  // ConfigView (unit1_bindings.cpp).
  ImageStore& Image() override { return romStore_; }
  void RegisterNotifications() override;
  void SetConnectionText(const std::string& text) override;
  void ShowSuccessMessage(const std::string& text) override;
  ParameterSet ReadParameters() override;
  void ShowParameters(const ParameterSet& params) override;
  void ShowFlags(const ParameterSet& params) override;
  void SetFunregItemEnabled(Integer item, bool enabled) override;

 protected:
  void WndProc(TMessage& message) override;

 private:
  // unit1_layout.cpp
  void CreateComponents();
  void CreateBars();
  void CreateGroups();
  void CreateBasicSpinEdits();
  void CreateAdvancedControls();
  void CreateBasicLabels();
  void CreateToolbarControls();
  void CreateLateControls();
  void CreateLatePulseControls();
  // The control of a parameter, named, ranged and filled from the parameter
  // table and kept in paramControls_; the layout gives its place.
  TNvSpinEdit* MakeSpinEdit(TWinControl* parent, ParamId id, int left, int top);
  TNvCheckList* MakeCheckList(TWinControl* parent, ParamId id);
  // unit1_bindings.cpp
  TNvCheckBox* CreateCheckBox(ParamId id, int top);
  TNvCheckList* CheckListOf(ParamId id) const;
  // The checked state a flag's check box or a list item shows.
  bool ControlChecked(const ParamRef& ref) const;
  void ShowChecked(const ParamRef& ref, bool checked);
  void ApplyTabOrder();
  void WireEvents();
  // unit1.cpp: hands a text to OnDiagnostic.
  void Diagnose(const std::string& text);

  UsbLink link_;
  DeviceNotifier* notifier_;
  TRomImageStore romStore_;
  ConfigController controller_;
  NotificationHandle notificationHandle_ = nullptr;
  // The parameter controls by ParamId: a spin edit for each number, a check
  // list for each list, a check box for each flag.
  std::array<TWinControl*, kParamCount> paramControls_{};
};
