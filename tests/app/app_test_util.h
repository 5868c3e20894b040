// Helpers shared by the window tests: a recorder of message boxes and a
// window over the simulated chip.
#pragma once

#include <QTest>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "app/sim_device_notifier.h"
#include "app/unit1.h"
#include "framework/application.h"
#include "link/sim_bridge.h"

// Compares two UTF-8 strings, showing both on failure.
#define QCOMPARE_STR(actual, expected) \
  QCOMPARE(QString::fromStdString(actual), QString::fromStdString(expected))

#define QTRY_COMPARE_STR(actual, expected) \
  QTRY_COMPARE(QString::fromStdString(actual), QString::fromStdString(expected))
#define QTRY_COMPARE_STR_WITH_TIMEOUT(actual, expected, timeout)                              \
  QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(actual), QString::fromStdString(expected), \
                            timeout)

// Takes every message box while it lives; nothing is shown.
class MessageBoxRecorder {
 public:
  MessageBoxRecorder() {
    SetMessageBoxInterceptor([this](const std::string& text, const std::string& caption, uint32_t) {
      boxes.emplace_back(text, caption);
      return IDOK;
    });
  }
  ~MessageBoxRecorder() { SetMessageBoxInterceptor(nullptr); }
  std::vector<std::pair<std::string, std::string>> boxes;  // text, caption
};

// The window over the simulated chip, with the simulated plug.
struct SimWindow {
  SimBridgeLibrary library;
  SimDeviceNotifier notifier{library, MakeDevicePath(0x10C4, 0xEA61, "tx_v1.0")};
  std::unique_ptr<TForm1> form;

  TForm1& Create() {
    form = std::make_unique<TForm1>(library, &notifier);
    form->ShowForm();
    return *form;
  }
};

// The 64 image bytes the window holds.
inline std::vector<uint8_t> WindowImage(TForm1& form) {
  std::vector<uint8_t> bytes;
  for (Integer i = 0; i < kRomSize; ++i) bytes.push_back(form.Image().GetDataAt(i));
  return bytes;
}

// A recognisable block: 64 bytes all different from the default image.
inline std::vector<uint8_t> PatternBlock(uint8_t seed) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < kRomSize; ++i) bytes.push_back(static_cast<uint8_t>(seed + i * 3));
  return bytes;
}

inline void PokeSfr(SimulatedChip& chip, const std::vector<uint8_t>& bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) chip.Poke(SFR, static_cast<uint16_t>(i), bytes[i]);
}

inline void Click(TControl* control) {
  QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}
