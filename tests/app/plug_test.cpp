// Plugging and unplugging the bridge while the window runs: the simulated
// chip's plug, and a device emulator over TCP that comes and goes.
#include <QApplication>
#include <QTest>

#include "app/bridge_setup.h"
#include "app/tcp_device_notifier.h"
#include "link/tcp_device_emulator.h"
#include "tests/app/app_test_util.h"
#include "tests/app/window_panels.h"

namespace {

// The emulator announces itself within one probe interval; a second is
// what a user may wait for the pane to follow the plug.
constexpr int kWithinASecond = 1000;

}  // namespace

class PlugTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { Application->SetTitle(kApplicationTitle); }

  void simUnplugAndPlugFollowTheBridge() {
    SimWindow w;
    TForm1& form = w.Create();
    QCOMPARE_STR(form.ConnectionText(), "USB Status: Connect!");
    for (int round = 0; round < 2; ++round) {
      w.notifier.Unplug();
      QTRY_COMPARE_STR(form.ConnectionText(), "USB Status: NO Connect!");
      QVERIFY(!form.Link().IsOpen());
      QVERIFY(!form.Connected());
      // Read fails quietly while the bridge is away: nothing changes.
      const std::vector<uint8_t> before = WindowImage(form);
      Click(form.BtnFind);
      QVERIFY(WindowImage(form) == before);

      w.notifier.Plug();
      QTRY_COMPARE_STR(form.ConnectionText(), "USB Status: Connect!");
      QVERIFY(form.Link().IsOpen());
      QVERIFY(form.Connected());
      const std::vector<uint8_t> block = PatternBlock(static_cast<uint8_t>(0x21 + round));
      PokeSfr(w.library.Chip(), block);
      Click(form.BtnFind);
      QVERIFY(WindowImage(form) == block);
    }
    QCOMPARE(w.library.OpenHandles(), 1);
  }

  void readShowsTheChipsBlockInTheParameters() {
    SimWindow w;
    TForm1& form = w.Create();
    std::vector<uint8_t> block(DefaultImage().begin(), DefaultImage().end());
    block[15] = 255 - 42;  // DB is stored inverted
    PokeSfr(w.library.Chip(), block);
    Click(form.BtnFind);
    QCOMPARE(form.ReadParameters().Value(piDB), 42.0L);
  }

  void writeShowsTheSuccessMessageOnce() {
    MessageBoxRecorder recorder;
    SimWindow w;
    TForm1& form = w.Create();
    form.Controller().SetSleep([](std::chrono::milliseconds) {});
    Click(form.BtnEdit);
    QCOMPARE(recorder.boxes.size(), size_t(1));
    QCOMPARE_STR(recorder.boxes[0].first, "下载成功!");
    QCOMPARE_STR(recorder.boxes[0].second, "ZN4417Config");
    // The chip holds what the window holds, with the two forced bytes.
    SimulatedChip& chip = w.library.Chip();
    QCOMPARE(int(chip.Peek(SFR, 12)), 7);
    QCOMPARE(int(chip.Peek(SFR, 20)), 41);
    const std::vector<uint8_t> image = WindowImage(form);
    for (int i = 0; i < 63; ++i) QCOMPARE(int(chip.Peek(SFR, uint16_t(i))), int(image[i]));
  }

  void writeWithoutTheBridgeShowsNothing() {
    MessageBoxRecorder recorder;
    SimWindow w;
    TForm1& form = w.Create();
    form.Controller().SetSleep([](std::chrono::milliseconds) {});
    w.notifier.Unplug();
    QTRY_COMPARE_STR(form.ConnectionText(), "USB Status: NO Connect!");
    Click(form.BtnEdit);
    QVERIFY(recorder.boxes.empty());
    // A bridge pulled without any notice: the write fails just as quietly.
    w.notifier.Plug();
    QTRY_COMPARE_STR(form.ConnectionText(), "USB Status: Connect!");
    w.library.Unplug();
    Click(form.BtnEdit);
    QVERIFY(recorder.boxes.empty());
  }

  void tcpEmulatorComingAndGoingIsFollowed() {
    TcpDeviceEmulator emulator;
    QVERIFY(emulator.Start());
    const uint16_t port = emulator.port();
    emulator.Stop();

    BridgeSetup setup;
    std::string error;
    QVERIFY2(CreateBridgeSetup(emulator.Address(), UsbId{}, setup, error), error.c_str());
    QVERIFY(dynamic_cast<TcpDeviceNotifier*>(setup.notifier.get()) != nullptr);
    auto form = std::make_unique<TForm1>(*setup.library, setup.notifier.get());
    form->show();
    QCOMPARE_STR(form->ConnectionText(), "USB Status: NO Connect!");
    QVERIFY(form->NotificationHandle_() != nullptr);

    const std::vector<uint8_t> block = PatternBlock(0x40);
    emulator.WriteMemory(SFR, 0, block);
    QVERIFY(emulator.Start(port));
    QTRY_COMPARE_STR_WITH_TIMEOUT(form->ConnectionText(), "USB Status: Connect!", kWithinASecond);
    QVERIFY(form->Connected());
    Click(form->BtnFind);
    QVERIFY(WindowImage(*form) == block);

    emulator.Stop();
    QTRY_COMPARE_STR_WITH_TIMEOUT(form->ConnectionText(), "USB Status: NO Connect!",
                                  kWithinASecond);
    QVERIFY(!form->Link().IsOpen());

    // And back again: the second arrival opens the bridge anew.
    QVERIFY(emulator.Start(port));
    QTRY_COMPARE_STR_WITH_TIMEOUT(form->ConnectionText(), "USB Status: Connect!", kWithinASecond);
    QVERIFY(form->Link().IsOpen());
    form.reset();
  }

  void tcpEmulatorPresentAtStartIsNotAnnouncedAgain() {
    TcpDeviceEmulator emulator;
    QVERIFY(emulator.Start());
    BridgeSetup setup;
    std::string error;
    QVERIFY(CreateBridgeSetup(emulator.Address(), UsbId{}, setup, error));
    int heard = 0;
    QVERIFY(setup.notifier->Register(BridgeInterfaceFilter(),
                                     [&](const DeviceNotification&) { ++heard; }) != nullptr);
    QTest::qWait(2 * TcpDeviceNotifier::kProbeIntervalMs + 100);
    QCOMPARE(heard, 0);
    emulator.Stop();
    QTRY_COMPARE_WITH_TIMEOUT(heard, 1, kWithinASecond);
  }
};

QTEST_MAIN(PlugTest)
#include "plug_test.moc"
