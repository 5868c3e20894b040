// The main window as it stands after start-up.
#include <QApplication>
#include <QTest>

#include "app/bridge_setup.h"
#include "app/device_notifier.h"
#include "app/usb_device_notifier.h"
#include "model/image_codec.h"
#include "tests/app/app_test_util.h"
#include "tests/app/window_panels.h"
#include "tests/support/recording_bridge_library.h"

class StartUpTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { Application->SetTitle(kApplicationTitle); }

  void windowHasItsCaptionSizeFontAndColour() {
    SimWindow w;
    TForm1& form = w.Create();
    QCOMPARE_STR(form.Caption(), "ZN4417 Norvane V1.71");
    QCOMPARE(form.windowTitle(), QString("ZN4417 Norvane V1.71"));
    QCOMPARE(form.ClientWidth(), 499);
    QCOMPARE(form.ClientHeight(), 387);
    QCOMPARE(form.Color(), clBtnFace);
    QCOMPARE_STR(form.Font().Name(), "MS Sans Serif");
    QCOMPARE(form.Font().Height(), -11);
    QCOMPARE(form.BorderStyle(), bsSingle);
    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowMaximizeButtonHint);
  }

  void barsFollowTheClientArea() {
    SimWindow w;
    TForm1& form = w.Create();
    QCOMPARE(form.NvToolbar1->BoundsRect(), Rect(0, 0, 499, 29));
    QCOMPARE(form.NvStatusBar1->BoundsRect(), Rect(0, 368, 499, 387));
    QCOMPARE(form.NvGroupBar1->BoundsRect(), Rect(0, 29, 499, 368));
    QCOMPARE_STR(form.NvFieldStatus1->Caption(), "V1.71");
    QCOMPARE_STR(form.BtnEdit->Caption(), "Write ");
    QCOMPARE_STR(form.BtnFind->Caption(), "Read");
  }

  void withABridgeTheWindowConnectsButDoesNotRead() {
    RecordingBridgeLibrary library;
    library.AddDevice("tx_v1.0");
    TForm1 form(library, nullptr);
    QCOMPARE_STR(form.ConnectionText(), "USB Status: Connect!");
    QVERIFY(form.Connected());
    QVERIFY(form.Link().IsOpen());
    QVERIFY(library.CallsOf(RecordingBridgeLibrary::Op::kRead).empty());
    QVERIFY(library.CallsOf(RecordingBridgeLibrary::Op::kWrite).empty());
    QVERIFY(library.CallsOf(RecordingBridgeLibrary::Op::kFlush).empty());
  }

  void withoutABridgeTheWindowSaysSo() {
    SimWindow w;
    w.library.Unplug();
    TForm1& form = w.Create();
    QCOMPARE_STR(form.ConnectionText(), "USB Status: NO Connect!");
    QVERIFY(!form.Connected());
    QVERIFY(!form.Link().IsOpen());
  }

  void parametersShowTheDefaultsWithFiveFunctionsDisabled() {
    SimWindow w;
    w.library.Unplug();
    TForm1& form = w.Create();
    ParameterSet expected;
    DecodeImage(RomImage(DefaultImage()), expected);
    const ParameterSet shown = form.ReadParameters();
    for (Integer id = 0; id < kNumericCount; ++id) {
      QCOMPARE(shown.Value(static_cast<ParamId>(id)), expected.Value(static_cast<ParamId>(id)));
    }
    QCOMPARE(shown.Value(piDB), 7.0L);
    QCOMPARE(shown.Value(piedtPMINL), 900.0L);
    for (Integer i = 0; i < kFunregCount; ++i) {
      const bool disabled = i == 0 || i == 1 || i == 4 || i == 8 || i == 9;
      QCOMPARE(shown.FUNREG[i].enabled, !disabled);
      QCOMPARE(shown.FUNREG[i].checked, expected.FUNREG[i].checked);
    }
    // The image holds the defaults at 10..26 and 28..32 and zeros elsewhere.
    const std::vector<uint8_t> image = WindowImage(form);
    for (Integer i = 0; i < kRomSize; ++i) {
      const bool defaulted = i >= 10 && i <= 32 && i != 27;
      QCOMPARE(int(image[i]), defaulted ? int(DefaultImage()[i]) : 0);
    }
  }

  void registersForTheBridgeInterfaceClass() {
    SimWindow w;
    TForm1& form = w.Create();
    QVERIFY(form.NotificationHandle_() != nullptr);
    QVERIFY(w.notifier.Registered());
    // A window without a notifier simply hears nothing.
    RecordingBridgeLibrary library;
    TForm1 deaf(library, nullptr);
    QVERIFY(deaf.NotificationHandle_() == nullptr);
  }

  void registrationForAnotherClassIsRefused() {
    SimBridgeLibrary library;
    SimDeviceNotifier notifier(library, "path");
    DeviceInterfaceFilter filter = BridgeInterfaceFilter();
    QCOMPARE(filter.size, 32u);
    QCOMPARE(filter.deviceType, 5u);
    QCOMPARE(filter.reserved, 0u);
    QVERIFY(filter.name.empty());
    filter.classGuid = "{00000000-0000-0000-0000-000000000000}";
    QVERIFY(notifier.Register(filter, [](const DeviceNotification&) {}) == nullptr);
    filter = BridgeInterfaceFilter();
    filter.deviceType = DBT_DEVTYP_VOLUME;
    QVERIFY(notifier.Register(filter, [](const DeviceNotification&) {}) == nullptr);
    QVERIFY(!notifier.Registered());
  }

  void realBridgesAreWatchedThroughLibusb() {
    BridgeSetup setup;
    std::string error;
    QVERIFY(CreateBridgeSetup("usb", UsbId{0x1234, 0x5678}, setup, error));
    auto* notifier = dynamic_cast<UsbDeviceNotifier*>(setup.notifier.get());
    QVERIFY(notifier != nullptr);
    QCOMPARE(notifier->WatchMode(), UsbDeviceNotifier::wmNone);
    const NotificationHandle handle =
        notifier->Register(BridgeInterfaceFilter(), [](const DeviceNotification&) {});
    if (handle == nullptr) QSKIP(("libusb cannot be used here: " + notifier->Error()).c_str());
    QVERIFY(notifier->WatchMode() == UsbDeviceNotifier::wmHotplug ||
            notifier->WatchMode() == UsbDeviceNotifier::wmPolling);
    qInfo("watching USB by %s",
          notifier->WatchMode() == UsbDeviceNotifier::wmHotplug ? "hot-plug events" : "polling");
  }
};

QTEST_MAIN(StartUpTest)
#include "start_up_test.moc"
