// Helpers of the main-window tests: focus and typing, the window over a
// device emulator on TCP, and the chip's block.
#pragma once

#include <QApplication>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/bridge_setup.h"
#include "link/tcp_device_emulator.h"
#include "tests/app/app_test_util.h"

// Clicks a tool button of the toolbar; the caption of a status pane. (Units
// that work with the check boxes cannot include the toolbar's headers.)
void ClickTool(TNvToolButton* button);
std::string FieldCaption(TNvFieldStatus* pane);

// Makes the window active and gives `control` the keyboard focus.
inline bool FocusOn(TForm1& form, TWinControl* control) {
  form.activateWindow();
  QApplication::setActiveWindow(&form);
  if (!QTest::qWaitForWindowActive(&form)) return false;
  control->SetFocus();
  QApplication::processEvents();
  return control->Focused();
}

// The control that holds the keyboard focus (an edit's inner editor counts
// as the edit); null when none does.
inline TWinControl* FocusedControl() {
  for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
    if (auto* control = dynamic_cast<TWinControl*>(w)) return control;
  }
  return nullptr;
}

inline void PressKey(Qt::Key key) {
  QTest::keyClick(QApplication::focusWidget(), key);
  QApplication::processEvents();
}

inline void TypeText(const char* text) {
  QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(text));
  QApplication::processEvents();
}

// Selects the whole text of the focused edit and types `text` over it.
inline void ReplaceText(const char* text) {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
  TypeText(text);
}

// The window over a device emulator served on TCP by this process.
struct TcpWindow {
  TcpDeviceEmulator emulator;
  BridgeSetup setup;
  std::unique_ptr<TForm1> form;

  // Starts the emulator (unless `deviceUp` is false) and the window on it.
  bool Create(bool deviceUp = true) {
    if (!emulator.Start()) return false;
    std::string address = emulator.Address();
    if (!deviceUp) emulator.Stop();
    std::string error;
    if (!CreateBridgeSetup(address, UsbId{}, setup, error)) return false;
    form = std::make_unique<TForm1>(*setup.library, setup.notifier.get());
    form->Controller().SetSleep([](std::chrono::milliseconds) {});
    form->ShowForm();
    return true;
  }

  std::vector<uint8_t> ChipBlock() const { return emulator.ReadMemory(SFR, 0, kRomSize); }

  ~TcpWindow() { form.reset(); }
};

// The 64-byte block of the simulated chip.
inline std::vector<uint8_t> SfrBlock(const SimulatedChip& chip) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < kRomSize; ++i) bytes.push_back(chip.Peek(SFR, static_cast<uint16_t>(i)));
  return bytes;
}

inline int PulseAt(const std::vector<uint8_t>& block, int low) {
  return block[low] + 256 * block[low + 1];
}
